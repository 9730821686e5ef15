// Start-up and exit over a copy of the demo installation.
#include <filesystem>
#include <fstream>

#include "InstallFixture.h"
#include "assets/AssetFiles.h"
#include "assets/EngineeringUnits.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"
#include "store/FileAccess.h"
#include "store/Table.h"

namespace kv::catalogue::test {

namespace fs = std::filesystem;
using base::Answer;

namespace {

int Rows(const std::string& table) {
    store::Table t(table);
    t.SetReadOnly(true);
    t.Open();
    return t.RecordCount();
}

}  // namespace

using Startup = InstallFixture;

TEST_F(Startup, FirstStartMakesTheUserTablesWithoutAQuestionAndSelectsModel758) {
    ASSERT_TRUE(fs::is_empty(UserDir()));
    Manager& m = Start();
    EXPECT_TRUE(prompter.Boxes.empty()) << prompter.LastText();
    EXPECT_FALSE(m.Closing);
    EXPECT_EQ(intros, 1);
    EXPECT_EQ(Rows(UserPackTable()), 0);
    EXPECT_EQ(Rows(UserDataTable()), 0);
    {
        store::Table data(UserDataTable());
        data.Open();
        EXPECT_EQ(data.GetFieldDefs(), DataTableFields());
    }
    EXPECT_TRUE(m.ModelButtons[0].Enabled && m.ModelButtons[1].Enabled);
    EXPECT_TRUE(m.ModelButtons[1].Down);
    EXPECT_EQ(m.FilterBox.Text(Slot::Model), "758");
    EXPECT_EQ(m.StatusRevision, "Revision: 3.0.201");
    EXPECT_TRUE(m.Preferences.OriginalEnabled);
    EXPECT_TRUE(m.TableAccess.Active());
    EXPECT_FALSE(m.DeveloperPageVisible);
    for (bool enabled : m.HelpEnabled) EXPECT_TRUE(enabled);
    for (const char* file :
         {"746-ggui.h", "758-ggui.h", "H8S-2144.cmd", "H8S-2145.cmd", "746-opts.db", "758-opts.db",
          "lib746.a", "lib758.a", "740-ggui.h", "lib740.a", "740-opts.db"})
        EXPECT_TRUE(fs::exists(file)) << file;
}

TEST_F(Startup, MissingHelpDocumentsDisableTheirItems) {
    fs::remove(Root() / "help" / "740-PM_ReleaseNotes.pdf");
    fs::remove(Root() / "help" / "746-HW-AP.pdf");
    Manager& m = Start();
    EXPECT_EQ(m.HelpEnabled, (std::array<bool, HelpItemCount>{true, false, false, true}));
}

TEST_F(Startup, StartingTwiceAppendsTheUnitRowsOnce) {
    const int stored746 = [] {
        assets::WriteResource(assets::Resource::FileOptions746);
        return Rows("746-opts.db");
    }();
    Start();
    const int units = static_cast<int>(assets::EngineeringUnits().size());
    EXPECT_EQ(Rows("746-opts.db"), stored746 + units);
    const int first758 = Rows("758-opts.db");
    manager.reset();
    Start();
    EXPECT_EQ(Rows("746-opts.db"), stored746 + units);
    EXPECT_EQ(Rows("758-opts.db"), first758);
}

// A user table left by an older release: its structure lacks the last field.
struct OutOfDateCase {
    const char* Name;
    bool PackTable;  // else the data table file
    Answer Reply;
};

class OutOfDate : public InstallFixture, public ::testing::WithParamInterface<OutOfDateCase> {};

TEST_P(OutOfDate, OkRepairsCancelClosesLeavingEveryFile) {
    const OutOfDateCase c = GetParam();
    AddCustomVersion("758", "FP01", "000001", "Custom");
    store::Table::Create(UserDataTable(), DataTableFields());
    auto fields = c.PackTable ? PackTableFields() : DataTableFields();
    fields.pop_back();
    const std::string old = c.PackTable ? UserPackTable() : UserDataTable();
    fs::remove(store::NativePath(old));
    store::Table::Create(old, fields);
    const Snapshot before = TakeSnapshot(Root() / "dbs");

    prompter.Answers = {c.Reply};
    Manager& m = Start();
    ASSERT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_EQ(prompter.Boxes[0].Text, c.PackTable ? text::PacksOutOfDate : text::DataOutOfDate);
    EXPECT_EQ(prompter.Boxes[0].Kind, base::MessageKind::Warning);
    EXPECT_EQ(prompter.Boxes[0].Choice, base::Buttons::OkCancel);

    if (c.Reply == Answer::Cancel) {
        EXPECT_TRUE(m.Closing);
        EXPECT_EQ(closes, 1);
        EXPECT_EQ(intros, 0);
        EXPECT_TRUE(m.FormClose());
        EXPECT_EQ(prompter.Boxes.size(), 1u) << "no exit question when closing";
        EXPECT_EQ(TakeSnapshot(Root() / "dbs"), before);
        return;
    }
    EXPECT_FALSE(m.Closing);
    EXPECT_EQ(intros, 1);
    store::Table repaired(old);
    repaired.Open();
    EXPECT_EQ(repaired.GetFieldDefs(), c.PackTable ? PackTableFields() : DataTableFields());
    EXPECT_EQ(repaired.RecordCount(), 0);
    // Only the pack table's repair takes the custom versions with it.
    EXPECT_EQ(fs::exists(UserDir() / "758-FP01-000001.db"), !c.PackTable);
    EXPECT_EQ(TakeSnapshot(Root() / "dbs" / "default"),
              TakeSnapshot(fs::path(KV740_DEMO_INSTALL) / "dbs" / "default"));
}

INSTANTIATE_TEST_SUITE_P(UserTables, OutOfDate,
                         ::testing::Values(OutOfDateCase{"PackOk", true, Answer::Ok},
                                           OutOfDateCase{"PackCancel", true, Answer::Cancel},
                                           OutOfDateCase{"DataOk", false, Answer::Ok},
                                           OutOfDateCase{"DataCancel", false, Answer::Cancel}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Startup, ACatalogueOfModel746OnlySelectsIt) {
    KeepFactoryModels({"746"});
    Manager& m = Start();
    EXPECT_TRUE(m.ModelButtons[0].Enabled);
    EXPECT_FALSE(m.ModelButtons[1].Enabled);
    EXPECT_EQ(m.FilterBox.Text(Slot::Model), "746");
    EXPECT_EQ(m.StatusRevision, "Revision: 2.8.8.5");
    EXPECT_FALSE(m.Preferences.OriginalEnabled);
    const Snapshot bin = TakeSnapshot(".");
    EXPECT_EQ(bin.at("740-ggui.h"), bin.at("746-ggui.h"));
    EXPECT_EQ(bin.at("lib740.a"), bin.at("lib746.a"));
}

TEST_F(Startup, AnEmptyCatalogueSelectsNoModel) {
    KeepFactoryModels({});
    Manager& m = Start();
    EXPECT_FALSE(m.ModelButtons[0].Enabled);
    EXPECT_FALSE(m.ModelButtons[1].Enabled);
    EXPECT_EQ(m.FilterBox.Text(Slot::Model), "Model");
    EXPECT_FALSE(m.TableAccess.Active());
    EXPECT_FALSE(fs::exists("740-opts.db"));
    EXPECT_EQ(intros, 1);
    m.ActionIdleUpdate();
    EXPECT_FALSE(m.State(Command::Download).Enabled);
    EXPECT_TRUE(prompter.Boxes.empty());
}

TEST_F(Startup, ExitAnsweredNoDeletesNothingYesDeletesTheWorkingFiles) {
    Manager& m = Start();
    for (const char* file : WorkingFiles) std::ofstream(file) << "x";
    const Snapshot before = TakeSnapshot(".");

    prompter.Answers = {Answer::No};
    EXPECT_FALSE(m.FormClose());
    EXPECT_EQ(prompter.LastText(), text::ExitQuestion);
    EXPECT_EQ(prompter.Boxes.back().Kind, base::MessageKind::Confirmation);
    EXPECT_EQ(prompter.Boxes.back().Choice, base::Buttons::YesNo);
    EXPECT_EQ(TakeSnapshot("."), before);
    EXPECT_TRUE(m.TableAccess.Active());

    prompter.Answers = {Answer::Yes};
    EXPECT_TRUE(m.FormClose());
    EXPECT_TRUE(TakeSnapshot(".").empty()) << TakeSnapshot(".").begin()->first;
    EXPECT_FALSE(m.TableAccess.Active());
}

}  // namespace kv::catalogue::test
