#pragma once
// The commands of 740-cli; each lives in a file of its own and returns the exit status.
#include <string>
#include <vector>

namespace cli {

using Words = std::vector<std::string>;

struct Command {
    const char* Name;
    const char* Usage;  // first line: the synopsis; further lines: what it does
    int (*Run)(const Words& words);
};

int RunDownload(const Words& words);
int RunBuild(const Words& words);
int RunPack(const Words& words);
int RunProgram(const Words& words);
int RunReport(const Words& words);

// Every command, in the order --help lists them.
const std::vector<Command>& AllCommands();

}  // namespace cli
