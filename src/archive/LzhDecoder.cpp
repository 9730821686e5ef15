#include "archive/LzhDecoder.h"

#include <memory>

#include "archive/BitStream.h"
#include "archive/LzhTree.h"
#include "archive/LzssWindow.h"

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
    explicit TLzhDecoder(TCompThreadSafety& io) : Io(io), Bits(io), Out(io, WindowStart) {}

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
        while (Out.Produced < size) {
            int c = DecodeSymbol();
            if (c < 256)
                Out.Literal(static_cast<uint8_t>(c));
            else
                Out.Match(DecodePosition(), c - (256 - Threshold));
            if (Bits.Overrun()) {
                Io.MarkTruncated();
                return;
            }
        }
    }

    TCompThreadSafety& Io;
    TBitReader Bits;
    TLzhTree Tree;
    TLzssWindow<WindowSize> Out;
};

}  // namespace

void DecodeLzh(TCompThreadSafety& io, int32_t uncompressedSize) {
    if (uncompressedSize <= 0) return;
    auto decoder = std::make_unique<TLzhDecoder>(io);
    decoder->Run(uncompressedSize);
}

}  // namespace kv::archive
