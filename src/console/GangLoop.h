#pragma once
// One loop for many links: every link's poll timer fires when it is due, and between polls the
// loop reads the operator's lines from an input descriptor, so that waiting for Enter on one port
// never holds up the downloads on the others.
#include <functional>
#include <memory>
#include <vector>

#include "link/PollTimer.h"

namespace kv::console {

class GangLoop {
  public:
    GangLoop() = default;
    GangLoop(const GangLoop&) = delete;
    GangLoop& operator=(const GangLoop&) = delete;

    // A timer driven by this loop; the loop must outlive it.
    std::unique_ptr<link::PollTimer> NewTimer();

    // Read between polls when not -1; each line goes to OnLine, the end of the input to OnInputEnd.
    int Input = -1;
    std::function<void()> OnLine;
    std::function<void()> OnInputEnd;

    // Fires the timers as they come due until `done` says so, or until nothing can happen any more.
    void Run(const std::function<bool()>& done);

  private:
    class Timer;
    friend class Timer;
    void ReadInput();

    std::vector<Timer*> Timers;
};

}  // namespace kv::console
