// The single-instance lock of a window class.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <filesystem>

#include "base/ui/SingleInstance.h"
#include "support/TempDir.h"

namespace kv::base::ui {
namespace {

TEST(SingleInstanceLock, HoldsWhateverTheApplicationCallsItself) {
    const kv::testing::TempDir temp;
    const std::string runtime = temp.Path().string();
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    const QString name = QCoreApplication::applicationName();
    // The manager names itself before it creates its console.
    QCoreApplication::setApplicationName("740-Series Program Manager");
    SingleInstance managersConsole("TKv740FormComms");
    ASSERT_TRUE(managersConsole.TryLock());
    EXPECT_EQ(QCoreApplication::applicationName(), "740-Series Program Manager");
    EXPECT_TRUE(
        SingleInstance::LockPath("TKv740FormComms").startsWith(QString::fromStdString(runtime)));

    SingleInstance utility("TKv740FormComms");
    EXPECT_FALSE(utility.TryLock());
    SingleInstance otherClass("TKv740FormMain");
    EXPECT_TRUE(otherClass.TryLock());
    QCoreApplication::setApplicationName(name);
}

}  // namespace
}  // namespace kv::base::ui
