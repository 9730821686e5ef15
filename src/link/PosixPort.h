#pragma once
// A serial port over termios.
#include <linux/serial.h>

#include "Port.h"

namespace kv::link {

class PosixPort : public Port {
  public:
    ~PosixPort() override;
    bool Open(const std::string& name) override;
    void Close() override;
    bool IsOpen() const override { return Fd >= 0; }
    void SetupQueues(uint32_t, uint32_t) override {}
    LineSettings GetState() override;
    bool SetState(const LineSettings& settings) override;
    Timeouts GetTimeouts() override { return Times; }
    bool SetTimeouts(const Timeouts& timeouts) override;
    void Purge(unsigned flags) override;
    LineStatus ClearError() override;
    uint32_t Read(uint8_t* buffer, uint32_t max) override;
    uint32_t Write(const uint8_t* data, uint32_t count) override;

  private:
    int Fd = -1;
    uint32_t Flags = 0;
    Timeouts Times;
    serial_icounter_struct Counts{};
    bool HaveCounts = false;
};

}  // namespace kv::link
