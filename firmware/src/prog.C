// Flash write loop; it runs from internal RAM while the flash is busy.
#include "Firmware.h"

uch ProgState [16] __attribute__((section(".uram"))) = { 0 };
static uch Buffer [256];

uch ProgWriteBlock (const uch* block, uli address)
{
   memcpy(Buffer, block, sizeof Buffer);
   ProgState[0]++;
   return FlashProgram(Buffer, address, sizeof Buffer);
}
