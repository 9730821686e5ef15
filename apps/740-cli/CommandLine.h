#pragma once
// The frame every 740-cli command is parsed in: one CLI11 subcommand per command, usage errors,
// and the program's own words for every failure.
#include <CLI/CLI.hpp>

#include <stdexcept>
#include <string>

namespace cli {

// A command line that is wrong in a way only the command can see; exit status 2.
class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A failure said in the program's own words; exit status 1.
class Failure : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A command (or a command of a command, as "pack list") with the program's help and version flags.
// `description` says what it does; the usage line is made from its options.
CLI::App* NewCommand(CLI::App& parent, const std::string& name, const std::string& description);

// The whole program: parses the words, runs the chosen command and returns the exit status.
int RunCommandLine(int argc, char** argv);

}  // namespace cli
