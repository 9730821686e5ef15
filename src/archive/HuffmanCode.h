#pragma once
// Static Huffman codes of the LH5 method: building a length-limited code from frequencies,
// canonical codes from lengths, and the lookup tables that decode them.
#include <cstdint>
#include <vector>

namespace kv::archive {

inline constexpr int MaxCodeLength = 16;

// Assigns canonical codes: shorter codes first, consecutive codes in increasing symbol order.
void MakeCanonicalCodes(int n, const uint8_t* lengths, uint16_t* codes);

class THuffmanBuilder {
  public:
    explicit THuffmanBuilder(int maxSymbols);
    // Builds the code of n symbols from their frequencies, no code longer than 16 bits. Returns
    // the root node (n or more) or, with fewer than two used symbols, that single symbol (0 when
    // none is used), whose length is then 0. `Total()` is the sum of the frequencies.
    int Build(int n, const uint16_t* freq, uint8_t* lengths, uint16_t* codes);
    uint32_t Total() const { return TotalFreq; }

  private:
    void DownHeap(int i);
    void CountDepths(int node, int depth);

    int N = 0;
    int HeapSize = 0;
    std::vector<int> Heap;
    std::vector<uint32_t> Freq;  // symbols, then internal nodes
    std::vector<int> Left, Right;
    std::vector<int> LeafOrder;
    int DepthCount[MaxCodeLength + 1] = {};
    uint32_t TotalFreq = 0;
};

// Decoding: the first `tableBits` bits of a code index `table` directly; longer codes continue in
// a binary tree of `left`/`right` nodes numbered from n (arrays of 2n entries). Throws
// ELZHBadDecodeTable unless the lengths form a complete prefix code.
void MakeDecodeTable(int n, const uint8_t* lengths, int tableBits, uint16_t* table, uint16_t* left,
                     uint16_t* right);

}  // namespace kv::archive
