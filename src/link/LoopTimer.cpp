#include <chrono>
#include <thread>

#include "PollTimer.h"

namespace kv::link {

namespace {
long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

void LoopTimer::Restart() {
    DueNs = NowNs() + static_cast<long long>(IntervalMs) * 1000000;
}

void LoopTimer::SetInterval(int ms) {
    IntervalMs = ms;
    if (IsEnabled) Restart();
}

void LoopTimer::SetEnabled(bool on) {
    if (on && !IsEnabled) Restart();
    IsEnabled = on;
}

void LoopTimer::Run() {
    while (IsEnabled) {
        long long wait = DueNs - NowNs();
        if (wait > 0) std::this_thread::sleep_for(std::chrono::nanoseconds(wait));
        if (!IsEnabled || DueNs > NowNs()) continue;
        Fire();
        // A handler that leaves the timer enabled without toggling it gets the next interval.
        if (IsEnabled && DueNs <= NowNs()) Restart();
    }
}

}  // namespace kv::link
