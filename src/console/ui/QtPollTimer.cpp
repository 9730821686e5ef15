#include "QtPollTimer.h"

namespace kv::console::ui {

QtPollTimer::QtPollTimer() {
    Timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&Timer, &QTimer::timeout, [this] { Fire(); });
}

void QtPollTimer::SetEnabled(bool on) {
    if (on && !Timer.isActive())
        Timer.start();
    else if (!on)
        Timer.stop();
}

}  // namespace kv::console::ui
