#pragma once
// Byte-stuffed frames: 0xC0, escaped body, 0xC0.
#include <cstddef>
#include <cstdint>

namespace kv::link {

constexpr uint8_t FRAME_END = 0xC0;
constexpr uint8_t FRAME_ESC = 0xDB;
constexpr uint8_t FRAME_ESC_END = 0xDC;
constexpr uint8_t FRAME_ESC_ESC = 0xDD;

// Longest frame a body of `bodySize` bytes can become.
constexpr size_t MaxFrameSize(size_t bodySize) {
    return 2 * bodySize + 2;
}

// Writes the delimited, escaped frame of `body` to `out`, which must hold
// MaxFrameSize(size) bytes; returns the frame length.
size_t EncodeFrame(const uint8_t* body, size_t size, uint8_t* out);

// Removes the escapes from the bytes between two delimiters; `out` must hold `size` bytes.
// A 0xDB before anything but 0xDC or 0xDD stands for itself.
size_t DecodeBody(const uint8_t* escaped, size_t size, uint8_t* out);

}  // namespace kv::link
