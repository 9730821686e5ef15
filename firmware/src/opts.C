// Display tags of the menus and option values, indexed by their enumerators.
#include "Firmware.h"

extern const chr* const OptionTags [] =
{
#include "OptionTags.inc"
   0
};
