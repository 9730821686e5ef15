#pragma once
// A port for tests: records every open and write, feeds replies and line errors,
// and can stand for a whole set of named ports.
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "Port.h"

namespace kv::link {

class ScriptedPort : public Port {
  public:
    struct Written {
        std::string PortName;
        LineSettings Line;
        std::vector<uint8_t> Bytes;
    };

    // Names that exist; empty means every non-empty name opens.
    std::set<std::string> Existing;
    // Called after each complete write with what was written; may Feed a reply.
    std::function<void(ScriptedPort&, const Written&)> OnWrite;
    // Writes that still come out short (one byte fewer than asked).
    int ShortWrites = 0;

    std::vector<std::string> Opens;
    std::vector<Written> Writes;

    void Feed(const std::vector<uint8_t>& bytes);
    void FeedErrors(uint32_t errors) { PendingErrors |= errors; }
    const std::string& OpenName() const { return Name; }
    const LineSettings& Line() const { return Settings; }
    size_t InputQueued() const { return Input.size(); }

    bool Open(const std::string& name) override;
    void Close() override { IsOpenFlag = false; }
    bool IsOpen() const override { return IsOpenFlag; }
    void SetupQueues(uint32_t, uint32_t) override {}
    LineSettings GetState() override { return Settings; }
    bool SetState(const LineSettings& settings) override;
    Timeouts GetTimeouts() override { return Times; }
    bool SetTimeouts(const Timeouts& timeouts) override;
    void Purge(unsigned flags) override;
    LineStatus ClearError() override;
    uint32_t Read(uint8_t* buffer, uint32_t max) override;
    uint32_t Write(const uint8_t* data, uint32_t count) override;

    Timeouts Times;

  private:
    bool IsOpenFlag = false;
    std::string Name;
    LineSettings Settings;
    std::deque<uint8_t> Input;
    uint32_t PendingErrors = 0;
};

}  // namespace kv::link
