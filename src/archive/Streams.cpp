#include "archive/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace kv::archive {

namespace {
[[noreturn]] void Fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}
}  // namespace

TFileStream::TFileStream(const std::string& path, Mode mode) {
    int flags = O_CLOEXEC;
    switch (mode) {
        case OpenRead:
            flags |= O_RDONLY;
            break;
        case OpenReadWrite:
            flags |= O_RDWR;
            break;
        case Create:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
    }
    Fd = ::open(path.c_str(), flags, 0666);
    if (Fd < 0) Fail("Cannot open file \"" + path + "\"");
}

TFileStream::~TFileStream() {
    Close();
}

void TFileStream::Close() {
    if (Fd >= 0) ::close(Fd);
    Fd = -1;
}

size_t TFileStream::Read(void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        ssize_t n = ::read(Fd, static_cast<char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("Read error");
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    Pos += static_cast<int64_t>(done);
    return done;
}

void TFileStream::Write(const void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        ssize_t n = ::write(Fd, static_cast<const char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail("Write error");
        done += static_cast<size_t>(n);
    }
    Pos += static_cast<int64_t>(done);
}

int64_t TFileStream::Seek(int64_t offset) {
    off_t at = ::lseek(Fd, static_cast<off_t>(offset), SEEK_SET);
    if (at < 0) Fail("Seek error");
    Pos = at;
    return Pos;
}

int64_t TFileStream::Size() const {
    struct stat st {};
    if (::fstat(Fd, &st) != 0) Fail("Cannot read file size");
    return st.st_size;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    size_t n = Pos < Bytes.size() ? std::min(count, Bytes.size() - Pos) : 0;
    if (n) std::memcpy(buffer, Bytes.data() + Pos, n);
    Pos += n;
    return n;
}

void TMemoryStream::Write(const void* buffer, size_t count) {
    if (Bytes.size() < Pos + count) Bytes.resize(Pos + count);
    if (count) std::memcpy(Bytes.data() + Pos, buffer, count);
    Pos += count;
}

int64_t TMemoryStream::Seek(int64_t offset) {
    Pos = static_cast<size_t>(std::max<int64_t>(offset, 0));
    return static_cast<int64_t>(Pos);
}

}  // namespace kv::archive
