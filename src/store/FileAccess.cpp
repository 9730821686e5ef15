#include "store/FileAccess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>
#include <utility>

#include "store/Cp1252.h"
#include "store/StoreError.h"

namespace kv::store {
namespace fs = std::filesystem;
namespace {

[[noreturn]] void FailErrno(const std::string& file, const std::string& what, int err) {
    // The manager recognises an over-long installation path by this text.
    if (err == ENAMETOOLONG) throw StoreError(file, "file or directory name is too long");
    throw StoreError(file, what + ": " + std::strerror(err));
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

std::string ParentOf(const std::string& native) {
    auto slash = native.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : native.substr(0, slash);
}

constexpr char TemporaryPrefix[] = ".kvstore-";

// Temporary files of writers that were killed before their rename; once per directory.
void RemoveStaleTemporaries(const std::string& dir) {
    static std::set<std::string> cleaned;
    static pid_t owner = 0;
    if (owner != ::getpid()) {  // a forked child looks again for itself
        owner = ::getpid();
        cleaned.clear();
    }
    std::error_code ec;
    if (!cleaned.insert(fs::absolute(dir, ec).string()).second) return;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::string name = entry.path().filename().string();
        if (!name.starts_with(TemporaryPrefix) || !name.ends_with(".tmp")) continue;
        long pid = std::strtol(name.c_str() + sizeof TemporaryPrefix - 1, nullptr, 10);
        if (pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 &&
            errno == ESRCH)
            fs::remove(entry.path(), ec);
    }
}

std::string TemporaryName(const std::string& native) {
    static std::mt19937_64 random{std::random_device{}()};
    std::string dir = ParentOf(native);
    RemoveStaleTemporaries(dir);
    return (dir == "/" ? "" : dir) + "/" + TemporaryPrefix + std::to_string(::getpid()) + "-" +
           std::to_string(random() % 1000000000) + ".tmp";
}

}  // namespace

std::string NativePath(std::string_view path) {
    std::string native(path);
    for (char& c : native)
        if (c == '\\') c = '/';
    std::error_code ec;
    if (native.empty() || fs::exists(native, ec)) return native;
    // Walk the parts, replacing each missing one by a same-named entry in another case.
    fs::path resolved = native.front() == '/' ? fs::path("/") : fs::path();
    for (const auto& part : fs::path(native).relative_path()) {
        fs::path candidate = resolved / part;
        if (!fs::exists(candidate, ec) && part != "." && part != "..") {
            std::string wanted = FoldCase(part.string());
            for (const auto& entry :
                 fs::directory_iterator(resolved.empty() ? fs::path(".") : resolved, ec)) {
                if (FoldCase(entry.path().filename().string()) == wanted) {
                    candidate = resolved / entry.path().filename();
                    break;
                }
            }
        }
        resolved = candidate;
    }
    return resolved.string();
}

std::string ReadWholeFile(const std::string& native, const std::string& file) {
    Descriptor fd(::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        if (errno == ENOENT) throw StoreError(file, "table does not exist");
        FailErrno(file, "cannot open", errno);
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) FailErrno(file, "cannot read", errno);
    if (!S_ISREG(st.st_mode)) throw StoreError(file, "not a regular file");
    std::string bytes;
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) FailErrno(file, "cannot read", errno);
        if (n == 0) break;  // shrank while we read
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

void WriteFileAtomically(const std::string& native, std::string_view bytes,
                         const std::string& file) {
    std::string temp = TemporaryName(native);
    Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.Get() < 0) FailErrno(file, "cannot create a temporary file", errno);
    auto fail = [&](const std::string& what) {
        int err = errno;
        ::close(fd.Release());
        ::unlink(temp.c_str());
        FailErrno(file, what, err);
    };
    for (size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("cannot write");
        done += static_cast<size_t>(n);
    }
    struct stat old {};
    if (::stat(native.c_str(), &old) == 0 && ::fchmod(fd.Get(), old.st_mode & 07777) != 0)
        fail("cannot set permissions");
    if (::fsync(fd.Get()) != 0) fail("cannot flush to disk");
    if (::close(fd.Release()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        FailErrno(file, "cannot write", err);
    }
    if (::rename(temp.c_str(), native.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        FailErrno(file, "cannot replace the table", err);
    }
}

void RemoveFile(const std::string& native, const std::string& file) {
    if (::unlink(native.c_str()) != 0) {
        if (errno == ENOENT) throw StoreError(file, "table does not exist");
        FailErrno(file, "cannot delete", errno);
    }
}

FileStamp StampOf(const std::string& native) {
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0) return {};
    return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
            static_cast<unsigned long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

}  // namespace kv::store
