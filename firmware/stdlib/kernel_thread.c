/* Kernel threads: a thread waits by counting down clock ticks. */

typedef unsigned char uch;
static const uch Body [KERNEL_BYTES] = { 0x54, 0x48 };
extern unsigned long cyg_current_time (void);
extern void cyg_scheduler_lock (void);
extern void cyg_scheduler_unlock (void);

void cyg_thread_delay (unsigned long ticks)
{
   unsigned long end = cyg_current_time() + ticks + Body[0];
   cyg_scheduler_lock();
   while (cyg_current_time() < end) {}
   cyg_scheduler_unlock();
}
