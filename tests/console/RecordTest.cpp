// The programming record: its rows, and whole rows whatever happens to the writers.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

#include "console/ProgrammingRecord.h"
#include "support/TempDir.h"

namespace kv::console::testing {
namespace {

namespace fs = std::filesystem;

RecordRow Row(const std::string& serial, bool ok) {
    RecordRow row;
    row.When = std::chrono::system_clock::from_time_t(1700000000);
    row.Version = "758-FP01-000000";
    row.Revision = "3.0.201";
    row.Serial = serial;
    row.Tag = "FT-7";
    row.Port = "COM4";
    row.Baud = ok ? 19200 : 0;
    row.Parity = ok ? "EVEN" : "";
    row.BytesSent = ok ? 131073 : 0;
    row.Seconds = 41.26;
    row.Message =
        ok ? "Complete - Program another unit or Exit" : "Comms test failed - no response";
    row.Ok = ok;
    return row;
}

std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A row of the record as a reader splits it: twelve fields, the last ok or failed.
bool WholeRow(const std::string& line) {
    size_t commas = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) ++commas;
    }
    return commas == 11 && !quoted && (line.ends_with(",ok") || line.ends_with(",failed"));
}

class Record : public ::testing::Test {
  protected:
    Record() : Dir(Temp.Path()), File(Dir / "record.csv") {
        const char* tz = std::getenv("TZ");
        if (tz) SavedTz = tz;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    ~Record() override {
        if (SavedTz)
            setenv("TZ", SavedTz->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    kv::testing::TempDir Temp;
    fs::path Dir, File;
    std::optional<std::string> SavedTz;
};

TEST_F(Record, RowsOfCompleteAndFailedUnits) {
    EXPECT_EQ(
        RecordLine(Row("000101", true)),
        "2023-11-14T23:13:20+01:00,758-FP01-000000,3.0.201,000101,FT-7,COM4,19200,EVEN,131073,41.3,"
        "Complete - Program another unit or Exit,ok\n");
    EXPECT_EQ(RecordLine(Row("000102", false)),
              "2023-11-14T23:13:20+01:00,758-FP01-000000,3.0.201,000102,FT-7,COM4,,,0,41.3,"
              "Comms test failed - no response,failed\n");
    RecordRow odd = Row("000103", false);
    odd.Tag = "A,\"B\"";
    odd.Message = "line\nbreak";
    EXPECT_EQ(RecordLine(odd).substr(RecordLine(odd).find("000103")),
              "000103,\"A,\"\"B\"\"\",COM4,,,0,41.3,\"line\nbreak\",failed\n");
    // Summer time has its own offset.
    RecordRow summer = Row("000104", true);
    summer.When = std::chrono::system_clock::from_time_t(1720000000);
    EXPECT_EQ(IsoLocalTime(summer.When), "2024-07-03T11:46:40+02:00");
}

TEST_F(Record, HeaderOnlyInANewFileAndRowsAfterWholeLines) {
    {
        ProgrammingRecord record(File);
        record.Append(Row("000101", true));
    }
    ProgrammingRecord(File).Append(Row("000102", false));
    auto lines = Lines(File);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0] + "\n", RecordHeader());
    EXPECT_NE(lines[2].find("000102"), std::string::npos);

    // An earlier writer cut off in mid-row: the next row still starts a line of its own.
    std::ofstream(File, std::ios::app) << "2023-11-14T23:13:20+01:00,758-FP01";
    ProgrammingRecord(File).Append(Row("000103", true));
    lines = Lines(File);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(WholeRow(lines[4])) << lines[4];

    EXPECT_THROW(ProgrammingRecord(Dir / "no-such-folder" / "record.csv"), std::runtime_error);
    EXPECT_THROW(ProgrammingRecord{Dir}, std::runtime_error);
}

// Appends rows "<prefix>00000", "<prefix>00001", ... as fast as it can, in a child process.
pid_t Writer(const fs::path& file, char prefix, int count) {
    const pid_t pid = fork();
    if (pid == 0) {
        ProgrammingRecord record(file);
        for (int i = 0; i < count; ++i) {
            std::string serial = std::to_string(i);
            record.Append(Row(prefix + std::string(5 - serial.size(), '0') + serial, i % 3 != 0));
        }
        _exit(0);
    }
    return pid;
}

TEST_F(Record, AWriterKilledBetweenUnitsLeavesEveryFinishedRowWhole) {
    const pid_t pid = Writer(File, '1', 1000000);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    ProgrammingRecord(File).Append(Row("900000", true));  // the next run goes on from there

    const auto lines = Lines(File);
    ASSERT_GE(lines.size(), 3u) << "the writer wrote nothing before it was killed";
    EXPECT_EQ(lines[0] + "\n", RecordHeader());
    for (size_t i = 1; i < lines.size(); ++i) {
        ASSERT_TRUE(WholeRow(lines[i])) << "line " << i << ": " << lines[i];
        if (i + 1 < lines.size()) {
            EXPECT_NE(lines[i].find("," + std::to_string(100000 + i - 1) + ","), std::string::npos)
                << lines[i];
        }
    }
    EXPECT_NE(lines.back().find("900000"), std::string::npos);
}

TEST_F(Record, TwoProgramsAppendingAtOnceLeaveWholeRows) {
    const pid_t a = Writer(File, '1', 200), b = Writer(File, '2', 200);
    int status = 0;
    waitpid(a, &status, 0);
    EXPECT_EQ(status, 0);
    waitpid(b, &status, 0);
    EXPECT_EQ(status, 0);

    const auto lines = Lines(File);
    ASSERT_EQ(lines.size(), 401u);
    EXPECT_EQ(lines[0] + "\n", RecordHeader());
    int next[2] = {0, 0};
    for (size_t i = 1; i < lines.size(); ++i) {
        ASSERT_TRUE(WholeRow(lines[i])) << "line " << i << ": " << lines[i];
        // Each writer's rows come in its own order.
        const size_t at = lines[i].find(",FT-7,") - 6;
        const int writer = lines[i][at] - '1';
        ASSERT_TRUE(writer == 0 || writer == 1) << lines[i];
        EXPECT_EQ(std::stoi(lines[i].substr(at + 1, 5)), next[writer]++) << lines[i];
    }
}

}  // namespace
}  // namespace kv::console::testing
