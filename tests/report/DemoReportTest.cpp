#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "PdfTools.h"
#include "ReportFixture.h"
#include "store/Store.h"
#include "support/CliRun.h"

namespace kv::report::test {
namespace {

namespace fs = std::filesystem;

// The demo installation's factory tables, with user versions made here as the manager would.
class DemoReports : public ReportFixture {
  protected:
    void SetUp() override {
        ReportFixture::SetUp();
        for (const auto& entry : fs::directory_iterator(fs::path(DEMO_INSTALL) / "dbs" / "default"))
            fs::copy_file(entry.path(),
                          Path("dbs/default") + "/" + entry.path().filename().string());
    }

    // Runs 740-cli report for the version into `pdf`; its exit status.
    int CliReport(const std::string& version, const std::string& pdf,
                  std::string* output = nullptr) {
        kv::testing::CliResult run =
            kv::testing::RunCli("report " + version + " -o " + pdf + " --install " + Root());
        if (output) *output = run.Output;
        return run.Status;
    }

    std::vector<std::string> Versions() {
        std::vector<std::string> versions;
        kv::store::Table packs(Path("dbs/default/740-pack.db"));
        packs.SetReadOnly(true);
        packs.Open();
        for (packs.First(); !packs.Eof(); packs.Next())
            versions.push_back(packs.FieldByName("Model").AsString() + "-" +
                               packs.FieldByName("Pack").AsString() + "-" +
                               packs.FieldByName("Code").AsString());
        return versions;
    }
};

TEST_F(DemoReports, EveryVersionWithATableGivesACheckedReport) {
    int reports = 0;
    for (const std::string& version : Versions()) {
        const std::string pdf = Path(version + ".pdf");
        std::string output;
        const int status = CliReport(version, pdf, &output);
        if (!fs::exists(Path("dbs/default/" + version + ".db"))) {
            EXPECT_EQ(status, 1) << version;  // a catalogue record without its table
            EXPECT_NE(output.find("the version table of " + version + " does not exist (" +
                                  Path("dbs/default/" + version + ".db") + ")"),
                      std::string::npos)
                << output;
            continue;
        }
        ++reports;
        ASSERT_EQ(status, 0) << version << ": " << output;
        int check = -1;
        RunTool("qpdf --check '" + pdf + "' >/dev/null 2>&1", &check);
        EXPECT_EQ(check, 0) << version;
        const auto pages = PageTexts(pdf);
        ASSERT_GE(pages.size(), 3u) << version;
        for (size_t i = 0; i < pages.size(); ++i) {
            EXPECT_TRUE(std::regex_search(pages[i], std::regex(version + R"(:\s+\S)")))
                << version << " page " << i + 1;
            EXPECT_TRUE(std::regex_search(pages[i],
                                          std::regex("Page " + std::to_string(i + 1) + R"(\s*$)")))
                << version << " page " << i + 1;
        }
        const auto outline = Outline(pdf);
        ASSERT_GE(outline.size(), 2u) << version;
        EXPECT_EQ(outline[0].Title, "Instrument Configuration Report / Order Form");
        EXPECT_EQ(outline[1].Title, "Variables (Main Menu, etc.)");
    }
    EXPECT_GE(reports, 17);
}

TEST_F(DemoReports, GasComputerPagesAndOutline) {
    ASSERT_EQ(CliReport("758-GN01-000000", Pdf()), 0);
    EXPECT_EQ(InfoField(Pdf(), "Pages"), "16");
    const std::vector<std::pair<std::string, int>> expected = {
        {"Instrument Configuration Report / Order Form", 1},
        {"Variables (Main Menu, etc.)", 2},
        {"Application Parameters", 3},
        {"Signal Inputs", 4},
        {"Signal Outputs", 5},
        {"Relay Alarms", 6},
        {"Communication Ports", 7},
        {"Real Time Clock and Logging Settings", 8},
        {"Other Configuration Settings", 9},
        {"Warning/Error/Alarm/Prompt Messages", 10},
        {"Headers/Footers (Printer Text)", 11},
        {"Analog Input 1 Correction", 12},
        {"Analog Input 2 Correction", 13},
        {"Analog Input 3 Correction", 14},
        {"Analog Input 4 Correction", 15},
        {"Gas Composition Table", 16},
    };
    std::vector<std::pair<std::string, int>> outline;
    for (const OutlineEntry& entry : Outline(Pdf())) outline.emplace_back(entry.Title, entry.Page);
    EXPECT_EQ(outline, expected);
}

TEST_F(DemoReports, OnlyAUserTableGivesATablesPage) {
    ASSERT_EQ(CliReport("758-HC01-000000", Pdf()), 0);
    for (const std::string& page : PageTexts(Pdf()))
        EXPECT_EQ(page.find("Fluid Property Table ("), std::string::npos);

    // A custom version whose fluid item selects a user table.
    fs::copy_file(Path("dbs/default/758-HC01-000000.db"), Path("dbs/user/758-HC01-000001.db"));
    {
        kv::store::Table version(Path("dbs/user/758-HC01-000001.db"));
        version.Open();
        ASSERT_TRUE(version.Locate("ID", {"ID_HEAT_FLUID_TABLE"}));
        version.Edit();
        version.FieldByName("DefaultValue").SetAsString("GLYCOL");
        version.Post();
    }
    WriteUserPacks("758", "HC01", "000001", "Heat Calculator");
    const char* type = "OP_HEAT_FLUID_TYPE_USER";
    WriteUserData({{type, "GLYCOL", "TABLE", "GU_TEMPERATURE_DEG_C", "GU_DENSITY_KG_M3",
                    "GU_ENTHALPY_SPECIFIC_KJ_KG", "GU_VISCOSITY_CP", ""},
                   {type, "GLYCOL", "DATA", "-20", "1072.5", "3.11", "25.1", ""},
                   {type, "GLYCOL", "DATA", "40", "1042.0", "3.48", "2.2", ""}});
    ASSERT_EQ(CliReport("758-HC01-000001", Pdf()), 0);
    int tablesPages = 0;
    for (const std::string& page : PageTexts(Pdf())) {
        if (page.find("Fluid Property Table (GLYCOL)") == std::string::npos) continue;
        ++tablesPages;
        EXPECT_NE(page.find("Temperature, DEG C"), std::string::npos) << page;
        EXPECT_NE(page.find("Density, KG/m3"), std::string::npos) << page;
        EXPECT_NE(page.find("Heat Capacity, KJ/KG"), std::string::npos) << page;
        EXPECT_EQ(page.find("Viscosity"), std::string::npos);
        EXPECT_TRUE(std::regex_search(page, std::regex(R"(-20\s+1072\.5\s+3\.11)"))) << page;
        EXPECT_EQ(page.find("25.1"), std::string::npos);
    }
    EXPECT_EQ(tablesPages, 1);
}

}  // namespace
}  // namespace kv::report::test
