#include "Validators.h"

#include <algorithm>
#include <filesystem>

#include "CliSupport.h"
#include "catalogue/VersionRules.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// `check` returns what is wrong with the value, or nothing.
CLI::Validator Check(std::function<std::string(std::string&)> check) {
    return CLI::Validator(std::move(check), "");
}

}  // namespace

const CLI::Validator PortName = Check([](std::string& name) -> std::string {
    if (name.size() == 4 && name.rfind("COM", 0) == 0 && name[3] >= '1' && name[3] <= '9')
        return {};
    return Quoted(name) + " is not a port name (COM1 to COM9)";
});

const CLI::Validator LinkSpeed = Check([](std::string& speed) -> std::string {
    for (const char* allowed : {"38400", "19200", "9600", "4800", "2400", "1200"})
        if (speed == allowed) return {};
    return Quoted(speed) + " is not a speed of the link (38400, 19200, 9600, 4800, 2400 or 1200)";
});

const CLI::Validator ParityName = Check([](std::string& parity) -> std::string {
    std::string upper = parity;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    for (const char* allowed : {"ODD", "EVEN", "NONE", "MARK", "SPACE"}) {
        if (upper == allowed) {
            parity = upper;
            return {};
        }
    }
    return Quoted(parity) + " is not a parity (ODD, EVEN, NONE, MARK or SPACE)";
});

const CLI::Validator FilePath = Check([](std::string& path) -> std::string {
    if (path.empty()) return "an empty path names no file";
    std::error_code error;
    if (fs::is_directory(path, error)) return Quoted(path) + " is a directory, not a file";
    return {};
});

const CLI::Validator ExistingFolder = Check([](std::string& path) -> std::string {
    if (path.empty()) return "an empty path names no directory";
    std::error_code error;
    if (!fs::is_directory(path, error)) return "directory " + Quoted(path) + " does not exist";
    return {};
});

const CLI::Validator VersionName = Check([](std::string& name) -> std::string {
    if (kv::catalogue::IsVersionName(name)) return {};
    return Quoted(name) + " is not a MODEL-PACK-CODE (such as 758-FP01-000000)";
});

CLI::Option* AddVersionArgument(CLI::App& command, std::string& version) {
    return command.add_option("MODEL-PACK-CODE", version, "The version, such as 758-FP01-000000")
        ->required()
        ->check(VersionName);
}

CLI::Option* AddTimeoutOption(CLI::App& command, int& seconds) {
    seconds = 30;
    return command.add_option("--timeout", seconds, "How long the connection may take")
        ->type_name("SECONDS")
        ->check(Check([](std::string& text) -> std::string {
            if (text.find_first_not_of("0123456789") == std::string::npos && !text.empty() &&
                text.size() < 5 && std::stoi(text) >= 1 && std::stoi(text) <= 3600)
                return {};
            return Quoted(text) + " is not a number of seconds from 1 to 3600";
        }));
}

CLI::Option* AddInstallOption(CLI::App& command, std::string& install) {
    install = DefaultInstallation().string();
    return command.add_option("--install", install, "The installation holding the tables")
        ->type_name("DIR")
        ->check(Check([](std::string& path) -> std::string {
            return path.empty() ? "an empty path names no installation" : "";
        }));
}

}  // namespace cli
