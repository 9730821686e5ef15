#include "TempDir.h"

#include <unistd.h>

#include <string>
#include <system_error>

namespace kv::testing {

namespace fs = std::filesystem;

TempDir::TempDir() : TempDir(fs::temp_directory_path()) {}

TempDir::TempDir(const fs::path& parent) {
    std::string pattern = (parent / "kv740-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw fs::filesystem_error("cannot make a scratch directory", parent,
                                   std::error_code(errno, std::generic_category()));
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Read-only members would block their removal on some systems. Links are left alone: their
    // targets may lie outside.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (const auto& entry : fs::recursive_directory_iterator(path_, ignored))
        if (!entry.is_symlink(ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

CurrentDir::CurrentDir(const fs::path& dir) : previous_(fs::current_path()) {
    fs::current_path(dir);
}

CurrentDir::~CurrentDir() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

}  // namespace kv::testing
