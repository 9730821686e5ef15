#include "GangLoop.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>

namespace kv::console {

namespace {
long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

class GangLoop::Timer : public link::PollTimer {
  public:
    explicit Timer(GangLoop& loop) : Loop(loop) { Loop.Timers.push_back(this); }
    ~Timer() override { std::erase(Loop.Timers, this); }

    void SetInterval(int ms) override {
        IntervalMs = ms;
        if (IsEnabled) Restart();
    }
    int Interval() const override { return IntervalMs; }
    void SetEnabled(bool on) override {
        if (on && !IsEnabled) Restart();
        IsEnabled = on;
    }
    bool Enabled() const override { return IsEnabled; }

    long long Due() const { return DueNs; }
    void FireNow() {
        Fire();
        // A handler that leaves the timer enabled without toggling it gets the next interval.
        if (IsEnabled && DueNs <= NowNs()) Restart();
    }

  private:
    void Restart() { DueNs = NowNs() + static_cast<long long>(IntervalMs) * 1000000; }

    GangLoop& Loop;
    int IntervalMs = 0;
    bool IsEnabled = false;
    long long DueNs = 0;
};

std::unique_ptr<link::PollTimer> GangLoop::NewTimer() {
    return std::make_unique<Timer>(*this);
}

void GangLoop::ReadInput() {
    char buffer[256];
    const ssize_t n = ::read(Input, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (n <= 0) {
        Input = -1;
        if (OnInputEnd) OnInputEnd();
        return;
    }
    for (ssize_t i = 0; i < n; ++i)
        if (buffer[i] == '\n' && OnLine) OnLine();
}

void GangLoop::Run(const std::function<bool()>& done) {
    while (!done()) {
        Timer* next = nullptr;
        for (Timer* timer : Timers)
            if (timer->Enabled() && (!next || timer->Due() < next->Due())) next = timer;
        if (!next && Input < 0) return;  // nothing left that could make anything happen
        const long long wait = next ? std::max(0LL, next->Due() - NowNs()) : -1;
        if (Input >= 0) {
            pollfd watch{Input, POLLIN, 0};
            const timespec timeout{static_cast<time_t>(wait / 1000000000),
                                   static_cast<long>(wait % 1000000000)};
            const int ready = ::ppoll(&watch, 1, wait < 0 ? nullptr : &timeout, nullptr);
            if (ready != 0) {
                if (ready > 0) ReadInput();
                continue;  // the input may have changed what is due
            }
        } else if (wait > 0) {
            const timespec timeout{static_cast<time_t>(wait / 1000000000),
                                   static_cast<long>(wait % 1000000000)};
            ::nanosleep(&timeout, nullptr);
        }
        if (next->Enabled() && next->Due() <= NowNs()) next->FireNow();
    }
}

}  // namespace kv::console
