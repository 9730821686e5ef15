#include "catalogue/CreatorSetting.h"

namespace kv::catalogue {

std::string CreatorDefault(const std::string& revisionText,
                           const std::filesystem::path& settingsFile) {
    const std::string revision =
        revisionText.size() > 7 ? revisionText.substr(revisionText.size() - 7) : revisionText;
    const auto company = base::ReadSetting(settingsFile, revision, "Company");
    return company && !company->empty() ? *company : UnknownCreator;
}

}  // namespace kv::catalogue
