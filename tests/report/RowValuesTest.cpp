#include <gtest/gtest.h>

#include <map>

#include "report/RowValues.h"

namespace kv::report {
namespace {

class MapRow : public TRowSource {
  public:
    explicit MapRow(std::map<std::string, std::string> fields) : fields_(std::move(fields)) {}
    std::string Value(const std::string& field) const override {
        auto found = fields_.find(field);
        return found == fields_.end() ? std::string() : found->second;
    }

  private:
    std::map<std::string, std::string> fields_;
};

std::vector<TCell> ItemCells() {
    std::vector<TCell> cells;
    for (const char* item : {"050L LabelTag1", "050L LabelTag2", "050L UnitTag1", "050L UnitTag2",
                             "050L Access", "050L Empty", "090L DefaultValue", "090L Empty"})
        cells.push_back(ParseCell(item));
    return cells;
}

std::vector<std::string> Shown(const std::vector<TCell>& cells,
                               const std::map<std::string, std::string>& fields) {
    const TRowLookups lookups{{{"OP_MODE_FAST", "FAST"}}, {{"ID_VAR_FLOW", "FLOW"}}};
    const MapRow row(fields);
    std::vector<std::string> values = CellValues(cells, row);
    RewriteVersionRow(values, cells, row, lookups);
    return values;
}

struct RewriteCase {
    const char* Name;
    std::map<std::string, std::string> Fields;
    std::vector<std::string> Expected;  // the eight cells of an item row
};

TEST(RowValues, ItemRowsShowWhatTheFormNeeds) {
    const std::string NA = NotAvailable, AS = Asterisk;
    const RewriteCase cases[] = {
        {"custom tags equal to the defaults are blank",
         {{"LabelTag1", "TEMP"},
          {"LabelTag2", "TEMP"},
          {"UnitTag1", "BAR"},
          {"UnitTag2", "BAR"},
          {"Access", "OP_ACCESS_PROGRAM"},
          {"DefaultValue", "1.5"},
          {"Type", "DT_FLOAT"}},
         {"TEMP", "", "BAR", "", "PG", "", "1.5", ""}},
        {"changed custom tags stay",
         {{"LabelTag1", "TEMP"},
          {"LabelTag2", "T1"},
          {"UnitTag1", "BAR"},
          {"UnitTag2", "PSI"},
          {"Access", "OP_ACCESS_PRINTOUT"},
          {"Type", "DT_FLOAT"}},
         {"TEMP", "T1", "BAR", "PSI", "PR", "", "", ""}},
        {"unit items ask to choose a unit",
         {{"UnitTag1", "DEG C"},
          {"UnitTag2", "DEG F"},
          {"Access", "OP_ACCESS_NONE"},
          {"Type", "GU_TEMPERATURE"}},
         {"", "", "DEG C", AS, "NV", "", "", ""}},
        {"option items show the option's tag and ask to choose",
         {{"Access", "OP_ACCESS_DISPLAY"},
          {"DefaultValue", "OP_MODE_FAST"},
          {"Type", "OP_MODE"},
          {"Panel", "Options"}},
         {"", "", "", "", "DO", "", "FAST", AS}},
        {"an unknown option shows nothing",
         {{"DefaultValue", "OP_MODE_GONE"}, {"Type", "OP_MODE"}, {"Panel", "Options"}},
         {"", "", "", "", "", "", "", AS}},
        {"text items hide their value, before any panel rule",
         {{"Access", "OP_ACCESS_PROTECTED"},
          {"DefaultValue", "HELLO"},
          {"Type", "DT_TEXT"},
          {"Panel", "Options"}},
         {"", "", "", "", "PW", "", "------", ""}},
        {"tags cannot be set",
         {{"Type", "DT_TAG"}, {"Panel", "Tags"}, {"DefaultValue", "X"}},
         {"", "", "", "", "", "", NA, NA}},
        {"passwords are never visible",
         {{"Type", "DT_INTEGER"},
          {"Panel", "Password"},
          {"Access", "OP_ACCESS_PROGRAM"},
          {"DefaultValue", "1234"}},
         {"", "", "", "", "NV", NA, "1234", ""}},
        {"assignments show the variable's tag",
         {{"Type", "DT_ASSIGNMENT"},
          {"Menu", "OP_MENU_PARAMETERS"},
          {"LabelTag2", "SRC"},
          {"Access", "OP_ACCESS_PROGRAM"},
          {"DefaultValue", "ID_VAR_FLOW"}},
         {"", NA, "", "", "PG", "", "FLOW", AS}},
        {"assignments of inputs cannot be changed",
         {{"Type", "DT_ASSIGNMENT"},
          {"Menu", "OP_MENU_INPUTS"},
          {"Access", "OP_ACCESS_PROGRAM"},
          {"DefaultValue", "ID_VAR_NONE"}},
         {"", NA, "", "", "PG", NA, "", NA}},
        {"a panel rule stops the type rules below it",
         {{"Type", "DT_ASSIGNMENT"}, {"Panel", "Tags"}, {"DefaultValue", "ID_VAR_FLOW"}},
         {"", "", "", "", "", "", NA, NA}},
    };
    const std::vector<TCell> cells = ItemCells();
    for (const RewriteCase& c : cases) EXPECT_EQ(Shown(cells, c.Fields), c.Expected) << c.Name;
}

TEST(RowValues, MessageRowsShowOnlyChangedText) {
    const std::vector<TCell> cells = {ParseCell("240L LowLimit"), ParseCell("240L HighLimit")};
    EXPECT_EQ(
        Shown(cells,
              {{"Panel", "Messages"}, {"LowLimit", "LOW BATTERY"}, {"HighLimit", "LOW BATTERY"}}),
        (std::vector<std::string>{"LOW BATTERY", ""}));
    EXPECT_EQ(Shown(cells,
                    {{"Panel", "Messages"}, {"LowLimit", "OVER RANGE"}, {"HighLimit", "TOO HIGH"}}),
              (std::vector<std::string>{"OVER RANGE", "TOO HIGH"}));
}

TEST(ReportLayout, ItemsParseAndBadOnesAreRefused) {
    const TCell empty = ParseCell("030C ");
    EXPECT_EQ(empty.Width, 30);
    EXPECT_EQ(empty.Align, 'C');
    EXPECT_EQ(empty.Name, "");
    const TCell custom = ParseCell("090L Custom / Local");
    EXPECT_EQ(custom.Width, 90);
    EXPECT_EQ(custom.Name, "Custom / Local");
    EXPECT_EQ(ParseCell(CellItem(95, "Density, KG/M3")).Name, "Density, KG/M3");

    const TIntroLine line = ParseIntroLine("3R2 Date ......");
    EXPECT_EQ(line.X, 468);
    EXPECT_FALSE(line.Bold);
    EXPECT_EQ(line.Advance, 2);
    EXPECT_EQ(line.Text, "Date ......");

    for (const char* bad : {"", "50L X", "050X Name", "05AL Name", "050LName"})
        EXPECT_THROW(ParseCell(bad), std::invalid_argument) << bad;
    for (const char* bad : {"5R0 Text", "0X0 Text", "0B Text"})
        EXPECT_THROW(ParseIntroLine(bad), std::invalid_argument) << bad;
}

}  // namespace
}  // namespace kv::report
