#pragma once
// 740-cli program in a scratch folder with a port map, and its output.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ConsoleFixture.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace kv::console::testing {

namespace fs = std::filesystem;
using kv::testing::CliResult;

// Runs "740-cli program ARGUMENTS" with these ports, in UTC.
inline CliResult RunProgram(const std::string& ports, const std::string& arguments,
                            const kv::testing::OutputWatch& watch = {}) {
    return kv::testing::RunCli("program " + arguments, {}, {{"TZ", "UTC"}, {"KV740_PORTS", ports}},
                               watch);
}

class ProgramCommand : public ::testing::Test {
  protected:
    ProgramCommand() { fs::create_directories(Work); }
    kv::testing::TempDir Temp;
    fs::path Dir = Temp.Path(), Work = Dir / "bin";
};

}  // namespace kv::console::testing
