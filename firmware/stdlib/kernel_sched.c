/* Kernel scheduler: a lock counter and the run loop of the ready threads. */

typedef unsigned char uch;
static const uch Body [KERNEL_BYTES] = { 0x53, 0x43 };
static volatile int LockCount;
static volatile int Running;

void cyg_scheduler_lock (void)   { LockCount++; }
void cyg_scheduler_unlock (void) { if (LockCount) LockCount--; }

void cyg_scheduler_start (void)
{
   Running = Body[0] != 0;
}
