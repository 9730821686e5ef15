// 740-cli download against the virtual instrument: the failures that say what the unit did.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/VirtualInstrument.h"

namespace cli::test {
namespace {

using kv::testing::CliResult;
using kv::testing::RunCli;

// A unit whose application is running acknowledges the presence query for ever; the command
// ends at its --timeout with the no-response message and says why.
TEST(CliDownload, ToARunningApplicationEndsAtTheTimeout) {
    const kv::testing::TempDir dir;
    std::ofstream(dir / "image.bin") << std::string(1500, 'x');
    kv::testing::VirtualInstrument instrument({"--ack-presence"});
    const auto start = std::chrono::steady_clock::now();
    const CliResult run = RunCli("download image.bin --port COM4 --timeout 2", dir.Path(),
                                 {{"KV740_PORTS", "COM4=" + instrument.Device()}});
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(run.Status, 1) << run.Output;
    EXPECT_NE(run.Output.find("Comms test failed - no response"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("The unit answered as a running application"), std::string::npos)
        << run.Output;
    EXPECT_LT(seconds, 20) << "the timeout ends the connection";
}

TEST(CliDownload, IncompatibleUnitSaysWhatItReportedAndWhatTheImageAccepts) {
    const kv::testing::TempDir dir;
    std::ofstream(dir / "image.bin") << std::string(1500, 'x');
    kv::testing::VirtualInstrument instrument({"--model", "0x04", "--class", "1"});
    const CliResult run = RunCli("download image.bin --port COM4 --model-mask 0x03 --min-class 2",
                                 dir.Path(), {{"KV740_PORTS", "COM4=" + instrument.Device()}});
    EXPECT_EQ(run.Status, 1) << run.Output;
    EXPECT_NE(
        run.Output.find(
            "Incompatible unit model or class\nThe unit reported model 0x04 class 1; the image "
            "accepts models 0x03, class 2 or higher"),
        std::string::npos)
        << run.Output;
}

}  // namespace
}  // namespace cli::test
