#include "archive/RleDecoder.h"

namespace kv::archive {

void DecodeRle(TCompThreadSafety& io) {
    uint8_t last = 0;
    for (;;) {
        uint8_t token = io.ReadByte();
        if (io.EndOfInput()) return;
        if (token != RleEscape) {
            io.WriteByte(token);
        } else {
            // An escape as the last byte reads its count as 0 and stands for itself.
            int count = io.ReadByte();
            if (count == 0) io.WriteByte(RleEscape);
            for (int i = 1; i < count; ++i) io.WriteByte(last);
        }
        last = token;
    }
}

}  // namespace kv::archive
