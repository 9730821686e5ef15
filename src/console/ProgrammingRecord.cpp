#include "ProgrammingRecord.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <stdexcept>

#include "AppImage.h"
#include "Console.h"
#include "Production.h"
#include "UnitProgress.h"
#include "link/Messages.h"

namespace kv::console {

namespace {

constexpr size_t CstVersionOffset = 26;
constexpr size_t CstVersionLength = 6;
constexpr const char* RevisionPrefix = "Revision: ";

std::string Field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::runtime_error Failure(const std::filesystem::path& file, const char* what) {
    return std::runtime_error("cannot " + std::string(what) + " the record \"" + file.string() +
                              "\": " + std::strerror(errno));
}

// Holds the file's advisory lock for one append, so that the header goes only into an empty
// file and a row follows a whole line even when another program appends at the same time.
class AppendLock {
  public:
    explicit AppendLock(int fd) : Fd(fd) {
        while (::flock(Fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~AppendLock() { ::flock(Fd, LOCK_UN); }

  private:
    int Fd;
};

}  // namespace

RecordRow UnitRow(const Console& console, const UnitResult& result, const SerialNumberForm& form,
                  const UnitProgress& progress, std::chrono::steady_clock::time_point now) {
    RecordRow row;
    row.When = std::chrono::system_clock::now();
    const AppImage& image = console.Image();
    const IdentityBlock& id = console.Loaded().Identity;
    std::string code;
    for (size_t i = 0; i < CstVersionLength; ++i) {
        const char c = static_cast<char>(image.Data()[id.Position + CstVersionOffset + i]);
        if (c == '\0') break;
        code += c;
    }
    row.Version = image.TextAt(id.AppPack).value_or("") + "-" + code;
    row.Revision = id.Revision.rfind(RevisionPrefix, 0) == 0
                       ? id.Revision.substr(std::strlen(RevisionPrefix))
                       : id.Revision;
    row.Serial = result.Unit.Serial;
    // A refused tag never reached the form.
    row.Tag = form.TagEnabled && result.Unit.Tag ? *result.Unit.Tag : form.Tag;
    row.Port = progress.Port;
    // A unit that never answered has no setting of its own.
    if (result.Outcome != link::msg::NoResponse && progress.Baud != 0) {
        row.Baud = progress.Baud;
        row.Parity = progress.Parity;
    }
    row.BytesSent = progress.BytesSent;
    row.Seconds = progress.Seconds(now);
    row.Message = result.Outcome;
    row.Ok = result.Complete;
    return row;
}

std::string IsoLocalTime(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string iso = text;
    iso.insert(iso.size() - 2, ":");  // +0100 becomes +01:00
    return iso;
}

std::string RecordHeader() {
    return "time,version,revision,serial,tag,port,speed,parity,bytes,seconds,message,result\n";
}

std::string RecordLine(const RecordRow& row) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", row.Seconds);
    const std::string fields[] = {IsoLocalTime(row.When),
                                  row.Version,
                                  row.Revision,
                                  row.Serial,
                                  row.Tag,
                                  row.Port,
                                  row.Baud ? std::to_string(row.Baud) : "",
                                  row.Parity,
                                  std::to_string(row.BytesSent),
                                  seconds,
                                  row.Message,
                                  row.Ok ? "ok" : "failed"};
    std::string line;
    for (const std::string& field : fields) line += (line.empty() ? "" : ",") + Field(field);
    return line + "\n";
}

ProgrammingRecord::ProgrammingRecord(const std::filesystem::path& file) : File(file) {
    Fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (Fd < 0) throw Failure(File, "open");
    struct stat info {};
    if (::fstat(Fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(Fd);
        errno = EINVAL;
        throw Failure(File, "append to");
    }
}

ProgrammingRecord::~ProgrammingRecord() {
    if (Fd >= 0) ::close(Fd);
}

void ProgrammingRecord::Append(const RecordRow& row) {
    AppendLock lock(Fd);
    struct stat info {};
    if (::fstat(Fd, &info) != 0) throw Failure(File, "read the size of");
    std::string bytes;
    if (info.st_size == 0) {
        bytes = RecordHeader();
    } else {
        // A row cut short by a crash of an earlier writer must not swallow this one.
        const int reader = ::open(File.c_str(), O_RDONLY | O_CLOEXEC);
        char last = '\n';
        if (reader >= 0) {
            if (::pread(reader, &last, 1, info.st_size - 1) != 1) last = '\n';
            ::close(reader);
        }
        if (last != '\n') bytes = "\n";
    }
    bytes += RecordLine(row);
    ssize_t written;
    do {
        written = ::write(Fd, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(bytes.size())) {
        if (written >= 0) errno = ENOSPC;
        throw Failure(File, "write to");
    }
    if (::fsync(Fd) != 0) throw Failure(File, "flush");
}

}  // namespace kv::console
