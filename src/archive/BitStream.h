#pragma once
// Bit input and output, most significant bit first, over the codec layer's byte source and sink.
#include <cstdint>

#include "archive/TCompThreadSafety.h"

namespace kv::archive {

class TBitReader {
  public:
    explicit TBitReader(TCompThreadSafety& io) : Io(io) {}

    // The next n bits (n <= 16) without taking them; bits past the end of input read as 0.
    uint32_t Peek(int n) {
        while (Count < n) {
            Buffer = (Buffer << 8) | Io.ReadByte();
            Count += 8;
        }
        return static_cast<uint32_t>(Buffer >> (Count - n)) & ((1u << n) - 1);
    }
    void Skip(int n) {
        Peek(n);
        Count -= n;
        Taken += static_cast<uint64_t>(n);
    }
    uint32_t Get(int n) {
        uint32_t v = Peek(n);
        Skip(n);
        return v;
    }
    // True once more bits were taken than the coded data holds: an honest stream never does.
    bool Overrun() const { return Taken > static_cast<uint64_t>(Io.BytesRead()) * 8; }

  private:
    TCompThreadSafety& Io;
    uint64_t Buffer = 0;
    int Count = 0;
    uint64_t Taken = 0;
};

class TBitWriter {
  public:
    explicit TBitWriter(TCompThreadSafety& io) : Io(io) {}

    // Writes the low n bits of value (n <= 16), highest first; whole bytes go out at once.
    void Put(int n, uint32_t value) {
        Buffer = (Buffer << n) | (value & ((1u << n) - 1));
        Count += n;
        while (Count >= 8) {
            Count -= 8;
            Io.WriteByte(static_cast<uint8_t>(Buffer >> Count));
        }
    }

  private:
    TCompThreadSafety& Io;
    uint32_t Buffer = 0;
    int Count = 0;  // bits waiting in Buffer, fewer than 8 between calls
};

}  // namespace kv::archive
