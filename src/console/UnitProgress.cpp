#include "UnitProgress.h"

#include <algorithm>
#include <cmath>

#include "link/Messages.h"

namespace kv::console {

namespace msg = link::msg;

namespace {
bool AttemptMessage(const std::string& message) {
    return message == msg::Wait || message == msg::NoResponse || message == msg::NoPort;
}
}  // namespace

void UnitProgress::Begin(Clock::time_point now) {
    *this = UnitProgress{};
    Started = now;
}

void UnitProgress::Message(const std::string& message, const link::TComms& link,
                           Clock::time_point now) {
    Text = message;
    if (message == msg::Wait) {
        // A scan that found no port at all stands on the end of its port walk: no port.
        AttemptPort = link.IsOpen() ? link.PortName : "no port";
        if (link.IsOpen()) Port = link.PortName;
        Parity = link.ParityName;
        Baud = link.Baud;
        Blocks = 0;
        TotalBlocks = (link.Size + 255) / 256;
    }
    if (message == msg::InProgress && link.BlockNumber + 1 > Blocks) {
        if (Blocks == 0) FirstBlock = now;
        Blocks = link.BlockNumber + 1;
        LastBlock = now;
    }
    BytesSent = static_cast<size_t>(link.Offset);
}

bool UnitProgress::Downloading() const {
    return Text == msg::InProgress && TotalBlocks > 0;
}

int UnitProgress::Percent() const {
    return TotalBlocks > 0 ? static_cast<int>(100LL * Blocks / TotalBlocks) : 0;
}

double UnitProgress::Seconds(Clock::time_point now) const {
    return std::chrono::duration<double>(now - Started).count();
}

std::optional<double> UnitProgress::SecondsLeft(Clock::time_point now) const {
    if (Blocks < 2) return std::nullopt;
    const double perBlock =
        std::chrono::duration<double>(LastBlock - FirstBlock).count() / (Blocks - 1);
    const double sinceLast = std::chrono::duration<double>(now - LastBlock).count();
    return std::max(0.0, perBlock * (TotalBlocks - Blocks + 1) - sinceLast);
}

std::string UnitProgress::MessageLine(Prefix prefix) const {
    if (prefix == Prefix::None) return Text;
    if (AttemptMessage(Text))
        return AttemptPort + " " + std::to_string(Baud) + " " + Parity + ": " + Text;
    return prefix == Prefix::Always ? Port + ": " + Text : Text;
}

std::string UnitProgress::StatusLine(Prefix prefix, Clock::time_point now) const {
    std::string line = MessageLine(prefix);
    if (!Downloading()) return line;
    line += " block " + std::to_string(Blocks) + " of " + std::to_string(TotalBlocks) + ", " +
            std::to_string(Percent()) + " %";
    if (auto left = SecondsLeft(now)) line += ", " + MinutesSeconds(*left) + " left";
    return line;
}

std::string MinutesSeconds(double seconds) {
    const long long whole = static_cast<long long>(std::ceil(seconds));
    const long long s = whole % 60;
    return std::to_string(whole / 60) + ":" + (s < 10 ? "0" : "") + std::to_string(s);
}

}  // namespace kv::console
