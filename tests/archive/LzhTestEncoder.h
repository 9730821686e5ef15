#pragma once
// An LZH encoder for tests only (the product never writes LZH): greedy LZSS over the decoder's
// window model, symbols coded with the adaptive tree, positions with the fixed code.
#include "Support.h"

namespace kv::archive::test {

struct TLzhEncoded {
    Bytes Coded;
    size_t Symbols = 0;
};

TLzhEncoded EncodeLzh(const Bytes& input);

}  // namespace kv::archive::test
