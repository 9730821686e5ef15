#pragma once
// Constants of the LH5 coded format.
#include <cstdint>

namespace kv::archive::lh5 {

inline constexpr int DicBits = 13;
inline constexpr int DicSize = 1 << DicBits;  // window, and the farthest a match reaches
inline constexpr int MaxMatch = 256;
inline constexpr int Threshold = 3;                        // shortest match
inline constexpr int NC = 256 + MaxMatch - Threshold + 1;  // C alphabet: 510
inline constexpr int NP = DicBits + 1;                     // P alphabet: position slots
inline constexpr int NT = 16 + 3;                          // T alphabet: code-length codes
inline constexpr int CBits = 9, TBits = 5, PBits = 4;      // widths of the table counts
inline constexpr int TSpecial = 3;                         // the 2-bit zero count follows symbol 2
inline constexpr int CTableBits = 12, PtTableBits = 8;     // direct lookup widths when decoding

}  // namespace kv::archive::lh5
