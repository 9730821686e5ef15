// The version lifecycle on the manager: the new version selected in the Versions view, the
// catalogue position and the edit mark kept when the dialog closes, deletion moving on.
#include <fstream>

#include "InstallFixture.h"
#include "catalogue/ManagerVersionHost.h"
#include "catalogue/VersionTexts.h"
#include "store/FileAccess.h"

namespace kv::catalogue::test {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ManagerVersions : public InstallFixture {
  protected:
    Manager& StartAt(const std::string& pack, const std::string& code = "000000") {
        Manager& m = Start();
        Select(pack, code);
        m.ActionIdleUpdate();  // the version's tables are bound
        return m;
    }
    bool NewVersion(Manager& m, const std::string& code) {
        VersionInfo info(prompter, *Host(m));
        info.SettingsFile = Root() / "none.ini";
        info.Show(InfoMode::New, m.StatusRevision);
        const bool made =
            info.BitBtnOKClick({"Line 4 meter", "", info.Creator, "2026-12-10", code});
        info.FormClose();
        m.ActionIdleUpdate();
        return made;
    }
    ManagerVersionHost* Host(Manager& m) {
        if (!host) host = std::make_unique<ManagerVersionHost>(m);
        return host.get();
    }
    std::unique_ptr<ManagerVersionHost> host;
};

TEST_F(ManagerVersions, ANewVersionIsSelectedInTheVersionsViewWithTheItemsItWasMadeFrom) {
    Manager& m = StartAt("FP01");
    ASSERT_TRUE(NewVersion(m, "120001")) << prompter.LastText();
    EXPECT_FALSE(m.ApplicationsView);
    EXPECT_EQ(m.FilterBox.Text(Slot::Version), "758-FP01-120001");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"FP01-000000", "FP01-120001"}));
    EXPECT_EQ(m.TableVersion.TableName(), "..\\dbs\\user\\758-FP01-120001.db");
    EXPECT_EQ(Bytes(UserDir() / "758-FP01-120001.db"),
              Bytes(Root() / "dbs/default/758-FP01-000000.db"));
    EXPECT_FALSE(fs::exists("740-temp.db"));
}

TEST_F(ManagerVersions, ClosingTheDialogKeepsThePositionAndTheEditMark) {
    AddCustomVersion("758", "FP01", "000001", "First");
    AddCustomVersion("758", "FP01", "000002", "Second");
    Manager& m = StartAt("FP01");
    m.SpeedButtonVersionsClick();
    Select("FP01", "000002");
    m.ActionIdleUpdate();
    m.ActionEditExecute();
    ASSERT_TRUE(m.EditMode());

    VersionInfo info(prompter, *Host(m));
    info.Show(InfoMode::Edit, m.StatusRevision);
    ASSERT_TRUE(info.BitBtnOKClick({"Second line", "Moved", "", "", ""}));
    info.FormClose();
    EXPECT_EQ(m.FilterBox.Text(Slot::Version), "758-FP01-000002");
    EXPECT_TRUE(m.EditMode());
    EXPECT_EQ(FindPackRecord({"758", "FP01", "000002"}).CustomTitle, "Second line");
}

TEST_F(ManagerVersions, DeletingMovesTheCatalogueToARemainingVersionThenRemovesTheTable) {
    Manager& m = StartAt("FP01");
    ASSERT_TRUE(NewVersion(m, "120001"));
    VersionInfo info(prompter, *Host(m));
    info.ActionDeleteExecute(SelectedVersion(m.FilterBox));
    EXPECT_EQ(prompter.LastText(), text::DeleteQuestion);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"FP01-000000"}));
    EXPECT_EQ(m.FilterBox.Text(Slot::Version), "758-FP01-000000");
    EXPECT_EQ(m.TableVersion.TableName(), "..\\dbs\\default\\758-FP01-000000.db");
    EXPECT_FALSE(fs::exists(UserDir() / "758-FP01-120001.db"));
}

}  // namespace
}  // namespace kv::catalogue::test
