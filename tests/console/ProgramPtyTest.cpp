// 740-cli program end to end: the virtual instrument on a terminal among other mapped ports.
#include <chrono>
#include <cstdio>
#include <ctime>

#include "CliRun.h"

namespace kv::console::testing {
namespace {

TEST_F(ProgramCommand, ProgramsTwoUnitsOnCom3AmongOtherPorts) {
    ImageRecipe recipe;
    recipe.Size = 131073;  // the large layout downloads at 80 ms a block
    WriteFile(Dir / "758-FP01-000000.apx", BuildImage(recipe));
    const fs::path received = Dir / "received.bin";
    kv::testing::VirtualInstrument silent({"--parity", "M"});  // answers nothing the scan sends
    kv::testing::VirtualInstrument unit(
        {"--baud", "19200", "--parity", "E", "--model", "1", "--class", "2", "--out", received.string()});
    const std::string ports = PortMap({{1, silent.Device()}, {3, unit.Device()}, {4, "/dev/null"}});
    const auto before = std::chrono::system_clock::now();
    CliRun run = Cli(Dir, ports,
                  (Dir / "758-FP01-000000.apx").string() + " --dir " + Work.string() +
                      " --serials 000101..000102 --tag FT-7 --yes");
    const auto after = std::chrono::system_clock::now();
    ASSERT_EQ(run.status, 0) << run.output;
    for (const char* line : {"COM1 38400 ODD: Comms test failed - no response",
                             "Unit 1 of 2, serial 000101, tag FT-7: Complete - Program another unit or Exit",
                             "Unit 2 of 2, serial 000102, tag FT-7: Complete - Program another unit or Exit",
                             "Programmed 2 of 2 units, 0 failed, 0 not attempted"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;

    // The last image the instrument took carries the second unit's values.
    auto image = ReadFileBytes(received);
    ASSERT_EQ(image.size(), 513u * 256);
    const ProgrammedUnit programmed = ReadUnit(image, 0x3200);
    EXPECT_EQ(programmed.Serial, std::string("000102\0", 7));
    EXPECT_EQ(programmed.Tag, "FT-7");
    EXPECT_GE(programmed.Stamp, std::chrono::system_clock::to_time_t(before) + 180 - 1);
    EXPECT_LE(programmed.Stamp, std::chrono::system_clock::to_time_t(after) + 180 + 1);
}

}  // namespace
}  // namespace kv::console::testing
