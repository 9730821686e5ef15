// Start code and vector tables. The reset vector leads to the start code, which copies the
// initialised data from ROM, clears the rest and enters the main loop.
#include "Firmware.h"

typedef void (*TVector) (void);

extern "C"
{
   extern uch data [], data_end [], romdata [], eram [], eram_end [];
   void _start (void);
   void IsrDefault (void);
}

#define VECTORS_8 IsrDefault, IsrDefault, IsrDefault, IsrDefault, IsrDefault, IsrDefault, IsrDefault, IsrDefault
#define VECTORS_64 VECTORS_8, VECTORS_8, VECTORS_8, VECTORS_8, VECTORS_8, VECTORS_8, VECTORS_8, VECTORS_8

extern const TVector RomVectors [128] __attribute__((section(".vrom"))) =
{
   _start, IsrDefault, IsrDefault, IsrDefault, IsrDefault, IsrDefault, IsrDefault, IsrDefault,
   VECTORS_8, VECTORS_8, VECTORS_8, VECTORS_8, VECTORS_8, VECTORS_8, VECTORS_8, VECTORS_64
};

// Interrupt handlers that the kernel attaches at run time.
TVector RamVectors [64] __attribute__((section(".vram"))) = { 0 };

// Stacks of the kernel threads and the interrupt level.
uch ThreadStacks [0x600] __attribute__((section(".iram"))) = { 0 };

// Markers the boot loader checks before it starts the application.
extern const uli RomStart __attribute__((section(".srom"))) = 0x740A55AAUL;
extern const uli RomEnd __attribute__((section(".erom"))) = 0x740A5AA5UL;

extern "C" void IsrDefault (void)
{
   cyg_interrupt_disable();
}

extern "C" void _start (void)
{
   asm volatile ("mov.l #_eram_stack,er7");
   memcpy(data, romdata, (uli)(data_end - data));
   memset(eram, 0, (uli)(eram_end - eram));
   FirmwareMain();
}
