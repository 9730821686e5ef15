#pragma once
// A loop timer that ends a connection attempt which lasts too long: a unit whose application is
// running acknowledges the presence query for ever and would hold the command without end.
#include <chrono>
#include <optional>
#include <utility>

#include "link/PollTimer.h"
#include "link/TComms.h"

namespace cli {

class ConnectionDeadline : public kv::link::LoopTimer {
  public:
    explicit ConnectionDeadline(std::chrono::seconds limit) : Limit(limit) {}
    void Watch(kv::link::TComms& link) { Link = &link; }
    void SetEnabled(bool on) override;
    // Whether an attempt ended at the deadline while the unit was acknowledging the presence
    // query, since the last call.
    bool TakeRunningApplication() { return std::exchange(AnsweredPresence, false); }

  private:
    using Clock = std::chrono::steady_clock;
    std::chrono::seconds Limit;
    kv::link::TComms* Link = nullptr;
    std::optional<Clock::time_point> Since;
    bool AnsweredPresence = false;
};

// The line that follows the no-response message when the deadline ended the connection.
inline constexpr const char* RunningApplicationLine =
    "The unit answered as a running application: it acknowledged the presence query but never "
    "accepted a download";

}  // namespace cli
