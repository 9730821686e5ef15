#pragma once
// The output side of the LZSS decoders: a window of the last Size bytes written, starting as
// spaces, from which matches copy (overlapping copies repeat the pattern).
#include <algorithm>
#include <cstdint>

#include "archive/TCompThreadSafety.h"

namespace kv::archive {

template <int Size>
class TLzssWindow {
  public:
    TLzssWindow(TCompThreadSafety& io, int start) : Io(io), R(start) {
        std::fill_n(Window, Size, ' ');
    }

    void Literal(uint8_t b) {
        Put(b);
        ++Produced;
    }
    // Copies `length` bytes starting position + 1 bytes back.
    void Match(int position, int length) {
        int from = R - position - 1;
        Produced += length;
        for (int k = 0; k < length; ++k) Put(Window[(from + k) & (Size - 1)]);
    }
    int64_t Produced = 0;

  private:
    void Put(uint8_t b) {
        Window[R] = b;
        Io.WriteByte(b);
        R = (R + 1) & (Size - 1);
    }

    TCompThreadSafety& Io;
    int R;
    uint8_t Window[Size];
};

}  // namespace kv::archive
