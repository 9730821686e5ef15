// 740-cli program end to end: the virtual instrument on a terminal among other mapped ports.
#include <chrono>
#include <cstdio>
#include <ctime>

#include <optional>

#include "ProgramCommand.h"
#include "link/PollTimer.h"
#include "link/PosixPort.h"

namespace kv::console::testing {
namespace {

TEST_F(ProgramCommand, ProgramsTwoUnitsOnCom3AmongOtherPorts) {
    ImageRecipe recipe;
    recipe.Size = 131073;  // the large layout downloads at 80 ms a block
    WriteFile(Dir / "758-FP01-000000.apx", BuildImage(recipe));
    const fs::path received = Dir / "received.bin";
    kv::testing::VirtualInstrument silent({"--parity", "M"});  // answers nothing the scan sends
    kv::testing::VirtualInstrument unit({"--baud", "19200", "--parity", "E", "--model", "1",
                                         "--class", "2", "--out", received.string()});
    const std::string ports = PortMap({{1, silent.Device()}, {3, unit.Device()}, {4, "/dev/null"}});
    const auto before = std::chrono::system_clock::now();
    CliResult run =
        RunProgram(ports, (Dir / "758-FP01-000000.apx").string() + " --dir " + Work.string() +
                              " --serials 000101..000102 --tag FT-7 --yes");
    const auto after = std::chrono::system_clock::now();
    ASSERT_EQ(run.Status, 0) << run.Output;
    for (const char* line :
         {"COM1 38400 ODD: Comms test failed - no response",
          "Unit 1 of 2, serial 000101, tag FT-7: Complete - Program another unit or Exit",
          "Unit 2 of 2, serial 000102, tag FT-7: Complete - Program another unit or Exit",
          "Programmed 2 of 2 units, 0 failed, 0 not attempted"})
        EXPECT_NE(run.Output.find(line), std::string::npos) << line << "\n" << run.Output;

    // The last image the instrument took carries the second unit's values.
    auto image = ReadFileBytes(received);
    ASSERT_EQ(image.size(), 513u * 256);
    const ProgrammedUnit programmed = ReadUnit(image, 0x3200);
    EXPECT_EQ(programmed.Serial, std::string("000102\0", 7));
    EXPECT_EQ(programmed.Tag, "FT-7");
    EXPECT_GE(programmed.Stamp, std::chrono::system_clock::to_time_t(before) + 180 - 1);
    EXPECT_LE(programmed.Stamp, std::chrono::system_clock::to_time_t(after) + 180 + 1);
}

// A scan that finds no unit leaves every port free for other programs.
TEST_F(ProgramCommand, AFailedScanClosesThePort) {
    WriteFile(Work / "758-FP01-000000.apx", BuildImage({}));
    kv::testing::VirtualInstrument silent({"--parity", "M"});  // answers nothing the scan sends
    setenv("KV740_PORTS", PortMap({{1, silent.Device()}}).c_str(), 1);
    base::ScriptedPrompter prompter;
    RecordingShell shell;
    HeadlessDialogs dialogs(prompter);
    link::LoopTimer* loop = nullptr;
    auto makeLink = [&loop] {
        auto timer = std::make_unique<link::LoopTimer>();
        loop = timer.get();
        return std::make_unique<link::TComms>(std::make_unique<link::PosixPort>(),
                                              std::move(timer));
    };
    Console console({prompter, shell, dialogs, makeLink, Work}, "740-Series Program Utility",
                    {"758-FP01-000000.apx"});
    console.FormShow();
    dialogs.Units = {{"000001", std::nullopt}};
    console.ActionDownloadExecute();
    loop->Run();
    EXPECT_EQ(console.PanelInfo, link::msg::NoResponse);
    link::PosixPort other;
    EXPECT_TRUE(other.Open("COM1"));
    unsetenv("KV740_PORTS");
}

// The unit is unplugged in the middle of the transfer: the result names the failed transfer, and
// the scan does not go on over other ports (nor print the end of the port walk).
TEST_F(ProgramCommand, AUnitUnpluggedMidTransferFailsTheTransfer) {
    WriteFile(Dir / "758-FP01-000000.apx", BuildImage({}));
    std::optional<kv::testing::VirtualInstrument> unit;
    unit.emplace(std::vector<std::string>{"--model", "1", "--class", "2"});
    const auto [status, output] =
        RunProgram(PortMap({{2, unit->Device()}}),
                   (Dir / "758-FP01-000000.apx").string() + " --dir " + Work.string(),
                   [&unit](const std::string& output) {
                       if (unit && output.find(link::msg::InProgress) != std::string::npos)
                           unit.reset();  // unplugged
                   });
    EXPECT_EQ(status, 1) << output;
    EXPECT_NE(
        output.find("Unit 1 of 1, serial 000000, tag UNIT-1: Failed file transfer - no response"),
        std::string::npos)
        << output;
    EXPECT_EQ(output.find("COM0"), std::string::npos) << output;
    EXPECT_EQ(output.find(link::msg::NoPort), std::string::npos) << output;
}

}  // namespace
}  // namespace kv::console::testing
