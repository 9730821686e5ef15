#pragma once
// The checks that several 740-cli commands make of their arguments, each saying what is wrong and
// what is allowed, before the command touches a file or a port.
#include <CLI/CLI.hpp>

#include <string>

namespace cli {

extern const CLI::Validator PortName;   // "COM1" to "COM9"
extern const CLI::Validator LinkSpeed;  // a speed of the link, 38400 down to 1200
extern const CLI::Validator
    ParityName;                        // ODD, EVEN, NONE, MARK, SPACE in any case; made upper case
extern const CLI::Validator FilePath;  // a path that can name a file: not empty, not a directory
extern const CLI::Validator ExistingFolder;  // a path naming a directory that exists
extern const CLI::Validator
    VersionName;  // --timeout SECONDS, how long one connection attempt may last (default 30).
CLI::Option* AddTimeoutOption(CLI::App& command, int& seconds);
// MODEL-PACK-CODE, such as 758-FP01-000000

// --timeout SECONDS, how long one connection attempt may last (default 30).
CLI::Option* AddTimeoutOption(CLI::App& command, int& seconds);
// MODEL-PACK-CODE as the command's one positional.
CLI::Option* AddVersionArgument(CLI::App& command, std::string& version);
// --install DIR, the installation holding the tables (default: the one this program belongs to).
CLI::Option* AddInstallOption(CLI::App& command, std::string& install);

}  // namespace cli
