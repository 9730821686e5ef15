#pragma once
// The link's poll timer on the window thread's event loop.
#include <QTimer>

#include "link/PollTimer.h"

namespace kv::console::ui {

class QtPollTimer : public link::PollTimer {
  public:
    QtPollTimer();
    // A new interval restarts a running timer, as the link expects.
    void SetInterval(int ms) override { Timer.setInterval(ms); }
    int Interval() const override { return Timer.interval(); }
    void SetEnabled(bool on) override;
    bool Enabled() const override { return Timer.isActive(); }

  private:
    QTimer Timer;
};

}  // namespace kv::console::ui
