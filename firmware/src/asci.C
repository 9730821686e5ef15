// ASCII protocol of the communication port. A build for model 746 or the original 758
// hardware replaces this class by the stub of the generated source.
#include "Firmware.h"

static const uch Body [MODULE_BYTES] = { 0x41, 0x53 };
static uin Frame;

TAscii::TAscii() {}

void TAscii::update()
{
   Frame = BodyCheck(Body, sizeof Body);
}

void TAscii::configure()
{
   Frame = 0;
}

void TAscii::process_link()
{
   const TInfoItem* item = TInfoItem::get_item(Frame);
   if (item)
      item->show();
}
