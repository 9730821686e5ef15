#pragma once
// A failure that stops a build before the toolchain runs; the text is shown to the user.
#include <stdexcept>

namespace kv::builder {

class BuildError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace kv::builder
