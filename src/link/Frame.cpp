#include "Frame.h"

namespace kv::link {

size_t EncodeFrame(const uint8_t* body, size_t size, uint8_t* out) {
    size_t n = 0;
    out[n++] = FRAME_END;
    for (size_t i = 0; i < size; ++i) {
        uint8_t b = body[i];
        if (b == FRAME_END) {
            out[n++] = FRAME_ESC;
            out[n++] = FRAME_ESC_END;
        } else if (b == FRAME_ESC) {
            out[n++] = FRAME_ESC;
            out[n++] = FRAME_ESC_ESC;
        } else {
            out[n++] = b;
        }
    }
    out[n++] = FRAME_END;
    return n;
}

size_t DecodeBody(const uint8_t* escaped, size_t size, uint8_t* out) {
    size_t n = 0;
    for (size_t i = 0; i < size; ++i) {
        uint8_t b = escaped[i];
        if (b == FRAME_ESC && i + 1 < size) {
            if (escaped[i + 1] == FRAME_ESC_END) {
                out[n++] = FRAME_END;
                ++i;
                continue;
            }
            if (escaped[i + 1] == FRAME_ESC_ESC) {
                out[n++] = FRAME_ESC;
                ++i;
                continue;
            }
        }
        out[n++] = b;
    }
    return n;
}

}  // namespace kv::link
