#pragma once
// Directories reached below a folder one name at a time, never through a link: where an
// expanded member goes, whatever the folder holds already.
#include <sys/stat.h>

#include <string>

namespace kv::archive {

// An open directory, closed with the object.
class TDirectory {
  public:
    explicit TDirectory(int fd) : Fd(fd) {}
    TDirectory(TDirectory&& other) noexcept;
    TDirectory(const TDirectory&) = delete;
    TDirectory& operator=(const TDirectory&) = delete;
    TDirectory& operator=(TDirectory&& other) noexcept;
    ~TDirectory();
    int Handle() const { return Fd; }
    // Whether the entry `leaf` itself (a link is not followed) is the file `file`.
    bool Holds(const std::string& leaf, const struct stat& file) const;

  private:
    int Fd;
};

// Opens the directory `path` ("" is the current one), creating it and its parents first when
// `make`. Links in `path` are followed: the caller chose it. Throws std::system_error.
TDirectory OpenFolder(const std::string& path, bool make);

// Opens the directory below `folder` that holds the member `name` ("\" and "/" separate) and puts
// the name's last component into `leaf`. Every directory of the name is opened from its parent
// with O_NOFOLLOW | O_DIRECTORY, and created first when missing and `make`; a link, or a name
// that ends in a separator, fails with std::system_error.
TDirectory OpenMemberDirectory(const TDirectory& folder, const std::string& name, bool make,
                               std::string& leaf);

}  // namespace kv::archive
