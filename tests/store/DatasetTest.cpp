#include <gtest/gtest.h>

#include "Fixtures.h"
#include "support/TempDir.h"

using namespace kv::store;
using fixtures::Column;

namespace {

using kv::testing::InTempDir;

// ID, Type, Item, Menu, Panel, Note, Access, DefaultValue
const std::vector<std::vector<std::string>> Items = {
    {"ID_VAR_TOTAL1", "DT_FLOAT", "Total", "OP_MENU_VARIABLES", "Values", "", "OP_ACCESS_DISPLAY",
     "0"},
    {"ID_VAR_PROCESS1", "DT_FLOAT", "Flow rate", "OP_MENU_VARIABLES", "Values", "",
     "OP_ACCESS_DISPLAY", "0"},
    {"ID_VAR_TAG", "DT_TAG", "Tag", "OP_MENU_VARIABLES", "Tags", "", "", ""},
    {"ID_VAR_HIDDEN", "DT_FLOAT", "Hidden", "OP_MENU_VARIABLES_HIDDEN", "Values", "", "", ""},
    {"ID_VAR_TEXT", "DT_TEXT", "O'Brien", "OP_MENU_VARIABLES", "Values", "", "", ""},
    {"ID_PARAM1", "DT_INTEGER", "Param", "OP_MENU_PARAMETERS", "Values", "", "", "5"},
    {"ID_AINP1_FACTORS", "DT_FLOAT", "Row", "OP_MENU_FACTORS", "Factors", "", "", "01"},
    {"ID_AINP1_FACTORS", "DT_FLOAT", "Row", "OP_MENU_FACTORS", "Factors", "", "", "07"},
    {"ID_AINP1_FACTORS", "DT_FLOAT", "Row", "OP_MENU_FACTORS", "Factors", "", "", "08"},
    {"ID_AINP1_FACTORS", "DT_FLOAT", "Row", "OP_MENU_FACTORS", "Factors", "", "", "09"},
    {"ID_AINP1_FACTORS", "DT_FLOAT", "Row", "OP_MENU_FACTORS", "Factors", "", "", "10"},
    {"ID_AINP2_FACTORS", "DT_FLOAT", "Row", "OP_MENU_FACTORS", "Factors", "", "", "02"},
};

class Datasets : public InTempDir {
  protected:
    void SetUp() override {
        InTempDir::SetUp();
        fixtures::MakeTable("758-FC01-000001.db", fixtures::VersionFields(), Items);
        table.SetTableName("758-FC01-000001.db");
        table.Open();
    }
    std::vector<std::string> Filtered(const std::string& filter, const char* field = "ID") {
        table.SetFilter(filter);
        table.SetFiltered(true);
        return Column(table, field);
    }
    Table table;
};

TEST_F(Datasets, FiltersOfTheManagerSelectTheirItems) {
    using V = std::vector<std::string>;
    struct Case {
        std::string filter;
        const char* field;
        V expected;
    } cases[] = {
        {"Menu = 'OP_MENU_VARIABLES*'",
         "ID",
         {"ID_VAR_TOTAL1", "ID_VAR_PROCESS1", "ID_VAR_TAG", "ID_VAR_HIDDEN", "ID_VAR_TEXT"}},
        {"ID = 'ID_VAR_*' AND Type <> 'DT_TAG' AND Type <> 'DT_TEXT' AND Menu <> "
         "'OP_MENU_VARIABLES_HIDDEN'",
         "ID",
         {"ID_VAR_TOTAL1", "ID_VAR_PROCESS1"}},
        {"ID = 'ID_VAR_*' AND Type <> 'DT_TAG' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'",
         "ID",
         {"ID_VAR_TOTAL1", "ID_VAR_PROCESS1", "ID_VAR_TEXT"}},
        {"ID = 'ID_VAR_PROCESS*' AND Type <> 'DT_TAG' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'",
         "ID",
         {"ID_VAR_PROCESS1"}},
        {"ID='ID_VAR_TOTAL*' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'", "ID", {"ID_VAR_TOTAL1"}},
        {"Menu = 'OP_MENU_VARIABLES'",
         "ID",
         {"ID_VAR_TOTAL1", "ID_VAR_PROCESS1", "ID_VAR_TAG", "ID_VAR_TEXT"}},
        // Text comparison of two-digit row numbers keeps 01 to 08.
        {"Menu = 'OP_MENU_FACTORS' and ID = 'ID_AINP1_FACTORS' and DefaultValue <= '08'",
         "DefaultValue",
         {"01", "07", "08"}},
        {"Menu = 'op_menu_variables*'", "ID", {}},  // case-sensitive
        {"Item = 'O''Brien'", "ID", {"ID_VAR_TEXT"}},
        {"Menu <> 'OP_MENU_VARIABLES*' AND Menu <> 'OP_MENU_FACTORS'", "ID", {"ID_PARAM1"}},
        {"Access = '' AND Menu = 'OP_MENU_PARAMETERS'", "ID", {"ID_PARAM1"}},
        {"   ",
         "ID",
         {"ID_VAR_TOTAL1", "ID_VAR_PROCESS1", "ID_VAR_TAG", "ID_VAR_HIDDEN", "ID_VAR_TEXT",
          "ID_PARAM1", "ID_AINP1_FACTORS", "ID_AINP1_FACTORS", "ID_AINP1_FACTORS",
          "ID_AINP1_FACTORS", "ID_AINP1_FACTORS", "ID_AINP2_FACTORS"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Filtered(c.filter, c.field), c.expected) << c.filter;
}

TEST_F(Datasets, BadFiltersAreRefusedAndTheOldOneStays) {
    Filtered("Menu = 'OP_MENU_PARAMETERS'");
    for (const char* bad : {"Menu == 'x'", "Menu = 'x", "Menu = x", "Menu = 'x' OR ID = 'y'",
                            "Nope = 'x'", "Menu = 'x' AND"}) {
        EXPECT_THROW(table.SetFilter(bad), StoreError) << bad;
    }
    EXPECT_EQ(table.Filter(), "Menu = 'OP_MENU_PARAMETERS'");
    EXPECT_EQ(table.RecordCount(), 1);
    try {
        table.SetFilter("Nope = 'x'");
    } catch (const StoreError& e) {
        EXPECT_EQ(e.File(), "758-FC01-000001.db");
        EXPECT_NE(std::string(e.what()).find("'Nope' not found"), std::string::npos) << e.what();
    }
}

TEST_F(Datasets, FilteringSwitchesOffAndCombinesWithTheRecordTest) {
    Filtered("Menu = 'OP_MENU_VARIABLES*'");
    table.SetOnFilterRecord(
        [](Dataset& d) { return d.FieldByName("Type").AsString() == "DT_FLOAT"; });
    EXPECT_EQ(Column(table, "ID"),
              (std::vector<std::string>{"ID_VAR_TOTAL1", "ID_VAR_PROCESS1", "ID_VAR_HIDDEN"}));
    table.SetFiltered(false);
    EXPECT_EQ(table.RecordCount(), 12);
    table.SetFilter("");
    table.SetFiltered(true);
    EXPECT_EQ(table.RecordCount(), 9);  // the record test alone
}

TEST_F(Datasets, RecordNumbersAndLocateWorkInTheFilteredView) {
    Filtered("Menu = 'OP_MENU_FACTORS'");
    table.SetRecNo(3);
    EXPECT_EQ(table.RecNo(), 3);
    EXPECT_EQ(table.FieldByName("DefaultValue").AsString(), "08");

    EXPECT_TRUE(table.Locate("id;DefaultValue", {"id_ainp2_factors", "02"}));
    EXPECT_EQ(table.RecNo(), 6);
    EXPECT_FALSE(table.Locate("ID", {"ID_AINP"}));        // whole values only
    EXPECT_FALSE(table.Locate("ID", {"ID_VAR_TOTAL1"}));  // filtered out
    EXPECT_EQ(table.RecNo(), 6);
    EXPECT_THROW(table.Locate("ID;Menu", {"x"}), StoreError);
}

TEST_F(Datasets, CursorReportsBeginningAndEnd) {
    Filtered("Menu = 'OP_MENU_PARAMETERS'");
    table.First();
    EXPECT_TRUE(table.Bof());
    EXPECT_FALSE(table.Eof());
    table.Next();
    EXPECT_TRUE(table.Eof());
    Filtered("Menu = 'nothing'");
    EXPECT_TRUE(table.Eof() && table.Bof() && table.IsEmpty());
    EXPECT_EQ(table.RecNo(), 0);
    EXPECT_EQ(table.FieldByName("ID").AsString(), "");
}

TEST_F(Datasets, BookmarkFindsTheSameRecordAfterReopening) {
    table.SetRecNo(9);
    std::string mark = table.GetBookmark();
    table.Close();
    table.Open();
    EXPECT_TRUE(table.GotoBookmark(mark));
    EXPECT_EQ(table.RecNo(), 9);
    EXPECT_EQ(table.FieldByName("DefaultValue").AsString(), "08");

    Filtered("Menu = 'OP_MENU_VARIABLES'");
    table.Last();
    EXPECT_FALSE(table.GotoBookmark(mark));  // the record is filtered out: the cursor stays
    EXPECT_EQ(table.FieldByName("ID").AsString(), "ID_VAR_TEXT");
    EXPECT_FALSE(table.GotoBookmark("not a bookmark"));
}

TEST_F(Datasets, EventsFireInOrderAndAbortCancelsSilently) {
    std::vector<std::string> log;
    table.BeforeInsert.Connect([&](Dataset&) { log.push_back("BeforeInsert"); });
    table.AfterInsert.Connect([&](Dataset& d) {
        log.push_back("AfterInsert");
        d.FieldByName("ID").SetAsString("ID_NEW");
    });
    table.AfterScroll.Connect(
        [&](Dataset& d) { log.push_back("AfterScroll " + d.FieldByName("ID").AsString()); });
    table.OnDataChange.Connect(
        [&](Dataset&, Field* f) { log.push_back(f ? "Change " + f->FieldName() : "Change"); });

    table.SetRecNo(2);
    ASSERT_TRUE(table.Insert());
    table.Post();
    EXPECT_EQ(log,
              (std::vector<std::string>{"AfterScroll ID_VAR_PROCESS1", "Change", "BeforeInsert",
                                        "AfterInsert", "Change ID", "Change", "Change"}));
    EXPECT_EQ(table.FieldByName("ID").AsString(), "ID_NEW");
    EXPECT_EQ(table.RecNo(), 2);  // inserted before the current record

    auto refuse = table.BeforeInsert.Connect([](Dataset&) { throw Abort(); });
    table.BeforeDelete.Connect([](Dataset& d) {
        if (d.FieldByName("Menu").AsString() == "OP_MENU_PARAMETERS") throw Abort();
    });
    EXPECT_FALSE(table.Append());
    EXPECT_EQ(table.State(), DatasetState::Browse);
    ASSERT_TRUE(table.Locate("ID", {"ID_PARAM1"}));
    EXPECT_FALSE(table.Delete());
    EXPECT_EQ(table.RecordCount(), 13);
    refuse.Disconnect();
    EXPECT_TRUE(table.Append());
    table.Cancel();
    EXPECT_EQ(table.RecordCount(), 13);
}

TEST_F(Datasets, ValidationRefusesAValueAndTheFileKeepsTheOldOne) {
    Field& value = table.FieldByName("DefaultValue");
    std::string seen;
    value.OnValidate = [&](Field& f) {
        seen = f.AsString();
        if (f.AsString().find_first_not_of("0123456789.") != std::string::npos)
            throw std::runtime_error("Text error");
    };
    value.EditMask = "9999";
    ASSERT_TRUE(table.Locate("ID", {"ID_PARAM1"}));
    table.Edit();
    EXPECT_THROW(value.SetAsString("12x"), std::runtime_error);
    EXPECT_EQ(seen, "12x");
    EXPECT_EQ(value.AsString(), "5");
    table.Post();

    table.Close();
    table.Open();
    ASSERT_TRUE(table.Locate("ID", {"ID_PARAM1"}));
    EXPECT_EQ(table.FieldByName("DefaultValue").AsString(), "5");
    EXPECT_EQ(table.FieldByName("DefaultValue").EditMask, "9999");  // kept over closing
    table.Edit();
    table.FieldByName("DefaultValue").SetAsString("42");
    table.Post();
    EXPECT_EQ(seen, "42");
}

TEST_F(Datasets, TextsThatDoNotFitAreRefusedNeverCut) {
    table.First();
    table.Edit();
    for (const char* bad : {"LabelTag1=ABCDEFGHIJK", "LabelTag1=Ω", "Item=\xff\xfe"}) {
        std::string s(bad);
        auto eq = s.find('=');
        Field& f = table.FieldByName(s.substr(0, eq));
        std::string before = f.AsString();
        EXPECT_THROW(f.SetAsString(s.substr(eq + 1)), StoreError) << bad;
        EXPECT_EQ(f.AsString(), before);
    }
    try {
        table.FieldByName("LabelTag1").SetAsString("ABCDEFGHIJK");
    } catch (const StoreError& e) {
        EXPECT_STREQ(e.what(),
                     "758-FC01-000001.db: text is too long for field 'LabelTag1' (11 characters, "
                     "at most 10)");
    }
    table.FieldByName("LabelTag1").SetAsString("€ÿŸšÀ12345");  // ten characters of the code page
    table.Post();
    table.Close();
    table.Open();
    EXPECT_EQ(table.FieldByName("LabelTag1").AsString(), "€ÿŸšÀ12345");
}

TEST_F(Datasets, DatasetsOnOneTableSeeEachOthersPosts) {
    Table variables("758-fc01-000001.DB");  // another spelling of the same file
    variables.SetReadOnly(true);
    variables.Open();
    variables.SetFilter("ID = 'ID_VAR_*' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'");
    variables.SetFiltered(true);
    variables.Last();
    EXPECT_EQ(variables.RecordCount(), 4);

    ASSERT_TRUE(table.Locate("ID", {"ID_VAR_HIDDEN"}));
    table.Edit();
    table.FieldByName("Menu").SetAsString("OP_MENU_VARIABLES");
    table.Post();
    EXPECT_EQ(variables.RecordCount(), 5);
    EXPECT_EQ(variables.FieldByName("ID").AsString(), "ID_VAR_TEXT");  // still on its record
    EXPECT_FALSE(variables.CanModify());
    EXPECT_THROW(variables.Edit(), StoreError);
}

TEST_F(Datasets, CopyFieldsFillsAScratchRecordOfTheSameStructure) {
    ASSERT_TRUE(table.Locate("ID", {"ID_PARAM1"}));
    Table::Create("740-temp.db", table.GetFieldDefs());
    Table scratch("740-temp.db");
    scratch.Open();
    scratch.Append();
    scratch.CopyFields(table);
    scratch.FieldByName("Item").SetAsString("NEW TABLE");
    scratch.Post();
    EXPECT_EQ(scratch.FieldByName("ID").AsString(), "ID_PARAM1");
    EXPECT_EQ(scratch.FieldByName("DefaultValue").AsString(), "5");
    EXPECT_EQ(scratch.FieldByName("Item").AsString(), "NEW TABLE");
    EXPECT_THROW(Table::Create("740-temp.db", table.GetFieldDefs()), StoreError);  // open
    scratch.Close();
    Table::DeleteTable("740-temp.db");
    EXPECT_FALSE(Table::Exists("740-temp.db"));
}

TEST_F(Datasets, DeleteMovesToTheNextRecordAndPostsNeedEditState) {
    table.SetRecNo(11);
    EXPECT_THROW(table.FieldByName("ID").SetAsString("x"), StoreError);
    ASSERT_TRUE(table.Delete());
    EXPECT_EQ(table.RecNo(), 11);
    EXPECT_EQ(table.FieldByName("ID").AsString(), "ID_AINP2_FACTORS");
    ASSERT_TRUE(table.Delete());
    EXPECT_EQ(table.RecordCount(), 10);
    EXPECT_EQ(table.FieldByName("DefaultValue").AsString(), "09");  // the last remaining
}

}  // namespace
