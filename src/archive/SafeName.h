#pragma once
#include <string>

namespace kv::archive {

// Whether a stored member name stays inside the target directory when expanded: not empty, not
// absolute ("\" or "/" first), no drive ("C:"), no ".." component ("\" and "/" both separate).
bool IsSafeMemberName(const std::string& name);

// The name with every byte outside printable ASCII written as "\xHH", so that a stored name
// cannot drive the terminal it is shown on.
std::string PrintableName(const std::string& name);

}  // namespace kv::archive
