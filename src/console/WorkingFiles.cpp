#include "WorkingFiles.h"

namespace kv::console {

namespace fs = std::filesystem;

void MakeWritable(const fs::path& file) {
    std::error_code error;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::add | fs::perm_options::nofollow, error);
}

void DeleteWorkingFiles(const fs::path& workDir) {
    for (const char* name : WorkingFileNames) {
        MakeWritable(workDir / name);
        std::error_code error;
        fs::remove(workDir / name, error);
    }
}

bool Exists(const fs::path& file) {
    std::error_code error;
    return fs::exists(file, error);
}

}  // namespace kv::console
