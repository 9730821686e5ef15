#include <gtest/gtest.h>

#include "builder/BuildError.h"
#include "builder/GeneratedSource.h"
#include "builder/Units.h"

namespace kv::builder {
namespace {

std::vector<UnitLine> Group(const std::string& type, std::vector<std::pair<std::string, std::string>> units) {
    std::vector<UnitLine> lines;
    for (auto& [suffix, tag] : units) lines.push_back({type, type + "_" + suffix, tag, "1.000000e+00", type + " in " + tag});
    return lines;
}

// A list shaped like the engineering-units list: groups in order, each unit once per group.
std::vector<UnitLine> SampleUnits() {
    std::vector<UnitLine> list;
    for (auto group : {Group("GU_VOLUME", {{"M3", "m3"}, {"KM3", "Km3"}, {"MLT", "mL"}, {"LTR", "L"}, {"GAL", "Gal"},
                                           {"KGAL", "KGal"}, {"MGAL", "MGal"}, {"FT3", "Ft3"}, {"KFT3", "KFt3"},
                                           {"MFT3", "MFt3"}, {"BBL", "bbl"}}),
                       Group("GU_PRESSURE", {{"PA", "PA"}, {"KPA", "KPA"}, {"BAR", "BAR"}}),
                       Group("GU_INPUT", {{"FACTOR", "FACT"}, {"LTR", "L"}})})
        list.insert(list.end(), group.begin(), group.end());
    return list;
}

std::vector<std::string> Items(const ListUnits& units) {
    std::vector<std::string> items;
    for (const auto& line : units.Lines()) items.push_back(line.Item);
    return items;
}

TEST(ListUnits, WithoutInFieldUnitsHoldsEachUsedUnitOnceInOrderOfFirstUse) {
    ListUnits units;
    for (const char* name : {"GU_VOLUME_LTR", "GU_VOLUME_GAL", "GU_VOLUME_LTR"}) units.UpdateListUnits(name, SampleUnits(), false);
    EXPECT_EQ(Items(units), (std::vector<std::string>{"GU_VOLUME_LTR", "GU_VOLUME_GAL"}));
    EXPECT_EQ(units.IndexOf("GU_VOLUME_LTR"), 0);
    EXPECT_EQ(units.IndexOf("GU_VOLUME_GAL"), 1);
    EXPECT_EQ(units.IndexOf("GU_VOLUME_M3"), -1);
}

TEST(ListUnits, WithInFieldUnitsHoldsWholeGroupsFramedBySharedSeparators) {
    ListUnits units;
    units.UpdateListUnits("GU_VOLUME_LTR", SampleUnits(), true);
    units.UpdateListUnits("GU_VOLUME_GAL", SampleUnits(), true);  // its group is already there
    ASSERT_EQ(units.Lines().size(), 13u);
    EXPECT_EQ(units.Lines().front(), SeparatorLine());
    EXPECT_EQ(units.Lines().back(), SeparatorLine());
    EXPECT_EQ(units.IndexOf("GU_VOLUME_LTR"), 4);
    EXPECT_EQ(units.IndexOf("GU_VOLUME_GAL"), 5);

    units.UpdateListUnits("GU_PRESSURE_KPA", SampleUnits(), true);
    ASSERT_EQ(units.Lines().size(), 17u);  // three units and one more separator
    EXPECT_EQ(units.IndexOf("GU_PRESSURE_PA"), 13);
    EXPECT_EQ(units.Lines()[16], SeparatorLine());
    EXPECT_EQ(units.Lines()[12], SeparatorLine());

    // A unit of another group with the same suffix is a line of its own.
    units.UpdateListUnits("GU_INPUT_LTR", SampleUnits(), true);
    EXPECT_EQ(units.IndexOf("GU_INPUT_LTR"), 18);
}

TEST(ListUnits, UnknownUnitStopsTheBuild) {
    ListUnits units;
    EXPECT_THROW(units.UpdateListUnits("GU_VOLUME_HOGSHEAD", SampleUnits(), false), BuildError);
    EXPECT_TRUE(units.Lines().empty());
}

TEST(ListUnits, WritesOneCoefficientEntryPerLine) {
    GeneratedSource source;
    source.CreateSkeleton({});
    ListUnits units;
    units.UpdateListUnits("GU_PRESSURE_KPA", SampleUnits(), true);
    units.WriteUnitCoefs(source);
    const auto& lines = source.Lines();
    auto marker = std::find(lines.begin(), lines.end(), "   // Coefficients End");
    ASSERT_NE(marker, lines.end());
    EXPECT_EQ(*(marker - 5), "   {\"-\",       0.0,                     },   // -");
    EXPECT_EQ(*(marker - 3), "   {\"KPA\",     1.000000e+00,            },   // GU_PRESSURE in KPA");
}

TEST(ValueConvert, ScalesOnlyOnUnitPagesAndTakesTemperaturesToKelvin) {
    struct Case {
        const char* Value, *Coefficient, *Panel, *Expected;
    };
    const Case cases[] = {
        {"101.325", "1.000000e-03", "Parameters", "1.0132500E+05"},
        {"32", "GU_TEMPERATURE_DEG_F", "Parameters", "2.7315000E+02"},
        {"0", "GU_TEMPERATURE_DEG_C", "Units", "2.7315000E+02"},
        {"491.67", "GU_TEMPERATURE_DEG_R", "Tables", "2.7315000E+02"},
        {"300", "GU_TEMPERATURE_DEG_K", "Parameters", "3.0000000E+02"},
        {"1.5", "1.000000e+03", "Variables", "1.5000000E+00"},
        {"1.5", "1.000000e+03", "Units", "1.5000000E-03"},
        {"1.5", "", "Units", "1.5"},
        {"OP_YES", "1.000000e+03", "Parameters", "OP_YES"},
        {"12", "not a number", "Parameters", "12"},
        {"12", "0.0", "Parameters", "12"},  // a division by zero is no conversion
        {"5", "1.000000e-03", "Tables", "5.0000000E+03"},
    };
    for (const auto& c : cases) EXPECT_EQ(ValueConvert(c.Value, c.Coefficient, c.Panel), c.Expected) << c.Value << " " << c.Coefficient;
}

TEST(InFieldUnits, ModelPackAndHardwareDecide) {
    EXPECT_FALSE(InFieldUnitsVisible(Target::For("746", "FG01", false)));
    EXPECT_FALSE(InFieldUnitsVisible(Target::For("746", "BC02", false)));
    EXPECT_TRUE(InFieldUnitsVisible(Target::For("758", "FG01", false)));
    EXPECT_TRUE(InFieldUnitsVisible(Target::For("746", "FC01", false)));

    EXPECT_TRUE(InFieldUnitsAllowed(Target::For("758", "FG01", false), true));
    EXPECT_FALSE(InFieldUnitsAllowed(Target::For("758", "FG01", false), false));
    EXPECT_FALSE(InFieldUnitsAllowed(Target::For("758", "FC01", true), true));  // original hardware
    EXPECT_FALSE(InFieldUnitsAllowed(Target::For("746", "FG01", false), true));
    EXPECT_TRUE(InFieldUnitsAllowed(Target::For("746", "FC01", false), true));
}

}  // namespace
}  // namespace kv::builder
