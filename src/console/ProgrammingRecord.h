#pragma once
// The programming record: one CSV row per unit programmed, appended to a file that several runs
// may share. Each row goes out in one write on a descriptor opened for appending and is flushed to
// disk before the call returns, so a crash or a pulled cable loses at most the unit in progress
// and two writers never interleave within a row.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace kv::console {

class Console;
class SerialNumberForm;
class UnitProgress;
struct UnitResult;

struct RecordRow {
    std::chrono::system_clock::time_point When;  // when the unit's outcome was known
    std::string Version;                         // from the image's identity, e.g. 758-FP01-000000
    std::string Revision;                        // without the "Revision: " prefix
    std::string Serial, Tag, Port;
    uint32_t Baud = 0;  // the setting the unit answered on; 0 when none
    std::string Parity;
    size_t BytesSent = 0;
    double Seconds = 0;
    std::string Message;  // the unit's final message
    bool Ok = false;
};

// The row of a unit programmed from the console's load, whose download `progress` followed;
// `form` is the serial number dialog it went through.
RecordRow UnitRow(const Console& console, const UnitResult& result, const SerialNumberForm& form,
                  const UnitProgress& progress, std::chrono::steady_clock::time_point now);

// Local time with its offset from UTC, "2026-12-10T13:05:00+01:00".
std::string IsoLocalTime(std::chrono::system_clock::time_point when);

std::string RecordHeader();
// One line with its newline; fields holding a comma, a quote or a line break are quoted.
std::string RecordLine(const RecordRow& row);

class ProgrammingRecord {
  public:
    // Opens (creating) the file for appending; throws std::runtime_error naming the file and why.
    explicit ProgrammingRecord(const std::filesystem::path& file);
    ~ProgrammingRecord();
    ProgrammingRecord(const ProgrammingRecord&) = delete;
    ProgrammingRecord& operator=(const ProgrammingRecord&) = delete;

    // Writes the row (after the header when the file is empty) and waits until it is on disk;
    // throws std::runtime_error when it could not be written whole.
    void Append(const RecordRow& row);

  private:
    std::filesystem::path File;
    int Fd = -1;
};

}  // namespace kv::console
