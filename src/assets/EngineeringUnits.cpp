// The engineering-units list. Columns: unit group, suffix (the unit is group "_" suffix),
// display tag, display units per base unit (for temperatures the scale's header name),
// description.
#include "assets/EngineeringUnits.h"

#include "store/Table.h"

namespace kv::assets {

namespace {

constexpr std::string_view Lines[] = {
    "GU_SCALE,                PPM,       PPM,    1.000000e+06,         Value will be displayed in "
    "parts per million",
    "GU_SCALE,                MICRO,     E-6,    1.000000e+06,         Value will be displayed in "
    "millionths",
    "GU_SCALE,                MILLI,     E-3,    1.000000e+03,         Value will be displayed in "
    "thousandths",
    "GU_SCALE,                NONE,      E+0,    1.000000e+00,         Value will be displayed "
    "unscaled",
    "GU_SCALE,                KILO,      E+3,    1.000000e-03,         Value will be displayed in "
    "thousands",
    "GU_SCALE,                MEGA,      E+6,    1.000000e-06,         Value will be displayed in "
    "millions",
    "GU_FREQUENCY,            HZ,        Hz,     1.000000e+00,         Frequency will be displayed "
    "in hertz",
    "GU_FREQUENCY,            KHZ,       KHz,    1.000000e-03,         Frequency will be displayed "
    "in kilohertz",
    "GU_FREQUENCY,            MHZ,       MHz,    1.000000e-06,         Frequency will be displayed "
    "in megahertz",
    "GU_CURRENT,              A,         A,      1.000000e+00,         Current will be displayed "
    "in amperes",
    "GU_CURRENT,              MA,        mA,     1.000000e+03,         Current will be displayed "
    "in milliamperes",
    "GU_VOLTAGE,              V,         V,      1.000000e+00,         Voltage will be displayed "
    "in volts",
    "GU_VOLTAGE,              MV,        mV,     1.000000e+03,         Voltage will be displayed "
    "in millivolts",
    "GU_VOLUME,               M3,        m3,     1.000000e+00,         Volume will be displayed in "
    "cubic metres",
    "GU_VOLUME,               KM3,       Km3,    1.000000e-03,         Volume will be displayed in "
    "thousands of cubic metres",
    "GU_VOLUME,               MLT,       mL,     1.000000e+06,         Volume will be displayed in "
    "millilitres",
    "GU_VOLUME,               LTR,       L,      1.000000e+03,         Volume will be displayed in "
    "litres",
    "GU_VOLUME,               GAL,       Gal,    2.641721e+02,         Volume will be displayed in "
    "US gallons",
    "GU_VOLUME,               KGAL,      KGal,   2.641721e-01,         Volume will be displayed in "
    "thousands of US gallons",
    "GU_VOLUME,               MGAL,      MGal,   2.641721e-04,         Volume will be displayed in "
    "millions of US gallons",
    "GU_VOLUME,               FT3,       Ft3,    3.531467e+01,         Volume will be displayed in "
    "cubic feet",
    "GU_VOLUME,               KFT3,      KFt3,   3.531467e-02,         Volume will be displayed in "
    "thousands of cubic feet",
    "GU_VOLUME,               MFT3,      MFt3,   3.531467e-05,         Volume will be displayed in "
    "millions of cubic feet",
    "GU_VOLUME,               BBL,       bbl,    6.289811e+00,         Volume will be displayed in "
    "barrels",
    "GU_VOLUME_FLOW,          M3_S,      m3/S,   1.000000e+00,         Flow rate will be displayed "
    "in cubic metres per second",
    "GU_VOLUME_FLOW,          M3_M,      m3/M,   6.000000e+01,         Flow rate will be displayed "
    "in cubic metres per minute",
    "GU_VOLUME_FLOW,          M3_H,      m3/h,   3.600000e+03,         Flow rate will be displayed "
    "in cubic metres per hour",
    "GU_VOLUME_FLOW,          M3_D,      m3/D,   8.640000e+04,         Flow rate will be displayed "
    "in cubic metres per day",
    "GU_VOLUME_FLOW,          MLT_S,     mL/S,   1.000000e+06,         Flow rate will be displayed "
    "in millilitres per second",
    "GU_VOLUME_FLOW,          MLT_M,     mL/M,   6.000000e+07,         Flow rate will be displayed "
    "in millilitres per minute",
    "GU_VOLUME_FLOW,          MLT_H,     mL/h,   3.600000e+09,         Flow rate will be displayed "
    "in millilitres per hour",
    "GU_VOLUME_FLOW,          LTR_S,     L/S,    1.000000e+03,         Flow rate will be displayed "
    "in litres per second",
    "GU_VOLUME_FLOW,          LTR_M,     L/M,    6.000000e+04,         Flow rate will be displayed "
    "in litres per minute",
    "GU_VOLUME_FLOW,          LTR_H,     L/h,    3.600000e+06,         Flow rate will be displayed "
    "in litres per hour",
    "GU_VOLUME_FLOW,          LTR_D,     L/D,    8.640000e+07,         Flow rate will be displayed "
    "in litres per day",
    "GU_VOLUME_FLOW,          GAL_S,     G/S,    2.641721e+02,         Flow rate will be displayed "
    "in US gallons per second",
    "GU_VOLUME_FLOW,          GAL_M,     G/M,    1.585032e+04,         Flow rate will be displayed "
    "in US gallons per minute",
    "GU_VOLUME_FLOW,          GAL_H,     G/h,    9.510194e+05,         Flow rate will be displayed "
    "in US gallons per hour",
    "GU_VOLUME_FLOW,          KGL_D,     KG/D,   2.282447e+04,         Flow rate will be displayed "
    "in thousands of US gallons per day",
    "GU_VOLUME_FLOW,          MGL_D,     MG/D,   2.282447e+01,         Flow rate will be displayed "
    "in millions of US gallons per day",
    "GU_VOLUME_FLOW,          FT3_S,     F3/S,   3.531467e+01,         Flow rate will be displayed "
    "in cubic feet per second",
    "GU_VOLUME_FLOW,          FT3_M,     F3/M,   2.118880e+03,         Flow rate will be displayed "
    "in cubic feet per minute",
    "GU_VOLUME_FLOW,          FT3_H,     F3/h,   1.271328e+05,         Flow rate will be displayed "
    "in cubic feet per hour",
    "GU_VOLUME_FLOW,          MF3_D,     MF/D,   3.051187e+00,         Flow rate will be displayed "
    "in millions of cubic feet per day",
    "GU_VOLUME_FLOW,          BBL_S,     bbl/S,  6.289811e+00,         Flow rate will be displayed "
    "in barrels per second",
    "GU_VOLUME_FLOW,          BBL_M,     bbl/M,  3.773886e+02,         Flow rate will be displayed "
    "in barrels per minute",
    "GU_VOLUME_FLOW,          BBL_H,     bbl/H,  2.264332e+04,         Flow rate will be displayed "
    "in barrels per hour",
    "GU_VOLUME_FLOW,          BBL_D,     bbl/D,  5.434396e+05,         Flow rate will be displayed "
    "in barrels per day",
    "GU_VOLUME_FACTOR,        P_M3,      P/m3,   1.000000e+00,         Factor will be programmed "
    "in pulses per cubic metre",
    "GU_VOLUME_FACTOR,        P_MLT,     P/mL,   1.000000e-06,         Factor will be programmed "
    "in pulses per millilitre",
    "GU_VOLUME_FACTOR,        P_LTR,     P/L,    1.000000e-03,         Factor will be programmed "
    "in pulses per litre",
    "GU_VOLUME_FACTOR,        P_GAL,     P/Gal,  3.785412e-03,         Factor will be programmed "
    "in pulses per US gallon",
    "GU_VOLUME_FACTOR,        P_FT3,     P/Ft3,  2.831685e-02,         Factor will be programmed "
    "in pulses per cubic foot",
    "GU_VOLUME_FACTOR,        P_BBL,     P/bbl,  1.589873e-01,         Factor will be programmed "
    "in pulses per barrel",
    "GU_MASS,                 KG,        KG,     1.000000e+00,         Mass will be displayed in "
    "kilograms",
    "GU_MASS,                 G,         G,      1.000000e+03,         Mass will be displayed in "
    "grams",
    "GU_MASS,                 TON,       Ton,    1.000000e-03,         Mass will be displayed in "
    "metric tonnes",
    "GU_MASS,                 LB,        lb,     2.204623e+00,         Mass will be displayed in "
    "pounds",
    "GU_MASS,                 KLB,       Klb,    2.204623e-03,         Mass will be displayed in "
    "thousands of pounds",
    "GU_MASS_FLOW,            KG_S,      KG/S,   1.000000e+00,         Mass flow rate will be "
    "displayed in kilograms per second",
    "GU_MASS_FLOW,            KG_M,      KG/M,   6.000000e+01,         Mass flow rate will be "
    "displayed in kilograms per minute",
    "GU_MASS_FLOW,            KG_H,      KG/h,   3.600000e+03,         Mass flow rate will be "
    "displayed in kilograms per hour",
    "GU_MASS_FLOW,            G_S,       G/S,    1.000000e+03,         Mass flow rate will be "
    "displayed in grams per second",
    "GU_MASS_FLOW,            G_M,       G/M,    6.000000e+04,         Mass flow rate will be "
    "displayed in grams per minute",
    "GU_MASS_FLOW,            G_H,       G/h,    3.600000e+06,         Mass flow rate will be "
    "displayed in grams per hour",
    "GU_MASS_FLOW,            TON_M,     Ton/M,  6.000000e-02,         Mass flow rate will be "
    "displayed in metric tonnes per minute",
    "GU_MASS_FLOW,            TON_H,     Ton/h,  3.600000e+00,         Mass flow rate will be "
    "displayed in metric tonnes per hour",
    "GU_MASS_FLOW,            TON_D,     Ton/D,  8.640000e+01,         Mass flow rate will be "
    "displayed in metric tonnes per day",
    "GU_MASS_FLOW,            LB_S,      lb/S,   2.204623e+00,         Mass flow rate will be "
    "displayed in pounds per second",
    "GU_MASS_FLOW,            LB_M,      lb/M,   1.322774e+02,         Mass flow rate will be "
    "displayed in pounds per minute",
    "GU_MASS_FLOW,            LB_H,      lb/h,   7.936641e+03,         Mass flow rate will be "
    "displayed in pounds per hour",
    "GU_MASS_FLOW,            KLB_M,     Klb/M,  1.322774e-01,         Mass flow rate will be "
    "displayed in thousands of pounds per minute",
    "GU_MASS_FLOW,            KLB_H,     Klb/h,  7.936641e+00,         Mass flow rate will be "
    "displayed in thousands of pounds per hour",
    "GU_MASS_FLOW,            KLB_D,     Klb/D,  1.904794e+02,         Mass flow rate will be "
    "displayed in thousands of pounds per day",
    "GU_MASS_FACTOR,          P_KG,      P/KG,   1.000000e+00,         Factor will be programmed "
    "in pulses per kilogram",
    "GU_MASS_FACTOR,          P_G,       P/G,    1.000000e-03,         Factor will be programmed "
    "in pulses per gram",
    "GU_MASS_FACTOR,          P_TON,     P/Ton,  1.000000e+03,         Factor will be programmed "
    "in pulses per metric tonne",
    "GU_MASS_FACTOR,          P_LB,      P/lb,   4.535924e-01,         Factor will be programmed "
    "in pulses per pound",
    "GU_MASS_FACTOR,          P_KLB,     P/Klb,  4.535924e+02,         Factor will be programmed "
    "in pulses per thousand pounds",
    "GU_ENERGY,               KJ,        KJ,     1.000000e-03,         Energy will be displayed in "
    "kilojoules",
    "GU_ENERGY,               MJ,        MJ,     1.000000e-06,         Energy will be displayed in "
    "megajoules",
    "GU_ENERGY,               GJ,        GJ,     1.000000e-09,         Energy will be displayed in "
    "gigajoules",
    "GU_ENERGY,               KWH,       KWh,    2.777778e-07,         Energy will be displayed in "
    "kilowatt hours",
    "GU_ENERGY,               MWH,       MWh,    2.777778e-10,         Energy will be displayed in "
    "megawatt hours",
    "GU_ENERGY,               KBTU,      KBTU,   9.478170e-07,         Energy will be displayed in "
    "thousands of British thermal units",
    "GU_ENERGY,               TON_H,     Ton.h,  7.898475e-08,         Energy will be displayed in "
    "ton hours of refrigeration",
    "GU_ENERGY,               THERM,     Therm,  9.478134e-09,         Energy will be displayed in "
    "therms",
    "GU_ENERGY,               CAL,       CAL,    2.388459e-01,         Energy will be displayed in "
    "calories",
    "GU_ENERGY,               KCAL,      KCAL,   2.388459e-04,         Energy will be displayed in "
    "kilocalories",
    "GU_ENERGY,               MCAL,      MCAL,   2.388459e-07,         Energy will be displayed in "
    "megacalories",
    "GU_ENERGY_FLOW,          KJ_H,      KJ/h,   3.600000e+00,         Power will be displayed in "
    "kilojoules per hour",
    "GU_ENERGY_FLOW,          MJ_H,      MJ/h,   3.600000e-03,         Power will be displayed in "
    "megajoules per hour",
    "GU_ENERGY_FLOW,          GJ_H,      GJ/h,   3.600000e-06,         Power will be displayed in "
    "gigajoules per hour",
    "GU_ENERGY_FLOW,          KW,        KW,     1.000000e-03,         Power will be displayed in "
    "kilowatts",
    "GU_ENERGY_FLOW,          MW,        MW,     1.000000e-06,         Power will be displayed in "
    "megawatts",
    "GU_ENERGY_FLOW,          KBT_M,     KBT/M,  5.686902e-05,         Power will be displayed in "
    "thousands of British thermal units per minute",
    "GU_ENERGY_FLOW,          KBT_H,     KBT/h,  3.412141e-03,         Power will be displayed in "
    "thousands of British thermal units per hour",
    "GU_ENERGY_FLOW,          TON,       Ton,    2.843451e-04,         Power will be displayed in "
    "tons of refrigeration",
    "GU_ENERGY_FLOW,          THM_M,     Thm/M,  5.686880e-07,         Power will be displayed in "
    "therms per minute",
    "GU_ENERGY_FLOW,          THM_H,     Thm/h,  3.412128e-05,         Power will be displayed in "
    "therms per hour",
    "GU_ENERGY_FLOW,          KCL_H,     KCL/h,  8.598452e-01,         Power will be displayed in "
    "kilocalories per hour",
    "GU_ENERGY_FLOW,          MCL_H,     MCL/h,  8.598452e-04,         Power will be displayed in "
    "megacalories per hour",
    "GU_ENERGY_FACTOR,        P_KJ,      P/KJ,   1.000000e+03,         Factor will be programmed "
    "in pulses per kilojoule",
    "GU_ENERGY_FACTOR,        P_KWH,     P/KWh,  3.600000e+06,         Factor will be programmed "
    "in pulses per kilowatt hour",
    "GU_ENERGY_FACTOR,        P_KBT,     P/KBT,  1.055056e+06,         Factor will be programmed "
    "in pulses per thousand British thermal units",
    "GU_ENERGY_FACTOR,        P_T_H,     P/T.h,  1.266067e+07,         Factor will be programmed "
    "in pulses per ton hour of refrigeration",
    "GU_ENERGY_FACTOR,        P_THM,     P/Thm,  1.055060e+08,         Factor will be programmed "
    "in pulses per therm",
    "GU_ENERGY_FACTOR,        P_KCL,     P/KCL,  4.186800e+03,         Factor will be programmed "
    "in pulses per kilocalorie",
    "GU_TEMPERATURE,          DEG_K,     DEG K,  GU_TEMPERATURE_DEG_K, Temperature will be "
    "displayed in degrees Kelvin",
    "GU_TEMPERATURE,          DEG_C,     DEG C,  GU_TEMPERATURE_DEG_C, Temperature will be "
    "displayed in degrees Celsius",
    "GU_TEMPERATURE,          DEG_F,     DEG F,  GU_TEMPERATURE_DEG_F, Temperature will be "
    "displayed in degrees Fahrenheit",
    "GU_TEMPERATURE,          DEG_R,     DEG R,  GU_TEMPERATURE_DEG_R, Temperature will be "
    "displayed in degrees Rankine",
    "GU_PRESSURE,             PA,        PA,     1.000000e+00,         Pressure will be displayed "
    "in pascals",
    "GU_PRESSURE,             KG_M2,     K/m2,   1.019716e-01,         Pressure will be displayed "
    "in kilograms-force per square metre",
    "GU_PRESSURE,             KG_CM2,    K/C2,   1.019716e-05,         Pressure will be displayed "
    "in kilograms-force per square centimetre",
    "GU_PRESSURE,             KPA,       KPA,    1.000000e-03,         Pressure will be displayed "
    "in kilopascals",
    "GU_PRESSURE,             MPA,       MPA,    1.000000e-06,         Pressure will be displayed "
    "in megapascals",
    "GU_PRESSURE,             MBAR,      mBAR,   1.000000e-02,         Pressure will be displayed "
    "in millibars",
    "GU_PRESSURE,             BAR,       BAR,    1.000000e-05,         Pressure will be displayed "
    "in bars",
    "GU_PRESSURE,             PSI,       PSI,    1.450377e-04,         Pressure will be displayed "
    "in pounds per square inch",
    "GU_PRESSURE,             ATM,       ATM,    9.869233e-06,         Pressure will be displayed "
    "in standard atmospheres",
    "GU_PRESSURE,             IN_H2O,    inWC,   4.014631e-03,         Pressure will be displayed "
    "in inches of water column",
    "GU_PRESSURE,             MM_H2O,    mmWC,   1.019716e-01,         Pressure will be displayed "
    "in millimetres of water column",
    "GU_DENSITY,              KG_M3,     KG/m3,  1.000000e+00,         Density will be displayed "
    "in kilograms per cubic metre",
    "GU_DENSITY,              KG_LT,     KG/L,   1.000000e-03,         Density will be displayed "
    "in kilograms per litre",
    "GU_DENSITY,              LB_F3,     lb/f3,  6.242796e-02,         Density will be displayed "
    "in pounds per cubic foot",
    "GU_DENSITY,              SG_60F,    SG60F,  1.000989e-03,         Specific gravity (relative "
    "density to density of water at 60 degrees Fahrenheit)",
    "GU_VOLUME_SPECIFIC,      M3_KG,     m3/KG,  1.000000e+00,         Specific volume will be "
    "displayed in cubic metres per kilogram",
    "GU_VOLUME_SPECIFIC,      F3_LB,     f3/lb,  1.601846e+01,         Specific volume will be "
    "displayed in cubic feet per pound",
    "GU_VOLUME_SPECIFIC,      LT_KG,     L/KG,   1.000000e+03,         Specific volume will be "
    "displayed in litres per kilogram",
    "GU_ENTHALPY_SPECIFIC,    KJ_KG,     KJ/KG,  1.000000e-03,         Specific enthalpy will be "
    "displayed in kilojoules per kilogram",
    "GU_ENTHALPY_SPECIFIC,    BT_LB,     BT/lb,  4.299226e-04,         Specific enthalpy will be "
    "displayed in British thermal units per pound",
    "GU_ENTHALPY_SPECIFIC,    CAL_G,     CAL/G,  2.388459e-04,         Specific enthalpy will be "
    "displayed in calories per gram",
    "GU_ENTHALPY_SPECIFIC,    CAL_KG,    C/KG,   2.388459e-01,         Specific enthalpy will be "
    "displayed in calories per kilogram",
    "GU_ENTHALPY_SPECIFIC,    KCAL_KG,   KC/KG,  2.388459e-04,         Specific enthalpy will be "
    "displayed in kilocalories per kilogram",
    "GU_ENTHALPY_SPECIFIC,    MCAL_KG,   MC/KG,  2.388459e-07,         Specific enthalpy will be "
    "displayed in megacalories per kilogram",
    "GU_LENGTH,               M,         m,      1.000000e+00,         Value will be displayed in "
    "metres",
    "GU_LENGTH,               MM,        mm,     1.000000e+03,         Value will be displayed in "
    "millimetres",
    "GU_LENGTH,               CM,        cm,     1.000000e+02,         Value will be displayed in "
    "centimetres",
    "GU_LENGTH,               INCH,      INCH,   3.937008e+01,         Value will be displayed in "
    "inches",
    "GU_LENGTH,               FOOT,      FOOT,   3.280840e+00,         Value will be displayed in "
    "feet",
    "GU_DIAMETER,             MM,        mm,     1.000000e+03,         Diameter will be displayed "
    "in millimetres",
    "GU_DIAMETER,             INCH,      INCH,   3.937008e+01,         Diameter will be displayed "
    "in inches",
    "GU_EXPANSION,            PPM_DEG_C, E-6/C,  1.000000e+06,         Thermal expansion "
    "coefficient will be displayed in PPM per degree Celsius",
    "GU_EXPANSION,            PPM_DEG_F, E-6/F,  5.555556e+05,         Thermal expansion "
    "coefficient will be displayed in PPM per degree Fahrenheit",
    "GU_SEPARATOR,            NONE,      None,   0.000000e+00,         Separator",
    "GU_VISCOSITY,            CP,        cP,     1.000000e+03,         Viscosity will be displayed "
    "in centipoise",
    "GU_HEATING_VALUE,        MJ_M3,     MJ/m3,  1.000000e-06,         Heating value will be "
    "displayed in megajoules per cubic metre",
    "GU_HEATING_VALUE,        BT_F3,     BT/f3,  2.683919e-05,         Heating value will be "
    "displayed in British thermal units per cubic foot",
    "GU_AREA,                 M2,        m2,     1.000000e+00,         Area will be displayed in "
    "square metres",
    "GU_AREA,                 FT2,       Ft2,    1.076391e+01,         Area will be displayed in "
    "square feet",
    "GU_VELOCITY,             M_S,       m/S,    1.000000e+00,         Velocity will be displayed "
    "in metres per second",
    "GU_VELOCITY,             M_M,       m/M,    6.000000e+01,         Velocity will be displayed "
    "in metres per minute",
    "GU_VELOCITY,             M_H,       m/h,    3.600000e+03,         Velocity will be displayed "
    "in metres per hour",
    "GU_VELOCITY,             FT_S,      Ft/S,   3.280840e+00,         Velocity will be displayed "
    "in feet per second",
    "GU_VELOCITY,             FT_M,      Ft/M,   1.968504e+02,         Velocity will be displayed "
    "in feet per minute",
    "GU_VELOCITY,             FT_H,      Ft/h,   1.181102e+04,         Velocity will be displayed "
    "in feet per hour",
    "GU_LENGTH_FACTOR,        P_M,       P/m,    1.000000e+00,         Factor will be programmed "
    "in pulses per metre",
    "GU_LENGTH_FACTOR,        P_CM,      P/cm,   1.000000e-02,         Factor will be programmed "
    "in pulses per centimetre",
    "GU_LENGTH_FACTOR,        P_INCH,    P/in,   2.540000e-02,         Factor will be programmed "
    "in pulses per inch",
    "GU_LENGTH_FACTOR,        P_FT,      P/Ft,   3.048000e-01,         Factor will be programmed "
    "in pulses per foot",
    "GU_PERCENT,              UNIT,      %,      1.000000e+02,         Value will be displayed in "
    "percent",
    "GU_INPUT,                DEG_K,     DEG K,  GU_TEMPERATURE_DEG_K, Temperature will be "
    "displayed in degrees Kelvin",
    "GU_INPUT,                DEG_C,     DEG C,  GU_TEMPERATURE_DEG_C, Temperature will be "
    "displayed in degrees Celsius",
    "GU_INPUT,                DEG_F,     DEG F,  GU_TEMPERATURE_DEG_F, Temperature will be "
    "displayed in degrees Fahrenheit",
    "GU_INPUT,                DEG_R,     DEG R,  GU_TEMPERATURE_DEG_R, Temperature will be "
    "displayed in degrees Rankine",
    "GU_INPUT,                PA,        PA,     1.000000e+00,         Pressure will be displayed "
    "in pascals",
    "GU_INPUT,                KG_M2,     K/m2,   1.019716e-01,         Pressure will be displayed "
    "in kilograms-force per square metre",
    "GU_INPUT,                KG_CM2,    K/C2,   1.019716e-05,         Pressure will be displayed "
    "in kilograms-force per square centimetre",
    "GU_INPUT,                KPA,       KPA,    1.000000e-03,         Pressure will be displayed "
    "in kilopascals",
    "GU_INPUT,                MPA,       MPA,    1.000000e-06,         Pressure will be displayed "
    "in megapascals",
    "GU_INPUT,                MBAR,      mBAR,   1.000000e-02,         Pressure will be displayed "
    "in millibars",
    "GU_INPUT,                BAR,       BAR,    1.000000e-05,         Pressure will be displayed "
    "in bars",
    "GU_INPUT,                PSI,       PSI,    1.450377e-04,         Pressure will be displayed "
    "in pounds per square inch",
    "GU_INPUT,                ATM,       ATM,    9.869233e-06,         Pressure will be displayed "
    "in standard atmospheres",
    "GU_INPUT,                IN_H2O,    inWC,   4.014631e-03,         Pressure will be displayed "
    "in inches of water column",
    "GU_INPUT,                MM_H2O,    mmWC,   1.019716e-01,         Pressure will be displayed "
    "in millimetres of water column",
    "GU_INPUT,                KG_M3,     KG/m3,  1.000000e+00,         Density will be displayed "
    "in kilograms per cubic metre",
    "GU_INPUT,                KG_LT,     KG/L,   1.000000e-03,         Density will be displayed "
    "in kilograms per litre",
    "GU_INPUT,                LB_F3,     lb/f3,  6.242796e-02,         Density will be displayed "
    "in pounds per cubic foot",
    "GU_INPUT,                SG_60F,    SG60F,  1.000989e-03,         Specific gravity (relative "
    "density to density of water at 60 degrees Fahrenheit)",
    "GU_INPUT,                FACTOR,    FACT,   1.000000e+00,         Unscaled correction factor",
    "GU_INPUT,                M,         m,      1.000000e+00,         Level will be displayed in "
    "metres",
    "GU_INPUT,                FOOT,      FOOT,   3.280840e+00,         Level will be displayed in "
    "feet",
    "GU_INPUT,                M3,        m3,     1.000000e+00,         Volume will be displayed in "
    "cubic metres",
    "GU_INPUT,                KM3,       Km3,    1.000000e-03,         Volume will be displayed in "
    "thousands of cubic metres",
    "GU_INPUT,                MLT,       mL,     1.000000e+06,         Volume will be displayed in "
    "millilitres",
    "GU_INPUT,                LTR,       L,      1.000000e+03,         Volume will be displayed in "
    "litres",
    "GU_INPUT,                GAL,       Gal,    2.641721e+02,         Volume will be displayed in "
    "US gallons",
    "GU_INPUT,                KGAL,      KGal,   2.641721e-01,         Volume will be displayed in "
    "thousands of US gallons",
    "GU_INPUT,                MGAL,      MGal,   2.641721e-04,         Volume will be displayed in "
    "millions of US gallons",
    "GU_INPUT,                FT3,       Ft3,    3.531467e+01,         Volume will be displayed in "
    "cubic feet",
    "GU_INPUT,                KFT3,      KFt3,   3.531467e-02,         Volume will be displayed in "
    "thousands of cubic feet",
    "GU_INPUT,                MFT3,      MFt3,   3.531467e-05,         Volume will be displayed in "
    "millions of cubic feet",
    "GU_INPUT,                BBL,       bbl,    6.289811e+00,         Volume will be displayed in "
    "barrels",
    "GU_TOTAL,                M3,        m3,     1.000000e+00,         Volume will be displayed in "
    "cubic metres",
    "GU_TOTAL,                KM3,       Km3,    1.000000e-03,         Volume will be displayed in "
    "thousands of cubic metres",
    "GU_TOTAL,                MLT,       mL,     1.000000e+06,         Volume will be displayed in "
    "millilitres",
    "GU_TOTAL,                LTR,       L,      1.000000e+03,         Volume will be displayed in "
    "litres",
    "GU_TOTAL,                GAL,       Gal,    2.641721e+02,         Volume will be displayed in "
    "US gallons",
    "GU_TOTAL,                KGAL,      KGal,   2.641721e-01,         Volume will be displayed in "
    "thousands of US gallons",
    "GU_TOTAL,                MGAL,      MGal,   2.641721e-04,         Volume will be displayed in "
    "millions of US gallons",
    "GU_TOTAL,                FT3,       Ft3,    3.531467e+01,         Volume will be displayed in "
    "cubic feet",
    "GU_TOTAL,                KFT3,      KFt3,   3.531467e-02,         Volume will be displayed in "
    "thousands of cubic feet",
    "GU_TOTAL,                MFT3,      MFt3,   3.531467e-05,         Volume will be displayed in "
    "millions of cubic feet",
    "GU_TOTAL,                BBL,       bbl,    6.289811e+00,         Volume will be displayed in "
    "barrels",
    "GU_TOTAL,                KG,        KG,     1.000000e+00,         Mass will be displayed in "
    "kilograms",
    "GU_TOTAL,                G,         G,      1.000000e+03,         Mass will be displayed in "
    "grams",
    "GU_TOTAL,                TON,       Ton,    1.000000e-03,         Mass will be displayed in "
    "metric tonnes",
    "GU_TOTAL,                LB,        lb,     2.204623e+00,         Mass will be displayed in "
    "pounds",
    "GU_TOTAL,                KLB,       Klb,    2.204623e-03,         Mass will be displayed in "
    "thousands of pounds",
    "GU_RATE,                 M3_S,      m3/S,   1.000000e+00,         Flow rate will be displayed "
    "in cubic metres per second",
    "GU_RATE,                 M3_M,      m3/M,   6.000000e+01,         Flow rate will be displayed "
    "in cubic metres per minute",
    "GU_RATE,                 M3_H,      m3/h,   3.600000e+03,         Flow rate will be displayed "
    "in cubic metres per hour",
    "GU_RATE,                 M3_D,      m3/D,   8.640000e+04,         Flow rate will be displayed "
    "in cubic metres per day",
    "GU_RATE,                 MLT_S,     mL/S,   1.000000e+06,         Flow rate will be displayed "
    "in millilitres per second",
    "GU_RATE,                 MLT_M,     mL/M,   6.000000e+07,         Flow rate will be displayed "
    "in millilitres per minute",
    "GU_RATE,                 MLT_H,     mL/h,   3.600000e+09,         Flow rate will be displayed "
    "in millilitres per hour",
    "GU_RATE,                 LTR_S,     L/S,    1.000000e+03,         Flow rate will be displayed "
    "in litres per second",
    "GU_RATE,                 LTR_M,     L/M,    6.000000e+04,         Flow rate will be displayed "
    "in litres per minute",
    "GU_RATE,                 LTR_H,     L/h,    3.600000e+06,         Flow rate will be displayed "
    "in litres per hour",
    "GU_RATE,                 GAL_S,     G/S,    2.641721e+02,         Flow rate will be displayed "
    "in US gallons per second",
    "GU_RATE,                 GAL_M,     G/M,    1.585032e+04,         Flow rate will be displayed "
    "in US gallons per minute",
    "GU_RATE,                 GAL_H,     G/h,    9.510194e+05,         Flow rate will be displayed "
    "in US gallons per hour",
    "GU_RATE,                 KGL_D,     KG/D,   2.282447e+04,         Flow rate will be displayed "
    "in thousands of US gallons per day",
    "GU_RATE,                 MGL_D,     MG/D,   2.282447e+01,         Flow rate will be displayed "
    "in millions of US gallons per day",
    "GU_RATE,                 FT3_S,     F3/S,   3.531467e+01,         Flow rate will be displayed "
    "in cubic feet per second",
    "GU_RATE,                 FT3_M,     F3/M,   2.118880e+03,         Flow rate will be displayed "
    "in cubic feet per minute",
    "GU_RATE,                 FT3_H,     F3/h,   1.271328e+05,         Flow rate will be displayed "
    "in cubic feet per hour",
    "GU_RATE,                 MF3_D,     MF/D,   3.051187e+00,         Flow rate will be displayed "
    "in millions of cubic feet per day",
    "GU_RATE,                 BBL_S,     bbl/S,  6.289811e+00,         Flow rate will be displayed "
    "in barrels per second",
    "GU_RATE,                 BBL_M,     bbl/M,  3.773886e+02,         Flow rate will be displayed "
    "in barrels per minute",
    "GU_RATE,                 BBL_H,     bbl/H,  2.264332e+04,         Flow rate will be displayed "
    "in barrels per hour",
    "GU_RATE,                 BBL_D,     bbl/D,  5.434396e+05,         Flow rate will be displayed "
    "in barrels per day",
    "GU_RATE,                 KG_S,      KG/S,   1.000000e+00,         Mass flow rate will be "
    "displayed in kilograms per second",
    "GU_RATE,                 KG_M,      KG/M,   6.000000e+01,         Mass flow rate will be "
    "displayed in kilograms per minute",
    "GU_RATE,                 KG_H,      KG/h,   3.600000e+03,         Mass flow rate will be "
    "displayed in kilograms per hour",
    "GU_RATE,                 G_S,       G/S,    1.000000e+03,         Mass flow rate will be "
    "displayed in grams per second",
    "GU_RATE,                 G_M,       G/M,    6.000000e+04,         Mass flow rate will be "
    "displayed in grams per minute",
    "GU_RATE,                 G_H,       G/h,    3.600000e+06,         Mass flow rate will be "
    "displayed in grams per hour",
    "GU_RATE,                 TON_M,     Ton/M,  6.000000e-02,         Mass flow rate will be "
    "displayed in metric tonnes per minute",
    "GU_RATE,                 TON_H,     Ton/h,  3.600000e+00,         Mass flow rate will be "
    "displayed in metric tonnes per hour",
    "GU_RATE,                 TON_D,     Ton/D,  8.640000e+01,         Mass flow rate will be "
    "displayed in metric tonnes per day",
    "GU_RATE,                 LB_S,      lb/S,   2.204623e+00,         Mass flow rate will be "
    "displayed in pounds per second",
    "GU_RATE,                 LB_M,      lb/M,   1.322774e+02,         Mass flow rate will be "
    "displayed in pounds per minute",
    "GU_RATE,                 LB_H,      lb/h,   7.936641e+03,         Mass flow rate will be "
    "displayed in pounds per hour",
    "GU_RATE,                 KLB_M,     Klb/M,  1.322774e-01,         Mass flow rate will be "
    "displayed in thousands of pounds per minute",
    "GU_RATE,                 KLB_H,     Klb/h,  7.936641e+00,         Mass flow rate will be "
    "displayed in thousands of pounds per hour",
    "GU_RATE,                 KLB_D,     Klb/D,  1.904794e+02,         Mass flow rate will be "
    "displayed in thousands of pounds per day",
    "GU_TOTAL_FACTOR,         P_M3,      P/m3,   1.000000e+00,         Factor will be programmed "
    "in pulses per cubic metre",
    "GU_TOTAL_FACTOR,         P_MLT,     P/mL,   1.000000e-06,         Factor will be programmed "
    "in pulses per millilitre",
    "GU_TOTAL_FACTOR,         P_LTR,     P/L,    1.000000e-03,         Factor will be programmed "
    "in pulses per litre",
    "GU_TOTAL_FACTOR,         P_GAL,     P/Gal,  3.785412e-03,         Factor will be programmed "
    "in pulses per US gallon",
    "GU_TOTAL_FACTOR,         P_FT3,     P/Ft3,  2.831685e-02,         Factor will be programmed "
    "in pulses per cubic foot",
    "GU_TOTAL_FACTOR,         P_BBL,     P/bbl,  1.589873e-01,         Factor will be programmed "
    "in pulses per barrel",
    "GU_TOTAL_FACTOR,         P_KG,      P/KG,   1.000000e+00,         Factor will be programmed "
    "in pulses per kilogram",
    "GU_TOTAL_FACTOR,         P_G,       P/G,    1.000000e-03,         Factor will be programmed "
    "in pulses per gram",
    "GU_TOTAL_FACTOR,         P_TON,     P/Ton,  1.000000e+03,         Factor will be programmed "
    "in pulses per metric tonne",
    "GU_TOTAL_FACTOR,         P_LB,      P/lb,   4.535924e-01,         Factor will be programmed "
    "in pulses per pound",
    "GU_TOTAL_FACTOR,         P_KLB,     P/Klb,  4.535924e+02,         Factor will be programmed "
    "in pulses per thousand pounds",
    "GU_TIME,                 S,         S,      1.000000e+00,         Time will be displayed in "
    "seconds",
    "GU_TIME,                 MS,        mS,     1.000000e+03,         Time will be displayed in "
    "milliseconds",
    "GU_TIME,                 US,        uS,     1.000000e+06,         Time will be displayed in "
    "microseconds",
    "GU_TIME_TEMPERATURE,     US_C,      uS/~C,  1.000000e+06,         Temperature coefficient "
    "will be programmed in microseconds per degree Celsius",
    "GU_TIME_TEMPERATURE,     NS_C,      nS/~C,  1.000000e+09,         Temperature coefficient "
    "will be programmed in nanoseconds per degree Celsius",
    "GU_TIME_TEMPERATURE,     US_F,      uS/~F,  1.800000e+06,         Temperature coefficient "
    "will be programmed in microseconds per degree Fahrenheit",
    "GU_TIME_TEMPERATURE,     NS_F,      nS/~F,  1.800000e+09,         Temperature coefficient "
    "will be programmed in nanoseconds per degree Fahrenheit",
    "GU_TIME_PRESSURE,        US_BAR,    u/BAR,  1.000000e+11,         Pressure coefficient will "
    "be programmed in microseconds per bar",
    "GU_TIME_PRESSURE,        NS_BAR,    n/BAR,  1.000000e+14,         Pressure coefficient will "
    "be programmed in nanoseconds per bar",
    "GU_TIME_PRESSURE,        US_PSI,    u/PSI,  6.894757e+09,         Pressure coefficient will "
    "be programmed in microseconds per pound per square inch",
    "GU_TIME_PRESSURE,        NS_PSI,    n/PSI,  6.894757e+12,         Pressure coefficient will "
    "be programmed in nanoseconds per pound per square inch",
    "GU_COMPRESSION,          PPM_KPA,   P/KPA,  1.000000e+09,         Compression coefficient "
    "will be displayed in PPM per kilopascal",
    "GU_COMPRESSION,          PPM_BAR,   P/BAR,  1.000000e+11,         Compression coefficient "
    "will be displayed in PPM per bar",
    "GU_COMPRESSION,          PPM_PSI,   P/PSI,  6.894757e+09,         Compression coefficient "
    "will be displayed in PPM per pound per square inch",
};

static_assert(std::size(Lines) == 274);

// Cuts the text before the first comma off `rest` and drops the blanks and control
// characters that follow the comma; without a comma the whole rest is the token.
std::string_view CutToken(std::string_view& rest) {
    const size_t comma = rest.find(',');
    const std::string_view token = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    while (!rest.empty() && static_cast<unsigned char>(rest.front()) <= ' ') rest.remove_prefix(1);
    return token;
}

}  // namespace

const std::vector<std::string_view>& EngineeringUnits() {
    static const std::vector<std::string_view> list(std::begin(Lines), std::end(Lines));
    return list;
}

UnitRow ReadUnitLine(std::string_view line) {
    std::string_view rest = line;
    const std::string_view group = CutToken(rest);
    const std::string_view suffix = CutToken(rest);
    const std::string_view tag = CutToken(rest);
    const std::string_view coefficient = CutToken(rest);
    return {std::string(group), std::string(group) + "_" + std::string(suffix), std::string(tag),
            std::string(coefficient), std::string(rest)};
}

std::string UnitField(std::string_view line, std::string_view name) {
    UnitRow row = ReadUnitLine(line);
    if (name == "Type") return row.Type;
    if (name == "Item") return row.Item;
    if (name == "Tag") return row.Tag;
    if (name == "Coefficient") return row.Coefficient;
    if (name == "Description") return row.Description;
    return {};
}

void AppendUnitRows(const std::string& optionTable) {
    store::Table table(optionTable);
    table.Open();
    try {
        store::Batch batch(table);
        for (std::string_view line : EngineeringUnits()) {
            const UnitRow row = ReadUnitLine(line);
            table.Append();
            table.FieldByName("Type").SetAsString(row.Type);
            table.FieldByName("Tag").SetAsString(row.Tag);
            table.FieldByName("Item").SetAsString(row.Item);
            table.FieldByName("Coefficient").SetAsString(row.Coefficient);
            table.FieldByName("Description").SetAsString(row.Description);
            table.Post();
        }
    } catch (...) {
        table.Close();
        throw;
    }
    table.Close();
}

}  // namespace kv::assets
