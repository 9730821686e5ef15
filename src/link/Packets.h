#pragma once
// Packet bodies of the download protocol (before escaping).
#include <cstddef>
#include <cstdint>

namespace kv::link::packet {

constexpr uint8_t ADDRESS = 0x81;
constexpr uint8_t ACK = 0x06;
constexpr uint8_t NAK = 0x15;
constexpr uint8_t IDENTITY = 0x05;
constexpr uint8_t IDENTITY_END = 0x84;

constexpr uint8_t PresenceQuery[] = {0x81, 0x05, 0xFF, 0x00, 0x84};
constexpr uint8_t IdentityQuery[] = {0x81, 0x05, 0x7F, 0x00, 0x84};
constexpr uint8_t SpeedCommand[] = {0x81, 0x02, 0x53, 0x45, 0x00, 0x03, 0x96};
constexpr uint8_t FileEnd[] = {0x81, 0x46, 0x46, 0x09, 0x00, 0x16, 0x01};

constexpr size_t BLOCK_DATA = 256;
constexpr size_t BLOCK_BODY = 267;
constexpr size_t BLOCK_FRAME = 269;  // frame length before escaping, delimiters included
constexpr uint8_t BlockHeader[] = {0x81, 0x46, 0x44, 0x0D, 0x01};

// Builds a data block body (BLOCK_BODY bytes) with its 16-bit sum.
void BuildBlockBody(int32_t blockNumber, const uint8_t* data, uint8_t* body);

// Sum of the bytes kept to 16 bits.
uint16_t Sum16(const uint8_t* data, size_t size);

}  // namespace kv::link::packet
