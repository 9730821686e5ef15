#pragma once
// The file-system calls of the archive, on POSIX: names, times, attributes and free space.
#include <cstdint>
#include <ctime>
#include <string>

namespace kv::archive {

inline constexpr uint16_t AttrReadOnly = 0x01;
inline constexpr uint16_t AttrArchive = 0x20;

// Stored names use "\" as separator (archives written on Windows); the file system uses "/".
std::string NativePath(const std::string& name);

// MS-DOS packed date-time (date in the high 16 bits) of a time in local time, and back.
uint32_t ToDosDateTime(std::time_t t);
std::time_t FromDosDateTime(uint32_t dos);

struct TSourceInfo {
    uint32_t DateTime = 0;
    uint16_t Attributes = 0;
    int64_t Size = 0;
};
TSourceInfo ReadSourceInfo(int fd);

void SetFileTime(int fd, uint32_t dosDateTime);
void SetAttributes(int fd, uint16_t attributes);

// Free space for the target plus the size of an existing file of that name, capped at
// 2147483647; a free space that cannot be read counts as -1.
int64_t AvailableSpace(const std::string& target);

bool FileExists(const std::string& path);

// ASCII case-insensitive equality, as names are compared.
bool SameName(const std::string& a, const std::string& b);

}  // namespace kv::archive
