#pragma once
#include "archive/TCompThreadSafety.h"

namespace kv::archive {

// Codes the codec layer's source with the LH5 method. Writes nothing for an empty source.
void EncodeLh5(TCompThreadSafety& io);

}  // namespace kv::archive
