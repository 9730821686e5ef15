#include "archive/TCompThreadSafety.h"

#include <algorithm>
#include <thread>

#include "archive/Lh5Decoder.h"
#include "archive/Lh5Encoder.h"
#include "archive/LzhDecoder.h"
#include "archive/RleDecoder.h"

namespace kv::archive {

namespace {

void CopyStored(TCompThreadSafety& io) {
    uint8_t chunk[TCompThreadSafety::BufferSize];
    for (;;) {
        int n = io.ReadBlock(chunk, sizeof chunk);
        io.WriteBlock(chunk, n);
        if (n < static_cast<int>(sizeof chunk)) return;
    }
}

}  // namespace

void TCompThreadSafety::Setup(TStream& source, TStream& destination, int64_t limit,
                              int32_t budget) {
    Source = &source;
    Destination = &destination;
    InPos = InEnd = 0;
    Limit = std::max<int64_t>(limit, 0);
    ReadCount = 0;
    AtEnd = false;
    OutPos = 0;
    Budget = budget;
    OutCount = 0;
    ReadSum = WriteSum = 0;
    Truncated = false;
    Overlong = false;
}

bool TCompThreadSafety::Refill() {
    AtEnd = true;
    if (Limit == 0) return false;
    size_t n = Source->Read(InBuffer, static_cast<size_t>(std::min<int64_t>(Limit, BufferSize)));
    // A short source counts as ended: later reads must not ask it again.
    Limit = n == 0 ? 0 : Limit - static_cast<int64_t>(n);
    if (n == 0) return false;
    InPos = 0;
    InEnd = static_cast<int>(n);
    ReadCount += static_cast<int64_t>(n);
    std::this_thread::yield();
    AtEnd = false;
    return true;
}

int TCompThreadSafety::ReadBlock(uint8_t* out, int count) {
    int done = 0;
    while (done < count) {
        if (InPos == InEnd && !Refill()) break;
        int n = std::min(count - done, InEnd - InPos);
        for (int i = 0; i < n; ++i) ReadSum += InBuffer[InPos + i];
        std::copy_n(InBuffer + InPos, n, out + done);
        InPos += n;
        done += n;
    }
    return done;
}

void TCompThreadSafety::WriteBlock(const uint8_t* bytes, int count) {
    while (count > 0) {
        if (Budget <= 0) throw EUnableToCompress();
        if (OutPos == BufferSize) FlushFull();
        int n = std::min({count, BufferSize - OutPos, Budget});
        for (int i = 0; i < n; ++i) WriteSum += bytes[i];
        std::copy_n(bytes, n, OutBuffer + OutPos);
        OutPos += n;
        OutCount += n;
        Budget -= n;
        bytes += n;
        count -= n;
    }
}

void TCompThreadSafety::FlushFull() {
    std::this_thread::yield();
    Destination->Write(OutBuffer, static_cast<size_t>(OutPos));
    OutPos = 0;
}

void TCompThreadSafety::FlushOutput() {
    if (OutPos > 0) Destination->Write(OutBuffer, static_cast<size_t>(OutPos));
    OutPos = 0;
}

TEncodeResult TCompThreadSafety::EncodeMember(TCompressMethod method, TStream& source,
                                              TStream& destination, int32_t sourceSize) {
    Setup(source, destination, sourceSize, sourceSize);
    switch (method) {
        case MethodNone:
            CopyStored(*this);
            break;
        case MethodLh5:
            EncodeLh5(*this);
            break;
        default:
            break;  // the system writes no other method
    }
    FlushOutput();
    return {OutCount, ReadSum};
}

TDecodeResult TCompThreadSafety::DecodeMember(TCompressMethod method, TStream& source,
                                              TStream& destination, int32_t uncompressedSize,
                                              int32_t codedSize) {
    // The budget is the declared size: a byte beyond it can only come from damaged data.
    Setup(source, destination, codedSize, std::max(uncompressedSize, 0));
    try {
        switch (method) {
            case MethodNone:
                CopyStored(*this);
                break;
            case MethodRle:
                DecodeRle(*this);
                break;
            case MethodLzh:
                DecodeLzh(*this, uncompressedSize);
                break;
            case MethodLh5:
                DecodeLh5(*this, uncompressedSize);
                break;
            default:
                break;  // the container refuses the custom method before decoding
        }
    } catch (const EUnableToCompress&) {
        Overlong = true;
    }
    FlushOutput();
    return {WriteSum, OutCount, Truncated, Overlong};
}

}  // namespace kv::archive
