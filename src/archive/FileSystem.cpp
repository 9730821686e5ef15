#include "archive/FileSystem.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <strings.h>
#include <algorithm>
#include <climits>
#include <filesystem>

namespace kv::archive {

std::string NativePath(const std::string& name) {
    std::string path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

uint32_t ToDosDateTime(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    int year = std::clamp(tm.tm_year + 1900, 1980, 2107);
    uint32_t date = static_cast<uint32_t>((year - 1980) << 9 | (tm.tm_mon + 1) << 5 | tm.tm_mday);
    uint32_t time = static_cast<uint32_t>(tm.tm_hour << 11 | tm.tm_min << 5 | tm.tm_sec / 2);
    return date << 16 | time;
}

std::time_t FromDosDateTime(uint32_t dos) {
    std::tm tm{};
    tm.tm_year = static_cast<int>((dos >> 25) & 0x7F) + 80;
    tm.tm_mon = static_cast<int>((dos >> 21) & 0x0F) - 1;
    tm.tm_mday = static_cast<int>((dos >> 16) & 0x1F);
    tm.tm_hour = static_cast<int>((dos >> 11) & 0x1F);
    tm.tm_min = static_cast<int>((dos >> 5) & 0x3F);
    tm.tm_sec = static_cast<int>(dos & 0x1F) * 2;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

TSourceInfo ReadSourceInfo(int fd) {
    struct stat st {};
    TSourceInfo info;
    if (::fstat(fd, &st) != 0) return info;
    info.DateTime = ToDosDateTime(st.st_mtime);
    info.Attributes = AttrArchive | ((st.st_mode & S_IWUSR) ? 0 : AttrReadOnly);
    info.Size = st.st_size;
    return info;
}

void SetFileTime(int fd, uint32_t dosDateTime) {
    std::time_t t = FromDosDateTime(dosDateTime);
    if (t == static_cast<std::time_t>(-1)) return;
    struct timespec times[2] = {{t, 0}, {t, 0}};
    ::futimens(fd, times);
}

void SetAttributes(int fd, uint16_t attributes) {
    if (!(attributes & AttrReadOnly)) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0) ::fchmod(fd, st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH));
}

int64_t AvailableSpace(const std::string& target) {
    // The file system that will hold the target: that of its nearest existing directory.
    std::filesystem::path dir = std::filesystem::path(target).parent_path();
    struct statvfs vfs {};
    int status;
    while ((status = ::statvfs(dir.empty() ? "." : dir.c_str(), &vfs)) != 0 &&
           dir.has_relative_path())
        dir = dir.parent_path();
    int64_t space = -1;
    if (status == 0) {
        long double bytes = static_cast<long double>(vfs.f_bavail) * vfs.f_frsize;
        space = bytes >= INT32_MAX ? INT32_MAX : static_cast<int64_t>(bytes);
    }
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) space += st.st_size;
    return std::min<int64_t>(space, INT32_MAX);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

}  // namespace kv::archive
