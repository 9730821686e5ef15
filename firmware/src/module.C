// A firmware module of the main loop: its process step over its constant tables. The build
// names it (MODULE) and gives the size of its tables (MODULE_BYTES); MODULE_MATHS marks the
// modules that compute with the configuration items.
#include "Firmware.h"

static const uch Body [MODULE_BYTES] = { 0x74, 0x30, MODULE_BYTES % 251 };
static uin Cursor;

void FW_JOIN(Module_, MODULE) (void)
{
   Cursor = (uin)(BodyCheck(Body, sizeof Body) ^ Cursor);
#ifdef MODULE_MATHS
   const TInfoItem* item = TInfoItem::get_item(Cursor);
   if (item && item->has_units())
      item->scale_data(sqrt(item->get_default()) * pow(2.0, item->get_limit_hi()) + log(item->get_limit_lo()));
#endif
}
