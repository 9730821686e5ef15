// The RLE and LZH decoders, on hand-made vectors and on LZH data long enough to rebuild its tree.
#include <gtest/gtest.h>

#include "LzhTestEncoder.h"
#include "Support.h"
#include "archive/LzhTree.h"

using namespace kv::archive;
using namespace kv::archive::test;

TEST(Rle, DecodesVectors) {
    struct TCase {
        Bytes Coded, Decoded;
    };
    const TCase cases[] = {
        {{0x41, 0x94, 0x05, 0x42}, {0x41, 0x41, 0x41, 0x41, 0x41, 0x42}},
        {{0x94, 0x00}, {0x94}},
        {{0x41, 0x94, 0x01}, {0x41}},
        {{0x94, 0x03}, {0x00, 0x00}},                    // the last token starts as 0
        {{0x41, 0x94}, {0x41, 0x94}},                    // a final escape stands for itself
        {{0x94, 0x00, 0x94, 0x03}, {0x94, 0x94, 0x94}},  // after an escape the last token is 0x94
        {{}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeBytes(c.Coded, static_cast<int32_t>(c.Decoded.size()), MethodRle),
                  c.Decoded);
    }
}

TEST(Lzh, EmptyMemberReadsNothing) {
    EXPECT_TRUE(DecodeBytes({0xFF, 0xFF}, 0, MethodLzh).empty());
}

TEST(Lzh, HandMadeVectors) {
    // In the initial tree literal 'A' (leaf 65) hangs below nodes 346, 487, 557, 592, 610, 619,
    // 623 and 625 under the root 626; odd indices are second children: bits 111001101.
    EXPECT_EQ(DecodeBytes({0xE6, 0x80}, 1, MethodLzh), Text("A"));
    EXPECT_EQ(EncodeLzh(Text("A")).Coded, (Bytes{0xE6, 0x80}));
    // A first symbol that is a match copies the spaces before the window start.
    TLzhEncoded spaces = EncodeLzh(Text("      "));
    EXPECT_EQ(spaces.Symbols, 1u);
    EXPECT_EQ(DecodeBytes(spaces.Coded, 6, MethodLzh), Text("      "));
}

TEST(Lzh, LongMemberPassesTheTreeRebuilds) {
    Bytes input = RandomBytes(40000, 21);
    Bytes text = EnglishText(60000, 22);
    input.insert(input.end(), text.begin(), text.end());
    TLzhEncoded enc = EncodeLzh(input);
    ASSERT_GT(enc.Symbols, 32455u + 16500u);  // two rebuilds
    bool truncated = true;
    EXPECT_EQ(DecodeBytes(enc.Coded, static_cast<int32_t>(input.size()), MethodLzh, &truncated),
              input);
    EXPECT_FALSE(truncated);
}

// After any sequence of updates the tree keeps its invariants: counts nondecreasing along the
// index, each internal count the sum of its children, parents and children agreeing.
TEST(Lzh, TreeKeepsItsOrderThroughRebuilds) {
    lzh::TLzhTree tree;
    Bytes symbols = RandomBytes(70000, 23);
    for (size_t i = 0; i < symbols.size(); ++i) {
        tree.Update(i % 5 == 0 ? 256 + symbols[i] % 58 : symbols[i] % 64);
        if (i % 9973 != 0 && i != symbols.size() - 1) continue;
        for (int n = 0; n + 1 < lzh::Nodes; ++n) ASSERT_LE(tree.Freq[n], tree.Freq[n + 1]) << i;
        for (int n = 0; n < lzh::Nodes; ++n) {
            int c = tree.Child[n];
            if (c >= lzh::Nodes) {
                ASSERT_EQ(tree.Parent[c], n);
            } else {
                ASSERT_EQ(tree.Freq[n], tree.Freq[c] + tree.Freq[c + 1]);
                ASSERT_EQ(tree.Parent[c], n);
                ASSERT_EQ(tree.Parent[c + 1], n);
            }
        }
    }
}
