// Non-volatile memory driver of one memory layout (NVR_TYPE): the generated source selects
// the layout by naming its NvrType constant.
#include "Firmware.h"

static const uch Body [MODULE_BYTES] = { 0x4e, 0x56, NVR_TYPE };

extern const uin FW_JOIN(NvrType, NVR_TYPE) = NVR_TYPE;

void FW_JOIN(NvrStore, NVR_TYPE) (uli address, const uch* data, uin count)
{
   while (count--)
      FlashProgram(data++, address++, (uin)BodyCheck(Body, 1));
}
