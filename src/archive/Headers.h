#pragma once
// The archive header (21 bytes) and the member header (25 bytes): little-endian, packed.
#include <array>
#include <cstdint>
#include <string>

namespace kv::archive {

inline constexpr int ArchiveHeaderSize = 21;
inline constexpr int MemberHeaderSize = 25;
inline constexpr uint8_t ArchiveTypeMulti = 1;  // caMulti, the only type there is
inline constexpr char ArchiveSignature[5] = {'V', 'E', 'L', 'K', 0x1A};

struct TArchiveHeader {
    std::array<char, 5> Signature{};
    std::array<char, 3> Method{};  // identifier of the method requested when writing
    int32_t TotalSize = 0;         // sum of the members' uncompressed sizes
    uint8_t ArchiveType = ArchiveTypeMulti;
    int32_t Reserved = 0;
    int32_t Locked = 0;

    static TArchiveHeader Make(const char* methodIdentifier, int32_t total);
    bool HasSignature() const;
    std::string MethodIdentifier() const { return std::string(Method.data(), Method.size()); }
    std::array<uint8_t, ArchiveHeaderSize> Pack() const;
    static TArchiveHeader Unpack(const uint8_t* bytes);
};

struct TMemberHeader {
    int16_t NameLength = 0;
    uint32_t DateTime = 0;    // MS-DOS packed, local time
    uint16_t Attributes = 0;  // low 16 bits of the Windows attribute bits
    int32_t UncompressedSize = 0;
    int32_t CompressedSize = 0;
    uint8_t Method = 0;     // index into the method table
    uint32_t Checksum = 0;  // sum of the uncompressed bytes
    int32_t Locked = 0;

    std::array<uint8_t, MemberHeaderSize> Pack() const;
    static TMemberHeader Unpack(const uint8_t* bytes);
};

}  // namespace kv::archive
