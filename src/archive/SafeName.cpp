#include "archive/SafeName.h"

#include <cstdio>

namespace kv::archive {

bool IsSafeMemberName(const std::string& name) {
    if (name.empty() || name[0] == '\\' || name[0] == '/') return false;
    if (name.size() >= 2 && name[1] == ':') return false;
    if (name.find('\0') != std::string::npos) return false;
    size_t start = 0;
    for (;;) {
        size_t end = name.find_first_of("\\/", start);
        if (name.compare(start, end == std::string::npos ? std::string::npos : end - start, "..") ==
            0)
            return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

std::string PrintableName(const std::string& name) {
    std::string shown;
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
            continue;
        }
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        shown += escaped;
    }
    return shown;
}

}  // namespace kv::archive
