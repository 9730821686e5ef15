// Model frame (APP_PART 0: start of the applications, 1: their periodic service).
#include "Firmware.h"

static const uch Body [APP_BYTES] = { 0x41, 0x50, APP_PART };

#if APP_PART == 0
void ModelRun (void)
{
   BodyCheck(Body, sizeof Body);
   FirmwareMain();
}
#else
void ModelService (void)
{
   if (BodyCheck(Body, sizeof Body) == 0)
      TInfoItem::has_menu(OP_MENU_MAIN);
}
#endif
