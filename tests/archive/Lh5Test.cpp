// What the LH5 encoder writes, read back by an independent parser, and how the decoder treats
// streams no encoder of ours writes.
#include <gtest/gtest.h>

#include "Lh5Parse.h"
#include "Support.h"

using namespace kv::archive;
using namespace kv::archive::test;

namespace {

std::vector<TLh5Block> EncodeAndParse(const Bytes& input) {
    TCoded coded = EncodeBytes(input);
    EXPECT_FALSE(coded.Stored);
    EXPECT_EQ(DecodeBytes(coded.Data, static_cast<int32_t>(input.size())), input);
    return ParseLh5(coded.Data, static_cast<int64_t>(input.size()));
}

// Packs bit fields (width, value) most significant bit first.
Bytes PackBits(std::initializer_list<std::pair<int, unsigned>> fields) {
    Bytes out;
    unsigned acc = 0;
    int n = 0;
    for (auto [width, value] : fields) {
        for (int i = width - 1; i >= 0; --i) {
            acc = acc << 1 | ((value >> i) & 1);
            if (++n == 8) out.push_back(static_cast<uint8_t>(acc)), acc = 0, n = 0;
        }
    }
    if (n) out.push_back(static_cast<uint8_t>(acc << (8 - n)));
    return out;
}

}  // namespace

TEST(Lh5Encoder, EmptyInputWritesNothing) {
    TCoded coded = EncodeBytes({});
    EXPECT_FALSE(coded.Stored);
    EXPECT_TRUE(coded.Data.empty());
    EXPECT_TRUE(DecodeBytes({}, 0).empty());
}

TEST(Lh5Encoder, HundredIdenticalBytesAreALiteralAndOneMatch) {
    auto blocks = EncodeAndParse(Bytes(100, 'x'));
    ASSERT_EQ(blocks.size(), 1u);
    const auto& b = blocks[0];
    EXPECT_EQ(b.Size, 2);
    EXPECT_FALSE(b.SingleC);
    EXPECT_TRUE(b.SingleP);
    EXPECT_EQ(b.SingleSlot, 0);
    ASSERT_EQ(b.Symbols.size(), 2u);
    EXPECT_FALSE(b.Symbols[0].Match);
    EXPECT_EQ(b.Symbols[0].Value, 'x');
    EXPECT_TRUE(b.Symbols[1].Match);
    EXPECT_EQ(b.Symbols[1].Value, 99);
    EXPECT_EQ(b.Symbols[1].Position, 0);
}

TEST(Lh5Encoder, OverlappingCopyRepeatsAPattern) {
    Bytes input;
    for (int i = 0; i < 300; ++i) input.push_back(static_cast<uint8_t>("abc"[i % 3]));
    auto blocks = EncodeAndParse(input);
    ASSERT_EQ(blocks.size(), 1u);
    const auto& s = blocks[0].Symbols;
    ASSERT_GE(s.size(), 4u);
    EXPECT_TRUE(s[3].Match);
    EXPECT_EQ(s[3].Position, 2);  // three back, shorter than the copy
    EXPECT_EQ(s[3].Value, 256);
}

// A long run of one byte: after the first block, every symbol is the same longest match at
// position 0, so later blocks use the single-symbol forms and their symbols take no bits.
TEST(Lh5Encoder, UniformBlocksUseTheSingleSymbolForm) {
    Bytes input(3 << 20, 0x55);
    TCoded coded = EncodeBytes(input);
    ASSERT_FALSE(coded.Stored);
    auto blocks = ParseLh5(coded.Data, static_cast<int64_t>(input.size()));
    ASSERT_GE(blocks.size(), 3u);
    EXPECT_FALSE(blocks[0].SingleC);
    EXPECT_TRUE(blocks[1].SingleC);
    EXPECT_TRUE(blocks[1].SingleP);
    EXPECT_EQ(blocks[1].Symbols[0].Value, 256);
    // Only the first and the last block (a shorter final match) spend bits on their symbols.
    EXPECT_LT(coded.Data.size(),
              static_cast<size_t>((blocks.front().Size + blocks.back().Size) / 8 + 128));
    EXPECT_EQ(DecodeBytes(coded.Data, static_cast<int32_t>(input.size())), input);
}

// Text and firmware larger than the text buffer: several blocks, matches within the limits.
TEST(Lh5Encoder, LargeInputsSplitIntoBlocksWithinTheLimits) {
    for (const Bytes& input : {EnglishText(200000, 11), FirmwareImage(262144, 12)}) {
        auto blocks = EncodeAndParse(input);
        EXPECT_GT(blocks.size(), 2u);
        size_t matches = 0;
        for (const auto& b : blocks) {
            for (const auto& s : b.Symbols) {
                if (!s.Match) continue;
                ++matches;
                EXPECT_GE(s.Value, 3);
                EXPECT_LE(s.Value, 256);
                EXPECT_LE(s.Position, 8190);
            }
        }
        EXPECT_GT(matches, 1000u);
    }
}

TEST(Lh5Decoder, ReadsHandMadeSingleSymbolBlock) {
    // S = 3; T: single symbol 0; C: single symbol 'A'; P: single slot 0.
    Bytes coded = PackBits({{16, 3}, {5, 0}, {5, 0}, {9, 0}, {9, 'A'}, {4, 0}, {4, 0}});
    EXPECT_EQ(DecodeBytes(coded, 3), Text("AAA"));
}

TEST(Lh5Decoder, MatchBeforeTheFirstByteCopiesSpaces) {
    // S = 1; C single symbol 256 + 2 (a match of 5); P single slot 5: position 16 + 4 bits.
    Bytes coded = PackBits({{16, 1}, {5, 0}, {5, 0}, {9, 0}, {9, 258}, {4, 0}, {4, 5}, {4, 3}});
    EXPECT_EQ(DecodeBytes(coded, 5), Text("     "));
}

TEST(Lh5Decoder, RefusesTablesThatAreNotACompleteCode) {
    struct TCase {
        const char* Name;
        Bytes Coded;
    };
    const TCase cases[] = {
        // T table of two lengths 1 and 2: the sum falls short of a complete code.
        {"incomplete T", PackBits({{16, 1}, {5, 2}, {3, 1}, {3, 2}})},
        // T table count of 20, above the alphabet of 19.
        {"T count", PackBits({{16, 1}, {5, 20}})},
        // Single T symbol 25, outside the alphabet.
        {"T single", PackBits({{16, 1}, {5, 0}, {5, 25}})},
        // Single C symbol 511, outside the alphabet.
        {"C single", PackBits({{16, 1}, {5, 0}, {5, 0}, {9, 0}, {9, 511}})},
        // C count 511, above the alphabet.
        {"C count", PackBits({{16, 1}, {5, 0}, {5, 3}, {9, 511}})},
        // T always 2 (20 + r zeros) with r = 500: a zero run past the 510 entries.
        {"zero run", PackBits({{16, 1}, {5, 0}, {5, 2}, {9, 400}, {9, 500}})},
        // A T length of 17 ones: longer than any code.
        {"length", PackBits({{16, 1}, {5, 3}, {3, 7}, {13, 0x1FFF}})},
        // A block of zero symbols.
        {"empty block", PackBits({{16, 0}, {5, 0}, {5, 0}, {9, 0}, {9, 'A'}, {4, 0}, {4, 0}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_THROW(DecodeBytes(c.Coded, 10), ELZHBadDecodeTable);
    }
}

TEST(Lh5Decoder, StreamCutShortIsReported) {
    Bytes input = EnglishText(30000, 4);
    TCoded coded = EncodeBytes(input);
    ASSERT_FALSE(coded.Stored);
    bool truncated = false;
    Bytes half(coded.Data.begin(),
               coded.Data.begin() + static_cast<std::ptrdiff_t>(coded.Data.size() / 2));
    Bytes out = DecodeBytes(half, static_cast<int32_t>(input.size()), MethodLh5, &truncated);
    EXPECT_TRUE(truncated);
    EXPECT_LT(out.size(), input.size());
}
