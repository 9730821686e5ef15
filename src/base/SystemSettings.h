#pragma once
// The per-installation settings an administrator writes once: an INI file in the system's
// configuration directory, read only. Values are found by section and key, as a registry value
// is found by key path and name.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace kv::base {

inline constexpr const char* SettingsOrganization = "Morvane";
inline constexpr const char* SettingsProduct = "740-Series Program Manager";

// The settings file of the first directory of $XDG_CONFIG_DIRS (default /etc/xdg) that holds
// one: "<dir>/Morvane/740-Series Program Manager.ini". Names the one under /etc/xdg when none does.
inline std::filesystem::path SystemSettingsFile() {
    const std::filesystem::path relative =
        std::filesystem::path(SettingsOrganization) / (std::string(SettingsProduct) + ".ini");
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    std::string_view rest = dirs && *dirs ? dirs : "/etc/xdg";
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        std::error_code ignored;
        if (!dir.empty() &&
            std::filesystem::is_regular_file(std::filesystem::path(dir) / relative, ignored))
            return std::filesystem::path(dir) / relative;
    }
    return std::filesystem::path("/etc/xdg") / relative;
}

// The value of `key` in `[section]` of the INI file, surrounding blanks dropped; nothing when
// the file, the section or the key is missing. Lines starting with ";" or "#" are comments.
inline std::optional<std::string> ReadSetting(const std::filesystem::path& file,
                                              std::string_view section, std::string_view key) {
    std::ifstream in(file);
    if (!in) return std::nullopt;
    auto trim = [](std::string_view text) {
        const size_t first = text.find_first_not_of(" \t\r");
        if (first == std::string_view::npos) return std::string_view();
        return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
    };
    bool inSection = false;
    for (std::string line; std::getline(in, line);) {
        const std::string_view text = trim(line);
        if (text.empty() || text.front() == ';' || text.front() == '#') continue;
        if (text.front() == '[') {
            inSection = text.back() == ']' && trim(text.substr(1, text.size() - 2)) == section;
            continue;
        }
        const size_t equals = text.find('=');
        if (inSection && equals != std::string_view::npos && trim(text.substr(0, equals)) == key)
            return std::string(trim(text.substr(equals + 1)));
    }
    return std::nullopt;
}

}  // namespace kv::base
