/* Kernel interrupts: attaching handlers and masking the interrupt level. */

typedef unsigned char uch;
static const uch Body [KERNEL_BYTES] = { 0x49, 0x4e };
static void (*Handlers [64]) (void);

void cyg_interrupt_attach (unsigned int vector, void (*isr) (void))
{
   if (vector < 64) Handlers[vector] = isr;
}

void cyg_interrupt_enable (void)
{
   if (Body[0]) asm volatile ("andc #0x7f,ccr");
}

void cyg_interrupt_disable (void)
{
   asm volatile ("orc #0x80,ccr");
}
