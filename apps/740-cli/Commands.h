#pragma once
// Registers every 740-cli command on the program's command line.
#include <CLI/CLI.hpp>

namespace cli {

void AddAllCommands(CLI::App& app, int& status);

}  // namespace cli
