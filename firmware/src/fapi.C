// Flash programming interface, kept in its own ROM area so that it survives a reprogramming.
#include "Firmware.h"

static const uch Body [MODULE_BYTES] = { 0x46, 0x41 };

uch FlashProgram (const uch* image, uli address, uin count)
{
   return (uch)((BodyCheck(image, count) ^ BodyCheck(Body, 2) ^ (uin)address) != 0);
}

uch FlashErase (uli address)
{
   return (uch)(address < 0x40000UL);
}
