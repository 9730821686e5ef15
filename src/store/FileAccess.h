#pragma once
// File access of the store: the system's relative paths with "\" separators, whole-file
// reads, and writes that leave either the old or the new file whatever happens.
#include <string>
#include <string_view>

namespace kv::store {

// "..\dbs\default\740-pack.db" -> "../dbs/default/740-pack.db". Where that path does not
// exist, each missing part is matched without regard to case, as on the original platform.
std::string NativePath(std::string_view path);

// Throws StoreError naming `file` (the name the caller knows) when the file cannot be read.
std::string ReadWholeFile(const std::string& native, const std::string& file);

// Temporary file in the same directory, written, flushed to disk and renamed over the target,
// so that the name always holds a complete file. On failure the target is untouched and the
// temporary removed.
void WriteFileAtomically(const std::string& native, std::string_view bytes,
                         const std::string& file);

void RemoveFile(const std::string& native, const std::string& file);

// Identity of a file's current content, to notice changes made behind our back.
struct FileStamp {
    unsigned long long Device = 0, Inode = 0, Size = 0;
    long long ModifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& native);

}  // namespace kv::store
