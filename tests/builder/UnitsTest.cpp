#include <gtest/gtest.h>

#include "builder/BuildError.h"
#include "builder/GeneratedSource.h"
#include "builder/Units.h"

namespace kv::builder {
namespace {

std::vector<std::string> Items(const ListUnits& units) {
    std::vector<std::string> items;
    for (const auto& line : units.Lines()) items.push_back(line.Item);
    return items;
}

TEST(ListUnits, WithoutInFieldUnitsHoldsEachUsedUnitOnceInOrderOfFirstUse) {
    ListUnits units;
    for (const char* name : {"GU_VOLUME_LTR", "GU_VOLUME_GAL", "GU_VOLUME_LTR"})
        units.UpdateListUnits(name, EngineeringUnitLines(), false);
    EXPECT_EQ(Items(units), (std::vector<std::string>{"GU_VOLUME_LTR", "GU_VOLUME_GAL"}));
    EXPECT_EQ(units.IndexOf("GU_VOLUME_LTR"), 0);
    EXPECT_EQ(units.IndexOf("GU_VOLUME_GAL"), 1);
    EXPECT_EQ(units.IndexOf("GU_VOLUME_M3"), -1);
}

TEST(ListUnits, WithInFieldUnitsHoldsWholeGroupsFramedBySharedSeparators) {
    ListUnits units;
    units.UpdateListUnits("GU_VOLUME_LTR", EngineeringUnitLines(), true);
    units.UpdateListUnits("GU_VOLUME_GAL", EngineeringUnitLines(),
                          true);  // its group is already there
    ASSERT_EQ(units.Lines().size(), 13u);
    EXPECT_TRUE(SameLine(units.Lines().front(), SeparatorLine()));
    EXPECT_TRUE(SameLine(units.Lines().back(), SeparatorLine()));
    EXPECT_EQ(units.IndexOf("GU_VOLUME_LTR"), 4);
    EXPECT_EQ(units.IndexOf("GU_VOLUME_GAL"), 5);

    units.UpdateListUnits("GU_PRESSURE_KPA", EngineeringUnitLines(), true);
    ASSERT_EQ(units.Lines().size(), 25u);  // eleven units and one more separator
    EXPECT_EQ(units.IndexOf("GU_PRESSURE_PA"), 13);
    EXPECT_EQ(units.IndexOf("GU_PRESSURE_KPA"), 16);
    EXPECT_TRUE(SameLine(units.Lines()[12], SeparatorLine()));
    EXPECT_TRUE(SameLine(units.Lines()[24], SeparatorLine()));

    // A unit of another group with the same suffix and tag is a line of its own: GU_INPUT
    // repeats the volumes after temperatures, pressures, densities and three more.
    units.UpdateListUnits("GU_INPUT_LTR", EngineeringUnitLines(), true);
    EXPECT_EQ(units.Lines().size(), 25u + 33 + 1);
    EXPECT_EQ(units.IndexOf("GU_INPUT_LTR"), 25 + 4 + 11 + 4 + 3 + 3);
}

TEST(ListUnits, UnknownUnitStopsTheBuild) {
    ListUnits units;
    EXPECT_THROW(units.UpdateListUnits("GU_VOLUME_HOGSHEAD", EngineeringUnitLines(), false),
                 BuildError);
    EXPECT_TRUE(units.Lines().empty());
}

TEST(ListUnits, WritesOneCoefficientEntryPerLine) {
    GeneratedSource source;
    source.CreateSkeleton({});
    ListUnits units;
    units.UpdateListUnits("GU_PRESSURE_KPA", EngineeringUnitLines(), true);
    units.WriteUnitCoefs(source);
    const auto& lines = source.Lines();
    auto marker = std::find(lines.begin(), lines.end(), "   // Coefficients End");
    ASSERT_NE(marker, lines.end());
    EXPECT_EQ(*(marker - 13), "   {\"-\",       0.0,                     },   // -");
    EXPECT_EQ(*(marker - 9),
              "   {\"KPA\",     1.000000e-03,            },   // Pressure will be displayed in "
              "kilopascals");
}

TEST(ValueConvert, ScalesOnlyOnUnitPagesAndTakesTemperaturesToKelvin) {
    struct Case {
        const char *Value, *Coefficient, *Panel, *Expected;
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
    for (const auto& c : cases)
        EXPECT_EQ(ValueConvert(c.Value, c.Coefficient, c.Panel), c.Expected)
            << c.Value << " " << c.Coefficient;
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
