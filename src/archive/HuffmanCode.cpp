#include "archive/HuffmanCode.h"

#include <algorithm>

#include "archive/Exceptions.h"

namespace kv::archive {

void MakeCanonicalCodes(int n, const uint8_t* lengths, uint16_t* codes) {
    int count[MaxCodeLength + 2] = {};
    for (int i = 0; i < n; ++i) count[lengths[i]]++;
    uint32_t start[MaxCodeLength + 2] = {};
    for (int l = 1; l <= MaxCodeLength; ++l) start[l + 1] = (start[l] + count[l]) << 1;
    for (int i = 0; i < n; ++i) codes[i] = static_cast<uint16_t>(start[lengths[i]]++);
}

THuffmanBuilder::THuffmanBuilder(int maxSymbols)
    : Heap(maxSymbols + 1), Freq(2 * maxSymbols), Left(2 * maxSymbols), Right(2 * maxSymbols) {
    LeafOrder.reserve(maxSymbols);
}

void THuffmanBuilder::DownHeap(int i) {
    int k = Heap[i];
    int j;
    while ((j = 2 * i) <= HeapSize) {
        if (j < HeapSize && Freq[Heap[j]] > Freq[Heap[j + 1]]) j++;
        if (Freq[k] <= Freq[Heap[j]]) break;
        Heap[i] = Heap[j];
        i = j;
    }
    Heap[i] = k;
}

void THuffmanBuilder::CountDepths(int node, int depth) {
    if (node < N) {
        DepthCount[std::min(depth, MaxCodeLength)]++;
        return;
    }
    CountDepths(Left[node], depth + 1);
    CountDepths(Right[node], depth + 1);
}

int THuffmanBuilder::Build(int n, const uint16_t* freq, uint8_t* lengths, uint16_t* codes) {
    N = n;
    HeapSize = 0;
    TotalFreq = 0;
    Heap[1] = 0;
    for (int i = 0; i < n; ++i) {
        Freq[i] = freq[i];
        TotalFreq += freq[i];
        lengths[i] = 0;
        if (freq[i]) Heap[++HeapSize] = i;
    }
    if (HeapSize < 2) {
        codes[Heap[1]] = 0;
        return Heap[1];
    }
    for (int i = HeapSize / 2; i >= 1; --i) DownHeap(i);

    LeafOrder.clear();
    int next = n;
    int root;
    do {
        int i = Heap[1];
        if (i < n) LeafOrder.push_back(i);
        Heap[1] = Heap[HeapSize--];
        DownHeap(1);
        int j = Heap[1];
        if (j < n) LeafOrder.push_back(j);
        root = next++;
        Freq[root] = Freq[i] + Freq[j];
        Left[root] = i;
        Right[root] = j;
        Heap[1] = root;
        DownHeap(1);
    } while (HeapSize > 1);

    // Depths beyond 16 are cut to 16, then the counts are moved up until the code is complete.
    std::fill(std::begin(DepthCount), std::end(DepthCount), 0);
    CountDepths(root, 0);
    uint32_t sum = 0;
    for (int d = 1; d <= MaxCodeLength; ++d)
        sum += static_cast<uint32_t>(DepthCount[d]) << (MaxCodeLength - d);
    for (; sum > (1u << MaxCodeLength); --sum) {
        DepthCount[MaxCodeLength]--;
        for (int d = MaxCodeLength - 1; d > 0; --d) {
            if (DepthCount[d]) {
                DepthCount[d]--;
                DepthCount[d + 1] += 2;
                break;
            }
        }
    }
    // The least frequent leaves, taken first from the heap, get the longest codes.
    size_t k = 0;
    for (int d = MaxCodeLength; d > 0; --d)
        for (int c = DepthCount[d]; c > 0; --c) lengths[LeafOrder[k++]] = static_cast<uint8_t>(d);
    MakeCanonicalCodes(n, lengths, codes);
    return root;
}

void MakeDecodeTable(int n, const uint8_t* lengths, int tableBits, uint16_t* table, uint16_t* left,
                     uint16_t* right) {
    uint32_t count[MaxCodeLength + 1] = {};
    for (int i = 0; i < n; ++i) {
        if (lengths[i] > MaxCodeLength) throw ELZHBadDecodeTable();
        count[lengths[i]]++;
    }
    uint32_t start[MaxCodeLength + 2] = {};
    for (int l = 1; l <= MaxCodeLength; ++l)
        start[l + 1] = start[l] + (count[l] << (MaxCodeLength - l));
    if (start[MaxCodeLength + 1] != (1u << MaxCodeLength)) throw ELZHBadDecodeTable();

    constexpr uint16_t Empty = 0xFFFF;
    std::fill_n(table, 1 << tableBits, Empty);
    int avail = n;
    for (int ch = 0; ch < n; ++ch) {
        int len = lengths[ch];
        if (len == 0) continue;
        uint32_t code = start[len];  // the code, aligned to 16 bits
        start[len] += 1u << (MaxCodeLength - len);
        if (len <= tableBits) {
            uint32_t first = code >> (MaxCodeLength - tableBits);
            std::fill_n(table + first, 1u << (tableBits - len), static_cast<uint16_t>(ch));
            continue;
        }
        // The code is complete and prefix-free, so every slot on this path is empty or a node.
        uint16_t* slot = &table[code >> (MaxCodeLength - tableBits)];
        for (int bit = tableBits; bit < len; ++bit) {
            if (*slot == Empty) {
                left[avail] = right[avail] = Empty;
                *slot = static_cast<uint16_t>(avail++);
            }
            slot = (code >> (MaxCodeLength - 1 - bit)) & 1 ? &right[*slot] : &left[*slot];
        }
        *slot = static_cast<uint16_t>(ch);
    }
}

}  // namespace kv::archive
