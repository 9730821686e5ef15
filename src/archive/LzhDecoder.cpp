#include "archive/LzhDecoder.h"

#include <algorithm>
#include <memory>

#include "archive/BitStream.h"
#include "archive/LzhTree.h"

namespace kv::archive {

using namespace lzh;

namespace {

struct TPositionTable {
    uint8_t Upper[256];  // indexed by the next 8 bits
    uint8_t Length[256];
    TPositionTable() {
        // Canonical codes in increasing u, from the code lengths.
        uint32_t code = 0;
        int length = PositionCodeLength(0);
        for (int u = 0; u < 64; ++u) {
            int l = PositionCodeLength(u);
            code <<= l - length;
            length = l;
            uint32_t first = code << (8 - l);
            for (uint32_t v = first; v < first + (1u << (8 - l)); ++v) {
                Upper[v] = static_cast<uint8_t>(u);
                Length[v] = static_cast<uint8_t>(l);
            }
            ++code;
        }
    }
};

const TPositionTable PositionTable;

struct TLzhDecoder {
    explicit TLzhDecoder(TCompThreadSafety& io) : Io(io), Bits(io) {}

    int DecodeSymbol() {
        int c = Tree.Child[Root];
        while (c < Nodes) c = Tree.Child[c + Bits.Get(1)];
        c -= Nodes;
        Tree.Update(c);
        return c;
    }
    int DecodePosition() {
        uint32_t v = Bits.Get(8);
        int length = PositionTable.Length[v];
        v = (v << (length - 2)) | Bits.Get(length - 2);
        return PositionTable.Upper[v >> (length - 2)] * 64 + static_cast<int>(v & 63);
    }
    void Run(int32_t size) {
        std::fill(std::begin(Window), std::end(Window), ' ');
        int r = WindowStart;
        int64_t produced = 0;
        while (produced < size) {
            int c = DecodeSymbol();
            if (c < 256) {
                Window[r] = static_cast<uint8_t>(c);
                Io.WriteByte(static_cast<uint8_t>(c));
                r = (r + 1) & (WindowSize - 1);
                ++produced;
            } else {
                int len = c - (256 - Threshold);
                int from = r - DecodePosition() - 1;
                produced += len;
                for (int k = 0; k < len; ++k) {
                    uint8_t b = Window[(from + k) & (WindowSize - 1)];
                    Window[r] = b;
                    Io.WriteByte(b);
                    r = (r + 1) & (WindowSize - 1);
                }
            }
            if (Bits.Overrun()) {
                Io.MarkTruncated();
                return;
            }
        }
    }

    TCompThreadSafety& Io;
    TBitReader Bits;
    TLzhTree Tree;
    uint8_t Window[WindowSize];
};

}  // namespace

void DecodeLzh(TCompThreadSafety& io, int32_t uncompressedSize) {
    if (uncompressedSize <= 0) return;
    auto decoder = std::make_unique<TLzhDecoder>(io);
    decoder->Run(uncompressedSize);
}

}  // namespace kv::archive
