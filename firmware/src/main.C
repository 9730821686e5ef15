// The main loop: every module in turn, then the classes a build may replace by stubs.
#include "Firmware.h"

typedef void (*TVector) (void);
extern TVector RamVectors [];

uin BodyCheck (const uch* body, uin count)
{
   uin sum = 0;
   while (count--)
      sum = (uin)((sum << 1) ^ *body++);
   return sum;
}

extern "C" void FirmwareMain (void)
{
   RamVectors[0] = ModelService;
   FlashDriverStart();
   TAscii::configure();
   TTag::configure();
   TReport::configure();
   TUnits::configure();
   cyg_scheduler_start();
   for (;;)
   {
#define FW_MODULE(name) FW_JOIN(Module_, name) ();
#include "Modules.h"
#undef FW_MODULE
      TAscii::update();
      TAscii::process_link();
      TTag::update();
      TTag::process_link();
      TReport::update();
      TReport::update_fast();
      TUnits::step();
      TUnits::show();
      ModelService();
      cyg_thread_delay(1);
   }
}
