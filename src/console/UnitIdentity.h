#pragma once
// Which units an image suits, and how the console names that in its caption and panel.
#include <cstdint>
#include <string>

namespace kv::console {

struct UnitIdentity {
    uint32_t ModelMask = 0;
    int32_t MinClass = 0;
};

// Revision texts compare character by character, ignoring case, not as numbers: "2.10" is below
// "2.5".
bool RevisionAtLeast(const std::string& revision, const std::string& reference);

inline constexpr const char* IdentityInImageFrom = "Revision: 2.5.7.0";
inline constexpr const char* DateStampFrom = "Revision: 2.7.3.7";

// Images older than the identity bytes carry their identity only in the version name.
UnitIdentity IdentityFromName(const std::string& versionName);

UnitIdentity IdentityOf(const std::string& revision, uint8_t cardNumber, uint8_t cardClass,
                        const std::string& versionName);

// "03" for 3, "12" for 12.
std::string ClassText(int32_t minClass);

struct ModelTexts {
    const char* Label;   // follows the file name in the caption
    const char* Prefix;  // begins the connect text of the panel
};
ModelTexts ModelTextsOf(uint32_t modelMask);

}  // namespace kv::console
