#include "docs/WebLinks.h"

#include "base/SystemSettings.h"

namespace kv::docs {

TWebLinks ReadWebLinks(const std::filesystem::path& settingsFile) {
    TWebLinks links;
    for (auto [key, value] :
         {std::pair{"HomePage", &links.HomePage}, std::pair{"ZerdanTool", &links.ZerdanTool}}) {
        const auto setting = base::ReadSetting(settingsFile, "WebLinks", key);
        if (setting && !setting->empty()) *value = *setting;
    }
    return links;
}

}  // namespace kv::docs
