#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "Fixtures.h"
#include "support/TempDir.h"

using namespace kv::store;

namespace {

using kv::testing::InTempDir;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void Put16(std::string& b, size_t at, unsigned v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

// The error opening the table gives, or "" when it opens.
std::string OpenError(const std::string& path) {
    try {
        Table t(path);
        t.Open();
        for (t.First(); !t.Eof(); t.Next())
            for (int f = 0; f < t.FieldCount(); ++f) t.Fields(f).AsString();
        return "";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.File(), path);
        return e.Reason();
    }
}

class DamagedFiles : public InTempDir {
  protected:
    void SetUp() override {
        InTempDir::SetUp();
        std::vector<std::vector<std::string>> rows;
        for (int i = 0; i < 100; ++i) rows.push_back({"ID_" + std::to_string(i), "DT_FLOAT"});
        fixtures::MakeTable("good.db", fixtures::VersionFields(), rows);
        good = ReadBytes("good.db");
        header = static_cast<unsigned char>(good[2]) | static_cast<unsigned char>(good[3]) << 8;
        block = static_cast<unsigned char>(good[5]) * size_t{1024};
    }
    std::string good;
    size_t header = 0, block = 0;
};

TEST_F(DamagedFiles, EachDamageGivesItsReasonAndLeavesTheFileAsItWas) {
    ASSERT_EQ(good.size(), header + 5 * block);  // 22 records of 735 bytes in each 16 KiB block
    struct Case {
        const char* expected;
        std::function<void(std::string&)> damage;
    } cases[] = {
        {"too short", [&](std::string& b) { b.clear(); }},
        {"too short", [&](std::string& b) { b.resize(40); }},
        {"impossible for a file", [&](std::string& b) { b.resize(0x700); }},
        {"truncated", [&](std::string& b) { b.resize(header + 3 * block + 100); }},
        {"header counts 101 records but the data blocks hold 100",
         [&](std::string& b) { b[6] = 101; }},
        {"more records than the 99", [&](std::string& b) { b[6] = 99; }},
        {"record size 736", [&](std::string& b) { Put16(b, 0, 736); }},
        {"header counts 0 fields", [&](std::string& b) { Put16(b, 0x21, 0); }},
        {"unsupported type memo", [&](std::string& b) { b[0x78 + 2] = 0x0C; }},
        {"loops at block 1", [&](std::string& b) { Put16(b, header + block, 1); }},
        {"points to block 99", [&](std::string& b) { Put16(b, header + 3 * block, 99); }},
        {"impossible fill", [&](std::string& b) { Put16(b, header + 4 * block + 4, 0x7FFF); }},
        {"unknown block size", [&](std::string& b) { b[5] = 0; }},
        {"not a Paradox data table", [&](std::string& b) { b[4] = 1; }},
        {"unknown Paradox file version", [&](std::string& b) { b[0x39] = 0x42; }},
        {"password protected", [&](std::string& b) { b[0x25] = 0x11; }},
        {"impossible for a file", [&](std::string& b) { Put16(b, 2, 0x10); }},
        {"field names run past the header",
         [&](std::string& b) { std::fill(b.begin() + 0x200, b.begin() + header, 'A'); }},
        {"code page 437", [&](std::string& b) { Put16(b, 0x6A, 437); }},
    };
    for (const auto& c : cases) {
        std::string bytes = good;
        c.damage(bytes);
        WriteBytes("bad.db", bytes);
        std::string error = OpenError("bad.db");
        EXPECT_NE(error.find(c.expected), std::string::npos)
            << "expected \"" << c.expected << "\", got \"" << error << "\"";
        EXPECT_EQ(ReadBytes("bad.db"), bytes) << c.expected;
    }
    EXPECT_EQ(OpenError("missing.db"), "table does not exist");
    std::filesystem::create_directory("dir.db");
    EXPECT_EQ(OpenError("dir.db"), "not a regular file");
    ASSERT_EQ(::mkfifo("fifo.db", 0600), 0);
    EXPECT_EQ(OpenError("fifo.db"), "not a regular file");  // and no hang waiting for a writer
}

TEST_F(DamagedFiles, RandomDamageNeverCrashes) {
    std::mt19937 rng(3);
    int opened = 0;
    for (int round = 0; round < 300; ++round) {
        std::string bytes = good;
        for (int k = 0, n = 1 + static_cast<int>(rng() % 6); k < n; ++k) {
            // Mostly the header and the block heads, where a wrong byte matters.
            size_t at = rng() % 3 ? rng() % 0x100 : header + (rng() % 6) * block + rng() % 6;
            if (at < bytes.size()) bytes[at] = static_cast<char>(rng());
        }
        if (rng() % 5 == 0) bytes.resize(rng() % bytes.size());
        WriteBytes("fuzz.db", bytes);
        if (OpenError("fuzz.db").empty()) ++opened;
    }
    EXPECT_GT(opened, 0);
    EXPECT_LT(opened, 300);
}

TEST_F(DamagedFiles, FailedWriteKeepsRecordsAndStateAsBefore) {
    Table t("good.db");
    t.Open();
    t.SetRecNo(2);
    // A directory where the file was: the rename of the new file must fail.
    std::filesystem::remove("good.db");
    std::filesystem::create_directory("good.db");
    t.Edit();
    t.FieldByName("Type").SetAsString("DT_CHANGED");
    EXPECT_THROW(t.Post(), StoreError);
    EXPECT_EQ(t.State(), DatasetState::Edit);
    t.Cancel();
    EXPECT_EQ(t.FieldByName("Type").AsString(), "DT_FLOAT");
    EXPECT_THROW(t.Delete(), StoreError);
    EXPECT_EQ(t.RecordCount(), 100);
    EXPECT_THROW(t.AppendRecord({"ID_NEW"}), StoreError);
    EXPECT_EQ(t.RecordCount(), 100);
    EXPECT_EQ(t.State(), DatasetState::Browse);
    t.Close();
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator("."))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"good.db"}));  // no temporary file stays behind
}

TEST_F(DamagedFiles, OverlongNamesGiveTheTextTheManagerLooksFor) {
    std::string name = std::string(300, 'n') + ".db";
    try {
        Table::Create(name, fixtures::OptionFields());
        FAIL();
    } catch (const StoreError& e) {
        EXPECT_NE(std::string(e.what()).find("name is too long"), std::string::npos) << e.what();
    }
    Table t(name);
    EXPECT_THROW(t.Open(), StoreError);
    try {
        t.Open();
    } catch (const StoreError& e) {
        EXPECT_NE(e.Reason().find("name is too long"), std::string::npos) << e.what();
    }
}

}  // namespace
