#include "archive/SafeName.h"

namespace kv::archive {

bool IsSafeMemberName(const std::string& name) {
    if (name.empty() || name[0] == '\\' || name[0] == '/') return false;
    if (name.size() >= 2 && name[1] == ':') return false;
    if (name.find('\0') != std::string::npos) return false;
    size_t start = 0;
    for (;;) {
        size_t end = name.find_first_of("\\/", start);
        if (name.compare(start, end == std::string::npos ? std::string::npos : end - start, "..") == 0)
            return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

}  // namespace kv::archive
