// 740-cli table and text: the page's rules headless, their refusals, and what reaches the
// firmware source and the report.
#include "InstallCopy.h"
#include "catalogue/Texts.h"
#include "editor/TableTexts.h"

namespace kv::editor::testing {
namespace {

constexpr const char* Fluid = "758-HC01-000001 ID_HEAT_FLUID_TABLE";

class TableCli : public InstallCopy {
  protected:
    std::string Table(const std::string& arguments) const {
        return Ok("table " + std::string(arguments));
    }
};

TEST_F(TableCli, MakesFillsAndDeletesATable) {
    EXPECT_EQ(Table(std::string("list ") + Fluid), "* DEFAULT\n");
    EXPECT_EQ(Table(std::string("new ") + Fluid + " 'Glycol 30' --unit '1=DEG F' --unit 3=BT/lb"),
              "  DEFAULT\n* Glycol 30\n");
    EXPECT_EQ(Table(std::string("rows ") + Fluid),
              "Row  Temperature, DEG F  Density, KG/m3  Heat Capacity, BT/lb\n"
              "1    0                   0               0\n");
    Table(std::string("set ") + Fluid + " 1 1 68");
    Table(std::string("set ") + Fluid + " 1 2 1040");
    Table(std::string("set ") + Fluid + " 2 3 0.9");  // appends: 0.9 BT/lb is about 2093 J/kg
    EXPECT_EQ(Table(std::string("rows --csv ") + Fluid),
              "Row,\"Temperature, DEG F\",\"Density, KG/m3\",\"Heat Capacity, BT/lb\"\n"
              "1,68,1040,0\n2,0,0,0.9\n");

    EXPECT_EQ(Table(std::string("remove-row ") + Fluid + " 1"), "");
    EXPECT_EQ(Table(std::string("rows --csv ") + Fluid),
              "Row,\"Temperature, DEG F\",\"Density, KG/m3\",\"Heat Capacity, BT/lb\"\n"
              "1,0,0,0.9\n");
    // The only row: the table goes, after the question.
    const std::string removed = Table(std::string("remove-row ") + Fluid + " 1");
    EXPECT_NE(removed.find(text::DeleteTableQuestion), std::string::npos) << removed;
    EXPECT_NE(removed.find("* DEFAULT\n"), std::string::npos) << removed;
    EXPECT_EQ(Table(std::string("list ") + Fluid), "* DEFAULT\n");

    Table(std::string("new ") + Fluid + " WATER");
    Table(std::string("new ") + Fluid + " BRINE");
    EXPECT_EQ(Table(std::string("delete ") + Fluid).find("  DEFAULT\n  WATER\n"),
              std::string::npos);
    EXPECT_EQ(Table(std::string("list ") + Fluid), "* DEFAULT\n  WATER\n");
    EXPECT_FALSE(fs::exists(Root / "bin/740-temp.db"));
}

TEST_F(TableCli, TextColumnsTakeCapitals) {
    Ok("version new 758-BC02-000000 --code 000001");
    const std::string product = "758-BC02-000001 ID_PRODUCT_TABLE";
    Table("new " + product + " CRUDES");
    Table("set " + product + " 1 1 'brent crude oil'");
    Table("set " + product + " 1 2 850");
    EXPECT_EQ(Table("rows --csv " + product),
              "Row,Product,\"Density, KG/m3\",\"Expansion, E-6/C\"\n1,BRENT CRUDE ,850,0\n");
}

TEST_F(TableCli, RefusalsPrintTheMessageAndChangeNoFile) {
    Table(std::string("new ") + Fluid + " GLYCOL");
    Ok("version new 758-HC01-000000 --code 000002");
    const auto before = Snapshot();
    const std::string f = Fluid;
    struct Case {
        std::string Arguments;
        int Status;
        std::string Message;
    } cases[] = {
        {"table new " + f + " glycol", 1, text::TableExists},
        {"table new " + f + " Default", 1, text::TableExists},
        {"table new " + f + " ''", 1, text::EnterTableTitle},
        {"table new " + f + " \"O'BRIEN\"", 2, "TITLE cannot hold"},
        {"table new " + f + " ABCDEFGHIJKLMNOP", 2, "at most 15"},
        {"table new " + f + " X --unit 1=FURLONG", 2, "DEG K, DEG C, DEG F, DEG R"},
        {"table new " + f + " X --unit 4=cP", 2, "N one of 1, 2, 3"},
        {"table new 758-HC01-000000 ID_HEAT_FLUID_TABLE X", 1, catalogue::text::FactoryNotEditable},
        {"table delete 758-HC01-000002 ID_HEAT_FLUID_TABLE", 1, text::DefaultNotDeleted},
        {"table set 758-HC01-000002 ID_HEAT_FLUID_TABLE 1 1 5", 1, "default table cannot be"},
        {"table set " + f + " 1 3 6", 1, text::OutOfRange},  // 6 KJ/KG is 6000 J/kg
        {"table set " + f + " 1 2 499", 1, text::OutOfRange},
        {"table set " + f + " 2 1 500", 1, text::OutOfRange},  // no row appended
        {"table set " + f + " 1 2 1e", 1, text::NotANumber},
        {"table set " + f + " 1 2 9,5", 1, "cannot be typed"},
        {"table set " + f + " 1 4 1", 2, "COLUMN takes one of 1, 2, 3"},
        {"table set " + f + " 3 1 1", 2, "ROW takes 1 to 2"},
        {"table remove-row " + f + " 2", 2, "ROW takes 1 to 1"},
        {"table list 758-HC01-000001 ID_HEADER_1", 1, "not a data table item"},
        {"table list 758-HC01-000001 ID_NOTHING", 1, "holds no item ID_NOTHING"},
        {"text set 758-HC01-000001 ID_ALARM_HIGH 'TANK, HIGH'", 1, "\",\" cannot be typed"},
        {"text set 758-HC01-000001 ID_HEADER_1 'DRIVER\"S COPY'", 1, "cannot be typed"},
        {"text set 758-HC01-000001 ID_HEADER_1 " + std::string(31, 'X'), 1, "at most 30"},
        {"text set 758-HC01-000001 ID_HEAT_FLUID_TABLE X", 1, "no user text"},
        {"text set 758-HC01-000000 ID_HEADER_1 X", 1, catalogue::text::FactoryNotEditable},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.Arguments);
        EXPECT_EQ(run.Status, c.Status) << c.Arguments << "\n" << run.Output;
        EXPECT_NE(run.Output.find(c.Message), std::string::npos) << c.Arguments << "\n"
                                                                 << run.Output;
    }
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(TableCli, TablesAndTextsReachTheSourceAndTheReport) {
    Table(std::string("new ") + Fluid + " WATER");
    Table(std::string("set ") + Fluid + " 1 1 20");
    Table(std::string("set ") + Fluid + " 1 2 998.2");
    Table(std::string("set ") + Fluid + " 1 3 4.18");
    Table(std::string("set ") + Fluid + " 2 1 80");
    Ok("text set 758-HC01-000001 ID_HEADER_1 'ACME FLOW (LINE 4)'");
    Ok("text set 758-HC01-000001 ID_ALARM_HIGH 'TANK HIGH'");
    Ok("build 758-HC01-000001");

    const std::string source = KeptSource(Root);
    // Values in base units (kelvin, J/kg), texts as typed; the source has CR LF line ends.
    const std::string heading = "   // WATER\r\n";
    const size_t points = source.find(heading);
    ASSERT_NE(points, std::string::npos) << source;
    const std::string rows =
        "   {OP_HEAT_FLUID_TYPE_USER, 2.9315000E+02, 9.9820000E+02, 4.1800000E+03, "
        "0.0000000E+00, 0.0000000E+00, \"20\", \"998.2\", \"4.18\", \"0\", \"0\", },\r\n"
        "   {OP_HEAT_FLUID_TYPE_USER, 3.5315000E+02, ";
    EXPECT_EQ(source.substr(points + heading.size(), rows.size()), rows);
    EXPECT_NE(source.find("   \"ACME FLOW (LINE 4)\",\r\n"), std::string::npos);
    EXPECT_NE(source.find("{\"HIGH ALARM\",\"TANK HIGH\"}"), std::string::npos);

    const std::string report = PdfText(Root / "bin/PackReport.pdf");
    EXPECT_NE(report.find("WATER"), std::string::npos) << report;
    EXPECT_NE(report.find("998.2"), std::string::npos) << report;
}

}  // namespace
}  // namespace kv::editor::testing
