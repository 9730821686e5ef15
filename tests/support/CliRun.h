#pragma once
// Runs 740-cli as a user would from a shell, capturing its exit status and all it prints.
#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace kv::testing {

struct CliResult {
    int Status = -1;     // the exit status; -1 when a signal ended the program
    std::string Output;  // standard output and error together, in the order printed
};

using Environment = std::map<std::string, std::string>;
// Sees the output so far each time more of it arrives, e.g. to unplug a unit mid-transfer.
using OutputWatch = std::function<void(const std::string& output)>;

// Runs "740-cli ARGUMENTS" in `dir` (empty: the test's current directory) with no input and
// `environment` set on top of the test's own. The arguments are shell words, quoted as on a
// command line: "version new 758-FP01-000000 --title 'Line 4'".
CliResult RunCli(const std::string& arguments, const std::filesystem::path& dir = {},
                 const Environment& environment = {}, const OutputWatch& watch = {});

// The 740-cli program, for the tests that must start it some other way (on a terminal).
const char* CliProgram();

}  // namespace kv::testing
