#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "PdfTools.h"
#include "ReportFixture.h"
#include "base/ScriptedPrompter.h"
#include "store/Store.h"

namespace kv::report::test {
namespace {

const char* const FluidType = "OP_HEAT_FLUID_TYPE_USER";

TItem Variable(std::string id, std::string type, std::string panel, std::string access,
               std::string value, std::string label1, std::string label2, std::string unit1 = "",
               std::string unit2 = "") {
    return {std::move(id),
            std::move(type),
            "Item",
            "OP_MENU_VARIABLES",
            std::move(panel),
            std::move(access),
            std::move(value),
            "",
            "",
            std::move(label1),
            std::move(label2),
            std::move(unit1),
            std::move(unit2)};
}

TItem FluidTable(std::string id, std::string table) {
    return {std::move(id),
            FluidType,
            "Fluid Table",
            "OP_MENU_SETUP",
            "Tables",
            "OP_ACCESS_PROGRAM",
            std::move(table),
            "",
            "",
            "FLUID",
            "FLUID",
            "",
            ""};
}

// A version with every kind of section: the items of the variables and parameters menus show
// each rewrite, the inputs menu holds exactly 40 items.
std::vector<TItem> KnownVersion() {
    std::vector<TItem> items = {
        Variable("ID_VAR_TEMP", "GU_TEMPERATURE", "Units", "OP_ACCESS_NONE", "20.0", "TEMP", "TEMP",
                 "DEG C", "DEG F"),
        Variable("ID_VAR_FLOW", "DT_FLOAT", "Values", "OP_ACCESS_DISPLAY", "1.5", "FLOW", "FLOW2",
                 "L/S", "L/S"),
        Variable("ID_VAR_PRESS", "DT_FLOAT", "Values", "OP_ACCESS_PROGRAM", "2.5", "PRESS", "PRESS",
                 "BAR", "BAR"),
        Variable("ID_VAR_NAME", "DT_TEXT", "Text", "OP_ACCESS_PROTECTED", "HELLO", "NAME", "NAME"),
        Variable("ID_VAR_TOTAL", "DT_FLOAT", "Values", "OP_ACCESS_PRINTOUT", "0", "TOTAL", "TOTAL"),
        {"ID_MODE", "OP_MODE", "Mode", "OP_MENU_PARAMETERS", "Options", "OP_ACCESS_PROGRAM",
         "OP_MODE_FAST", "", "", "MODE", "MODE", "", ""},
        {"ID_PASSWORD", "DT_INTEGER", "Password", "OP_MENU_PARAMETERS", "Password",
         "OP_ACCESS_PROGRAM", "1234", "", "", "PASSW", "PASSW", "", ""},
        {"ID_SOURCE", "DT_ASSIGNMENT", "Source", "OP_MENU_PARAMETERS", "Values",
         "OP_ACCESS_PROGRAM", "ID_VAR_FLOW", "", "", "SOURCE", "SOURCE", "", ""},
        {"ID_ERR_1", "DT_STRING", "Error 1", "OP_MENU_ERRORS", "Messages", "OP_ACCESS_DISPLAY", "",
         "LOW BATTERY", "LOW BATTERY", "", "", "", ""},
        {"ID_ERR_2", "DT_STRING", "Error 2", "OP_MENU_ERRORS", "Messages", "OP_ACCESS_DISPLAY", "",
         "OVER RANGE", "TOO HIGH", "", "", "", ""},
        {"ID_HEADER_1", "DT_STRING", "Header 1", "OP_MENU_HEADERS", "Report", "OP_ACCESS_DISPLAY",
         "", "", "ACME LTD", "", "", "", ""},
        {"ID_FINP1_CORRECTION_FACTORS", "DT_INTEGER", "Input 1 Correction", "OP_MENU_INPUTS",
         "Factors", "OP_ACCESS_PROGRAM", "", "", "", "FCOR", "FCOR", "", ""},
        {"ID_FINP1_CORRECTION_FACTORS", "DT_FLOAT", "Point 1", "OP_MENU_FACTORS", "", "", "01",
         "100", "1.0010", "", "", "", ""},
        {"ID_FINP1_CORRECTION_FACTORS", "DT_FLOAT", "Point 2", "OP_MENU_FACTORS", "", "", "02",
         "200", "1.0020", "", "", "", ""},
        {"ID_PARAMETER_FACTORS", "DT_FLOAT", "Gas Composition", "OP_MENU_SETUP", "Factors",
         "OP_ACCESS_PROGRAM", "", "", "", "MOLAR%", "MOLAR%", "", ""},
        {"ID_PARAMETER_FACTORS", "DT_FLOAT", "Methane", "OP_MENU_FACTORS", "", "", "01", "",
         "0.9500", "", "", "", ""},
        FluidTable("ID_FLUID_TABLE", "MYFLUID"),
    };
    for (int i = 1; i <= 39; ++i) {
        const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
        items.push_back({"ID_INP_" + n, "DT_INTEGER", "Input " + n, "OP_MENU_INPUTS", "Values",
                         "OP_ACCESS_PROGRAM", std::to_string(i), "", "", "IN" + n, "IN" + n, "",
                         ""});
    }
    items.push_back({"ID_INP_SOURCE", "DT_ASSIGNMENT", "Input Source", "OP_MENU_INPUTS", "Values",
                     "OP_ACCESS_PROGRAM", "ID_VAR_FLOW", "", "", "INSRC", "INSRC", "", ""});
    return items;
}

class ReportInterop : public ReportFixture {
  protected:
    void SetUp() override {
        ReportFixture::SetUp();
        WriteOptions({{"OP_MODE", "SLOW", "OP_MODE_SLOW"},
                      {"OP_MODE", "FAST", "OP_MODE_FAST"},
                      {"GU_TEMPERATURE", "DEG C", "GU_TEMPERATURE_DEG_C"},
                      {"GU_DENSITY", "KG/M3", "GU_DENSITY_KG_M3"}});
        WriteFactoryData(
            {{FluidType, "", "TITLE", "Temperature", "Density", "Viscosity", "", ""},
             {FluidType, "", "UNIT", "GU_TEMPERATURE", "GU_DENSITY", "GU_VISCOSITY", "", ""},
             {FluidType, "DEFAULT", "TABLE", "GU_TEMPERATURE_DEG_C", "GU_DENSITY_KG_M3", "", "",
              ""}});
        WriteUserData(
            {{FluidType, "MYFLUID", "TABLE", "GU_TEMPERATURE_DEG_C", "GU_SCALE_NONE", "", "", ""},
             {FluidType, "MYFLUID", "DATA", "10", "999.7", "1.31", "", ""},
             {FluidType, "MYFLUID", "DATA", "20", "998.2", "1.00", "", ""},
             {FluidType, "OTHER", "TABLE", "GU_TEMPERATURE_DEG_C", "GU_DENSITY_KG_M3", "", "", ""},
             {FluidType, "OTHER", "DATA", "30", "995.6", "0.80", "", ""}});
    }

    // Reports `items` and gives the page texts.
    std::vector<std::string> ReportOf(const std::vector<TItem>& items) {
        WriteVersion(items);
        kv::base::ScriptedPrompter prompter;
        TFormPdf form(prompter, std::chrono::year{2024} / 3 / 1);
        EXPECT_TRUE(Report(form));
        EXPECT_TRUE(prompter.Boxes.empty()) << prompter.LastText();
        return PageTexts(Pdf());
    }

    // Page (from 1) of the known version's report with its words.
    const std::vector<Word>& KnownPage(int page) {
        if (words_.empty()) {
            ReportOf(KnownVersion());
            words_ = PageWords(Pdf());
        }
        return words_.at(page - 1);
    }

    std::vector<std::vector<Word>> words_;
};

// Left edges of the cells of an item row.
constexpr double ItemCell[] = {71, 121, 171, 221, 271, 321, 371, 461, 551};

// The text in cell `cell` of the item row whose first cell holds `label`.
std::string ItemCellText(const std::vector<Word>& page, const std::string& label, int cell) {
    const Word* word = FindWord(page, label);
    if (!word) return "<no row " + label + ">";
    return TextIn(page, word->Y, ItemCell[cell], ItemCell[cell + 1]);
}

TEST_F(ReportInterop, KnownVersionGivesItsPagesAndOutline) {
    const auto pages = ReportOf(KnownVersion());
    EXPECT_EQ(InfoField(Pdf(), "Pages"), "11");
    EXPECT_EQ(pages.size(), 11u);
    EXPECT_EQ(InfoField(Pdf(), "Title"), "Instrument Configuration Report / Order Form");
    EXPECT_NE(InfoField(Pdf(), "CreationDate").find("Mar  1"), std::string::npos);
    int status = -1;
    RunTool("qpdf --check '" + Pdf() + "' >/dev/null 2>&1", &status);
    EXPECT_EQ(status, 0);

    const std::vector<std::pair<std::string, int>> expected = {
        {"Instrument Configuration Report / Order Form", 1},
        {"Variables (Main Menu, etc.)", 2},
        {"Application Parameters", 3},
        {"Signal Inputs", 4},
        {"Other Configuration Settings", 6},
        {"Warning/Error/Alarm/Prompt Messages", 7},
        {"Headers/Footers (Printer Text)", 8},
        {"Input 1 Correction", 9},
        {"Gas Composition", 10},
        {"Fluid Table (MYFLUID)", 11},
    };
    std::vector<std::pair<std::string, int>> outline;
    for (const OutlineEntry& entry : Outline(Pdf())) outline.emplace_back(entry.Title, entry.Page);
    EXPECT_EQ(outline, expected);

    // Arial and Times New Roman come out as their metric-compatible stand-ins, embedded.
    std::set<std::string> fonts;
    const std::string listing = RunTool("pdffonts '" + Pdf() + "' 2>&1");
    const std::regex font(R"(\n[A-Z]{6}\+(\S+)\s+TrueType\s+\S+\s+yes)");
    for (auto it = std::sregex_iterator(listing.begin(), listing.end(), font);
         it != std::sregex_iterator(); ++it)
        fonts.insert((*it)[1]);
    EXPECT_EQ(fonts, (std::set<std::string>{"LiberationSans", "LiberationSans-Bold",
                                            "LiberationSerif", "LiberationSerif-Bold"}))
        << listing;
}

TEST_F(ReportInterop, EveryPageHasHeaderFooterAndRunningNumber) {
    const auto pages = ReportOf(KnownVersion());
    ASSERT_EQ(pages.size(), 11u);
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string& page = pages[i];
        EXPECT_TRUE(std::regex_search(
            page, std::regex(R"(758-TS01-000001:\s+Test Application\s+740-PM Software )"
                             R"(Revision: 3\.0\.201)")))
            << "page " << i + 1;
        EXPECT_TRUE(std::regex_search(
            page,
            std::regex(R"(Instrument Configuration Report / Order Form\s+\(05 Mar 2024\)\s+Page )" +
                       std::to_string(i + 1) + R"(\s*$)")))
            << "page " << i + 1;
    }
    EXPECT_NE(pages[0].find("Serial Number ..............................."), std::string::npos);
    EXPECT_NE(pages[0].find(
                  "please indicate \"Configuration Order Form Attached\" on your purchase order."),
              std::string::npos);
    EXPECT_NE(pages[0].find("PR - Included into Printout"), std::string::npos);
}

TEST_F(ReportInterop, ItemRowsShowTheFormsValues) {
    const auto& variables = KnownPage(2);
    EXPECT_EQ(ItemCellText(variables, "TEMP", 1), "");       // custom label equal to the default
    EXPECT_EQ(ItemCellText(variables, "TEMP", 3), "*");      // unit to choose
    EXPECT_EQ(ItemCellText(variables, "FLOW", 1), "FLOW2");  // a changed label stays
    EXPECT_EQ(ItemCellText(variables, "FLOW", 3), "");
    EXPECT_EQ(ItemCellText(variables, "NAME", 6), "------");
    const std::pair<const char*, const char*> access[] = {
        {"TEMP", "NV"}, {"FLOW", "DO"}, {"PRESS", "PG"}, {"NAME", "PW"}, {"TOTAL", "PR"}};
    for (const auto& [label, code] : access)
        EXPECT_EQ(ItemCellText(variables, label, 4), code) << label;

    const auto& parameters = KnownPage(3);
    EXPECT_EQ(ItemCellText(parameters, "MODE", 6), "FAST");  // the option's tag, not its item
    EXPECT_EQ(ItemCellText(parameters, "MODE", 7), "*");
    EXPECT_EQ(ItemCellText(parameters, "PASSW", 4), "NV");
    EXPECT_EQ(ItemCellText(parameters, "PASSW", 5), "");       // drawn as a cross
    EXPECT_EQ(ItemCellText(parameters, "SOURCE", 6), "FLOW");  // the assigned variable's tag
    EXPECT_EQ(ItemCellText(parameters, "SOURCE", 7), "*");
}

TEST_F(ReportInterop, FortyRowsTakeTwoPagesOfOneSection) {
    const auto& first = KnownPage(4);
    const auto& second = KnownPage(5);
    for (const auto* page : {&first, &second}) EXPECT_NE(FindWord(*page, "Signal"), nullptr);
    EXPECT_NE(FindWord(first, "IN01"), nullptr);
    EXPECT_NE(FindWord(first, "IN39"), nullptr);
    EXPECT_EQ(FindWord(first, "INSRC"), nullptr);
    EXPECT_NE(FindWord(second, "INSRC"), nullptr);
    EXPECT_EQ(FindWord(second, "IN39"), nullptr);
    // An assignment of an input: neither its access nor its setting can be changed.
    EXPECT_EQ(ItemCellText(second, "INSRC", 5), "");
    EXPECT_EQ(ItemCellText(second, "INSRC", 6), "FLOW");
    EXPECT_EQ(ItemCellText(second, "INSRC", 7), "");
}

TEST_F(ReportInterop, MessagesPrinterTextAndFactorTables) {
    const auto pages = ReportOf(KnownVersion());
    ASSERT_EQ(pages.size(), 11u);
    auto count = [](const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count(pages[6], "LOW BATTERY"), 1u);  // the custom text equals the default
    EXPECT_EQ(count(pages[6], "TOO HIGH"), 1u);
    EXPECT_NE(pages[6].find("Custom (30 characters maximum)"), std::string::npos);
    EXPECT_NE(pages[7].find("Preprogrammed"), std::string::npos);
    EXPECT_NE(pages[7].find("ACME LTD"), std::string::npos);
    EXPECT_NE(pages[8].find("Hertz (0...9999)"), std::string::npos);
    EXPECT_NE(pages[8].find("1.0020"), std::string::npos);
    EXPECT_EQ(pages[8].find("FCOR"), std::string::npos);    // the table's own item is not a row
    EXPECT_NE(pages[9].find("MOLAR%"), std::string::npos);  // the tag replaces the third title cell
    EXPECT_EQ(pages[9].find("Molar % (Fraction)"), std::string::npos);
    EXPECT_NE(pages[9].find("Methane"), std::string::npos);
}

TEST_F(ReportInterop, UserDataTableShowsItsColumnsAndRows) {
    const auto pages = ReportOf(KnownVersion());
    ASSERT_EQ(pages.size(), 11u);
    const std::string& page = pages[10];
    EXPECT_NE(page.find("Fluid Table (MYFLUID)"), std::string::npos);
    EXPECT_NE(page.find("Temperature, DEG C"), std::string::npos);
    EXPECT_NE(page.find("Density"), std::string::npos);
    EXPECT_EQ(page.find("Density,"), std::string::npos);   // no unit shown for GU_SCALE_NONE
    EXPECT_EQ(page.find("Viscosity"), std::string::npos);  // never shown for user fluids
    EXPECT_EQ(page.find("1.31"), std::string::npos);
    EXPECT_TRUE(std::regex_search(page, std::regex(R"(10\s+999\.7)")));
    EXPECT_TRUE(std::regex_search(page, std::regex(R"(20\s+998\.2)")));
    EXPECT_EQ(page.find("995.6"), std::string::npos);  // another table's rows
}

TEST_F(ReportInterop, TablesPagesFollowTheUserTablesSelected) {
    const TItem variable =
        Variable("ID_VAR_FLOW", "DT_FLOAT", "Values", "OP_ACCESS_DISPLAY", "1.5", "FLOW", "FLOW");
    struct Case {
        const char* Name;
        std::vector<TItem> Tables;
        std::vector<std::string> Titles;  // of the pages after the variables page
    } cases[] = {
        {"no table item", {}, {}},
        {"the factory table", {FluidTable("ID_FLUID_1", "DEFAULT")}, {}},
        {"one user table", {FluidTable("ID_FLUID_1", "MYFLUID")}, {"Fluid Table (MYFLUID)"}},
        {"two user tables",
         {FluidTable("ID_FLUID_1", "MYFLUID"), FluidTable("ID_FLUID_2", "OTHER")},
         {"Fluid Table (MYFLUID)", "Fluid Table (OTHER)"}},
        {"only the first two items count",
         {FluidTable("ID_FLUID_1", "DEFAULT"), FluidTable("ID_FLUID_2", "OTHER"),
          FluidTable("ID_FLUID_3", "MYFLUID")},
         {"Fluid Table (OTHER)"}},
    };
    for (const Case& c : cases) {
        std::vector<TItem> items = {variable};
        for (TItem item : c.Tables) {
            item.Menu = "OP_MENU_HIDDEN";  // only the Tables sections show them
            items.push_back(item);
        }
        const auto pages = ReportOf(items);
        ASSERT_EQ(pages.size(), 2 + c.Titles.size()) << c.Name;
        for (size_t i = 0; i < c.Titles.size(); ++i)
            EXPECT_NE(pages[2 + i].find(c.Titles[i]), std::string::npos) << c.Name;
    }
}

TEST_F(ReportInterop, NoUserDataFileMeansNoTablesPages) {
    std::filesystem::remove(Path("dbs/user/740-data.db"));
    const auto pages = ReportOf({FluidTable("ID_FLUID_1", "MYFLUID")});
    ASSERT_EQ(pages.size(), 2u);  // the introduction and the setup menu
    EXPECT_EQ(pages[1].find("Fluid Table (MYFLUID)"), std::string::npos);
}

TEST_F(ReportInterop, AFailingPageIsReportedAndStillEnded) {
    WriteVersion(KnownVersion());
    kv::base::ScriptedPrompter prompter;
    TFormPdf form(prompter);
    form.Layout.ListBoxH1.Items.push_back("bad cell");
    EXPECT_TRUE(Report(form));
    // The four pages of the menus with items lose their rows but keep their frame.
    ASSERT_EQ(prompter.Boxes.size(), 5u);
    EXPECT_EQ(prompter.Boxes[0].Kind, kv::base::MessageKind::Information);
    EXPECT_NE(prompter.Boxes[0].Text.find("bad cell"), std::string::npos);
    const auto pages = PageTexts(Pdf());
    ASSERT_EQ(pages.size(), 11u);
    EXPECT_NE(pages[3].find("Page 4"), std::string::npos);
    EXPECT_EQ(pages[3].find("IN01"), std::string::npos);
    EXPECT_NE(pages[4].find("Page 5"), std::string::npos);
    EXPECT_NE(pages[10].find("998.2"), std::string::npos);
}

TEST_F(ReportInterop, AFileThatCannotBeWrittenFailsAndClosesTheTables) {
    WriteVersion(KnownVersion());
    kv::base::ScriptedPrompter prompter;
    TFormPdf form(prompter);
    form.Source = Source();
    EXPECT_FALSE(form.CreateReport(Path("missing/out.pdf")));
    EXPECT_FALSE(std::filesystem::exists(Path("missing/out.pdf")));
    EXPECT_TRUE(prompter.Boxes.empty());
    // Closed tables can be replaced; an open one could not.
    EXPECT_NO_THROW(WriteVersion(KnownVersion()));
    EXPECT_TRUE(Report(form));
    EXPECT_EQ(InfoField(Pdf(), "Pages"), "11");
}

TEST_F(ReportInterop, AMissingVersionTableReachesTheCaller) {
    kv::base::ScriptedPrompter prompter;
    TFormPdf form(prompter);
    EXPECT_THROW(Report(form), kv::store::StoreError);
    EXPECT_FALSE(std::filesystem::exists(Pdf()));
}

}  // namespace
}  // namespace kv::report::test
