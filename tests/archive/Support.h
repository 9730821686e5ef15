#pragma once
// Helpers of the archive tests: files, corpora, and in-memory coding.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/TCompThreadSafety.h"
#include "support/TempDir.h"

namespace kv::archive::test {

using Bytes = std::vector<uint8_t>;
using kv::testing::TempDir;

Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, const Bytes& bytes);
Bytes Text(const std::string& s);

// Deterministic corpora.
Bytes RandomBytes(size_t n, uint32_t seed);
Bytes EnglishText(size_t n, uint32_t seed);
Bytes FirmwareImage(size_t n, uint32_t seed);  // code-like words, tables, 0xFF fill

struct TCoded {
    Bytes Data;
    bool Stored = false;  // the LH5 coding did not fit the budget
    uint32_t Checksum = 0;
};
TCoded EncodeBytes(const Bytes& input, TCompressMethod method = MethodLh5);
// Decodes; `truncated` reports a stream cut short, `overlong` one that holds more than `size`.
Bytes DecodeBytes(const Bytes& coded, int32_t size, TCompressMethod method = MethodLh5,
                  bool* truncated = nullptr, bool* overlong = nullptr);

// Runs a shell command; returns its exit status.
int RunCommand(const std::string& command);

// A level-0 LHA archive holding one member coded with `method` (e.g. "-lh5-").
Bytes LhaArchive(const std::string& method, const std::string& name, const Bytes& coded,
                 const Bytes& original);
// The members of an LHA archive (levels 0 and 1): method, coded data, size and name.
struct TLhaMember {
    std::string Method;
    Bytes Coded;
    int32_t OriginalSize = 0;
    std::string Name;
};
std::vector<TLhaMember> LhaMembers(const Bytes& archive);

}  // namespace kv::archive::test

namespace kv::archive::test {

// Hand-made archives: headers exactly as given, so tests can write what our writer never does.
struct TRawMember {
    std::string Name;
    Bytes Coded;
    int32_t UncompressedSize = 0;
    uint8_t Method = 0;
    uint32_t Checksum = 0;
    int32_t Locked = 0;
    uint32_t DateTime = 0x5A210000;
    uint16_t Attributes = 0x20;
};
// A stored member of `data` with its true checksum.
TRawMember StoredMember(const std::string& name, const Bytes& data);
Bytes BuildArchive(const std::vector<TRawMember>& members, int32_t total = -1,
                   const std::string& method = "LH5");
uint32_t Sum(const Bytes& data);

}  // namespace kv::archive::test
