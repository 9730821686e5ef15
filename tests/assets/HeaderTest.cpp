#include <gtest/gtest.h>

#include "HeaderNames.h"
#include "TestFiles.h"
#include "assets/EngineeringUnits.h"

namespace kv::assets {
namespace {

using testing::HeaderNames;
using testing::SourceDir;

const HeaderNames& Header(const std::string& model) {
    static const HeaderNames h746(SourceDir / "firmware/include/746-ggui.h");
    static const HeaderNames h758(SourceDir / "firmware/include/758-ggui.h");
    return model == "746" ? h746 : h758;
}

std::vector<std::string> Names(const testing::Enumeration& e, size_t from, size_t count) {
    std::vector<std::string> names;
    for (size_t i = from; i < from + count && i < e.Values.size(); ++i)
        names.push_back(e.Values[i].first);
    return names;
}

class ModelHeader : public ::testing::TestWithParam<std::string> {
  protected:
    const HeaderNames& h = Header(GetParam());
    long V(const std::string& name) const {
        auto v = h.Value(name);
        EXPECT_TRUE(v.has_value()) << name << " is not declared";
        return v.value_or(-1);
    }
};

TEST_P(ModelHeader, DeclaresItsPartsInOrder) {
    const std::string& text = h.Text();
    const std::vector<std::string> parts = {"#ifndef _740_GGUI_",
                                            "typedef char              chr;",
                                            "typedef signed char       sch;",
                                            "typedef unsigned char     uch;",
                                            "typedef unsigned int      uin;",
                                            "typedef long int          lin;",
                                            "typedef unsigned long int uli;",
                                            "typedef double            flt;",
                                            "class TBasis;",
                                            "extern const chr* const OptionTags [];",
                                            "extern class TInfoItem const InfoItems [];",
                                            "extern const uin ComCalIds [];",
                                            "#define FALSE 0",
                                            "#define TRUE  1",
                                            "class TPoint",
                                            "class TReportItem",
                                            "class TParameter",
                                            "class TMessage",
                                            "class TInfoItem",
                                            "} EN_DATA_TYPE;",
                                            "} EN_ACCESS_TYPE;",
                                            "} EN_OPTIONS;",
                                            "} EN_IDENTIFICATION;",
                                            "#define ID_PARAMETER_ATM_PRESSURE",
                                            "#endif"};
    size_t at = 0;
    for (const std::string& part : parts) {
        const size_t found = text.find(part, at);
        ASSERT_NE(found, std::string::npos) << part << " missing or out of order";
        at = found;
    }
    const bool is758 = GetParam() == "758";
    EXPECT_EQ(text.find("extern const chr Revision [];") != std::string::npos, is758);
    EXPECT_EQ(text.find("#define false 0") != std::string::npos, is758);
    EXPECT_EQ(text.find("chr*  Text5;") != std::string::npos, is758);
    EXPECT_EQ(text.find("static uin   get_id_rate (uin id_total);") != std::string::npos, is758);
}

TEST_P(ModelHeader, DataTypesHaveTheValuesTheFirmwareReads) {
    const auto& types = h.EnumerationNamed("EN_DATA_TYPE");
    const std::vector<std::string> special =
        GetParam() == "746"
            ? std::vector<std::string>{"DT_NULL",    "DT_CLOCK",      "DT_OPTION", "DT_SCROLL",
                                       "DT_INTEGER", "DT_ASSIGNMENT", "DT_TAG"}
            : std::vector<std::string>{"DT_NULL",       "DT_CLOCK",  "DT_OPTION",      "DT_INTEGER",
                                       "DT_ID",         "DT_CODE_1", "DT_CODE_2",      "DT_SCROLL",
                                       "DT_ASSIGNMENT", "DT_TAG",    "DT_TIME_MMM_SS", "DT_TEXT"};
    EXPECT_EQ(Names(types, 0, special.size()), special);
    EXPECT_EQ(V("DT_NULL"), 0);
    EXPECT_EQ(V("DT_DP_1"), 0x10);
    EXPECT_EQ(V("GU_TEMPERATURE"), 0x11);
    EXPECT_EQ(V("GU_TEMPERATURE_DEG_K"), 0x12);
    EXPECT_EQ(V("GU_TEMPERATURE_DEG_C"), 0x13);
    EXPECT_EQ(V("GU_TEMPERATURE_DEG_F"), 0x14);
    EXPECT_EQ(V("GU_TEMPERATURE_DEG_R"), 0x15);
    EXPECT_EQ(V("DT_DP_2"), 0x20);
    EXPECT_EQ(V("DT_DP_3"), 0x30);
    EXPECT_EQ(V("DT_FLOAT"), 0x31);
    EXPECT_EQ(V("DT_UNITS"), 0x40);

    // The selectable unit groups follow DT_UNITS in a fixed order; every group of the units
    // list but the separator is one of them.
    const std::vector<std::string> groups = {"GU_SCALE",
                                             "GU_FREQUENCY",
                                             "GU_CURRENT",
                                             "GU_VOLTAGE",
                                             "GU_VOLUME",
                                             "GU_VOLUME_FLOW",
                                             "GU_VOLUME_FACTOR",
                                             "GU_MASS",
                                             "GU_MASS_FLOW",
                                             "GU_MASS_FACTOR",
                                             "GU_ENERGY",
                                             "GU_ENERGY_FLOW",
                                             "GU_ENERGY_FACTOR",
                                             "GU_PRESSURE",
                                             "GU_DENSITY",
                                             "GU_VOLUME_SPECIFIC",
                                             "GU_ENTHALPY_SPECIFIC",
                                             "GU_LENGTH",
                                             "GU_DIAMETER",
                                             "GU_EXPANSION",
                                             "GU_VISCOSITY",
                                             "GU_HEATING_VALUE",
                                             "GU_AREA",
                                             "GU_VELOCITY",
                                             "GU_LENGTH_FACTOR",
                                             "GU_PERCENT",
                                             "GU_INPUT",
                                             "GU_TOTAL",
                                             "GU_RATE",
                                             "GU_TOTAL_FACTOR",
                                             "GU_TIME",
                                             "GU_TIME_TEMPERATURE",
                                             "GU_TIME_PRESSURE",
                                             "GU_COMPRESSION"};
    for (size_t i = 0; i < groups.size(); ++i)
        EXPECT_EQ(V(groups[i]), 0x41 + static_cast<long>(i)) << groups[i];
    EXPECT_EQ(types.Values.back().first, "GU_COMPRESSION");
    for (std::string_view line : EngineeringUnits()) {
        const std::string type = UnitField(line, "Type");
        if (type != "GU_SEPARATOR") {
            EXPECT_TRUE(h.Declares(type)) << type;
        }
    }
}

TEST_P(ModelHeader, MenuAndAccessShareOneByte) {
    const std::vector<std::pair<std::string, long>> access = {
        {"OP_ACCESS_NONE", 0x00},      {"OP_ACCESS_DISPLAY", 0x20}, {"OP_ACCESS_PROGRAM", 0x40},
        {"OP_ACCESS_PROTECTED", 0x60}, {"OP_ACCESS_FACTORY", 0x80}, {"OP_ACCESS_PRINTOUT", 0xa0}};
    EXPECT_EQ(h.EnumerationNamed("EN_ACCESS_TYPE").Values, access);

    std::vector<std::string> menus = {
        "OP_MENU_VARIABLES", "OP_MENU_UNITS",  "OP_MENU_PARAMETERS", "OP_MENU_INPUTS",
        "OP_MENU_OUTPUTS",   "OP_MENU_ALARMS", "OP_MENU_BATCH",      "OP_MENU_COMMS",
        "OP_MENU_TIME_LOG",  "OP_MENU_SETUP",  "OP_MENU_HARDWARE",   "OP_MENU_TEST",
        "OP_MENU_MAIN",      "OP_MENU_ENTRY",  "OP_MENU_MAIN_END",   "OP_MENU_INFO",
        "OP_MENU_HIDDEN",    "OP_MENU_ERRORS", "OP_MENU_WARNINGS",   "OP_MENU_PROMPTS",
        "OP_MENU_HEADERS",   "OP_MENU_FOOTERS"};
    if (GetParam() == "758") {
        menus.insert(std::find(menus.begin(), menus.end(), "OP_MENU_ENTRY") + 1,
                     "OP_MENU_HOLD_SET");
        menus.insert(std::find(menus.begin(), menus.end(), "OP_MENU_HIDDEN") + 1,
                     "OP_MENU_VARIABLES_HIDDEN");
    }
    const auto& options = h.EnumerationNamed("EN_OPTIONS");
    EXPECT_EQ(Names(options, 0, menus.size()), menus);
    EXPECT_EQ(Names(options, menus.size(), 4),
              (std::vector<std::string>{"OP_NO", "OP_YES", "OP_DOWN", "OP_UP"}));
    EXPECT_EQ(V(menus.front()), 0);
    EXPECT_LT(V(menus.back()), 0x20);
}

TEST_P(ModelHeader, DeclaresTheIdentifiersTheBuilderAndTheFirmwareNeed) {
    const auto& ids = h.EnumerationNamed("EN_IDENTIFICATION");
    ASSERT_FALSE(ids.Values.empty());
    EXPECT_EQ(ids.Values.front(), (std::pair<std::string, long>{"ID_ITEM_LAST", 0}));
    std::vector<std::string> required = {
        // written by the generator itself
        "DT_OPTION", "DT_INTEGER", "OP_MENU_UNITS", "OP_MENU_INFO", "OP_ACCESS_PROTECTED",
        "OP_ACCESS_DISPLAY", "OP_NO", "OP_YES", "ID_ITEM_LAST", "ID_UNITS", "ID_INFO_S_NUMBER",
        "ID_PARAMETER_FACTORS",
        // identifiers of the items the manager treats specially
        "ID_RESET_TOTALS_ACCUM", "ID_RESET_LOGGER", "ID_PARAMETER_SOURCE",
        "ID_FINP1_CORRECTION_FACTORS", "ID_FINP2_CORRECTION_FACTORS", "ID_AINP1_CORRECTION_FACTORS",
        "ID_AINP2_CORRECTION_FACTORS", "ID_AINP3_CORRECTION_FACTORS", "ID_AINP4_CORRECTION_FACTORS",
        "ID_PARAMETER_ID_TAG_FACTORS", "ID_INFO_HARDWARE", "ID_INFO_APPNOTES", "ID_INFO_SOFTWARE",
        "ID_INFO_CUSTOMER"};
    for (int i = 1; i <= 24; ++i)
        required.push_back((i < 10 ? "ID_PARAMETER_0" : "ID_PARAMETER_") + std::to_string(i));
    for (const std::string& name : required) EXPECT_TRUE(h.Declares(name)) << name;
    for (const auto& [name, value] : ids.Values)
        EXPECT_LE(name.size(), 30u) << name << " does not fit the ID field";
    EXPECT_EQ(V("ID_PARAMETER_ATM_PRESSURE"), V("ID_PARAMETER_01"));
}

INSTANTIATE_TEST_SUITE_P(Models, ModelHeader, ::testing::Values("746", "758"));

}  // namespace
}  // namespace kv::assets
