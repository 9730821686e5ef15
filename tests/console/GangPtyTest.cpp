// 740-cli program --ports end to end: virtual instruments on pseudo-terminals, one link each.
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "ProgramCommand.h"

namespace kv::console::testing {
namespace {

std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The image as the file holds it, with a received image's serial number, tag and stamps put back.
std::vector<uint8_t> Unstamped(std::vector<uint8_t> image, const std::vector<uint8_t>& file) {
    image.resize(file.size());
    const size_t id = IdentityAt(file.size());
    size_t tag = 0;
    for (int i = 0; i < 4; ++i) tag = (tag << 8) | file[id + 0x400 + 32 + i];
    const std::pair<size_t, size_t> stamped[] = {
        {id + 16, 6}, {id + 53, 19}, {tag, 7}, {0x3000, 4}};
    for (auto [at, length] : stamped)
        std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(at), length,
                    image.begin() + static_cast<std::ptrdiff_t>(at));
    return image;
}

TEST_F(ProgramCommand, GangProgramsThreePortsAtOnceWhileASilentOneFails) {
    ImageRecipe recipe;
    recipe.Size = 131073;  // the large layout downloads at 80 ms a block
    const std::vector<uint8_t> file = BuildImage(recipe);
    WriteFile(Dir / "758-FP01-000000.apx", file);
    auto out = [this](const char* name) { return (Dir / name).string(); };
    kv::testing::VirtualInstrument plain(
        {"--model", "1", "--class", "2", "--out", out("com3.bin")});
    kv::testing::VirtualInstrument other({"--baud", "19200", "--parity", "E", "--model", "1",
                                          "--class", "2", "--out", out("com4.bin")});
    kv::testing::VirtualInstrument lossy(
        {"--drop", "0.2", "--seed", "5", "--model", "1", "--class", "2", "--out", out("com7.bin")});
    kv::testing::VirtualInstrument silent({"--parity", "M"});  // answers nothing the scan sends
    const std::string ports = PortMap(
        {{3, plain.Device()}, {4, other.Device()}, {7, lossy.Device()}, {8, silent.Device()}});
    const fs::path record = Dir / "record.csv";
    CliResult run = RunProgram(
        ports, (Dir / "758-FP01-000000.apx").string() + " --dir " + Work.string() +
                   " --ports COM3,COM4,COM7,COM8 --serials 000201..000204 --tag GT-9 --yes --log " +
                   record.string());
    EXPECT_EQ(run.Status, 1) << run.Output;
    for (const char* line :
         {"COM4 19200 EVEN: Please wait while connection is established...",
          "Unit 1 of 4 on COM3, serial 000201, tag GT-9: Complete - Program another unit or Exit",
          "Unit 2 of 4 on COM4, serial 000202, tag GT-9: Complete - Program another unit or Exit",
          "Unit 3 of 4 on COM7, serial 000203, tag GT-9: Complete - Program another unit or Exit",
          "Unit 4 of 4 on COM8, serial 000204, tag GT-9: Comms test failed - no response",
          "Programmed 3 of 4 units, 1 failed, 0 not attempted"})
        EXPECT_NE(run.Output.find(line), std::string::npos) << line << "\n" << run.Output;

    const std::pair<const char*, const char*> images[] = {
        {"com3.bin", "000201"}, {"com4.bin", "000202"}, {"com7.bin", "000203"}};
    for (auto [name, serial] : images) {
        const auto image = ReadFileBytes(Dir / name);
        ASSERT_EQ(image.size(), 513u * 256) << name;
        const ProgrammedUnit unit = ReadUnit(image, 0x3200);
        EXPECT_EQ(unit.Serial, std::string(serial) + '\0') << name;
        EXPECT_EQ(unit.Tag, "GT-9") << name;
        EXPECT_GT(unit.Stamp, 0) << name;
        EXPECT_TRUE(Unstamped(image, file) == file)
            << name << " differs from the file beyond its unit's values";
    }

    const auto rows = Lines(record);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0],
              "time,version,revision,serial,tag,port,speed,parity,bytes,seconds,message,result");
    for (size_t i = 1; i < rows.size(); ++i) {
        const bool silentRow = rows[i].find(",COM8,") != std::string::npos;
        EXPECT_TRUE(rows[i].ends_with(silentRow ? ",Comms test failed - no response,failed"
                                                : ",Complete - Program another unit or Exit,ok"))
            << rows[i];
        EXPECT_NE(rows[i].find(silentRow ? ",COM8,,,0," : ",131073,"), std::string::npos)
            << rows[i];
    }
    EXPECT_NE(
        std::find_if(
            rows.begin(), rows.end(),
            [](const std::string& r) {
                return r.find(",758-FP01-000000,3.0.201,000202,GT-9,COM4,19200,EVEN,131073,") !=
                       std::string::npos;
            }),
        rows.end())
        << rows[2];
}

// Runs 740-cli with its standard output on a pseudo-terminal; returns what the terminal showed.
std::string OnTerminal(const std::string& ports, const std::vector<std::string>& arguments,
                       int& status) {
    int master = -1;
    winsize size{};
    size.ws_col = 100;
    size.ws_row = 30;
    const pid_t pid = forkpty(&master, nullptr, nullptr, &size);
    if (pid == 0) {
        setenv("KV740_PORTS", ports.c_str(), 1);
        std::vector<char*> argv;
        std::string program = kv::testing::CliProgram();
        argv.push_back(program.data());
        std::vector<std::string> copy = arguments;
        for (auto& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    std::string shown;
    char buffer[4096];
    for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;)
        shown.append(buffer, static_cast<size_t>(n));
    close(master);
    waitpid(pid, &status, 0);
    return shown;
}

TEST_F(ProgramCommand, DownloadOnATerminalRedrawsOneLine) {
    WriteFile(Dir / "image.bin", std::vector<uint8_t>(10 * 256, 0x5A));
    kv::testing::VirtualInstrument unit({});
    int status = -1;
    const std::string shown =
        OnTerminal(PortMap({{3, unit.Device()}}),
                   {"download", (Dir / "image.bin").string(), "--port", "COM3"}, status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << shown;
    const size_t complete = shown.find("Complete - Program another unit or Exit");
    ASSERT_NE(complete, std::string::npos) << shown;
    const std::string before = shown.substr(0, complete);
    // The terminal turns "\n" into "\r\n"; until the final message nothing moved down a line.
    EXPECT_EQ(before.find('\n'), std::string::npos) << before;
    for (int block = 1; block <= 10; ++block)
        EXPECT_NE(before.find("\r\x1b[JDownloading in progress... block " + std::to_string(block) +
                              " of 10, " + std::to_string(block * 10) + " %"),
                  std::string::npos)
            << block << "\n"
            << before;
}

}  // namespace
}  // namespace kv::console::testing
