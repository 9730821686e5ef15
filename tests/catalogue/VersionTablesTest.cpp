// The switch of the version tables, the posting rule and the refusals around item rows.
#include <filesystem>
#include <fstream>
#include <set>

#include "InstallFixture.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"
#include "store/Table.h"

namespace kv::catalogue::test {

namespace fs = std::filesystem;

namespace {

template <typename Buttons>
std::set<std::string> Enabled(const Buttons& buttons) {
    std::set<std::string> on;
    for (const ButtonState& b : buttons)
        if (b.Enabled) on.insert(b.Caption);
    return on;
}

// A custom version of 758-FP01 whose items sit under exactly these menus.
void WriteItems(const std::string& table, const std::vector<std::vector<std::string>>& items) {
    store::Table t(table);
    t.Open();
    store::Batch batch(t);
    while (!t.IsEmpty()) {
        t.First();
        t.Delete();
    }
    for (const auto& item : items) t.AppendRecord(item);  // ID, Type, Item, Menu
}

}  // namespace

using VersionTables = InstallFixture;

TEST_F(VersionTables, TheSwitchEnablesExactlyTheCategoriesTheVersionHas) {
    AddCustomVersion("758", "FP01", "000001", "Menus");
    WriteItems("..\\dbs\\user\\758-FP01-000001.db",
               {{"ID_VAR_TOTAL1", "DT_TOTAL", "Total", "OP_MENU_VARIABLES"},
                {"ID_VAR_HIDDEN", "DT_FLOAT", "Hidden", "OP_MENU_VARIABLES_HIDDEN"},
                {"ID_VAR_TAG", "DT_TAG", "Tag", "OP_MENU_VARIABLES"},
                {"ID_K_FACTOR", "DT_FLOAT", "K-factor", "OP_MENU_INPUTS_X"},
                {"ID_RELAY_1", "DT_TEXT", "Relay 1", "OP_MENU_RELAYS"},
                {"ID_FOOTER_1", "DT_TEXT", "Footer", "OP_MENU_FOOTERS"}});
    Manager& m = Start();
    Select("FP01");
    m.SpeedButtonVersionsClick();
    Select("FP01", "000001");
    m.ActionIdleUpdate();

    EXPECT_EQ(Enabled(m.ConfigurationCategories), (std::set<std::string>{"VARIABLES"}));
    EXPECT_EQ(Enabled(m.MessagesCategories), (std::set<std::string>{"ALARMS"}));
    EXPECT_EQ(Enabled(m.PrinterCategories), (std::set<std::string>{"FOOTERS"}));
    EXPECT_FALSE(m.PrinterTextTabVisible);

    for (store::Table* view : {&m.TableVersion, &m.TableVariables, &m.TableOutputs, &m.TableRates,
                               &m.TableTotals, &m.TableFactors, &m.TablePoints}) {
        EXPECT_TRUE(view->Active());
        EXPECT_EQ(view->TableName(), "..\\dbs\\user\\758-FP01-000001.db");
        EXPECT_TRUE(view->CanModify());
        EXPECT_TRUE(view->Filtered());
    }
    // The variables filter also lists the hidden menu; the variables view leaves it and tags out.
    EXPECT_EQ(m.TableVersion.RecordCount(), 3);
    EXPECT_EQ(m.TableVariables.RecordCount(), 1);
    EXPECT_EQ(m.TableTotals.RecordCount(), 1);
    EXPECT_TRUE(m.QueryOptions.Active());

    // The factory version is bound read-only and shows its printer text.
    m.SpeedButtonApplicationsClick();
    m.ActionIdleUpdate();
    EXPECT_EQ(m.TableVersion.TableName(), "..\\dbs\\default\\758-FP01-000000.db");
    EXPECT_FALSE(m.TableVersion.CanModify());
    EXPECT_FALSE(m.TableFactors.CanModify());
    EXPECT_TRUE(m.PrinterTextTabVisible);
    EXPECT_EQ(Enabled(m.MessagesCategories),
              (std::set<std::string>{"ERRORS", "WARNINGS", "ALARMS", "PROMPTS"}));
}

TEST_F(VersionTables, PageChangesSelectTheFirstCategoryOfThePage) {
    Manager& m = Start();
    Select("FP01");
    m.ActionIdleUpdate();
    ASSERT_TRUE(m.ChangePage(Page::Messages));
    EXPECT_EQ(m.TableVersion.Filter(), "Menu = 'OP_MENU_ERRORS*'");
    EXPECT_TRUE(m.MessagesCategories[0].Down);
    m.SelectItemCategory(Page::Messages, "ALARMS");
    EXPECT_EQ(m.TableVersion.Filter(), "Menu = 'OP_MENU_RELAYS*'");
    ASSERT_TRUE(m.ChangePage(Page::PrinterText));
    EXPECT_EQ(m.TableVersion.Filter(), "Menu = 'OP_MENU_HEADERS*'");
    ASSERT_TRUE(m.ChangePage(Page::Instruments));
    EXPECT_EQ(m.TableVersion.Filter(), "Menu = 'OP_MENU_VARIABLES*'");
    EXPECT_TRUE(m.ConfigurationCategories[0].Down);
}

TEST_F(VersionTables, ThePostingRuleCommitsAPendingEditWhenThePageChanges) {
    AddCustomVersion("758", "FP01", "000001", "Edited");
    Manager& m = Start();
    Select("FP01");
    m.SpeedButtonVersionsClick();
    Select("FP01", "000001");
    m.ActionIdleUpdate();
    m.TableVersion.Edit();
    m.TableVersion.FieldByName("LabelTag2").SetAsString("MYTAG");
    const std::string id = m.TableVersion.FieldByName("ID").AsString();
    ASSERT_TRUE(m.ChangePage(Page::Configuration));

    store::Table onDisk("..\\dbs\\user\\758-FP01-000001.db");
    onDisk.SetReadOnly(true);
    onDisk.Open();
    ASSERT_TRUE(onDisk.Locate("ID", {id}));
    EXPECT_EQ(onDisk.FieldByName("LabelTag2").AsString(), "MYTAG");
}

TEST_F(VersionTables, ItemRowsAreNeverInsertedOrDeleted) {
    AddCustomVersion("758", "FP01", "000001", "Rows");
    const auto before = TakeSnapshot(UserDir());
    Manager& m = Start();
    Select("FP01");
    m.SpeedButtonVersionsClick();
    Select("FP01", "000001");
    m.ActionIdleUpdate();
    const int rows = m.TableVersion.RecordCount();
    for (store::Table* view : {&m.TableVersion, &m.TableFactors, &m.TableVariables}) {
        EXPECT_FALSE(view->Append());
        EXPECT_FALSE(view->Insert());
        EXPECT_FALSE(view->Delete());
    }
    EXPECT_EQ(m.TableVersion.RecordCount(), rows);
    EXPECT_TRUE(prompter.Boxes.empty());
    m.TablesPost();
    EXPECT_EQ(TakeSnapshot(UserDir()).at("758-FP01-000001.db"), before.at("758-FP01-000001.db"));
}

TEST_F(VersionTables, ANameTooLongClosesTheManagerWithItsMessage) {
    Manager& m = Start();
    m.FilterBox[Slot::FileName] = {"..\\dbs\\user\\" + std::string(300, 'x') + ".db", true};
    m.ActionIdleUpdate();
    EXPECT_EQ(prompter.LastText(),
              "Installation path name is too long, please reinstall 740-Series Program Manager");
    EXPECT_EQ(prompter.Boxes.back().Kind, base::MessageKind::Error);
    EXPECT_TRUE(m.Closing);
    EXPECT_EQ(closes, 1);
    m.ActionIdleUpdate();
    EXPECT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_TRUE(m.FormClose()) << "no question when closing";
}

TEST_F(VersionTables, OtherFailuresOfTheSwitchAreTriedAgain) {
    AddCustomVersion("758", "FP01", "000001", "Damaged");
    const fs::path table = UserDir() / "758-FP01-000001.db";
    const auto good = TakeSnapshot(UserDir()).at("758-FP01-000001.db");
    std::ofstream(table, std::ios::binary | std::ios::trunc) << "not a table";
    Manager& m = Start();
    Select("FP01");
    m.SpeedButtonVersionsClick();
    Select("FP01", "000001");
    m.ActionIdleUpdate();
    EXPECT_FALSE(m.TableVersion.Active());
    EXPECT_TRUE(prompter.Boxes.empty());
    std::ofstream(table, std::ios::binary | std::ios::trunc) << good;
    m.ActionIdleUpdate();
    EXPECT_TRUE(m.TableVersion.Active());
}

}  // namespace kv::catalogue::test
