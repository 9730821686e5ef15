#include <gtest/gtest.h>

#include "Support.h"

using namespace kv::archive;
using namespace kv::archive::test;

TEST(Lh5Interop, LhasaDecodesOurStreams) {
    TScratchDir dir;
    std::vector<std::pair<std::string, Bytes>> corpus = {
        {"text", EnglishText(300000, 7)},
        {"firmware", FirmwareImage(262144, 8)},
        {"zeros", Bytes(100000, 0)},
    };
    for (const auto& [name, input] : corpus) {
        SCOPED_TRACE(name);
        TCoded coded = EncodeBytes(input);
        ASSERT_FALSE(coded.Stored);
        WriteFile(dir / "t.lzh", LhaArchive("-lh5-", name, coded.Data, input));
        ASSERT_EQ(RunCommand("lhasa -pq " + (dir / "t.lzh") + " > " + (dir / "out")), 0);
        EXPECT_EQ(ReadFile(dir / "out"), input);
    }
}
