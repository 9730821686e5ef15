#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "PdfTools.h"
#include "ReportFixture.h"
#include "support/CliRun.h"

namespace kv::report::test {
namespace {

class CliReportInterop : public ReportFixture {
  protected:
    std::string Cli(const std::string& arguments, int& status) {
        kv::testing::CliResult run = kv::testing::RunCli("report " + arguments);
        status = run.Status;
        return run.Output;
    }
};

TEST_F(CliReportInterop, WritesTheReportOfACustomVersion) {
    WriteVersion({{"ID_VAR_FLOW", "DT_FLOAT", "Flow", "OP_MENU_VARIABLES", "Values",
                   "OP_ACCESS_DISPLAY", "1.5", "", "", "FLOW", "FLOW", "", ""}});
    WriteUserPacks("758", "TS01", "000001", "Custom Flow Application");
    const std::string pdf = Path("elsewhere.pdf");
    int status = -1;
    const std::string out = Cli("758-TS01-000001 -o " + pdf + " --install " + Root(), status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(out, pdf + "\n");
    const auto pages = PageTexts(pdf);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(
        std::regex_search(pages[1], std::regex(R"(758-TS01-000001:\s+Custom Flow Application)")))
        << pages[1];
    EXPECT_NE(pages[1].find("740-PM Software Revision: 3.0.201"), std::string::npos);
    EXPECT_NE(pages[1].find("FLOW"), std::string::npos);
}

TEST_F(CliReportInterop, RefusesWhatIsNotAVersionOfTheCatalogue) {
    WriteVersion({});
    WriteUserPacks("758", "TS01", "000001", "Custom Flow Application");
    int status = -1;
    const std::string unknown = Cli("758-TS01-000002 --install " + Root(), status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(unknown.find("the version table of 758-TS01-000002 does not exist (" + Root() +
                           "/dbs/user/758-TS01-000002.db)"),
              std::string::npos)
        << unknown;
    std::filesystem::copy_file(Path("dbs/user/758-TS01-000001.db"),
                               Path("dbs/user/758-TS01-000002.db"));
    const std::string unlisted = Cli("758-TS01-000002 --install " + Root(), status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(unlisted.find("The catalogue holds no version 758-TS01-000002"), std::string::npos)
        << unlisted;
    const std::string malformed = Cli("758-TS01-00000/ --install " + Root(), status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(malformed.find("is not a MODEL-PACK-CODE"), std::string::npos) << malformed;
    const std::string noInstall = Cli("758-TS01-000001 --install " + Path("nothing"), status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(noInstall.find("no installation at"), std::string::npos) << noInstall;
}

}  // namespace
}  // namespace kv::report::test
