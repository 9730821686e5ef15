#include "archive/MemberPath.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "archive/SafeName.h"

namespace kv::archive {

namespace {

[[noreturn]] void Fail(int error, const std::string& what) {
    throw std::system_error(error, std::generic_category(), what);
}

constexpr int DirectoryFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

int OpenBelow(int parent, const std::string& component, bool make, const std::string& name) {
    int fd = ::openat(parent, component.c_str(), DirectoryFlags);
    if (fd < 0 && errno == ENOENT && make) {
        if (::mkdirat(parent, component.c_str(), 0777) != 0 && errno != EEXIST)
            Fail(errno, "Cannot create the directory \"" + PrintableName(component) + "\" of \"" +
                            PrintableName(name) + "\"");
        fd = ::openat(parent, component.c_str(), DirectoryFlags);
    }
    // ELOOP or ENOTDIR: a link or a file where the name needs a directory.
    if (fd < 0)
        Fail(errno, "Cannot open the directory \"" + PrintableName(component) + "\" of \"" +
                        PrintableName(name) + "\"");
    return fd;
}

}  // namespace

TDirectory::TDirectory(TDirectory&& other) noexcept : Fd(std::exchange(other.Fd, -1)) {}

TDirectory& TDirectory::operator=(TDirectory&& other) noexcept {
    if (this != &other) {
        if (Fd >= 0) ::close(Fd);
        Fd = std::exchange(other.Fd, -1);
    }
    return *this;
}

TDirectory::~TDirectory() {
    if (Fd >= 0) ::close(Fd);
}

bool TDirectory::Holds(const std::string& leaf, const struct stat& file) const {
    struct stat st {};
    return ::fstatat(Fd, leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && st.st_dev == file.st_dev &&
           st.st_ino == file.st_ino;
}

TDirectory OpenFolder(const std::string& path, bool make) {
    const std::string folder = path.empty() ? "." : path;
    if (make) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) Fail(errno, "Cannot open the folder \"" + folder + "\"");
    return TDirectory(fd);
}

TDirectory OpenMemberDirectory(const TDirectory& folder, const std::string& name, bool make,
                               std::string& leaf) {
    TDirectory dir(::dup(folder.Handle()));
    if (dir.Handle() < 0) Fail(errno, "Cannot open the folder of \"" + PrintableName(name) + "\"");
    size_t start = 0;
    for (;;) {
        size_t end = name.find_first_of("\\/", start);
        std::string component =
            name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end == std::string::npos) {
            if (component.empty() || component == "." || component == "..")
                Fail(EISDIR, "Not a file name: \"" + PrintableName(name) + "\"");
            leaf = component;
            return dir;
        }
        if (!component.empty() && component != ".")
            dir = TDirectory(OpenBelow(dir.Handle(), component, make, name));
        start = end + 1;
    }
}

}  // namespace kv::archive
