#pragma once
// What the operator and the record learn about one unit's download from the link's messages:
// the line settings of the attempt, the blocks sent, the time taken and the time left.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "link/TComms.h"

namespace kv::console {

class UnitProgress {
  public:
    using Clock = std::chrono::steady_clock;

    // A unit starts: everything learnt about the previous one goes.
    void Begin(Clock::time_point now);
    // Every message of the link, as it comes.
    void Message(const std::string& message, const link::TComms& link, Clock::time_point now);

    std::string Text;    // the last message
    std::string Port;    // the port of the last attempt that opened one
    std::string Parity;  // settings of the last attempt
    uint32_t Baud = 0;
    int32_t Blocks = 0;  // data blocks sent so far
    int32_t TotalBlocks = 0;
    size_t BytesSent = 0;

    bool Downloading() const;
    int Percent() const;
    double Seconds(Clock::time_point now) const;
    // From the pace of the blocks so far; none before two blocks went.
    std::optional<double> SecondsLeft(Clock::time_point now) const;

    // What goes before a message: nothing; the attempt's settings before the messages of an
    // attempt ("COM3 19200 EVEN: Please wait while connection is established..."); or those, and
    // the port before every other message ("COM3: Downloading in progress...").
    enum class Prefix { None, Attempts, Always };
    std::string MessageLine(Prefix prefix) const;
    // The message line, and while blocks go " block 52 of 512, 10 %, 0:56 left".
    std::string StatusLine(Prefix prefix, Clock::time_point now) const;

  private:
    std::string AttemptPort;  // "no port" for an attempt on a port that did not open
    Clock::time_point Started{}, FirstBlock{}, LastBlock{};
};

// "0:56", "12:05"; whole seconds, rounded up.
std::string MinutesSeconds(double seconds);

}  // namespace kv::console
