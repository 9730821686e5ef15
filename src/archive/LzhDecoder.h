#pragma once
#include "archive/TCompThreadSafety.h"

namespace kv::archive {

// Decodes an LZH (LZSS with adaptive Huffman coding) member until uncompressedSize bytes are out.
void DecodeLzh(TCompThreadSafety& io, int32_t uncompressedSize);

}  // namespace kv::archive
