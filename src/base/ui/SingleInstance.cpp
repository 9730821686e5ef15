#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace kv::base::ui {

SingleInstance::SingleInstance(const QString& windowClass)
    : Lock(std::make_unique<QLockFile>(LockPath(windowClass))) {}

QString SingleInstance::LockPath(const QString& windowClass) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir + "/" + windowClass + ".lock";
}

bool SingleInstance::TryLock() {
    Lock->setStaleLockTime(0);  // only a lock whose process is gone counts as stale
    return Lock->tryLock(0);
}

}  // namespace kv::base::ui
