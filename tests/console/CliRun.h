#pragma once
// Runs 740-cli program in a scratch folder with a port map, capturing its status and output.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "ConsoleFixture.h"
#include "support/VirtualInstrument.h"

namespace kv::console::testing {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string output;
};

inline CliRun Cli(const fs::path& dir, const std::string& ports, const std::string& arguments) {
    const fs::path out = dir / "cli-output.txt";
    std::string command = "TZ=UTC KV740_PORTS=" + ports + " " + CLI_PATH + " program " + arguments +
                          " > " + out.string() + " 2>&1 < /dev/null";
    int status = std::system(command.c_str());
    auto bytes = ReadFileBytes(out);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, std::string(bytes.begin(), bytes.end())};
}

class ProgramCommand : public ::testing::Test {
  protected:
    ProgramCommand() : Dir(kv::testing::MakeTempDir()), Work(Dir / "bin") {
        fs::create_directories(Work);
    }
    ~ProgramCommand() override { fs::remove_all(Dir); }
    fs::path Dir, Work;
};

}  // namespace kv::console::testing
