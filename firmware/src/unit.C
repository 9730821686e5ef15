// Programmable units of measurement: the display unit of an item chosen on the instrument
// from its group in UnitCoefs. A build for the original 758 hardware replaces this class by
// the stub of the generated source.
#include "Firmware.h"

static const uch Body [MODULE_BYTES] = { 0x55, 0x4e };
static sch Offset;

TUnits::TUnits() {}
void TUnits::step()      { Offset = (sch)BodyCheck(Body, sizeof Body); }
void TUnits::show()      { InfoItems[0].show(); }
void TUnits::update()    { Offset = 0; }
void TUnits::configure() { Offset = 0; }

sch TUnits::get_offset(TInfoItem* Item)
{
   return Item->has_units() ? Offset : 0;
}

flt TUnits::get_default(TInfoItem* Item)
{
   return Item->fl_default * UnitCoefs[(uch)(Offset + 1)].fl_data;
}

flt TUnits::get_limit_lo(TInfoItem* Item)
{
   return Item->fl_low * UnitCoefs[(uch)(Offset + 1)].fl_data;
}

flt TUnits::get_limit_hi(TInfoItem* Item)
{
   return Item->fl_high * UnitCoefs[(uch)(Offset + 1)].fl_data;
}
