#include "Packets.h"

#include <cstring>

namespace kv::link::packet {

uint16_t Sum16(const uint8_t* data, size_t size) {
    uint16_t sum = 0;
    for (size_t i = 0; i < size; ++i) sum = static_cast<uint16_t>(sum + data[i]);
    return sum;
}

void BuildBlockBody(int32_t blockNumber, const uint8_t* data, uint8_t* body) {
    std::memcpy(body, BlockHeader, sizeof BlockHeader);
    uint32_t n = static_cast<uint32_t>(blockNumber);
    for (int i = 0; i < 4; ++i) body[5 + i] = static_cast<uint8_t>(n >> (8 * i));
    std::memcpy(body + 9, data, BLOCK_DATA);
    uint16_t sum = Sum16(body, 9 + BLOCK_DATA);
    body[265] = static_cast<uint8_t>(sum);
    body[266] = static_cast<uint8_t>(sum >> 8);
}

}  // namespace kv::link::packet
