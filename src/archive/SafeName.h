#pragma once
#include <string>

namespace kv::archive {

// Whether a stored member name stays inside the target directory when expanded: not empty, not
// absolute ("\" or "/" first), no drive ("C:"), no ".." component ("\" and "/" both separate).
bool IsSafeMemberName(const std::string& name);

}  // namespace kv::archive
