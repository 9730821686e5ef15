// A writer killed at any moment leaves either the old or the new file, never a broken one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "Fixtures.h"
#include "support/TempDir.h"

using namespace kv::store;

namespace {

using kv::testing::InTempDir;

const FieldDefs Counters = {FieldDef::Alpha("ID", 12), FieldDef::Alpha("Copy", 12),
                            FieldDef::Alpha("Padding", 255)};

// Each step appends record k (ID and Copy both k) and, past 40 records, deletes the oldest
// and rewrites the newest: a file is sound when its IDs run on by one and every Copy agrees.
[[noreturn]] void Writer() {
    try {
        Table t("counters.db");
        t.Open();
        t.Last();
        long k = t.IsEmpty() ? 0 : std::stol(t.FieldByName("ID").AsString()) + 1;
        for (;; ++k) {
            t.AppendRecord({std::to_string(k), std::to_string(k), std::string(200 + k % 50, 'p')});
            if (t.RecordCount() > 40) {
                t.First();
                t.Delete();
                t.Last();
                t.Edit();
                t.FieldByName("Padding").SetAsString(std::string(k % 255, 'q'));
                t.Post();
            }
        }
    } catch (...) {
        ::_exit(2);
    }
}

// Number of records, after checking that the file is sound.
int CheckSound() {
    Table t("counters.db");
    t.SetReadOnly(true);
    t.Open();
    long previous = -1;
    for (t.First(); !t.Eof(); t.Next()) {
        long id = std::stol(t.FieldByName("ID").AsString());
        EXPECT_EQ(t.FieldByName("Copy").AsString(), t.FieldByName("ID").AsString());
        if (previous >= 0) {
            EXPECT_EQ(id, previous + 1);
        }
        previous = id;
    }
    return t.RecordCount();
}

using KilledWriter = InTempDir;

TEST_F(KilledWriter, LeavesASoundTableWheneverItDies) {
    Table::Create("counters.db", Counters);
    std::mt19937 rng(std::random_device{}());
    int grew = 0, cutShort = 0;
    for (int round = 0; round < 25; ++round) {
        int before = CheckSound();
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) Writer();
        std::this_thread::sleep_for(std::chrono::microseconds(500 + rng() % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed on its own";
        int after = 0;
        ASSERT_NO_THROW(after = CheckSound()) << "round " << round;
        if (after != before) ++grew;
        for (const auto& e : std::filesystem::directory_iterator("."))
            cutShort += e.path().extension() == ".tmp";
    }
    EXPECT_GT(grew, 0);
    EXPECT_GT(cutShort, 0) << "no writer was killed in the middle of a write";
    // Temporary files of the killed writers go with the first write of the next process there.
    pid_t next = ::fork();
    if (next == 0) {
        Table t("counters.db");
        t.Open();
        t.AppendRecord({"x", "x"});
        ::_exit(0);
    }
    int status = 1;
    ASSERT_EQ(::waitpid(next, &status, 0), next);
    EXPECT_EQ(status, 0);
    for (const auto& e : std::filesystem::directory_iterator("."))
        EXPECT_EQ(e.path().filename(), "counters.db");
}

}  // namespace
