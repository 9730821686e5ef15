#pragma once
// Runs 740-cli with arguments in a directory, capturing its exit status and all it prints.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/VirtualInstrument.h"

namespace cli::test {

struct CliResult {
    int Status;
    std::string Output;
};

inline CliResult RunCli(const std::string& dir, const std::string& arguments,
                        const std::string& environment = "") {
    const std::string out = dir + "/cli-output.txt";
    const std::string command = "cd '" + dir + "' && " + environment + " " + CLI_PATH + " " +
                                arguments + " > '" + out + "' 2>&1 < /dev/null";
    const int status = std::system(command.c_str());
    const auto bytes = kv::testing::ReadFileBytes(out);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, std::string(bytes.begin(), bytes.end())};
}

}  // namespace cli::test
