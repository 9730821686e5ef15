#pragma once
// Hand-made version tables, option rows and units lists for the builder's tests.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "builder/Lookups.h"
#include "builder/Units.h"
#include "store/Table.h"

namespace kv::builder::testing {

// One item; fields not given are empty.
struct Row {
    std::string ID, Type, Item, Menu, Panel, Access, DefaultValue, LowLimit = {}, HighLimit = {}, Coefficient = {},
        LabelTag1 = {}, LabelTag2 = {}, UnitTag1 = {}, UnitTag2 = {};
};

// Writes a version table with the fields of the factory tables, in their order.
inline void CreateVersionTable(const std::string& path, const std::vector<Row>& rows, int coefficientSize = 30) {
    using store::FieldDef;
    store::Table::Create(path, {FieldDef::Alpha("ID", 30), FieldDef::Alpha("Type", 30), FieldDef::Alpha("Item", 40),
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
        table.AppendRecord({r.ID, r.Type, r.Item, r.Menu, r.Panel, "", r.Access, r.DefaultValue, r.LowLimit, r.HighLimit,
                            r.Coefficient, r.LabelTag1, r.LabelTag2, r.UnitTag1, r.UnitTag2, "Explanation"});
}

inline std::vector<UnitLine> UnitGroup(const std::string& type, std::vector<std::vector<std::string>> units) {
    std::vector<UnitLine> lines;
    for (auto& u : units) lines.push_back({type, type + "_" + u[0], u[1], u[2], "Shown in " + u[1]});
    return lines;
}

// Three groups of the engineering-units list, with their real coefficients.
inline std::vector<UnitLine> SampleUnits() {
    std::vector<UnitLine> list;
    for (auto group : {UnitGroup("GU_VOLUME", {{"M3", "m3", "1.000000e+00"}, {"KM3", "Km3", "1.000000e-03"},
                                               {"MLT", "mL", "1.000000e+06"}, {"LTR", "L", "1.000000e+03"},
                                               {"GAL", "Gal", "2.641721e+02"}, {"KGAL", "KGal", "2.641721e-01"},
                                               {"MGAL", "MGal", "2.641721e-04"}, {"FT3", "Ft3", "3.531467e+01"},
                                               {"KFT3", "KFt3", "3.531467e-02"}, {"MFT3", "MFt3", "3.531467e-05"},
                                               {"BBL", "bbl", "6.289811e+00"}}),
                       UnitGroup("GU_TEMPERATURE", {{"DEG_K", "DEG K", "GU_TEMPERATURE_DEG_K"},
                                                    {"DEG_C", "DEG C", "GU_TEMPERATURE_DEG_C"},
                                                    {"DEG_F", "DEG F", "GU_TEMPERATURE_DEG_F"},
                                                    {"DEG_R", "DEG R", "GU_TEMPERATURE_DEG_R"}}),
                       UnitGroup("GU_PRESSURE", {{"PA", "PA", "1.000000e+00"}, {"KPA", "KPA", "1.000000e-03"},
                                                 {"BAR", "BAR", "1.000000e-05"}})})
        list.insert(list.end(), group.begin(), group.end());
    return list;
}

// Option rows of a few option types followed by the unit rows, as after start-up.
inline OptionRows SampleOptions(const std::vector<UnitLine>& units) {
    OptionRows options;
    options.Add({"DT_INTEGER", "INT", "DT_INTEGER", "", ""});
    for (const char* item : {"OP_NO", "OP_YES"}) options.Add({"OP_RESET_TOTALS_ACCUM", "", item, "", ""});
    for (const char* item : {"OP_NO", "OP_YES"}) options.Add({"OP_RESET_LOGGER", "", item, "", ""});
    for (const char* item : {"OP_SOURCE_KEYPAD", "OP_SOURCE_COMMS", "OP_SOURCE_INPUT"})
        options.Add({"OP_PARAMETER_SOURCE", "", item, "", ""});
    for (const char* item : {"OP_SIGNAL_4_20", "OP_SIGNAL_0_20", "OP_SIGNAL_PT100"})
        options.Add({"OP_AINP_SIGNAL_TEMP", "", item, "", ""});
    for (const auto& u : units) options.Add({u.Type, u.Tag, u.Item, u.Coefficient, u.Description});
    return options;
}

// A directory of its own for one test, removed afterwards.
class TempDir {
public:
    explicit TempDir(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / ("kv740-builder-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& file) const { return (path_ / file).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace kv::builder::testing
