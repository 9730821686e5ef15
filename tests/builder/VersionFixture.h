#pragma once
// Hand-made version tables, option rows and units lists for the builder's tests.
#include <filesystem>
#include <string>
#include <vector>

#include "builder/Lookups.h"
#include "builder/Units.h"
#include "store/Table.h"

namespace kv::builder::testing {

// One item; fields not given are empty.
struct Row {
    std::string ID, Type, Item, Menu, Panel, Access, DefaultValue,
        LowLimit = {}, HighLimit = {}, Coefficient = {}, LabelTag1 = {}, LabelTag2 = {},
        UnitTag1 = {}, UnitTag2 = {};
};

// Writes a version table with the fields of the factory tables, in their order.
inline void CreateVersionTable(const std::string& path, const std::vector<Row>& rows,
                               int coefficientSize = 30) {
    using store::FieldDef;
    store::Table::Create(
        path,
        {FieldDef::Alpha("ID", 30), FieldDef::Alpha("Type", 30), FieldDef::Alpha("Item", 40),
         FieldDef::Alpha("Menu", 30), FieldDef::Alpha("Panel", 20), FieldDef::Alpha("Note", 30),
         FieldDef::Alpha("Access", 30), FieldDef::Alpha("DefaultValue", 30),
         FieldDef::Alpha("LowLimit", 40), FieldDef::Alpha("HighLimit", 40),
         FieldDef::Alpha("Coefficient", coefficientSize), FieldDef::Alpha("LabelTag1", 10),
         FieldDef::Alpha("LabelTag2", 10), FieldDef::Alpha("UnitTag1", 10),
         FieldDef::Alpha("UnitTag2", 10), FieldDef::Alpha("Description", 255)});
    store::Table table(path);
    table.Open();
    store::Batch batch(table);
    for (const auto& r : rows)
        table.AppendRecord({r.ID, r.Type, r.Item, r.Menu, r.Panel, "", r.Access, r.DefaultValue,
                            r.LowLimit, r.HighLimit, r.Coefficient, r.LabelTag1, r.LabelTag2,
                            r.UnitTag1, r.UnitTag2, "Explanation"});
}

inline std::vector<UnitLine> UnitGroup(const std::string& type,
                                       std::vector<std::vector<std::string>> units) {
    std::vector<UnitLine> lines;
    for (auto& u : units)
        lines.push_back({type, type + "_" + u[0], u[1], u[2], "Shown in " + u[1]});
    return lines;
}

// Three groups of the engineering-units list, with their real coefficients.
inline std::vector<UnitLine> SampleUnits() {
    std::vector<UnitLine> list;
    for (auto group : {UnitGroup("GU_VOLUME", {{"M3", "m3", "1.000000e+00"},
                                               {"KM3", "Km3", "1.000000e-03"},
                                               {"MLT", "mL", "1.000000e+06"},
                                               {"LTR", "L", "1.000000e+03"},
                                               {"GAL", "Gal", "2.641721e+02"},
                                               {"KGAL", "KGal", "2.641721e-01"},
                                               {"MGAL", "MGal", "2.641721e-04"},
                                               {"FT3", "Ft3", "3.531467e+01"},
                                               {"KFT3", "KFt3", "3.531467e-02"},
                                               {"MFT3", "MFt3", "3.531467e-05"},
                                               {"BBL", "bbl", "6.289811e+00"}}),
                       UnitGroup("GU_TEMPERATURE", {{"DEG_K", "DEG K", "GU_TEMPERATURE_DEG_K"},
                                                    {"DEG_C", "DEG C", "GU_TEMPERATURE_DEG_C"},
                                                    {"DEG_F", "DEG F", "GU_TEMPERATURE_DEG_F"},
                                                    {"DEG_R", "DEG R", "GU_TEMPERATURE_DEG_R"}}),
                       UnitGroup("GU_PRESSURE", {{"PA", "PA", "1.000000e+00"},
                                                 {"KPA", "KPA", "1.000000e-03"},
                                                 {"BAR", "BAR", "1.000000e-05"}})})
        list.insert(list.end(), group.begin(), group.end());
    return list;
}

// Option rows of a few option types followed by the unit rows, as after start-up.
inline std::vector<OptionRow> SampleOptionRows(const std::vector<UnitLine>& units) {
    std::vector<OptionRow> rows = {{"DT_INTEGER", "INT", "DT_INTEGER", "", ""}};
    for (const char* item : {"OP_NO", "OP_YES"})
        rows.push_back({"OP_RESET_TOTALS_ACCUM", "", item, "", ""});
    for (const char* item : {"OP_NO", "OP_YES"})
        rows.push_back({"OP_RESET_LOGGER", "", item, "", ""});
    for (const char* item : {"OP_SOURCE_KEYPAD", "OP_SOURCE_COMMS", "OP_SOURCE_INPUT"})
        rows.push_back({"OP_PARAMETER_SOURCE", "", item, "", ""});
    for (const char* item : {"OP_SIGNAL_4_20", "OP_SIGNAL_0_20", "OP_SIGNAL_PT100"})
        rows.push_back({"OP_AINP_SIGNAL_TEMP", "", item, "", ""});
    for (const auto& u : units)
        rows.push_back({u.Type, u.Tag, u.Item, u.Coefficient, u.Description});
    return rows;
}

inline OptionRows SampleOptions(const std::vector<UnitLine>& units) {
    OptionRows options;
    for (auto& row : SampleOptionRows(units)) options.Add(row);
    return options;
}

inline void CreateOptionTable(const std::string& path, const std::vector<OptionRow>& rows) {
    using store::FieldDef;
    store::Table::Create(
        path, {FieldDef::Alpha("Type", 30), FieldDef::Alpha("Tag", 7), FieldDef::Alpha("Item", 30),
               FieldDef::Alpha("Coefficient", 30), FieldDef::Alpha("Description", 255)});
    store::Table table(path);
    table.Open();
    store::Batch batch(table);
    for (const auto& r : rows)
        table.AppendRecord({r.Type, r.Tag, r.Item, r.Coefficient, r.Description});
}

inline void CreateDataTable(const std::string& path, const std::vector<DataRow>& rows) {
    using store::FieldDef;
    store::Table::Create(path, {FieldDef::Alpha("Type", 30), FieldDef::Alpha("Item", 30),
                                FieldDef::Alpha("Sort", 30), FieldDef::Alpha("Data1", 30),
                                FieldDef::Alpha("Data2", 30), FieldDef::Alpha("Data3", 30),
                                FieldDef::Alpha("Data4", 30), FieldDef::Alpha("Data5", 30)});
    store::Table table(path);
    table.Open();
    store::Batch batch(table);
    for (const auto& r : rows)
        table.AppendRecord(
            {r.Type, r.Item, r.Sort, r.Data[0], r.Data[1], r.Data[2], r.Data[3], r.Data[4]});
}

// A small version with an item of every kind.
inline std::vector<Row> HandMadeVersion() {
    return {
        {"ID_INFO_CUSTOMER", "DT_TAG", "Customer \"A\\B\"", "OP_MENU_INFO", "Info",
         "OP_ACCESS_DISPLAY", "0", "0", "0", "DT_TAG", "CUSTOM", "CUSTOM", "", ""},
        {"ID_VAR_TOTAL_1", "GU_VOLUME", "Volume Total", "OP_MENU_VARIABLES", "Units",
         "OP_ACCESS_PROGRAM", "0", "0.001", "999999", "GU_VOLUME_LTR", "TOTAL", "TOTAL", "L", "L"},
        {"ID_VAR_PROCESS_1", "GU_VOLUME", "Volume Rate", "OP_MENU_VARIABLES", "Units",
         "OP_ACCESS_PROGRAM", "0", "0", "1000", "GU_VOLUME_GAL", "RATE", "RATE", "Gal", "Gal"},
        {"ID_PARAMETER_SOURCE", "OP_PARAMETER_SOURCE", "Parameter Source", "OP_MENU_PARAMETERS",
         "Options", "OP_ACCESS_PROGRAM", "OP_SOURCE_KEYPAD", "OP_SOURCE_KEYPAD", "OP_SOURCE_INPUT",
         "DT_OPTION", "SOURCE", "SOURCE", "", ""},
        {"ID_PARAMETER_01", "GU_PRESSURE", "Atmospheric Pressure", "OP_MENU_PARAMETERS",
         "Parameters", "OP_ACCESS_PROTECTED", "101.325", "0.001", "200", "GU_PRESSURE_KPA", "ATM",
         "ATM", "KPA", "KPA"},
        {"ID_PARAMETER_02", "GU_TEMPERATURE", "Reference Temperature", "OP_MENU_PARAMETERS",
         "Parameters", "OP_ACCESS_PROGRAM", "32", "-40", "212", "GU_TEMPERATURE_DEG_F", "REF",
         "REF", "DEG F", "DEG F"},
        {"ID_AINP1_SIGNAL", "OP_AINP_SIGNAL_TEMP", "Input 1 Signal", "OP_MENU_INPUTS", "Options",
         "OP_ACCESS_PROGRAM", "OP_SIGNAL_PT100", "OP_SIGNAL_4_20", "OP_SIGNAL_PT100", "DT_OPTION",
         "AINP1", "AINP1", "", ""},
        {"ID_PARAMETER_03", "DT_INTEGER", "Averaging", "OP_MENU_PARAMETERS", "Setup",
         "OP_ACCESS_PROGRAM", "10", "0.001", "99", "DT_INTEGER", "AVG", "AVG", "S", "S"},
        {"ID_RESET_TOTALS_ACCUM", "OP_RESET_TOTALS_ACCUM", "Clear Totals", "OP_MENU_HIDDEN",
         "Options", "OP_ACCESS_NONE", "OP_YES", "OP_NO", "OP_YES", "DT_OPTION", "CLEAR", "CLEAR",
         "", ""},
        {"ID_RESET_LOGGER", "OP_RESET_LOGGER", "Clear Logs", "OP_MENU_HIDDEN", "Options",
         "OP_ACCESS_NONE", "OP_NO", "OP_NO", "OP_YES", "DT_OPTION", "LOGS", "LOGS", "", ""},
        {"ID_ERROR_01", "DT_TEXT", "Low Flow", "OP_MENU_ERRORS", "Messages", "", "", "LOW FLOW",
         "LOW \"FLOW\"\\"},
        {"ID_PROMPT_01", "DT_TEXT", "Start", "OP_MENU_PROMPTS", "Messages", "", "", "PRESS START",
         ""},
        {"ID_HEADER_01", "DT_TEXT", "Header 1", "OP_MENU_HEADERS", "Report", "", "", "",
         "ACME Ltd"},
        {"ID_FOOTER_01", "DT_TEXT", "Footer 1", "OP_MENU_FOOTERS", "Report", "", "", "",
         "End of report"},
        {"ID_AINP3_CORRECTION_FACTORS", "DT_FLOAT", "Point 1", "OP_MENU_FACTORS", "Factors", "",
         "01", "4", "20"},
        {"ID_AINP2_CORRECTION_FACTORS", "DT_FLOAT", "Point 1", "OP_MENU_FACTORS", "Factors", "",
         "01", "0.5", "x"},
        {"ID_FINP1_CORRECTION_FACTORS", "DT_FLOAT", "Point 1", "OP_MENU_FACTORS", "Factors", "",
         "01", "100", "1.01"},
        {"ID_PARAMETER_FACTORS", "DT_FLOAT", "K Factor", "OP_MENU_FACTORS", "Factors", "", "01", "",
         "1.5", "", "KFACT"},
        {"ID_FLUID_TABLE", "OP_HEAT_FLUID_TYPE_USER", "Fluid Table", "OP_MENU_SETUP", "Tables",
         "OP_ACCESS_PROGRAM", "WATER"},
        {"ID_ITEM_LAST", "DT_NULL", "Last Item", "OP_MENU_HIDDEN", "Hidden", "OP_ACCESS_NONE", "0",
         "0", "0", "DT_NULL", "", "", "", ""},
    };
}

inline DataTables SampleDataTables() {
    DataTables data;
    data.Factory = {
        {"OP_HEAT_FLUID_TYPE_USER", "", "TITLE", {"Temperature", "Pressure", "Phase", "", ""}},
        {"OP_HEAT_FLUID_TYPE_USER",
         "",
         "UNIT",
         {"GU_TEMPERATURE", "GU_PRESSURE", "GU_TEXT", "", ""}},
        {"OP_HEAT_FLUID_TYPE_USER",
         "DEFAULT",
         "TABLE",
         {"GU_TEMPERATURE_DEG_K", "GU_PRESSURE_PA", "", "", ""}},
    };
    data.User = {
        {"OP_HEAT_FLUID_TYPE_USER",
         "WATER",
         "TABLE",
         {"GU_TEMPERATURE_DEG_C", "gu_pressure_kpa", "", "", ""}},
        {"OP_HEAT_FLUID_TYPE_USER", "WATER", "DATA", {"20", "101.325", "LIQUID", "", ""}},
        {"OP_HEAT_FLUID_TYPE_USER", "OTHER", "DATA", {"1", "1", "X", "", ""}},
        {"OP_HEAT_FLUID_TYPE_USER", "WATER", "DATA", {"100", "?", "STEAM", "", ""}},
    };
    return data;
}

}  // namespace kv::builder::testing
