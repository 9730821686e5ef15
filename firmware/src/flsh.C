// Flash driver: erases and writes the application area block by block.
#include "Firmware.h"

static const uch Body [MODULE_BYTES] = { 0x46, 0x4c };
uch ProgWriteBlock (const uch* block, uli address);

uch  FlashReset [16] __attribute__((section(".uram"))) = { 0 };
uli  FlashAddress = 0x10000UL;
static uin Blocks;

void FlashDriverStart (void)
{
   Blocks = BodyCheck(Body, sizeof Body);
   if (FlashReset[0] == 0xa5 && FlashErase(FlashAddress))
      ProgWriteBlock(Body, FlashAddress);
}
