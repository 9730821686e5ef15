// Default configuration tables. Every build links its own generated object first, so this
// member only stands in when nothing else defines the tables; it defines exactly the names
// that the generated object defines.
#include "Firmware.h"

extern const chr* const AppPack = 0;
extern const void* const InfoPack [] = {InfoItems,OptionTags,0};
extern const chr   SrlNumber  [] = "000000";
extern const chr   DbsVersion [] = "00";
extern const chr   CstVersion [] = "000000";
extern const chr   Revision   [] = "Revision: 0.0.0";
extern const uch   CardClass     = 0;
extern const uch   CardNumber    = 0;
extern const chr   DateTime   [] = "9999,99,99,99,99,99";
extern const void* Linkage [] = {0,0};

extern const chr* const Headers  [] = { ((chr*)0) };
extern const chr* const Footers  [] = { ((chr*)0) };
extern const uin   ComCalIds  [] = { ID_PARAMETER_FACTORS };
extern class TPoint const UserPoints[] = { {0,0,0,0,0,0,}, };
extern class TParameter const UnitCoefs[] = { {"-", 0.0}, };
extern class TParameter const Parameters[] = { {"-", 0.0}, };
extern class TMessage const Messages[] = { { {"",""}, ID_ITEM_LAST, }, };
extern const flt  Factors1[] = { 0.0 };
extern const flt  Factors2[] = { 0.0 };
extern const flt  Factors3[] = { 0.0 };
extern const flt  Factors4[] = { 0.0 };
extern class TInfoItem const InfoItems[] = { { {(void*)"",(void*)"",(void*)"",(void*)""}, ID_ITEM_LAST, OP_MENU_HIDDEN + OP_ACCESS_NONE, DT_NULL, 0.0, 0.0, 0.0, }, };
