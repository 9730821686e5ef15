// 740-cli item and factor on a custom version of a scratch installation: refusals leave the table
// byte-identical, and a change reaches the built image and the report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

using kv::testing::CliResult;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class ItemCli : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy(KV740_DEMO_INSTALL, root, fs::copy_options::recursive);
        ASSERT_EQ(Run("version new 758-FC01-000000 --code 000777").Status, 0);
        table = root / "dbs/user/758-FC01-000777.db";
    }
    CliResult Run(const std::string& arguments) {
        return kv::testing::RunCli(arguments + " --install " + root.string());
    }

    kv::testing::TempDir temp;
    fs::path root = temp.Path(), table;
};

TEST_F(ItemCli, RefusalsPrintTheMessageAndLeaveTheTableAsItWas) {
    const std::string before = ReadFile(table);
    struct Case {
        const char* Arguments;
        const char* Message;
    };
    const Case cases[] = {
        {"item set 758-FC01-000777 ID_PARAMETER_REF_TEMPERATURE --value 150",
         "Value is not within allowed range"},
        {"item set 758-FC01-000777 ID_PARAMETER_REF_TEMPERATURE --value 12345678",
         "Number of decimal places error"},
        {"item set 758-FC01-000777 ID_PARAMETER_REF_TEMPERATURE --value 1-5", "Text error"},
        // The first change would be taken; the second is refused, so neither is made.
        {"item set 758-FC01-000777 ID_PARAMETER_REF_TEMPERATURE --value 20 --unit NOPE",
         "it offers"},
        {"item set 758-FC01-000777 ID_VAR_TOTAL_1 --choice NOPE", "\"L\""},
        {"item set 758-FC01-000777 ID_VAR_TOTAL_1 --value 3", "has no value field"},
        {"item set 758-FC01-000777 ID_VAR_TOTAL_1 --unit-tag XX", "cannot be edited"},
        {"item set 758-FC01-000777 ID_VAR_TOTAL_1 --label A[B", "character"},
        {"item set 758-FC01-000777 ID_VAR_TOTAL_1 --access Programmable", "Included into printout"},
        {"item set 758-FC01-000777 ID_NO_SUCH_ITEM --value 1", "holds no item"},
        {"factor set 758-FC01-000777 ID_FINP1_CORRECTION_FACTORS 09 --output 1", "no row 09"},
        {"factor set 758-FC01-000777 ID_FINP1_CORRECTION_FACTORS 3 --output 0", "Range error"},
        {"factor set 758-FC01-000777 ID_FINP1_CORRECTION_FACTORS 3 --input 12345",
         "The column \"Hertz\" takes at most 4 digits"},
        {"factor set 758-FC01-000777 ID_FINP1_CORRECTION_FACTORS 3 --input 1.5",
         "takes at most 4 digits, not \"1.5\""},
        {"item set 758-FC01-000000 ID_VAR_TOTAL_1 --label X", "factory default version"},
    };
    for (const Case& c : cases) {
        const CliResult result = Run(c.Arguments);
        EXPECT_EQ(result.Status, 1) << c.Arguments << "\n" << result.Output;
        EXPECT_NE(result.Output.find(c.Message), std::string::npos) << c.Arguments << "\n"
                                                                    << result.Output;
        EXPECT_EQ(ReadFile(table), before) << c.Arguments;
    }
    EXPECT_EQ(Run("item list 758-FC01-000777 --category NOPE").Status, 2);
}

TEST_F(ItemCli, BatchVersionsKeepThePrintoutOfOtherVariables) {
    ASSERT_EQ(Run("version new 746-BC01-000000 --code 000778").Status, 0);
    const CliResult locked =
        Run("item set 746-BC01-000778 ID_VAR_BATCH_NUMBER --access \"Excluded from printout\"");
    EXPECT_EQ(locked.Status, 1) << locked.Output;
    EXPECT_NE(locked.Output.find("cannot be changed"), std::string::npos) << locked.Output;
    EXPECT_EQ(
        Run("item set 746-BC01-000778 ID_VAR_PROCESS_LOG_RATE --access \"Excluded from printout\"")
            .Status,
        0);
}

TEST_F(ItemCli, ListShowsTheChangedItem) {
    ASSERT_EQ(Run("item set 758-FC01-000777 ID_VAR_TOTAL_1 --unit Gal --label MYTOT").Status, 0);
    const CliResult list = Run("item list 758-FC01-000777 --category VARIABLES --csv");
    ASSERT_EQ(list.Status, 0) << list.Output;
    EXPECT_EQ(
        list.Output.substr(0, list.Output.find('\n')),
        "ID,Item,Panel,DefaultValue,Coefficient,Access,LabelTag1,LabelTag2,UnitTag1,UnitTag2");
    EXPECT_NE(list.Output.find("ID_VAR_TOTAL_1,Total,Units,0,GU_TOTAL_GAL,OP_ACCESS_PRINTOUT,TOTAL,"
                               "MYTOT,Gal,Gal\n"),
              std::string::npos)
        << list.Output;
}

TEST_F(ItemCli, FactorChangeReachesTheImageAndTheReport) {
    ASSERT_EQ(Run("factor set 758-FC01-000777 ID_FINP1_CORRECTION_FACTORS 03 --input 37 "
                  "--output 12.375")
                  .Status,
              0);
    const CliResult build = Run("build 758-FC01-000777");
    ASSERT_EQ(build.Status, 0) << build.Output;
    // 37.0 and 12.375 as the instrument's big-endian single-precision numbers.
    const std::string point("\x42\x14\x00\x00\x41\x46\x00\x00", 8);
    EXPECT_NE(ReadFile(root / "bin/PackBinary.bin").find(point), std::string::npos);
    const fs::path pdf = root / "report.pdf";
    ASSERT_EQ(Run("report 758-FC01-000777 -o " + pdf.string()).Status, 0);
    const fs::path text = root / "report.txt";
    ASSERT_EQ(std::system(("pdftotext " + pdf.string() + " " + text.string()).c_str()), 0);
    EXPECT_NE(ReadFile(text).find("12.375"), std::string::npos);
}

}  // namespace
