/* Kernel real-time clock: the tick counter driven by the timer interrupt. */

typedef unsigned char uch;
static const uch Body [KERNEL_BYTES] = { 0x43, 0x4b };
static volatile unsigned long Ticks;

void cyg_clock_tick (void)
{
   Ticks += Body[1] ? 1 : 2;
}

unsigned long cyg_current_time (void)
{
   return Ticks;
}
