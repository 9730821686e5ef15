#pragma once
// An independent reading of LH5 coded data into blocks and symbols, so tests can check what the
// encoder chose (written bit by bit from the format, sharing no code with the product).
#include <vector>

#include "Support.h"

namespace kv::archive::test {

struct TLh5Symbol {
    bool Match = false;
    int Value = 0;     // the literal byte, or the match length
    int Position = 0;  // position value of a match: the copy starts Position + 1 bytes back
};

struct TLh5Block {
    int Size = 0;
    bool SingleC = false;  // the block's C code has a single symbol and takes no bits
    bool SingleP = false;
    int SingleSlot = -1;
    std::vector<TLh5Symbol> Symbols;
};

// Parses until `outputSize` bytes are described.
std::vector<TLh5Block> ParseLh5(const Bytes& coded, int64_t outputSize);

}  // namespace kv::archive::test
