/*=========================================================*/
#include "740-ggui.h"

/*=========================================================*/
extern const chr   AppPack_758_FP01[];
extern const chr*  const AppPack = AppPack_758_FP01;

/*=========================================================*/
extern const uin   NvrType1;
extern const uin   LogType0;
extern const void* Linkage [] = {&NvrType1,&LogType0};

/*=========================================================*/
extern const void* const InfoPack [] = {InfoItems,OptionTags,0};
extern const chr   SrlNumber  [] = "000000";
extern const chr   DbsVersion [] = "01";
extern const chr   CstVersion [] = "000001";
extern const chr   Revision   [] = "Revision: 3.0.201";
extern const uch   CardClass     = 02;
extern const uch   CardNumber    = 18;
extern const chr   DateTime   [] = "9999,99,99,99,99,99";

/*=========================================================*/
extern const chr* const Headers  [] =
{
   "ACME Ltd",
   ((chr*)0)
   // Headers End
};

/*=========================================================*/
extern const chr* const Footers  [] =
{
   "End of report",
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
   {"-",       0.0,                     },   // -
   {"m3",      1.000000e+00,            },   // Shown in m3
   {"Km3",     1.000000e-03,            },   // Shown in Km3
   {"mL",      1.000000e+06,            },   // Shown in mL
   {"L",       1.000000e+03,            },   // Shown in L
   {"Gal",     2.641721e+02,            },   // Shown in Gal
   {"KGal",    2.641721e-01,            },   // Shown in KGal
   {"MGal",    2.641721e-04,            },   // Shown in MGal
   {"Ft3",     3.531467e+01,            },   // Shown in Ft3
   {"KFt3",    3.531467e-02,            },   // Shown in KFt3
   {"MFt3",    3.531467e-05,            },   // Shown in MFt3
   {"bbl",     6.289811e+00,            },   // Shown in bbl
   {"-",       0.0,                     },   // -
   {"PA",      1.000000e+00,            },   // Shown in PA
   {"KPA",     1.000000e-03,            },   // Shown in KPA
   {"BAR",     1.000000e-05,            },   // Shown in BAR
   {"-",       0.0,                     },   // -
   {"DEG K",   GU_TEMPERATURE_DEG_K,    },   // Shown in DEG K
   {"DEG C",   GU_TEMPERATURE_DEG_C,    },   // Shown in DEG C
   {"DEG F",   GU_TEMPERATURE_DEG_F,    },   // Shown in DEG F
   {"DEG R",   GU_TEMPERATURE_DEG_R,    },   // Shown in DEG R
   {"-",       0.0,                     },   // -
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
      {"TOTAL","TOTAL",(void*)UnitCoefs[4].Tag,(void*)UnitCoefs[4].Tag},
      ID_VAR_TOTAL_1,
      OP_MENU_VARIABLES + OP_ACCESS_PROGRAM,
      GU_VOLUME,
      0.0000000E+00,
      0.001,
      999999,
   },
   {
      // Volume Rate
      {"RATE","RATE",(void*)UnitCoefs[5].Tag,(void*)UnitCoefs[5].Tag},
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
      {"ATM","ATM",(void*)UnitCoefs[14].Tag,(void*)UnitCoefs[14].Tag},
      ID_PARAMETER_01,
      OP_MENU_PARAMETERS + OP_ACCESS_PROTECTED,
      GU_PRESSURE,
      1.0132500E+05,
      0.0,
      2.0000000E+05,
   },
   {
      // Reference Temperature
      {"REF","REF",(void*)UnitCoefs[19].Tag,(void*)UnitCoefs[19].Tag},
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
      OP_NO,
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
      // Engineering Units
      {"ACCEPT","ACCEPT","UNITS","UNITS"},
      ID_UNITS,
      OP_MENU_UNITS + OP_ACCESS_PROTECTED,
      DT_OPTION,
      OP_NO,
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
