#pragma once
// The serial-port operations the link needs. The names and flag values follow the
// communications calls of the original platform so that the link's rules read the same.
#include <cstdint>
#include <string>

namespace kv::link {

// Parity codes of the line-settings record.
enum ParityCode : uint8_t {
    NOPARITY = 0,
    ODDPARITY = 1,
    EVENPARITY = 2,
    MARKPARITY = 3,
    SPACEPARITY = 4
};

// Line error bits reported by ClearError.
constexpr uint32_t CE_RXOVER = 0x0001;
constexpr uint32_t CE_OVERRUN = 0x0002;
constexpr uint32_t CE_RXPARITY = 0x0004;
constexpr uint32_t CE_FRAME = 0x0008;
constexpr uint32_t CE_TXFULL = 0x0100;
constexpr uint32_t CE_IOE = 0x0400;
constexpr uint32_t CE_MODE = 0x8000;

// Purge flags.
constexpr unsigned PURGE_TXCLEAR = 4;
constexpr unsigned PURGE_RXCLEAR = 8;

// Bits of the line-settings flags word.
constexpr uint32_t FLAG_BINARY = 0x0001;
constexpr uint32_t FLAG_PARITY = 0x0002;
constexpr uint32_t FLAG_DTR_ENABLE = 0x0010;
constexpr uint32_t FLAG_RTS_ENABLE = 0x1000;

struct LineSettings {
    uint32_t BaudRate = 9600;
    uint8_t Parity = NOPARITY;
    uint8_t ByteSize = 8;
    uint8_t StopBits = 0;  // 0 one stop bit, 1 one and a half, 2 two
    uint32_t Flags = 0;
};

struct Timeouts {
    uint32_t ReadInterval = 0;
    uint32_t ReadTotalMultiplier = 0;
    uint32_t ReadTotalConstant = 0;
    uint32_t WriteTotalMultiplier = 0;
    uint32_t WriteTotalConstant = 0;
};

constexpr uint32_t MAXDWORD = 0xFFFFFFFFu;

struct LineStatus {
    uint32_t Errors = 0;
    uint32_t Queued = 0;
};

class Port {
  public:
    virtual ~Port() = default;
    // Opens the named port ("COM1".."COM9") for exclusive use; false when it is missing or busy.
    virtual bool Open(const std::string& name) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual void SetupQueues(uint32_t inSize, uint32_t outSize) = 0;
    virtual LineSettings GetState() = 0;
    virtual bool SetState(const LineSettings& settings) = 0;
    virtual Timeouts GetTimeouts() = 0;
    virtual bool SetTimeouts(const Timeouts& timeouts) = 0;
    virtual void Purge(unsigned flags) = 0;
    // Returns the error bits since the last call and the count of queued input bytes.
    virtual LineStatus ClearError() = 0;
    // Never waits: returns at most `max` bytes that are already queued.
    virtual uint32_t Read(uint8_t* buffer, uint32_t max) = 0;
    // Returns the count written within the write time-out.
    virtual uint32_t Write(const uint8_t* data, uint32_t count) = 0;
};

}  // namespace kv::link
