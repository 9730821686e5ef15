#include "archive/Lh5Encoder.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "archive/BitStream.h"
#include "archive/HuffmanCode.h"
#include "archive/Lh5Format.h"
#include "archive/MatchFinder.h"

namespace kv::archive {

using namespace lh5;

namespace {

constexpr int TextSize = 2 * DicSize + MaxMatch;  // 16640
constexpr int TextStart = DicSize + MaxMatch;     // where the first source bytes go
constexpr int SymbolBufferSize = 16384;
constexpr int BlockFull = SymbolBufferSize - 3 * 8;  // a flag byte and eight matches must fit

int BitLength(unsigned v) {
    int n = 0;
    for (; v; v >>= 1) ++n;
    return n;
}

class TLh5Encoder {
  public:
    explicit TLh5Encoder(TCompThreadSafety& io) : Io(io), Bits(io), Finder(Text), Builder(NC) {}
    void Run();

  private:
    int ReadText();
    void Advance();
    void CutMatch() { Finder.MatchLen = std::min(Finder.MatchLen, Remaining); }
    void Output(int c, unsigned p);
    void SendBlock();
    void CountTFreq();
    void WritePtLengths(int n, int countBits, int special);
    void WriteCLengths();
    void PutCode(int length, unsigned code) { Bits.Put(length, code); }

    TCompThreadSafety& Io;
    TBitWriter Bits;
    uint8_t Text[TextSize] = {};
    TMatchFinder Finder;
    int Pos = 0;
    int Remaining = 0;

    uint8_t Buffer[SymbolBufferSize];
    int BufferPos = 0;
    int FlagPos = 0;
    unsigned FlagMask = 0;

    THuffmanBuilder Builder;
    uint16_t CFreq[NC] = {}, PFreq[NP] = {}, TFreq[NT] = {};
    uint8_t CLen[NC] = {}, PtLen[NT] = {};
    uint16_t CCode[NC] = {}, PtCode[NT] = {};
};

// Reads up to a window of source bytes behind the lookahead; the rest is filled with spaces.
int TLh5Encoder::ReadText() {
    int n = Io.ReadBlock(Text + TextStart, DicSize);
    std::fill(Text + TextStart + n, Text + TextSize, ' ');
    return n;
}

void TLh5Encoder::Advance() {
    --Remaining;
    if (++Pos == 2 * DicSize) {
        std::memmove(Text, Text + DicSize, DicSize + MaxMatch);
        Remaining += ReadText();
        Pos = DicSize;
    }
    Finder.Delete(Pos);
    Finder.Insert(Pos);
}

void TLh5Encoder::Run() {
    Remaining = ReadText();
    if (Remaining == 0) return;
    Pos = TextStart;
    Finder.Insert(Pos);
    CutMatch();
    while (Remaining > 0) {
        int lastLen = Finder.MatchLen;
        int lastPos = Finder.MatchPos;
        Advance();
        CutMatch();
        if (Finder.MatchLen > lastLen || lastLen < Threshold) {
            Output(Text[Pos - 1], 0);
        } else {
            // One byte behind: the match found at the previous position is sent.
            Output(lastLen + (256 - Threshold),
                   static_cast<unsigned>(Pos - lastPos - 2) & (DicSize - 1));
            while (--lastLen > 0) Advance();
            CutMatch();
        }
    }
    SendBlock();
    Bits.Put(7, 0);
}

void TLh5Encoder::Output(int c, unsigned p) {
    if ((FlagMask >>= 1) == 0) {
        FlagMask = 0x80;
        if (BufferPos >= BlockFull) {
            SendBlock();
            BufferPos = 0;
        }
        FlagPos = BufferPos++;
        Buffer[FlagPos] = 0;
    }
    Buffer[BufferPos++] = static_cast<uint8_t>(c);
    CFreq[c]++;
    if (c >= 256) {
        Buffer[FlagPos] |= static_cast<uint8_t>(FlagMask);
        Buffer[BufferPos++] = static_cast<uint8_t>(p >> 8);
        Buffer[BufferPos++] = static_cast<uint8_t>(p);
        PFreq[BitLength(p)]++;
    }
}

// T frequencies: how the C lengths will be sent (zero runs folded into T symbols 0 to 2).
void TLh5Encoder::CountTFreq() {
    std::fill(std::begin(TFreq), std::end(TFreq), 0);
    int n = NC;
    while (n > 0 && CLen[n - 1] == 0) --n;
    for (int i = 0; i < n;) {
        int k = CLen[i++];
        if (k != 0) {
            TFreq[k + 2]++;
            continue;
        }
        int run = 1;
        while (i < n && CLen[i] == 0) ++i, ++run;
        if (run <= 2) {
            TFreq[0] += static_cast<uint16_t>(run);
        } else if (run <= 18) {
            TFreq[1]++;
        } else if (run == 19) {
            TFreq[0]++;
            TFreq[1]++;
        } else {
            TFreq[2]++;
        }
    }
}

void TLh5Encoder::WritePtLengths(int n, int countBits, int special) {
    while (n > 0 && PtLen[n - 1] == 0) --n;
    Bits.Put(countBits, static_cast<unsigned>(n));
    for (int i = 0; i < n;) {
        int k = PtLen[i++];
        if (k <= 6)
            Bits.Put(3, static_cast<unsigned>(k));
        else
            Bits.Put(k - 3, (1u << (k - 3)) - 2);  // k - 4 one bits and a zero
        if (i == special) {
            while (i < 6 && PtLen[i] == 0) ++i;
            Bits.Put(2, static_cast<unsigned>(i - special));
        }
    }
}

void TLh5Encoder::WriteCLengths() {
    int n = NC;
    while (n > 0 && CLen[n - 1] == 0) --n;
    Bits.Put(CBits, static_cast<unsigned>(n));
    for (int i = 0; i < n;) {
        int k = CLen[i++];
        if (k != 0) {
            PutCode(PtLen[k + 2], PtCode[k + 2]);
            continue;
        }
        int run = 1;
        while (i < n && CLen[i] == 0) ++i, ++run;
        if (run <= 2) {
            for (int j = 0; j < run; ++j) PutCode(PtLen[0], PtCode[0]);
        } else if (run <= 18) {
            PutCode(PtLen[1], PtCode[1]);
            Bits.Put(4, static_cast<unsigned>(run - 3));
        } else if (run == 19) {
            PutCode(PtLen[0], PtCode[0]);
            PutCode(PtLen[1], PtCode[1]);
            Bits.Put(4, 15);
        } else {
            PutCode(PtLen[2], PtCode[2]);
            Bits.Put(CBits, static_cast<unsigned>(run - 20));
        }
    }
}

void TLh5Encoder::SendBlock() {
    int root = Builder.Build(NC, CFreq, CLen, CCode);
    unsigned size = Builder.Total();
    Bits.Put(16, size);
    if (root >= NC) {
        CountTFreq();
        root = Builder.Build(NT, TFreq, PtLen, PtCode);
        if (root >= NT) {
            WritePtLengths(NT, TBits, TSpecial);
        } else {
            Bits.Put(TBits, 0);
            Bits.Put(TBits, static_cast<unsigned>(root));
        }
        WriteCLengths();
    } else {
        Bits.Put(TBits, 0);
        Bits.Put(TBits, 0);
        Bits.Put(CBits, 0);
        Bits.Put(CBits, static_cast<unsigned>(root));
    }
    root = Builder.Build(NP, PFreq, PtLen, PtCode);
    if (root >= NP) {
        WritePtLengths(NP, PBits, -1);
    } else {
        Bits.Put(PBits, 0);
        Bits.Put(PBits, static_cast<unsigned>(root));
    }

    int pos = 0;
    unsigned flags = 0;
    for (unsigned i = 0; i < size; ++i) {
        if (i % 8 == 0)
            flags = Buffer[pos++];
        else
            flags <<= 1;
        if (flags & 0x80) {
            int c = Buffer[pos++] + 256;
            unsigned p = static_cast<unsigned>(Buffer[pos] << 8 | Buffer[pos + 1]);
            pos += 2;
            PutCode(CLen[c], CCode[c]);
            int slot = BitLength(p);
            PutCode(PtLen[slot], PtCode[slot]);
            if (slot > 1) Bits.Put(slot - 1, p);
        } else {
            int c = Buffer[pos++];
            PutCode(CLen[c], CCode[c]);
        }
    }
    std::fill(std::begin(CFreq), std::end(CFreq), 0);
    std::fill(std::begin(PFreq), std::end(PFreq), 0);
}

}  // namespace

void EncodeLh5(TCompThreadSafety& io) {
    auto encoder = std::make_unique<TLh5Encoder>(io);
    encoder->Run();
}

}  // namespace kv::archive
