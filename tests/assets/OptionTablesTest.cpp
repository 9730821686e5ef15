#include <gtest/gtest.h>

#include <map>

#include "HeaderNames.h"
#include "TestFiles.h"
#include "assets/AssetFiles.h"
#include "store/Store.h"
#include "support/TempDir.h"

namespace kv::assets {
namespace {

using kv::testing::CurrentDir;
using kv::testing::TempDir;
using testing::HeaderNames;
using testing::SourceDir;

struct OptionRow {
    std::string Type, Tag, Item, Coefficient, Description;
    bool Empty() const {
        return Type.empty() && Tag.empty() && Item.empty() && Coefficient.empty() &&
               Description.empty();
    }
};

struct OptionGroup {
    std::string Type;
    std::vector<OptionRow> Rows;
};

// The stored table as written at start-up, read back through the table store.
std::vector<OptionRow> StoredRows(Resource resource) {
    TempDir dir;
    WriteResource(resource, dir.Path());
    CurrentDir here(dir.Path());
    store::Table table(std::string(ResourceFileName(resource)));
    table.SetReadOnly(true);
    table.Open();
    std::vector<OptionRow> rows;
    for (table.First(); !table.Eof(); table.Next()) {
        auto f = [&](const char* name) { return table.FieldByName(name).AsString(); };
        rows.push_back({f("Type"), f("Tag"), f("Item"), f("Coefficient"), f("Description")});
    }
    return rows;
}

std::vector<OptionGroup> Groups(const std::vector<OptionRow>& rows) {
    std::vector<OptionGroup> groups;
    for (const OptionRow& row : rows) {
        if (row.Empty()) continue;
        if (groups.empty() || groups.back().Type != row.Type) groups.push_back({row.Type, {}});
        groups.back().Rows.push_back(row);
    }
    return groups;
}

const std::vector<std::pair<std::string, int>> Groups746 = {{"DT_NULL", 1},
                                                            {"DT_FLOAT", 1},
                                                            {"DT_CLOCK", 1},
                                                            {"DT_OPTION", 1},
                                                            {"DT_SCROLL", 1},
                                                            {"DT_INTEGER", 1},
                                                            {"DT_ASSIGNMENT", 1},
                                                            {"OP_MENU", 7},
                                                            {"OP_PULSE_WIDTH", 6},
                                                            {"OP_CORRECTION_TYPE_LN", 2},
                                                            {"OP_CORRECTION_TYPE_LNS", 3},
                                                            {"OP_ALARM_TYPE", 8},
                                                            {"OP_PROTOCOL_746", 2},
                                                            {"OP_PROTOCOL_746_PRN", 3},
                                                            {"OP_PROTOCOL", 3},
                                                            {"OP_PROTOCOL_PRN", 4},
                                                            {"OP_PROTOCOL_NRAT", 4},
                                                            {"OP_PROTOCOL_NRATP", 5},
                                                            {"OP_PARITY", 3},
                                                            {"OP_BAUD_RATE", 4},
                                                            {"OP_STOP_BITS", 2},
                                                            {"OP_FINP_DEBOUNCE", 2},
                                                            {"OP_FINP_SIGNAL", 3},
                                                            {"OP_AINP_SIGNAL_TEMP", 6},
                                                            {"OP_AINP_SIGNAL_PRES", 4},
                                                            {"OP_AINP_SIGNAL_FLOW", 3},
                                                            {"OP_AINP_SIGNAL_746", 2},
                                                            {"OP_ACCESS", 4},
                                                            {"OP_ITEM_PRINTOUT", 2},
                                                            {"OP_DISPLAY_TAGS", 2},
                                                            {"OP_RESET_TOTALS_MODE", 3},
                                                            {"OP_RESET_TOTALS_MODE_NIDC", 4},
                                                            {"OP_RESET_TOTALS_ACCUM", 2},
                                                            {"OP_RESET_LOGGER", 2},
                                                            {"OP_REMOTE_KEYS", 6},
                                                            {"OP_TIMEOUT_MODE", 4},
                                                            {"OP_DATE_FORMAT", 2},
                                                            {"OP_FLASH_CHANNEL", 3},
                                                            {"OP_SENSOR_TYPE", 2},
                                                            {"OP_AINP_STACK_MODE", 2},
                                                            {"OP_DP_TYPE_ISO", 11},
                                                            {"OP_PARAMETER_SOURCE", 2},
                                                            {"OP_REF_COMBUSTION", 6},
                                                            {"OP_REF_CONDITION", 5},
                                                            {"OP_API_FLUID_GROUP", 3},
                                                            {"OP_API_FLUID_GROUP_CRL", 6},
                                                            {"OP_API_FLUID_GROUP_GCLR", 4},
                                                            {"OP_BACKLIGHT_TIMEOUT", 2},
                                                            {"OP_OPEN_CHANNEL", 6},
                                                            {"OP_DIRECT_ACCESS_MODE", 2},
                                                            {"OP_LOOP_CONTROL_MODE", 6},
                                                            {"OP_LOOP_CONTROL_MODE_LLT", 3},
                                                            {"OP_ENABLE_DISABLE", 2},
                                                            {"OP_COUNT_DIRECTION", 2},
                                                            {"OP_AINP_USAGE_TD", 3},
                                                            {"OP_AINP_USAGE_FDI", 3},
                                                            {"OP_INPUT_TYPE", 2},
                                                            {"OP_CALCULATION_MODE", 2},
                                                            {"OP_STEAM_MODE", 6},
                                                            {"OP_OUT_FUNCTION", 4},
                                                            {"OP_OUT_FUNCTION_RECEID", 6},
                                                            {"OP_METER_LOCATION", 2},
                                                            {"OP_HEATING_MODE", 3},
                                                            {"OP_HEAT_FLUID_TYPE", 8},
                                                            {"OP_METER_COEF_MODE", 2},
                                                            {"OP_PRINTER_TYPE", 3},
                                                            {"OP_REPORT_TYPE_TIME", 6},
                                                            {"OP_REPORT_TYPE_LAST", 1},
                                                            {"OP_REPORT_TYPE_BATCH", 1},
                                                            {"OP_BATCH_MODE_UPO", 3},
                                                            {"OP_BATCH_MODE", 3},
                                                            {"OP_GAS_CALC_TYPE", 4},
                                                            {"OP_BLEND_POINT", 2},
                                                            {"OP_ACTIVE_SIGNAL", 2},
                                                            {"OP_STOP_FUNCTION", 2},
                                                            {"OP_DATA_MBUS_RTU", 2},
                                                            {"OP_LEVEL_SENSOR", 2},
                                                            {"OP_LOGGING_TIME_MIN", 6},
                                                            {"OP_VALUE_ON_EXCEPTION", 3}};

const std::map<std::string, int> Added758 = {
    {"OP_PROTOCOL_NRT", 0},       {"OP_PROTOCOL_NRTP", 0},      {"OP_RESET_TOTALS_MODE_SNID", 0},
    {"OP_LOAD_MORE_COMPS", 0},    {"OP_LOAD_DISCONNECTED", 0},  {"OP_LOOP_CONTROL_MODE_LLTR", 0},
    {"OP_AINP_USAGE_TD_ONLY", 0}, {"OP_OUT_FUNCTION_SRECE", 0}, {"OP_OUT_FUNCTION_RPSRECE", 0},
    {"OP_REPORT_TYPE_LOAD", 0},   {"OP_START_SEQUENCE", 0},     {"OP_CTRL_MODE_DP", 0},
    {"OP_ACCESS_TYPE", 0},        {"OP_PERMISSIVE_DUA", 0},     {"OP_VALVE_TYPE_DD", 0}};

struct Model {
    const char* Name;
    Resource Table;
    size_t Rows, Groups, Options, Separators;
};

void PrintTo(const Model& m, std::ostream* os) {
    *os << m.Name;
}

class StoredOptionTable : public ::testing::TestWithParam<Model> {};

TEST_P(StoredOptionTable, GroupsAreSeparatedByEmptyRowsExceptTheDataTypes) {
    const Model m = GetParam();
    const std::vector<OptionRow> rows = StoredRows(m.Table);
    ASSERT_EQ(rows.size(), m.Rows);
    EXPECT_TRUE(rows.front().Empty()) << "the table begins with an empty row";
    size_t separators = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].Empty()) continue;
        ++separators;
        ASSERT_LT(i + 1, rows.size());
        EXPECT_FALSE(rows[i + 1].Empty()) << "row " << i;
        if (i > 0) {
            EXPECT_NE(rows[i - 1].Type, rows[i + 1].Type)
                << "a separator inside group " << rows[i + 1].Type;
        }
    }
    EXPECT_EQ(separators, m.Separators);
    // the seven one-row data type groups stand together after the first separator
    for (size_t i = 1; i <= 7; ++i) EXPECT_EQ(rows[i].Item, rows[i].Type) << i;
    EXPECT_TRUE(rows[8].Empty());

    const auto groups = Groups(rows);
    EXPECT_EQ(groups.size(), m.Groups);
    size_t options = 0;
    for (const OptionGroup& g : groups) options += g.Rows.size();
    EXPECT_EQ(options, m.Options);
    for (const OptionRow& row : rows) {
        EXPECT_TRUE(row.Coefficient.empty())
            << row.Item << ": only the appended unit rows have a coefficient";
        EXPECT_LE(row.Tag.size(), 7u) << row.Item;
    }
}

TEST_P(StoredOptionTable, EveryItemIsAnEnumeratorAndGroupsRunInEnumeratorOrder) {
    const Model m = GetParam();
    const HeaderNames header(SourceDir / "firmware/include" / (std::string(m.Name) + "-ggui.h"));
    for (const OptionGroup& g : Groups(StoredRows(m.Table))) {
        long previous = -1;
        for (const OptionRow& row : g.Rows) {
            const auto value = header.Value(row.Item);
            ASSERT_TRUE(value.has_value()) << row.Item << " of " << g.Type << " is not declared";
            EXPECT_GT(*value, previous) << g.Type << ": " << row.Item << " out of order";
            previous = *value;
        }
    }
}

TEST_P(StoredOptionTable, AccessAndPrintoutRowsAreTheEditorsChoices) {
    std::vector<std::string> rows;
    for (const OptionGroup& g : Groups(StoredRows(GetParam().Table)))
        if (g.Type == "OP_ACCESS" || g.Type == "OP_ITEM_PRINTOUT")
            for (const OptionRow& r : g.Rows)
                rows.push_back(r.Type + "|" + r.Tag + "|" + r.Item + "|" + r.Description);
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "OP_ACCESS|NONE|OP_ACCESS_NONE|Not visible",
                        "OP_ACCESS|DISPLAY|OP_ACCESS_DISPLAY|Display only",
                        "OP_ACCESS|PROGRAM|OP_ACCESS_PROGRAM|Programmable",
                        "OP_ACCESS|PROTECT|OP_ACCESS_PROTECTED|Password protected",
                        "OP_ITEM_PRINTOUT|NO|OP_ACCESS_DISPLAY|Excluded from printout",
                        "OP_ITEM_PRINTOUT|YES|OP_ACCESS_PRINTOUT|Included into printout"}));
}

INSTANTIATE_TEST_SUITE_P(Models, StoredOptionTable,
                         ::testing::Values(Model{"746", Resource::FileOptions746, 335, 79, 262, 73},
                                           Model{"758", Resource::FileOptions758, 398, 94, 310,
                                                 88}),
                         [](const auto& info) { return std::string("Model") + info.param.Name; });

TEST(OptionTables, Model746GroupsAndRowCounts) {
    std::vector<std::pair<std::string, int>> groups;
    for (const OptionGroup& g : Groups(StoredRows(Resource::FileOptions746)))
        groups.emplace_back(g.Type, static_cast<int>(g.Rows.size()));
    EXPECT_EQ(groups, Groups746);
}

TEST(OptionTables, Model758HoldsThe746GroupsAndItsOwn) {
    std::map<std::string, std::vector<std::string>> of746;
    for (const OptionGroup& g : Groups(StoredRows(Resource::FileOptions746)))
        for (const OptionRow& r : g.Rows)
            of746[g.Type].push_back(r.Tag + "|" + r.Item + "|" + r.Description);

    std::map<std::string, int> added;
    for (const OptionGroup& g : Groups(StoredRows(Resource::FileOptions758))) {
        std::vector<std::string> rows;
        for (const OptionRow& r : g.Rows)
            rows.push_back(r.Tag + "|" + r.Item + "|" + r.Description);
        if (auto it = of746.find(g.Type); it != of746.end()) {
            if (g.Type == "OP_PRINTER_TYPE") {
                ASSERT_EQ(rows.size(), 4u);
                rows.pop_back();
            }
            EXPECT_EQ(rows, it->second) << g.Type;
            of746.erase(it);
        } else {
            added[g.Type] = 0;
        }
    }
    EXPECT_TRUE(of746.empty()) << of746.size() << " groups of the 746 table missing, first "
                               << of746.begin()->first;
    EXPECT_EQ(added, Added758);
}

}  // namespace
}  // namespace kv::assets
