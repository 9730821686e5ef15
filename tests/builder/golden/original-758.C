/*=========================================================*/
#include "740-ggui.h"

/*=========================================================*/
extern const chr   AppPack_758_FP01[];
extern const chr*  const AppPack = AppPack_758_FP01;

/*=========================================================*/
extern const uin   NvrType0;
extern const uin   LogType0;
extern const void* Linkage [] = {&NvrType0,&LogType0};

/*=========================================================*/
extern const void* const InfoPack [] = {InfoItems,OptionTags,0};
extern const chr   SrlNumber  [] = "000000";
extern const chr   DbsVersion [] = "01";
extern const chr   CstVersion [] = "000001";
extern const chr   Revision   [] = "Revision: 3.0.201";
extern const uch   CardClass     = 02;
extern const uch   CardNumber    = 01;
extern const chr   DateTime   [] = "9999,99,99,99,99,99";

/*=========================================================*/
class TAscii
{	// dummy class
public:
   TAscii();
   static void	update       (void);
   static void	configure    (void);
   static void	process_link (void);
};
     TAscii::TAscii()       {};
void TAscii::update()       {};
void TAscii::configure()    {};
void TAscii::process_link() {};

/*=========================================================*/
class TTag
{	// dummy class
public:
   TTag();
   static void  update           (void);
   static void  configure        (void);
   static void  process_link     (void);
   static void  update_back      (void);
   static void	 reset_all        (void);
   static uch   is_valid         (void);
   static uch   is_required      (void);
   static uin   get_points       (void);
   static flt   get_tag          (void);
   static void  set_tag          (flt);
   static flt   get_parameter    (uin);
   static void  set_parameter    (uin, flt);
   static uch   update_loader    (void*);
   static chr** get_message_bank	(void);
   static void  set_message_bank	(chr** pt_bank);
};
      TTag::TTag()                           {};
void  TTag::update()                         {};
void  TTag::configure()                      {};
void  TTag::process_link()                   {};
void  TTag::update_back()                    {};
void  TTag::reset_all()                      {};
uch   TTag::is_valid()                       {return FALSE;};
uch   TTag::is_required()                    {return FALSE;};
uin   TTag::get_points()                     {return 0;};
flt   TTag::get_tag()                        {return 0;};
void  TTag::set_tag          (flt)           {};
flt   TTag::get_parameter    (uin)           {return 0;};
void  TTag::set_parameter    (uin, flt)      {};
uch   TTag::update_loader    (void*)         {return TRUE;};
chr** TTag::get_message_bank (void)          {return 0;};
void  TTag::set_message_bank (chr** pt_bank) {};

/*=========================================================*/
class TReport
{	// dummy class
public:
   TReport();
   static void	update           (void);
   static void	update_fast      (void);
   static void	update_records   (void);
   static void	configure        (void);
   static void	process_link     (void);
   static void	try_print        (class TRecordLog&);
};
     TReport::TReport()         {};
void TReport::update()          {};
void TReport::update_fast()     {};
void TReport::update_records()  {};
void TReport::configure()       {};
void TReport::process_link()    {};
void TReport::try_print(class TRecordLog&)    {};

/*=========================================================*/
class TUnits
{	// dummy class
public:
   TUnits();
   static void	step         (void);
   static void	show         (void);
   static void	update       (void);
   static void	configure    (void);
   static sch	get_offset   (TInfoItem*);
   static flt	get_default  (TInfoItem*);
   static flt	get_limit_lo (TInfoItem*);
   static flt	get_limit_hi (TInfoItem*);
};
     TUnits::TUnits()       {};
void TUnits::step()         {};
void TUnits::show()         {};
void TUnits::update()       {};
void TUnits::configure()    {};
sch  TUnits::get_offset   (TInfoItem* Item) {return 0;};
flt  TUnits::get_default  (TInfoItem* Item) {return Item->fl_default;};
flt  TUnits::get_limit_lo (TInfoItem* Item) {return Item->fl_low;};
flt  TUnits::get_limit_hi (TInfoItem* Item) {return Item->fl_high;};

/*=========================================================*/
extern const chr* const Headers  [] =
{
   ((chr*)0)
   // Headers End
};

/*=========================================================*/
extern const chr* const Footers  [] =
{
   ((chr*)0)
   // Footers End
};

/*=========================================================*/
extern const uin   ComCalIds  [] =
{
   ID_PARAMETER_01,
   ID_PARAMETER_02,
   ID_PARAMETER_FACTORS
   // Comms shared Cals End
};

/*=========================================================*/
extern class TPoint const UserPoints[] =
{
   // WATER
   {OP_HEAT_FLUID_TYPE_USER, 2.9315000E+02, 1.0132500E+05, 0.0, 0.0, 0.0, "20", "101.325", "LIQUID", "", "", },
   {OP_HEAT_FLUID_TYPE_USER, 3.7315000E+02, 0.0, 0.0, 0.0, 0.0, "100", "?", "STEAM", "", "", },
   // User Data Points End
   {0,0,0,0,0,0,}, // marks the end of the table
};

/*=========================================================*/
extern class TParameter const UnitCoefs[] =
{
   {"L",       1.000000e+03,            },   // Shown in L
   {"Gal",     2.641721e+02,            },   // Shown in Gal
   {"KPA",     1.000000e-03,            },   // Shown in KPA
   {"DEG F",   GU_TEMPERATURE_DEG_F,    },   // Shown in DEG F
   // Coefficients End
};

/*=========================================================*/
extern class TParameter const Parameters[] =
{
   {"KFACT",   1.5000000E+00,},
   // Parameters End
};

/*=========================================================*/
extern class TMessage const Messages[] =
{
   {
      // Low Flow
      {"LOW FLOW","LOW \"FLOW\"\\"},
      ID_ERROR_01,
   },
   {
      // Start
      {"PRESS START",""},
      ID_PROMPT_01,
   },
   // Messages End
   {
      // Last message
      {"",""},
      ID_ITEM_LAST,
   },
};

/*=========================================================*/
extern const flt  Factors1[]  = 
{
   1.0000000E+02, 1.0100000E+00,
   // Factors1 End
};

extern const flt  Factors2[]  = 
{
   // Factors2 End
};

extern const flt  Factors3[]  = 
{
   4.0000000E+00, 2.0000000E+01,
   // Factors3 End
};

extern const flt  Factors4[]  = 
{
   5.0000000E-01, 0.0,
   // Factors4 End
};



/*=========================================================*/
extern class TInfoItem const InfoItems[] =
{
   {
      // Customer "A/B"
      {"CUSTOM","CUSTOM","",""},
      ID_INFO_CUSTOMER,
      OP_MENU_INFO + OP_ACCESS_DISPLAY,
      DT_TAG,
      0,
      0,
      0,
   },
   {
      // Serial Number Information
      {"-UNIT-","-UNIT-","S/N","S/N"},
      ID_INFO_S_NUMBER,
      OP_MENU_INFO + OP_ACCESS_DISPLAY,
      DT_INTEGER,
      0.0000000E+00,
      0.0000000E+00,
      9.9999900E+05,
   },
   {
      // Volume Total
      {"TOTAL","TOTAL",(void*)UnitCoefs[0].Tag,(void*)UnitCoefs[0].Tag},
      ID_VAR_TOTAL_1,
      OP_MENU_VARIABLES + OP_ACCESS_PROGRAM,
      GU_VOLUME,
      0.0000000E+00,
      0.001,
      999999,
   },
   {
      // Volume Rate
      {"RATE","RATE",(void*)UnitCoefs[1].Tag,(void*)UnitCoefs[1].Tag},
      ID_VAR_PROCESS_1,
      OP_MENU_VARIABLES + OP_ACCESS_PROGRAM,
      GU_VOLUME,
      0.0000000E+00,
      0,
      1000,
   },
   {
      // Parameter Source
      {"SOURCE","SOURCE","",""},
      ID_PARAMETER_SOURCE,
      OP_MENU_PARAMETERS + OP_ACCESS_PROGRAM,
      DT_OPTION,
      OP_SOURCE_KEYPAD,
      OP_SOURCE_KEYPAD,
      OP_SOURCE_INPUT,
   },
   {
      // Atmospheric Pressure
      {"ATM","ATM",(void*)UnitCoefs[2].Tag,(void*)UnitCoefs[2].Tag},
      ID_PARAMETER_01,
      OP_MENU_PARAMETERS + OP_ACCESS_PROTECTED,
      GU_PRESSURE,
      1.0132500E+05,
      0.0,
      2.0000000E+05,
   },
   {
      // Reference Temperature
      {"REF","REF",(void*)UnitCoefs[3].Tag,(void*)UnitCoefs[3].Tag},
      ID_PARAMETER_02,
      OP_MENU_PARAMETERS + OP_ACCESS_PROGRAM,
      GU_TEMPERATURE,
      2.7315000E+02,
      2.3315000E+02,
      3.7315000E+02,
   },
   {
      // Input 1 Signal
      {"AINP1","AINP1","",""},
      ID_AINP1_SIGNAL,
      OP_MENU_INPUTS + OP_ACCESS_PROGRAM,
      DT_OPTION,
      OP_SIGNAL_PT100,
      OP_SIGNAL_4_20,
      OP_SIGNAL_PT100,
   },
   {
      // Averaging
      {"AVG","AVG","S","S"},
      ID_PARAMETER_03,
      OP_MENU_PARAMETERS + OP_ACCESS_PROGRAM,
      DT_INTEGER,
      10,
      0.0,
      99,
   },
   {
      // Clear Totals
      {"CLEAR","CLEAR","",""},
      ID_RESET_TOTALS_ACCUM,
      OP_MENU_HIDDEN + OP_ACCESS_NONE,
      DT_OPTION,
      OP_YES,
      OP_NO,
      OP_YES,
   },
   {
      // Clear Logs
      {"LOGS","LOGS","",""},
      ID_RESET_LOGGER,
      OP_MENU_HIDDEN + OP_ACCESS_NONE,
      DT_OPTION,
      OP_YES,
      OP_NO,
      OP_YES,
   },
   {
      // Last Item
      {"","","",""},
      ID_ITEM_LAST,
      OP_MENU_HIDDEN + OP_ACCESS_NONE,
      DT_NULL,
      0,
      0,
      0,
   },
};
