// Printer reports with the headers and footers of the configuration. A build for the original
// 758 hardware replaces this class by the stub of the generated source.
#include "Firmware.h"

static const uch Body [MODULE_BYTES] = { 0x52, 0x50 };
static uin Line;

TReport::TReport() {}

void TReport::update()
{
   if (Headers[Line] == 0)
      Line = 0;
   else
      Line++;
}

void TReport::update_fast()
{
   if (Footers[0] != 0)
      Line = (uin)strlen(Footers[0]);
}

void TReport::update_records()
{
   Line = BodyCheck(Body, sizeof Body);
}

void TReport::configure()
{
   Line = 0;
}

void TReport::process_link()
{
   update_records();
}

void TReport::try_print(class TRecordLog&)
{
   update();
}
