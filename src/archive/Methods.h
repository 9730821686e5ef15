#pragma once
// The method table: the index stored in a member header and the identifier in the archive header.
#include <cstdint>
#include <optional>
#include <string>

namespace kv::archive {

enum TCompressMethod : uint8_t {
    MethodNone = 0,    // "NON": stored
    MethodRle = 1,     // "RLE": decoded only
    MethodLzh = 2,     // "LZH": decoded only
    MethodCustom = 3,  // "CUS": a caller's codec; this system has none
    MethodLh5 = 4,     // "LH5": what the system writes
};

inline constexpr int MethodCount = 5;

// The three-character identifier of a method index.
const char* MethodIdentifier(TCompressMethod method);

// The method whose identifier is exactly these three characters (case-sensitive).
std::optional<TCompressMethod> MethodFromIdentifier(const std::string& identifier);

}  // namespace kv::archive
