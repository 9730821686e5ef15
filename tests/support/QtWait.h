#pragma once
// Waiting in window tests: act on the next modal dialog, run the event loop for a while.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace kv::testing {

// Runs `act` on the next modal dialog once it is up.
inline void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return WhenModal(act);
        act(modal);
    });
}

// Runs the event loop (so idle handling happens) for a while or until `done`.
inline void Spin(int ms, std::function<bool()> done = {}) {
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done && done()) loop.quit();
    });
    deadline.start(ms);
    check.start(20);
    loop.exec();
}

}  // namespace kv::testing
