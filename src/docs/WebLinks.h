#pragma once
// The maker's web pages the manager links to. They are a setting: the defaults below, replaced
// by "HomePage" and "ZerdanTool" of the section "[WebLinks]" in the installation's settings file.
#include <filesystem>
#include <string>

namespace kv::docs {

struct TWebLinks {
    std::string HomePage = "https://www.morvane.example/";
    std::string ZerdanTool = "https://www.morvane.example/740-series-zerdan-tool";
};

TWebLinks ReadWebLinks(const std::filesystem::path& settingsFile);

}  // namespace kv::docs
