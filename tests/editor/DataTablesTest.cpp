// The "Tables" page and the new table dialog over copies of the demo data files.
#include "DataTableFixture.h"
#include "editor/NewTable.h"
#include "editor/TableCells.h"
#include "editor/TableTexts.h"

namespace kv::editor::testing {
namespace {

using Rows = std::vector<std::string>;

class DataTables : public DataTableFixture {
  protected:
    // Makes a user table through the dialog, with column units by option Item.
    void MakeTable(const std::string& title,
                   const std::vector<std::pair<int, std::string>>& units = {}) {
        NewTableForm form(*Page, Prompter);
        form.FormShow();
        for (const auto& [column, unit] : units) form.SetUnit(column, unit);
        ASSERT_TRUE(form.BitBtnOKClick(title)) << Prompter.LastText();
        form.FormClose();
    }
    std::string Selected() { return Version.FieldByName("DefaultValue").AsString(); }
    // Puts a value into a cell of the grid's current row; the refusal's text, or "".
    std::string Put(int column, const std::string& value) {
        store::Table& data = Views->DataUser;
        data.Edit();
        try {
            data.FieldByName(DataTablePage::DataField(column)).SetAsString(value);
            data.Post();
        } catch (const std::exception& e) {
            data.Cancel();
            return e.what();
        }
        return {};
    }
};

TEST_F(DataTables, PageShowsTitledColumnsWithUnitsAndHidesViscosity) {
    const auto& c = Page->Columns;
    EXPECT_TRUE(c[0].Visible && c[1].Visible && c[2].Visible);
    EXPECT_EQ(c[0].Title, "Temperature, DEG C");
    EXPECT_EQ(c[1].Title, "Density, KG/m3");
    EXPECT_EQ(c[2].Title, "Heat Capacity, KJ/KG");
    EXPECT_FALSE(c[3].Visible) << "Viscosity of the heat fluid table is never shown";
    EXPECT_FALSE(c[4].Visible);
    EXPECT_EQ(c[0].Width, 400 / 3 - 1);
    // The factory table: listed, selected, shown as an empty disabled grid.
    EXPECT_EQ(Page->SelectedTable(), "DEFAULT");
    EXPECT_EQ(Page->TableNames(), (Rows{"DEFAULT"}));
    EXPECT_FALSE(Page->GridEnabled());
    EXPECT_TRUE(GridRows().empty());

    fs::copy_file("../dbs/default/758-BC02-000000.db", "../dbs/user/758-BC02-000001.db");
    Version.Close();
    Version.SetTableName("../dbs/user/758-BC02-000001.db");
    Version.Open();
    ShowItem("ID_PRODUCT_TABLE");
    EXPECT_EQ(c[0].Title, "Product") << "a text column has no unit";
    EXPECT_EQ(c[0].EditMask, ">CCCCCCCCCCCC");
    EXPECT_EQ(c[1].Title, "Density, KG/m3");
    EXPECT_EQ(c[1].EditMask, "");
    EXPECT_EQ(c[2].Title, "Expansion, E-6/C");
    EXPECT_FALSE(c[3].Visible);
    EXPECT_EQ(Views->DataUser.FieldByName("Data1").EditMask, ">CCCCCCCCCCCC");
}

TEST_F(DataTables, NewTableStartsWithOneRowOfZerosInTheChosenUnits) {
    NewTableForm form(*Page, Prompter);
    form.FormShow();
    EXPECT_TRUE(fs::exists("740-temp.db"));
    ASSERT_EQ(form.Columns.size(), 3u) << "only the shown columns with a unit";
    EXPECT_EQ(form.Columns[0].Title, "Temperature");
    EXPECT_EQ(form.Columns[0].Units.size(), 4u);
    EXPECT_EQ(form.Unit(1), "GU_TEMPERATURE_DEG_C") << "the selected table's units to start";
    form.SetUnit(1, "GU_TEMPERATURE_DEG_F");
    ASSERT_TRUE(form.BitBtnOKClick("Glycol 30%"));
    form.FormClose();
    EXPECT_FALSE(fs::exists("740-temp.db"));

    EXPECT_EQ(Selected(), "Glycol 30%");
    EXPECT_TRUE(Page->GridEnabled());
    EXPECT_EQ(GridRows(), (Rows{"0,0,0,0,0"}));
    EXPECT_EQ(Page->Columns[0].Title, "Temperature, DEG F");
    EXPECT_EQ(Page->TableNames(), (Rows{"DEFAULT", "Glycol 30%"}));

    store::Table user(UserData);
    user.Open();
    ASSERT_EQ(user.RecordCount(), 2);
    user.First();
    EXPECT_EQ(user.FieldByName("Sort").AsString(), "TABLE");
    EXPECT_EQ(user.FieldByName("Item").AsString(), "Glycol 30%");
    EXPECT_EQ(user.FieldByName("Type").AsString(), "OP_HEAT_FLUID_TYPE_USER");
    EXPECT_EQ(user.FieldByName("Data1").AsString(), "GU_TEMPERATURE_DEG_F");
    EXPECT_EQ(user.FieldByName("Data4").AsString(), "GU_VISCOSITY_CP");
    user.Next();
    EXPECT_EQ(user.FieldByName("Sort").AsString(), "DATA");
    EXPECT_EQ(user.FieldByName("Item").AsString(), "Glycol 30%");
}

TEST_F(DataTables, TitleRefusalsWriteNothing) {
    MakeTable("GLYCOL");
    const std::string before = ReadBytes(UserData);
    const std::string versionBefore = ReadBytes(CustomVersion);
    struct Case {
        const char* Title;
        const char* Message;
    } cases[] = {
        {"", text::EnterTableTitle}, {"glycol", text::TableExists}, {"Default", text::TableExists}};
    for (const Case& c : cases) {
        Prompter.Boxes.clear();
        NewTableForm form(*Page, Prompter);
        form.FormShow();
        EXPECT_FALSE(form.BitBtnOKClick(c.Title)) << c.Title;
        EXPECT_EQ(Prompter.LastText(), c.Message) << c.Title;
        form.FormClose();
    }
    EXPECT_EQ(ReadBytes(UserData), before);
    EXPECT_EQ(ReadBytes(CustomVersion), versionBefore);
    EXPECT_EQ(Selected(), "GLYCOL");
}

TEST_F(DataTables, CellsAreCheckedInBaseUnitsAgainstTheLimits) {
    MakeTable("WATER");
    // Temperature in DEG C against 223.15..473.15 K, density in KG/m3 against 500..1500,
    // heat capacity in KJ/KG (coefficient 0.001) against 1000..5000.
    struct Case {
        int Column;
        const char* Value;
        const char* Refusal;
    } cases[] = {
        {3, "5", ""},
        {3, "6", text::OutOfRange},
        {3, "0.9", text::OutOfRange},
        {1, "200", ""},
        {1, "-50", ""},
        {1, "201", text::OutOfRange},
        {2, "500", ""},
        {2, "499.9", text::OutOfRange},
        {2, "abc", text::NotANumber},
        {2, "1-0", text::NotANumber},
    };
    for (const Case& c : cases) {
        Prompter.Boxes.clear();
        EXPECT_EQ(Put(c.Column, c.Value), c.Refusal) << c.Column << " " << c.Value;
        EXPECT_EQ(Prompter.LastText(), c.Refusal) << "the warning comes first";
    }
    EXPECT_EQ(GridRows(), (Rows{"-50,500,5,0,0"}));
}

TEST_F(DataTables, UnreadableLimitsSendTheUserToTheFactory) {
    {
        store::Table factory(FactoryData);
        factory.Open();
        ASSERT_TRUE(factory.Locate("Type;Sort", {"OP_HEAT_FLUID_TYPE_USER", "LIMIT"}));
        factory.Edit();
        factory.FieldByName("Data2").SetAsString("500");  // no high limit
        factory.FieldByName("Data3").SetAsString("low;5000");
        factory.Post();
    }
    MakeTable("WATER");
    EXPECT_EQ(Put(2, "700"), text::InvalidRange);
    EXPECT_EQ(Put(3, "2"), text::InvalidRange);
    EXPECT_EQ(Put(1, "20"), "");
}

TEST_F(DataTables, TextColumnsAreNotRangeChecked) {
    fs::copy_file("../dbs/default/758-BC02-000000.db", "../dbs/user/758-BC02-000001.db");
    Version.Close();
    Version.SetTableName("../dbs/user/758-BC02-000001.db");
    Version.Open();
    ShowItem("ID_PRODUCT_TABLE");
    MakeTable("CRUDES");
    EXPECT_EQ(Put(1, MaskedText(Page->Columns[0].EditMask, "brent crude oil")), "");
    EXPECT_EQ(Put(2, "850"), "");
    EXPECT_EQ(GridRows(), (Rows{"BRENT CRUDE ,850,0,0,0"}));
}

TEST_F(DataTables, NewRowsTakeTheTableAndStartAtZero) {
    MakeTable("WATER");
    Put(1, "20");
    Page->AppendRow();
    EXPECT_EQ(GridRows(), (Rows{"20,0,0,0,0", "0,0,0,0,0"}));
    store::Table& data = Views->DataUser;
    data.Last();
    EXPECT_EQ(data.FieldByName("Type").AsString(), "OP_HEAT_FLUID_TYPE_USER");
    EXPECT_EQ(data.FieldByName("Item").AsString(), "WATER");
    EXPECT_EQ(data.FieldByName("Sort").AsString(), "DATA");
}

TEST_F(DataTables, TheDefaultTableIsNeverDeleted) {
    const std::string before = ReadBytes(UserData);
    Page->ButtonTableDeleteClick();
    EXPECT_EQ(Prompter.LastText(), text::DefaultNotDeleted);
    EXPECT_EQ(Prompter.Boxes.back().Kind, base::MessageKind::Information);
    EXPECT_EQ(ReadBytes(UserData), before);
}

TEST_F(DataTables, DeletingATableRemovesAllItsRowsAfterTheQuestion) {
    MakeTable("KEEP");
    MakeTable("WATER");
    Page->AppendRow();
    const std::string before = ReadBytes(UserData);
    Prompter.Answers = {base::Answer::No};
    Page->ButtonTableDeleteClick();
    EXPECT_EQ(Prompter.LastText(), text::DeleteTableQuestion);
    EXPECT_EQ(ReadBytes(UserData), before);

    Page->ButtonTableDeleteClick();
    EXPECT_EQ(Selected(), "DEFAULT");
    EXPECT_FALSE(Page->GridEnabled());
    EXPECT_EQ(Page->TableNames(), (Rows{"DEFAULT", "KEEP"}));
    store::Table user(UserData);
    user.Open();
    EXPECT_EQ(user.RecordCount(), 2) << "the other table's two rows are left";
}

TEST_F(DataTables, DeletingTheOnlyRowDeletesTheTable) {
    MakeTable("WATER");
    Page->AppendRow();
    // With two rows one goes.
    EXPECT_TRUE(Views->DataUser.Delete());
    EXPECT_EQ(GridRows().size(), 1u);

    Prompter.Answers = {base::Answer::No};
    EXPECT_FALSE(Views->DataUser.Delete());
    EXPECT_EQ(Prompter.LastText(), text::DeleteTableQuestion);
    EXPECT_EQ(GridRows().size(), 1u);
    EXPECT_EQ(Selected(), "WATER");

    EXPECT_FALSE(Views->DataUser.Delete()) << "the row deletion itself is abandoned";
    EXPECT_EQ(Selected(), "DEFAULT");
    EXPECT_EQ(Page->TableNames(), (Rows{"DEFAULT"}));
    store::Table user(UserData);
    user.Open();
    EXPECT_EQ(user.RecordCount(), 0);
}

TEST_F(DataTables, ChoosingATableShowsItsRows) {
    MakeTable("A");
    Put(1, "10");
    MakeTable("B");
    Page->SelectTable("A");
    EXPECT_EQ(Selected(), "A");
    EXPECT_EQ(GridRows(), (Rows{"10,0,0,0,0"}));
    Page->SelectTable("DEFAULT");
    EXPECT_FALSE(Page->GridEnabled());
    EXPECT_TRUE(GridRows().empty());
}

TEST(TableKeys, TitlesAndCellsTakeTheirCharacters) {
    for (char key : std::string("\b\t\r %()+-/:_09AZaz"))
        EXPECT_TRUE(TableTitleKeyPasses(key)) << key;
    for (char key : std::string("'\".,;*&@")) EXPECT_FALSE(TableTitleKeyPasses(key)) << key;
    for (char key : std::string("\b\t\r -09AZaz"))
        EXPECT_TRUE(TableCellKeyPasses("GU_TEXT", key)) << key;
    for (char key : std::string(".+,'/")) EXPECT_FALSE(TableCellKeyPasses("GU_TEXT", key)) << key;
    for (char key : std::string("\b\t\r+-.09Ee"))
        EXPECT_TRUE(TableCellKeyPasses("GU_DENSITY", key)) << key;
    for (char key : std::string(" aAZ,"))
        EXPECT_FALSE(TableCellKeyPasses("GU_DENSITY", key)) << key;
    EXPECT_EQ(MaskedText(">CCCCCCCCCCCC", "light fuel oil"), "LIGHT FUEL O");
    EXPECT_EQ(MaskedText("", "light"), "light");
}

}  // namespace
}  // namespace kv::editor::testing
