#include "QtShell.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace kv::base::ui {

bool QtShell::Open(const std::string& target) {
    // Not owned by this call: an opener that outlives the wait must not be killed with it.
    auto* opener = new QProcess;
    opener->setProgram(Opener);
    opener->setArguments({QString::fromStdString(target)});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setProcessChannelMode(QProcess::ForwardedChannels);

    QEventLoop wait;
    QObject::connect(opener, &QProcess::finished, &wait, &QEventLoop::quit);
    QObject::connect(opener, &QProcess::errorOccurred, &wait, &QEventLoop::quit);
    QTimer::singleShot(WaitMs, &wait, &QEventLoop::quit);
    opener->start();
    if (opener->state() != QProcess::NotRunning) wait.exec();

    if (opener->state() != QProcess::NotRunning) {
        QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
        return true;
    }
    const bool opened = opener->error() == QProcess::UnknownError &&
                        opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
    delete opener;
    return opened;
}

}  // namespace kv::base::ui
