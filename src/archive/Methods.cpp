#include "archive/Methods.h"

namespace kv::archive {

namespace {
const char* const Identifiers[MethodCount] = {"NON", "RLE", "LZH", "CUS", "LH5"};
}

const char* MethodIdentifier(TCompressMethod method) {
    return method < MethodCount ? Identifiers[method] : "???";
}

std::optional<TCompressMethod> MethodFromIdentifier(const std::string& identifier) {
    for (int i = 0; i < MethodCount; ++i)
        if (identifier == Identifiers[i]) return static_cast<TCompressMethod>(i);
    return std::nullopt;
}

}  // namespace kv::archive
