#pragma once
// The desktop's "open" for documents and web addresses.
#include <string>

namespace kv::base {

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens a file path or a web address with the user's program for it; false on failure.
    virtual bool Open(const std::string& target) = 0;
};

}  // namespace kv::base
