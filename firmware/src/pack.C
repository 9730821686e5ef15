// Application code of one pack group. Each pack of the group is an entry (APP_PACK_1 to
// APP_PACK_3, named AppPack_<model>_<pack>) that the generated source refers to.
#include "Firmware.h"

struct TAppPack
{
   chr         Name [12];
   void        (*Run) (void);
   const uch*  Code;
};

static const uch Body [APP_BYTES] = { 0x50, 0x4b };

static void Run (void)
{
   if (BodyCheck(Body, sizeof Body) != 0)
      ModelRun();
}

#define APP_ENTRY(symbol, name) extern const TAppPack symbol = { name, Run, Body };
APP_ENTRY(APP_PACK_1, APP_NAME_1)
#ifdef APP_PACK_2
APP_ENTRY(APP_PACK_2, APP_NAME_2)
#endif
#ifdef APP_PACK_3
APP_ENTRY(APP_PACK_3, APP_NAME_3)
#endif
