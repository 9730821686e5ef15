#include "Lh5Parse.h"

#include <stdexcept>

namespace kv::archive::test {

namespace {

class TBits {
  public:
    explicit TBits(const Bytes& b) : Data(b) {}
    int Bit() {
        size_t byte = At / 8;
        int v = byte < Data.size() ? (Data[byte] >> (7 - At % 8)) & 1 : 0;
        ++At;
        return v;
    }
    int Get(int n) {
        int v = 0;
        while (n-- > 0) v = v << 1 | Bit();
        return v;
    }

  private:
    const Bytes& Data;
    size_t At = 0;
};

// A canonical code read one bit at a time; a single-symbol code takes no bits.
struct TCode {
    std::vector<int> Lengths;
    int Single = -1;
    std::vector<std::vector<int>> ByLength;  // symbols of each length, in increasing order

    void Finish() {
        ByLength.assign(17, {});
        for (size_t s = 0; s < Lengths.size(); ++s)
            if (Lengths[s]) ByLength[Lengths[s]].push_back(static_cast<int>(s));
    }
    int Read(TBits& bits) const {
        if (Single >= 0) return Single;
        int code = 0, first = 0;
        for (int len = 1; len <= 16; ++len) {
            code = code << 1 | bits.Bit();
            int count = static_cast<int>(ByLength[len].size());
            if (code - first < count) return ByLength[len][code - first];
            first = (first + count) << 1;
        }
        throw std::runtime_error("no code");
    }
};

TCode ReadPt(TBits& bits, int n, int countBits, int special) {
    TCode code;
    int count = bits.Get(countBits);
    if (count == 0) {
        code.Single = bits.Get(countBits);
        return code;
    }
    code.Lengths.assign(n, 0);
    for (int i = 0; i < count;) {
        int len = bits.Get(3);
        if (len == 7)
            while (bits.Bit()) ++len;
        code.Lengths[i++] = len;
        if (i == special) i += bits.Get(2);
    }
    code.Finish();
    return code;
}

TCode ReadC(TBits& bits, const TCode& t) {
    TCode code;
    int count = bits.Get(9);
    if (count == 0) {
        code.Single = bits.Get(9);
        return code;
    }
    code.Lengths.assign(510, 0);
    for (int i = 0; i < count;) {
        int s = t.Read(bits);
        if (s == 0)
            i += 1;
        else if (s == 1)
            i += bits.Get(4) + 3;
        else if (s == 2)
            i += bits.Get(9) + 20;
        else
            code.Lengths[i++] = s - 2;
    }
    code.Finish();
    return code;
}

}  // namespace

std::vector<TLh5Block> ParseLh5(const Bytes& coded, int64_t outputSize) {
    TBits bits(coded);
    std::vector<TLh5Block> blocks;
    int64_t produced = 0;
    while (produced < outputSize) {
        TLh5Block block;
        block.Size = bits.Get(16);
        TCode t = ReadPt(bits, 19, 5, 3);
        TCode c = ReadC(bits, t);
        TCode p = ReadPt(bits, 14, 4, -1);
        block.SingleC = c.Single >= 0;
        block.SingleP = p.Single >= 0;
        block.SingleSlot = p.Single;
        for (int i = 0; i < block.Size && produced < outputSize; ++i) {
            TLh5Symbol s;
            int sym = c.Read(bits);
            if (sym < 256) {
                s.Value = sym;
                ++produced;
            } else {
                s.Match = true;
                s.Value = sym - 253;
                int slot = p.Read(bits);
                s.Position = slot <= 1 ? slot : (1 << (slot - 1)) + bits.Get(slot - 1);
                produced += s.Value;
            }
            block.Symbols.push_back(s);
        }
        blocks.push_back(block);
    }
    return blocks;
}

}  // namespace kv::archive::test
