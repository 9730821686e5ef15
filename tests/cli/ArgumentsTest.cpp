// Every command refuses a wrong argument before it touches a file or a port, in its own words.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/CliRun.h"
#include "support/TempDir.h"

namespace cli::test {
namespace {

namespace fs = std::filesystem;
using kv::testing::CliResult;
using kv::testing::RunCli;

class CliArguments : public ::testing::Test {
  protected:
    CliArguments() {
        std::ofstream(Dir / "image.bin") << "not much of an image";
        std::ofstream(Dir / "long.csv") << "000001," << std::string(200, 'A') << "\n";
        std::ofstream(Dir / "binary.csv", std::ios::binary)
            << std::string("000001,TAG\n\0\1\2", 14);
        fs::create_directory(Dir / "folder");
    }
    kv::testing::TempDir Dir;
};

TEST_F(CliArguments, StatusAndMessageOfEachCommandLine) {
    const kv::testing::Environment noPort = {{"KV740_PORTS", "COM1=/dev/nonexistent-port"}};
    struct Case {
        std::string arguments;
        int status;
        std::string expected;
    } cases[] = {
        {"--version", 0, "740-cli 1.0"},
        {"report --version", 0, "740-cli 1.0"},
        {"download --help", 0,
         "Usage: 740-cli download IMAGE --port COMn [--baud B=38400] [--parity P=ODD]"},
        {"report --help", 0, "[-o FILE=Report.pdf]"},
        {"program --help", 0, "[--timeout SECONDS=30]"},
        {"", 2, "Usage: 740-cli COMMAND"},
        {"frob", 2, "740-cli: unknown command \"frob\""},
        {"pack", 2, "740-cli pack: create, list or expand expected"},
        {"download image.bin", 2, "740-cli download: --port is required"},
        {"download image.bin --port COM1 --bogus", 2, "--bogus"},
        {"download image.bin --port COM10", 2, "\"COM10\" is not a port name (COM1 to COM9)"},
        {"download image.bin --port /dev/ttyS0", 2, "is not a port name"},
        {"download image.bin --port COM1 --baud 1000", 2,
         "\"1000\" is not a speed of the link (38400, 19200, 9600, 4800, 2400 or 1200)"},
        {"download image.bin --port COM1 --parity ood", 2,
         "is not a parity (ODD, EVEN, NONE, MARK or SPACE)"},
        {"download image.bin --port COM1 --parity space --baud 1200", 1,
         "Comms test failed - no port available"},
        {"download image.bin --port COM1 --timeout 0", 2,
         "is not a number of seconds from 1 to 3600"},
        {"download '' --port COM1", 2, "IMAGE: an empty path names no file"},
        {"download folder --port COM1", 2, "IMAGE: \"folder\" is a directory, not a file"},
        {"download missing.bin --port COM1", 1, "cannot read \"missing.bin\""},
        {"build 746-FP01-000000 --original", 2, "--original is for model 758 only"},
        {"build 758-FP01-00000", 2, "is not a MODEL-PACK-CODE (such as 758-FP01-000000)"},
        {"report 758-FC01-123456", 1,
         "740-cli report: the version table of 758-FC01-123456 does not exist ("},
        {"build 758-FC01-123456", 1,
         "740-cli build: the version table of 758-FC01-123456 does not exist ("},
        {"report 758-FC01-123456", 1, "/dbs/user/758-FC01-123456.db)"},
        {"item list 758-FC01-123456", 1,
         "740-cli item list: the version table of 758-FC01-123456 does not exist ("},
        {"table list 758-FC01-123456 ID_HEAT_FLUID_TABLE", 1,
         "740-cli table list: the version table of 758-FC01-123456 does not exist ("},
        {"text set 758-FC01-123456 ID_HEADER_1 X", 1,
         "740-cli text set: the version table of 758-FC01-123456 does not exist ("},
        {"report 758-FP01-000000 -o folder", 2, "\"folder\" is a directory, not a file"},
        {"report 758-FP01-000000 --install ''", 2, "an empty path names no installation"},
        {"pack list missing.apl", 1, "missing.apl"},
        {"pack expand image.bin ''", 2, "an empty path names no directory"},
        {"program image.bin --serials-file long.csv", 2,
         "line 1 of \"long.csv\" is longer than 64 characters"},
        {"program image.bin --serials-file binary.csv", 2, "\"binary.csv\" is not a text file"},
        {"program image.bin --serials-file folder", 2, "is a directory, not a file"},
        {"program image.bin --dir missing", 2, "directory \"missing\" does not exist"},
    };
    for (const auto& c : cases) {
        const CliResult run = RunCli(c.arguments, Dir.Path(), noPort);
        EXPECT_EQ(run.Status, c.status) << c.arguments << "\n" << run.Output;
        EXPECT_NE(run.Output.find(c.expected), std::string::npos) << c.arguments << "\n"
                                                                  << run.Output;
        for (const char* leak : {"filesystem error", "basic_", "std::", "terminate called"})
            EXPECT_EQ(run.Output.find(leak), std::string::npos) << c.arguments << "\n"
                                                                << run.Output;
        if (c.status == 2 && !c.arguments.empty()) {
            EXPECT_EQ(run.Output.find('\n'), run.Output.size() - 1)
                << "one line: " << c.arguments << "\n"
                << run.Output;
        }
    }
}

TEST_F(CliArguments, RefusalsNameNeitherTheWholeLineNorAHeader) {
    const CliResult longLine = RunCli("program image.bin --serials-file long.csv", Dir.Path());
    EXPECT_EQ(longLine.Output.find(std::string(64, 'A')), std::string::npos) << longLine.Output;
    const CliResult missing = RunCli("pack list missing.apl", Dir.Path());
    EXPECT_EQ(missing.Output.find("Name"), std::string::npos) << missing.Output;
}

}  // namespace
}  // namespace cli::test
