// 740-cli program end to end: the virtual instrument on a terminal among other mapped ports.
#include <chrono>
#include <cstdio>
#include <ctime>

#include "CliRun.h"

namespace kv::console::testing {
namespace {

// Seconds since the epoch of a "yyyy,mm,dd,hh,nn,ss" stamp read as UTC.
long long StampSeconds(const std::string& stamp) {
    std::tm t{};
    if (std::sscanf(stamp.c_str(), "%d,%d,%d,%d,%d,%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour, &t.tm_min,
                    &t.tm_sec) != 6)
        return 0;
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    return static_cast<long long>(timegm(&t));
}

TEST_F(ProgramCommand, ProgramsTwoUnitsOnCom3AmongOtherPorts) {
    ImageSpec spec;
    spec.Size = 131073;  // the large layout downloads at 80 ms a block
    WriteFile(Dir / "758-FP01-000000.apx", BuildImage(spec));
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
    const size_t id = 0x3200;
    EXPECT_EQ(TextIn(image, id + 16, 7), std::string("000102\0", 7));
    uint32_t label = 0;
    for (int i = 0; i < 4; ++i) label = (label << 8) | image[id + 0x400 + 32 + i];  // the unit item's entry 0
    EXPECT_EQ(TextIn(image, label, 5), std::string("FT-7\0", 5));
    const long long stamp = StampSeconds(TextIn(image, id + 53, 19));
    EXPECT_GE(stamp, std::chrono::system_clock::to_time_t(before) + 180 - 1);
    EXPECT_LE(stamp, std::chrono::system_clock::to_time_t(after) + 180 + 1);
}

}  // namespace
}  // namespace kv::console::testing
