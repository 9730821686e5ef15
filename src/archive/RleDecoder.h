#pragma once
#include "archive/TCompThreadSafety.h"

namespace kv::archive {

inline constexpr uint8_t RleEscape = 0x94;

// Decodes run-length coded bytes until the end of the member's coded data.
void DecodeRle(TCompThreadSafety& io);

}  // namespace kv::archive
