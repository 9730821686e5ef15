#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <vector>

#include "TestFiles.h"
#include "assets/AssetFiles.h"
#include "assets/EngineeringUnits.h"
#include "store/Store.h"
#include "support/TempDir.h"

namespace kv::assets {
namespace {

using kv::testing::CurrentDir;
using kv::testing::TempDir;

std::vector<UnitRow> Rows() {
    std::vector<UnitRow> rows;
    for (std::string_view line : EngineeringUnits()) rows.push_back(ReadUnitLine(line));
    return rows;
}

std::vector<UnitRow> Group(const std::string& type) {
    std::vector<UnitRow> rows;
    for (const UnitRow& row : Rows())
        if (row.Type == type) rows.push_back(row);
    return rows;
}

// The lines of `group` again under another group name, as GU_INPUT, GU_TOTAL, ... repeat them.
std::vector<std::string> Suffixes(const std::vector<UnitRow>& rows) {
    std::vector<std::string> out;
    for (const UnitRow& row : rows)
        out.push_back(row.Item.substr(row.Type.size() + 1) + "|" + row.Tag + "|" + row.Coefficient +
                      "|" + row.Description);
    return out;
}

TEST(EngineeringUnits, GroupsInListOrderWithTheirLineCounts) {
    const std::vector<std::pair<std::string, int>> expected = {{"GU_SCALE", 6},
                                                               {"GU_FREQUENCY", 3},
                                                               {"GU_CURRENT", 2},
                                                               {"GU_VOLTAGE", 2},
                                                               {"GU_VOLUME", 11},
                                                               {"GU_VOLUME_FLOW", 24},
                                                               {"GU_VOLUME_FACTOR", 6},
                                                               {"GU_MASS", 5},
                                                               {"GU_MASS_FLOW", 15},
                                                               {"GU_MASS_FACTOR", 5},
                                                               {"GU_ENERGY", 11},
                                                               {"GU_ENERGY_FLOW", 12},
                                                               {"GU_ENERGY_FACTOR", 6},
                                                               {"GU_TEMPERATURE", 4},
                                                               {"GU_PRESSURE", 11},
                                                               {"GU_DENSITY", 4},
                                                               {"GU_VOLUME_SPECIFIC", 3},
                                                               {"GU_ENTHALPY_SPECIFIC", 6},
                                                               {"GU_LENGTH", 5},
                                                               {"GU_DIAMETER", 2},
                                                               {"GU_EXPANSION", 2},
                                                               {"GU_SEPARATOR", 1},
                                                               {"GU_VISCOSITY", 1},
                                                               {"GU_HEATING_VALUE", 2},
                                                               {"GU_AREA", 2},
                                                               {"GU_VELOCITY", 6},
                                                               {"GU_LENGTH_FACTOR", 4},
                                                               {"GU_PERCENT", 1},
                                                               {"GU_INPUT", 33},
                                                               {"GU_TOTAL", 16},
                                                               {"GU_RATE", 38},
                                                               {"GU_TOTAL_FACTOR", 11},
                                                               {"GU_TIME", 3},
                                                               {"GU_TIME_TEMPERATURE", 4},
                                                               {"GU_TIME_PRESSURE", 4},
                                                               {"GU_COMPRESSION", 3}};
    std::vector<std::pair<std::string, int>> actual;
    for (const UnitRow& row : Rows()) {
        if (actual.empty() || actual.back().first != row.Type) actual.emplace_back(row.Type, 0);
        ++actual.back().second;
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(EngineeringUnits().size(), 274u);
}

TEST(EngineeringUnits, FirstLineReadsAsTheStartUpExample) {
    const std::string_view first = EngineeringUnits().front();
    EXPECT_EQ(first,
              "GU_SCALE,                PPM,       PPM,    1.000000e+06,         Value will be "
              "displayed in parts per million");
    EXPECT_EQ(UnitField(first, "Type"), "GU_SCALE");
    EXPECT_EQ(UnitField(first, "Item"), "GU_SCALE_PPM");
    EXPECT_EQ(UnitField(first, "Tag"), "PPM");
    EXPECT_EQ(UnitField(first, "Coefficient"), "1.000000e+06");
    EXPECT_EQ(UnitField(first, "Description"), "Value will be displayed in parts per million");
    EXPECT_EQ(UnitField(first, "Units"), "");
}

TEST(EngineeringUnits, ReaderCutsAtTheFirstFourCommasAndDropsLeadingBlanks) {
    struct Case {
        std::string line;
        UnitRow row;
    };
    const Case cases[] = {
        {std::string(UnitSeparatorLine), {"-", "-_-", "-", "0.0", "-"}},
        {"GU_VOLUME,               LTR,       L,      1.000000e+03,         Volume will be "
         "displayed in litres",
         {"GU_VOLUME", "GU_VOLUME_LTR", "L", "1.000000e+03", "Volume will be displayed in litres"}},
        // tabs and control characters after a comma go too; commas in the description stay
        {"GU_X,\t\tA,\x01 B, 1e0,\r\n Rest, with, commas",
         {"GU_X", "GU_X_A", "B", "1e0", "Rest, with, commas"}},
        // blanks before a comma belong to the token
        {"GU_X ,A ,B ,C ,D", {"GU_X ", "GU_X _A ", "B ", "C ", "D"}},
        {"GU_X,A", {"GU_X", "GU_X_A", "", "", ""}},
    };
    for (const Case& c : cases) {
        const UnitRow row = ReadUnitLine(c.line);
        EXPECT_EQ(row.Type, c.row.Type) << c.line;
        EXPECT_EQ(row.Item, c.row.Item) << c.line;
        EXPECT_EQ(row.Tag, c.row.Tag) << c.line;
        EXPECT_EQ(row.Coefficient, c.row.Coefficient) << c.line;
        EXPECT_EQ(row.Description, c.row.Description) << c.line;
    }
}

TEST(EngineeringUnits, CompositeGroupsRepeatTheirSourceGroups) {
    auto join = [](std::initializer_list<std::vector<std::string>> parts) {
        std::vector<std::string> all;
        for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    const auto volume = Suffixes(Group("GU_VOLUME"));
    std::vector<std::string> rate = Suffixes(Group("GU_VOLUME_FLOW"));
    std::erase_if(rate, [](const std::string& s) { return s.rfind("LTR_D|", 0) == 0; });

    const std::vector<std::string> level = {
        "FACTOR|FACT|1.000000e+00|Unscaled correction factor",
        "M|m|1.000000e+00|Level will be displayed in metres",
        "FOOT|FOOT|3.280840e+00|Level will be displayed in feet"};
    EXPECT_EQ(Suffixes(Group("GU_INPUT")),
              join({Suffixes(Group("GU_TEMPERATURE")), Suffixes(Group("GU_PRESSURE")),
                    Suffixes(Group("GU_DENSITY")), level, volume}));
    EXPECT_EQ(Suffixes(Group("GU_TOTAL")), join({volume, Suffixes(Group("GU_MASS"))}));
    EXPECT_EQ(Suffixes(Group("GU_RATE")), join({rate, Suffixes(Group("GU_MASS_FLOW"))}));
    EXPECT_EQ(Suffixes(Group("GU_TOTAL_FACTOR")),
              join({Suffixes(Group("GU_VOLUME_FACTOR")), Suffixes(Group("GU_MASS_FACTOR"))}));
}

TEST(EngineeringUnits, TagsFitTheFirmwareAndUnitNamesAreUniquePerGroup) {
    std::set<std::string> names;
    for (const UnitRow& row : Rows()) {
        EXPECT_LE(row.Tag.size(), 5u) << row.Item;
        EXPECT_FALSE(row.Description.empty()) << row.Item;
        EXPECT_TRUE(names.insert(row.Item).second) << row.Item;
        // seven significant digits: "1.000000e+03"
        if (row.Coefficient.rfind("GU_", 0) != 0) {
            EXPECT_TRUE(std::regex_match(row.Coefficient, std::regex(R"(\d\.\d{6}e[+-]\d\d)")))
                << row.Item;
        }
    }
}

TEST(EngineeringUnits, TemperaturesCarryTheirScaleNames) {
    for (const char* group : {"GU_TEMPERATURE", "GU_INPUT"}) {
        std::vector<std::string> coefficients;
        for (const UnitRow& row : Group(group))
            if (row.Coefficient.rfind("GU_", 0) == 0)
                coefficients.push_back(row.Item.substr(row.Type.size()) + "=" + row.Coefficient);
        EXPECT_EQ(coefficients, (std::vector<std::string>{
                                    "_DEG_K=GU_TEMPERATURE_DEG_K", "_DEG_C=GU_TEMPERATURE_DEG_C",
                                    "_DEG_F=GU_TEMPERATURE_DEG_F", "_DEG_R=GU_TEMPERATURE_DEG_R"}))
            << group;
    }
}

TEST(EngineeringUnits, AppendedToAnOptionTableAfterItsStoredRows) {
    TempDir dir;
    WriteResource(Resource::FileOptions746, dir.Path());
    CurrentDir here(dir.Path());
    AppendUnitRows("746-opts.db");

    store::Table table("746-opts.db");
    table.Open();
    ASSERT_EQ(table.RecordCount(), 335 + 274);
    table.SetFilter("Type = 'GU_TEMPERATURE'");
    table.SetFiltered(true);
    std::vector<std::string> rows;
    for (table.First(); !table.Eof(); table.Next())
        rows.push_back(table.FieldByName("Tag").AsString() + "|" +
                       table.FieldByName("Item").AsString() + "|" +
                       table.FieldByName("Coefficient").AsString());
    EXPECT_EQ(rows, (std::vector<std::string>{"DEG K|GU_TEMPERATURE_DEG_K|GU_TEMPERATURE_DEG_K",
                                              "DEG C|GU_TEMPERATURE_DEG_C|GU_TEMPERATURE_DEG_C",
                                              "DEG F|GU_TEMPERATURE_DEG_F|GU_TEMPERATURE_DEG_F",
                                              "DEG R|GU_TEMPERATURE_DEG_R|GU_TEMPERATURE_DEG_R"}));
    table.Close();

    // A second start-up rewrites the table first, so the rows are not doubled.
    WriteResource(Resource::FileOptions746, dir.Path());
    AppendUnitRows("746-opts.db");
    table.SetFiltered(false);
    table.Open();
    EXPECT_EQ(table.RecordCount(), 335 + 274);
}

TEST(EngineeringUnits, AppendingToAMissingTableFailsWithAStoreError) {
    TempDir dir;
    CurrentDir here(dir.Path());
    EXPECT_THROW(AppendUnitRows("746-opts.db"), store::StoreError);
}

}  // namespace
}  // namespace kv::assets
