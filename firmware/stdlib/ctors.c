/* Runs the static constructors listed between ___ctors and ___ctors_end of the linker script. */

typedef void (*ctor) (void);
extern ctor __ctors [], __ctors_end [];

void __main (void)
{
   static int done;
   ctor* c;
   if (done) return;
   done = 1;
   for (c = __ctors; c != __ctors_end; c++)
      (*c)();
}
