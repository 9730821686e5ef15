#pragma once
#include "archive/TCompThreadSafety.h"

namespace kv::archive {

// Decodes an LH5 member until uncompressedSize bytes are out (the last match is copied whole).
// Throws ELZHBadDecodeTable for a block whose code lengths are not a complete prefix code.
void DecodeLh5(TCompThreadSafety& io, int32_t uncompressedSize);

}  // namespace kv::archive
