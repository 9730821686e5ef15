#pragma once
// Who creates a new version, unless the user says otherwise: "Company" in the section named
// after the revision (the last seven characters of the revision text, "3.0.201") of the
// installation's settings file, which the administrator writes once. "Unknown Company" when
// the file, the section or the value is missing or empty.
#include <filesystem>
#include <string>

#include "base/SystemSettings.h"

namespace kv::catalogue {

inline constexpr const char* UnknownCreator = "Unknown Company";

std::string CreatorDefault(const std::string& revisionText,
                           const std::filesystem::path& settingsFile = base::SystemSettingsFile());

}  // namespace kv::catalogue
