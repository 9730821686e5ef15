#pragma once
// The adaptive Huffman tree of the LZH method: 314 symbols (literals and match lengths 3..60),
// kept ordered by frequency along the node index and rebuilt when the root reaches 0x8000.
#include <cstdint>

namespace kv::archive::lzh {

inline constexpr int WindowSize = 4096;
inline constexpr int MaxMatch = 60;
inline constexpr int Threshold = 3;
inline constexpr int Symbols = 256 + MaxMatch - Threshold + 1;  // 314
inline constexpr int Nodes = 2 * Symbols - 1;                   // 627
inline constexpr int Root = Nodes - 1;
inline constexpr uint16_t RebuildAt = 0x8000;
inline constexpr int WindowStart = WindowSize - MaxMatch;  // 4036

class TLzhTree {
  public:
    TLzhTree();
    // Counts one occurrence of symbol s, rebuilding first when the root is full.
    void Update(int s);

    // Node links: Child[n] >= Nodes is the leaf of symbol Child[n] - Nodes, otherwise the first
    // of the two children Child[n] and Child[n] + 1. Parent[s + Nodes] is the node of leaf s.
    uint16_t Freq[Nodes + 1];
    uint16_t Child[Nodes];
    uint16_t Parent[Nodes + Symbols];

  private:
    void Rebuild();
};

// The fixed prefix code of a position's upper 6 bits: its length for upper bits u.
int PositionCodeLength(int u);

}  // namespace kv::archive::lzh
