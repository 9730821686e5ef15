// 740-cli version: the lifecycle headless, with the manager's refusals.
#include "VersionFixture.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionTexts.h"
#include "support/CliRun.h"

namespace kv::catalogue::testing {
namespace {

class VersionCli : public InstallationCopy {
  protected:
    void SetUp() override {
        InstallationCopy::SetUp();
        fs::create_directories(Root / "xdg/Morvane");
        std::ofstream(Root / "xdg/Morvane/740-Series Program Manager.ini")
            << "[3.0.201]\nCompany=Acme Flow Ltd\n";
    }
    // Runs "740-cli version ARGUMENTS --install ROOT"; standard output and error together.
    std::string Cli(const std::string& arguments, int& status) {
        kv::testing::CliResult run =
            kv::testing::RunCli("version " + arguments + " --install '" + Root.string() + "'", {},
                                {{"XDG_CONFIG_DIRS", (Root / "xdg").string()}});
        status = run.Status;
        return run.Output;
    }
    std::string Ok(const std::string& arguments) {
        int status = -1;
        const std::string out = Cli(arguments, status);
        EXPECT_EQ(status, 0) << arguments << "\n" << out;
        return out;
    }
};

TEST_F(VersionCli, MakesDescribesAndDeletesACustomVersion) {
    const std::string made = Ok("new 758-FP01-000000 --code 120001 --title 'Line 4 meter'");
    EXPECT_NE(made.find("Created By: Acme Flow Ltd\n"), std::string::npos) << made;
    EXPECT_NE(made.find("Version Title: Line 4 meter\n"), std::string::npos) << made;
    EXPECT_EQ(ReadFile(User("758-FP01-120001")), ReadFile(Factory("758-FP01-000000")));

    // From a custom version, with its items.
    Ok("new 758-FP01-120001 --code 120002 --creator 'Site 9' --description 'Second line'");
    EXPECT_EQ(ReadFile(User("758-FP01-120002")), ReadFile(User("758-FP01-120001")));
    const PackRecord second = FindPackRecord({"758", "FP01", "120002"});
    EXPECT_EQ(second.Creator, "Site 9");
    EXPECT_EQ(second.CustomTitle, text::NewVersionTitle);
    EXPECT_EQ(second.CustomDescription, "Second line");

    const std::string items = ReadFile(User("758-FP01-120001"));
    Ok("edit 758-FP01-120001 --description 'Moved to line 5'");
    EXPECT_EQ(FindPackRecord({"758", "FP01", "120001"}).CustomDescription, "Moved to line 5");
    EXPECT_EQ(FindPackRecord({"758", "FP01", "120001"}).CustomTitle, "Line 4 meter");
    EXPECT_EQ(ReadFile(User("758-FP01-120001")), items);

    const std::string shown = Ok("show 758-FP01-120001");
    EXPECT_NE(shown.find("Version Code: 120001\nVersion Title: Line 4 meter\nVersion Description: "
                         "Moved to line 5\n"),
              std::string::npos)
        << shown;

    Ok("delete 758-FP01-120001");
    EXPECT_FALSE(fs::exists(User("758-FP01-120001")));
    EXPECT_EQ(UserRecords(), 1);
}

TEST_F(VersionCli, RefusalsPrintTheMessageAndWriteNothing) {
    Ok("new 758-FP01-000000 --code 120001");
    const auto before = Snapshot(Root);
    struct Case {
        const char* Arguments;
        int Status;
        const char* Message;
    } cases[] = {
        {"new 758-FP01-000000 --code 1234", 1, text::CodeTooShort},
        {"new 758-FP01-000000 --code 000000", 1, text::VersionExists},
        {"new 758-FP01-120001 --code 120001", 1, text::VersionExists},
        {"new 758-FT01-000000 --code 120001", 1, text::NotAvailable},  // no item table
        {"delete 758-FP01-000000", 1, text::CannotDelete},
        {"edit 758-FP01-000000 --title Mine", 1, text::FactoryNotEditable},
        {"delete 758-FP01-120009", 1, "The catalogue holds no version 758-FP01-120009"},
        {"new 758-FP01-000000 --code 12a456", 2, "is not a version code"},
        {"new 758-FP01-000000", 2, "--code is required"},
        {"edit 758-FP01-120001 --code 120002", 2, "not expected"},
        {"new 758-FP01-000000 --code 120002 --creator 0123456789012345678901234567890", 2,
         "at most 30"},
        {"rename 758-FP01-120001", 2, "show, new, edit or delete expected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Arguments);
        int status = -1;
        const std::string out = Cli(c.Arguments, status);
        EXPECT_EQ(status, c.Status);
        EXPECT_NE(out.find(c.Message), std::string::npos) << out;
        EXPECT_EQ(Snapshot(Root), before);
    }
}

}  // namespace
}  // namespace kv::catalogue::testing
