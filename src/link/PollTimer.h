#pragma once
#include <functional>

namespace kv::link {

// A window-style timer: while enabled it fires once per interval, counted from when it was
// enabled or its interval last changed.
class PollTimer {
  public:
    using Handler = std::function<void(PollTimer*)>;
    virtual ~PollTimer() = default;
    virtual void SetInterval(int ms) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool on) = 0;
    virtual bool Enabled() const = 0;
    void SetOnTimer(Handler handler) { OnTimer = std::move(handler); }

  protected:
    void Fire() {
        if (OnTimer) OnTimer(this);
    }

  private:
    Handler OnTimer;
};

// Fires only when a test says so.
class ManualTimer : public PollTimer {
  public:
    void SetInterval(int ms) override { IntervalMs = ms; }
    int Interval() const override { return IntervalMs; }
    void SetEnabled(bool on) override { IsEnabled = on; }
    bool Enabled() const override { return IsEnabled; }
    // Fires once if enabled; returns whether it fired.
    bool Step() {
        if (!IsEnabled) return false;
        Fire();
        return true;
    }

  private:
    int IntervalMs = 0;
    bool IsEnabled = false;
};

// Drives the handler from a plain loop, for programs without an event loop.
class LoopTimer : public PollTimer {
  public:
    void SetInterval(int ms) override;
    int Interval() const override { return IntervalMs; }
    void SetEnabled(bool on) override;
    bool Enabled() const override { return IsEnabled; }
    // Sleeps to each due time and fires, until the timer is left disabled.
    void Run();

  private:
    void Restart();
    int IntervalMs = 0;
    bool IsEnabled = false;
    long long DueNs = 0;
};

}  // namespace kv::link
