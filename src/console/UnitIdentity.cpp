#include "UnitIdentity.h"

#include <algorithm>
#include <cctype>

namespace kv::console {

bool RevisionAtLeast(const std::string& revision, const std::string& reference) {
    auto upper = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
    return !std::lexicographical_compare(revision.begin(), revision.end(), reference.begin(),
                                         reference.end(),
                                         [&](char a, char b) { return upper(a) < upper(b); });
}

UnitIdentity IdentityFromName(const std::string& versionName) {
    auto has = [&](const char* text) { return versionName.find(text) != std::string::npos; };
    UnitIdentity identity;
    identity.ModelMask = has("758") ? 1 : has("746") ? 12 : 0;
    static constexpr struct {
        const char* family;
        int32_t minClass;
    } classes[] = {{"FC", 1}, {"FP", 2}, {"GI", 2}, {"GN", 3}, {"SH", 2}, {"ST", 2}, {"TS", 1}};
    for (const auto& c : classes) {
        if (has(c.family)) {
            identity.MinClass = c.minClass;
            break;
        }
    }
    return identity;
}

UnitIdentity IdentityOf(const std::string& revision, uint8_t cardNumber, uint8_t cardClass,
                        const std::string& versionName) {
    if (RevisionAtLeast(revision, IdentityInImageFrom)) return {cardNumber, cardClass};
    return IdentityFromName(versionName);
}

std::string ClassText(int32_t minClass) {
    std::string text = std::to_string(minClass);
    return minClass < 10 ? "0" + text : text;
}

ModelTexts ModelTextsOf(uint32_t modelMask) {
    if (modelMask & 0x0C) return {" - Standard Model 746, Class ", "Connect Model "};
    if (modelMask & 0x01) return {" - Original Model 758, Class ", "Connect Original Model "};
    return {" - Standard Model 758, Class ", "Connect Standard Model "};
}

}  // namespace kv::console
