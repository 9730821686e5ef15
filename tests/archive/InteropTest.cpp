// Interop with LHA tools nobody here wrote: lhasa decodes what we encode, we decode what jlha
// encodes.
#include <gtest/gtest.h>

#include <algorithm>

#include "LzhTestEncoder.h"
#include "Support.h"

using namespace kv::archive;
using namespace kv::archive::test;

namespace {

// Several hundred KB of mixed binary and text, with seams between the kinds.
Bytes Mixed() {
    Bytes out;
    for (uint32_t i = 0; i < 12; ++i) {
        Bytes part = i % 3 == 0   ? EnglishText(30000, i)
                     : i % 3 == 1 ? FirmwareImage(24000, i)
                                  : RandomBytes(3000, i);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::vector<std::pair<std::string, Bytes>> Corpus() {
    Bytes abc;
    for (int i = 0; i < 5000; ++i) abc.push_back(static_cast<uint8_t>("abc"[i % 3]));
    return {
        {"text.txt", EnglishText(300000, 7)},
        {"firmware.bin", FirmwareImage(262144, 8)},
        {"mixed.bin", Mixed()},
        {"zeros.bin", Bytes(100000, 0)},
        {"abc.txt", abc},
        {"hundred.bin", Bytes(100, 'x')},
        {"short.txt", Text("a short line of text, a short line of text\n")},
    };
}

std::string Quote(const std::string& path) {
    return "'" + path + "'";
}

}  // namespace

TEST(Lh5Interop, LhasaDecodesOurStreams) {
    TempDir dir;
    for (const auto& [name, input] : Corpus()) {
        SCOPED_TRACE(name);
        TCoded coded = EncodeBytes(input);
        ASSERT_FALSE(coded.Stored);
        WriteFile(dir / "t.lzh", LhaArchive("-lh5-", name, coded.Data, input));
        // "t" checks the member's CRC as well; -pq prints it.
        ASSERT_EQ(RunCommand("lhasa tq " + Quote(dir / "t.lzh") + " >/dev/null"), 0);
        ASSERT_EQ(RunCommand("lhasa -pq " + Quote(dir / "t.lzh") + " > " + Quote(dir / "out")), 0);
        EXPECT_EQ(ReadFile(dir / "out"), input);
    }
}

TEST(Lh5Interop, WeDecodeJlhaStreams) {
    TempDir dir;
    auto corpus = Corpus();
    corpus.push_back({"random.bin", RandomBytes(20000, 9)});
    std::string names;
    for (const auto& [name, input] : corpus) {
        WriteFile(dir / name, input);
        names += " " + name;
    }
    // One run for all files: the Java start-up dominates.
    ASSERT_EQ(RunCommand("cd " + Quote(dir.Path().string()) + " && jlha c0o5q j.lzh" + names +
                         " >/dev/null"),
              0);
    auto members = LhaMembers(ReadFile(dir / "j.lzh"));
    ASSERT_EQ(members.size(), corpus.size());
    for (const auto& member : members) {
        SCOPED_TRACE(member.Name);
        auto entry = std::find_if(corpus.begin(), corpus.end(),
                                  [&](const auto& c) { return c.first == member.Name; });
        ASSERT_NE(entry, corpus.end());
        const Bytes& input = entry->second;
        ASSERT_EQ(member.OriginalSize, static_cast<int32_t>(input.size()));
        if (member.Method == "-lh0-") {  // jlha stores what lh5 would not shrink
            EXPECT_EQ(member.Name, "random.bin");
            continue;
        }
        ASSERT_EQ(member.Method, "-lh5-");
        bool truncated = true;
        EXPECT_EQ(DecodeBytes(member.Coded, member.OriginalSize, MethodLh5, &truncated), input);
        EXPECT_FALSE(truncated);
    }
}

// LHA's -lh1- method is the same LZSS with adaptive Huffman coding, so lhasa checks the test
// encoder (and with it the tree our decoder shares) past two rebuilds.
TEST(LzhInterop, LhasaDecodesTheTestEncodersStreams) {
    TempDir dir;
    Bytes input = RandomBytes(40000, 31);
    Bytes text = EnglishText(60000, 32);
    input.insert(input.end(), text.begin(), text.end());
    TLzhEncoded enc = EncodeLzh(input);
    ASSERT_GT(enc.Symbols, 32455u + 16500u);
    WriteFile(dir / "t.lzh", LhaArchive("-lh1-", "t.bin", enc.Coded, input));
    ASSERT_EQ(RunCommand("lhasa -pq " + Quote(dir / "t.lzh") + " > " + Quote(dir / "out")), 0);
    EXPECT_EQ(ReadFile(dir / "out"), input);
}
