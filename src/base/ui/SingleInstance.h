#pragma once
// One window of a main window class per user: a lock file named after the class in the user's
// runtime directory, held while that window exists. The utility refuses to start while the lock
// of its console's class is held, by another utility or by the manager while its console exists.
#include <QLockFile>
#include <QString>
#include <memory>

namespace kv::base::ui {

class SingleInstance {
  public:
    explicit SingleInstance(const QString& windowClass);
    // Takes the lock; false when another process holds it (a dead holder's lock is taken over).
    bool TryLock();
    static QString LockPath(const QString& windowClass);

  private:
    std::unique_ptr<QLockFile> Lock;
};

}  // namespace kv::base::ui
