#pragma once
// The codec layer: one member's byte source and sink, each behind an 8192-byte buffer, with the
// counters, budget and checksums every method runs on.
#include <cstdint>

#include "archive/Exceptions.h"
#include "archive/Methods.h"
#include "archive/Streams.h"

namespace kv::archive {

struct TEncodeResult {
    int32_t CodedSize = 0;
    uint32_t Checksum = 0;  // sum of the source bytes
};

struct TDecodeResult {
    uint32_t Checksum = 0;  // sum of the bytes written
    int32_t Written = 0;    // bytes written, never more than the uncompressed size
    // The decoder needed more coded bits than the member holds: the data is cut short.
    bool Truncated = false;
    // The data decodes to more than the uncompressed size; decoding stopped there.
    bool Overlong = false;
};

class TCompThreadSafety {
  public:
    static constexpr int BufferSize = 8192;

    // Codes SourceSize bytes of Source into Destination; methods 0 and 4 only. Throws
    // EUnableToCompress when the coding would need byte SourceSize + 1.
    TEncodeResult EncodeMember(TCompressMethod method, TStream& source, TStream& destination,
                               int32_t sourceSize);
    // Decodes at most codedSize bytes of Source into Destination, and writes at most
    // uncompressedSize bytes; methods 0, 1, 2 and 4.
    TDecodeResult DecodeMember(TCompressMethod method, TStream& source, TStream& destination,
                               int32_t uncompressedSize, int32_t codedSize);

    // --- what the methods use ---
    uint8_t ReadByte() {
        if (InPos == InEnd && !Refill()) return 0;
        uint8_t b = InBuffer[InPos++];
        ReadSum += b;
        return b;
    }
    bool EndOfInput() const { return AtEnd; }
    int64_t BytesRead() const { return ReadCount; }
    // Reads up to `count` bytes (fewer only at the end of input).
    int ReadBlock(uint8_t* out, int count);

    void WriteByte(uint8_t b) {
        if (Budget <= 0) throw EUnableToCompress();
        --Budget;
        if (OutPos == BufferSize) FlushFull();
        OutBuffer[OutPos++] = b;
        WriteSum += b;
        ++OutCount;
    }
    // Writes `count` bytes as WriteByte would, byte for byte against the budget.
    void WriteBlock(const uint8_t* bytes, int count);
    void MarkTruncated() { Truncated = true; }
    // The coded data holds more than the uncompressed size.
    void MarkOverlong() { Overlong = true; }

  private:
    void Setup(TStream& source, TStream& destination, int64_t limit, int32_t budget);
    bool Refill();
    void FlushFull();
    void FlushOutput();

    TStream* Source = nullptr;
    TStream* Destination = nullptr;
    uint8_t InBuffer[BufferSize];
    int InPos = 0, InEnd = 0;
    int64_t Limit = 0;  // source bytes not yet read
    int64_t ReadCount = 0;
    bool AtEnd = false;
    uint8_t OutBuffer[BufferSize];
    int OutPos = 0;
    int32_t Budget = 0;
    int32_t OutCount = 0;
    uint32_t ReadSum = 0, WriteSum = 0;
    bool Truncated = false;
    bool Overlong = false;
};

}  // namespace kv::archive
