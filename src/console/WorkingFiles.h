#pragma once
// The three working files that the builder or the archive writes and the console reads.
#include <filesystem>

namespace kv::console {

inline constexpr const char* PackBinary = "PackBinary.bin";
inline constexpr const char* PackReport = "PackReport.pdf";
inline constexpr const char* PackManual = "PackManual.pdf";
// In the order the save dialog's boxes and an archive's members use.
inline constexpr const char* WorkingFileNames[] = {PackBinary, PackReport, PackManual};

// Gives the owner write access (an archive may restore a read-only attribute); ignores failures.
void MakeWritable(const std::filesystem::path& file);
// Makes each working file writable and deletes it, ignoring failures.
void DeleteWorkingFiles(const std::filesystem::path& workDir);

bool Exists(const std::filesystem::path& file);

}  // namespace kv::console
