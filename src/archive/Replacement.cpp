#include "archive/Replacement.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#include "archive/SafeName.h"

namespace kv::archive {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

std::string RandomSuffix() {
    thread_local std::mt19937 rng{std::random_device{}()};
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(rng()));
    return text;
}

}  // namespace

TReplacement::TReplacement(const TDirectory& dir, const std::string& leaf)
    : DirFd(dir.Handle()), Leaf(leaf) {
    // Short enough for any file system's name limit, whatever the target's length.
    const std::string stem = "." + leaf.substr(0, 200) + ".";
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        Temporary = stem + RandomSuffix() + ".part";
        fd = ::openat(DirFd, Temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) Fail("Cannot create a file beside \"" + PrintableName(leaf) + "\"");
    Stream = std::make_unique<TFileStream>(fd);
}

TReplacement::~TReplacement() {
    Stream.reset();
    if (!Committed) ::unlinkat(DirFd, Temporary.c_str(), 0);
}

void TReplacement::Commit() {
    if (::fsync(Stream->Handle()) != 0) Fail("Cannot write \"" + PrintableName(Leaf) + "\"");
    Stream->Close();
    if (::renameat(DirFd, Temporary.c_str(), DirFd, Leaf.c_str()) != 0)
        Fail("Cannot replace \"" + PrintableName(Leaf) + "\"");
    Committed = true;
}

}  // namespace kv::archive
