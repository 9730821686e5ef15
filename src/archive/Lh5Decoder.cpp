#include "archive/Lh5Decoder.h"

#include <algorithm>
#include <memory>

#include "archive/BitStream.h"
#include "archive/HuffmanCode.h"
#include "archive/Lh5Format.h"
#include "archive/LzssWindow.h"

namespace kv::archive {

using namespace lh5;

namespace {

class TLh5Decoder {
  public:
    explicit TLh5Decoder(TCompThreadSafety& io) : Io(io), Bits(io) {}
    void Run(int32_t size);

  private:
    void ReadBlockHeader();
    void ReadPtLengths(int n, int countBits, int special);
    void ReadCLengths();
    int DecodeC();
    int DecodeP();
    int Lookup(uint32_t top, const uint16_t* table, int tableBits, int n);

    TCompThreadSafety& Io;
    TBitReader Bits;
    uint32_t BlockLeft = 0;
    uint8_t CLen[NC];
    uint8_t PtLen[NT];
    uint16_t CTable[1 << CTableBits];
    uint16_t PtTable[1 << PtTableBits];
    uint16_t Left[2 * NC], Right[2 * NC];
};

// A single-symbol table: every lookup yields the symbol and takes no bits.
void FillSingle(uint16_t* table, int tableBits, uint8_t* lengths, int n, uint32_t symbol) {
    std::fill_n(lengths, n, 0);
    std::fill_n(table, 1 << tableBits, static_cast<uint16_t>(symbol));
}

void TLh5Decoder::ReadPtLengths(int nn, int countBits, int special) {
    uint32_t n = Bits.Get(countBits);
    if (n == 0) {
        uint32_t symbol = Bits.Get(countBits);
        if (symbol >= static_cast<uint32_t>(nn)) throw ELZHBadDecodeTable();
        FillSingle(PtTable, PtTableBits, PtLen, nn, symbol);
        return;
    }
    if (n > static_cast<uint32_t>(nn)) throw ELZHBadDecodeTable();
    uint32_t i = 0;
    while (i < n) {
        uint32_t len = Bits.Get(3);
        if (len == 7) {
            while (Bits.Get(1)) {
                if (++len > MaxCodeLength) throw ELZHBadDecodeTable();
            }
        }
        PtLen[i++] = static_cast<uint8_t>(len);
        if (static_cast<int>(i) == special) {
            uint32_t zeros = Bits.Get(2);
            if (i + zeros > n) throw ELZHBadDecodeTable();
            while (zeros-- > 0) PtLen[i++] = 0;
        }
    }
    std::fill(PtLen + n, PtLen + nn, 0);
    MakeDecodeTable(nn, PtLen, PtTableBits, PtTable, Left, Right);
}

void TLh5Decoder::ReadCLengths() {
    uint32_t n = Bits.Get(CBits);
    if (n == 0) {
        uint32_t symbol = Bits.Get(CBits);
        if (symbol >= static_cast<uint32_t>(NC)) throw ELZHBadDecodeTable();
        FillSingle(CTable, CTableBits, CLen, NC, symbol);
        return;
    }
    if (n > static_cast<uint32_t>(NC)) throw ELZHBadDecodeTable();
    uint32_t i = 0;
    while (i < n) {
        int t = Lookup(Bits.Peek(16), PtTable, PtTableBits, NT);
        Bits.Skip(PtLen[t]);
        if (t > 2) {
            CLen[i++] = static_cast<uint8_t>(t - 2);
            continue;
        }
        uint32_t zeros = t == 0 ? 1 : t == 1 ? Bits.Get(4) + 3 : Bits.Get(CBits) + 20;
        if (i + zeros > n) throw ELZHBadDecodeTable();
        std::fill_n(CLen + i, zeros, 0);
        i += zeros;
    }
    std::fill(CLen + n, CLen + NC, 0);
    MakeDecodeTable(NC, CLen, CTableBits, CTable, Left, Right);
}

void TLh5Decoder::ReadBlockHeader() {
    BlockLeft = Bits.Get(16);
    // A count of 0 would start block after block without consuming input.
    if (BlockLeft == 0) throw ELZHBadDecodeTable();
    ReadPtLengths(NT, TBits, TSpecial);
    ReadCLengths();
    ReadPtLengths(NP, PBits, -1);
}

// Looks up the symbol whose code starts the 16 bits `top`.
int TLh5Decoder::Lookup(uint32_t top, const uint16_t* table, int tableBits, int n) {
    int j = table[top >> (16 - tableBits)];
    for (uint32_t mask = 1u << (15 - tableBits); j >= n; mask >>= 1)
        j = (top & mask) ? Right[j] : Left[j];
    return j;
}

int TLh5Decoder::DecodeC() {
    if (BlockLeft == 0) ReadBlockHeader();
    --BlockLeft;
    int c = Lookup(Bits.Peek(16), CTable, CTableBits, NC);
    Bits.Skip(CLen[c]);
    return c;
}

int TLh5Decoder::DecodeP() {
    int slot = Lookup(Bits.Peek(16), PtTable, PtTableBits, NP);
    Bits.Skip(PtLen[slot]);
    if (slot <= 1) return slot;
    return static_cast<int>((1u << (slot - 1)) + Bits.Get(slot - 1));
}

void TLh5Decoder::Run(int32_t size) {
    auto out = std::make_unique<TLzssWindow<DicSize>>(Io, 0);
    while (out->Produced < size) {
        int c = DecodeC();
        if (c < 256)
            out->Literal(static_cast<uint8_t>(c));
        else
            out->Match(DecodeP(), c - (256 - Threshold));
        if (Bits.Overrun()) {
            Io.MarkTruncated();
            return;
        }
    }
    // An honest stream ends with its last block: symbols left over mean a size cut short.
    if (BlockLeft > 0) Io.MarkOverlong();
}

}  // namespace

void DecodeLh5(TCompThreadSafety& io, int32_t uncompressedSize) {
    if (uncompressedSize <= 0) return;
    auto decoder = std::make_unique<TLh5Decoder>(io);
    decoder->Run(uncompressedSize);
}

}  // namespace kv::archive
