// The introduction and the progress window.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "catalogue/ui/TFormIntro.h"
#include "catalogue/ui/TFormProgress.h"
#include "support/QtWait.h"

namespace kv::catalogue::ui {
namespace {

using kv::testing::Spin;
using kv::testing::WhenModal;

TEST(Introduction, ClosesOnAClickAKeyOrTenSecondsAfterItWasCreated) {
    TFormIntro intro;
    EXPECT_EQ(intro.windowTitle(), "740-Series Program Manager Introduction");
    EXPECT_TRUE(intro.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(intro.TimerIntro->isActive());  // from creation, not from showing
    EXPECT_EQ(intro.TimerIntro->interval(), 10000);

    WhenModal([&](QWidget*) { QTest::keyClick(&intro, Qt::Key_Space); });
    intro.exec();
    EXPECT_FALSE(intro.TimerIntro->isActive());  // closing stops the timer
    WhenModal([&](QWidget*) { QTest::mouseClick(intro.ImageIntro, Qt::LeftButton); });
    intro.exec();
    EXPECT_FALSE(intro.isVisible());

    TFormIntro timed;
    timed.TimerIntro->start(100);  // the ten seconds, shortened
    QElapsedTimer clock;
    clock.start();
    timed.exec();
    EXPECT_LT(clock.elapsed(), 5000);

    // Its time passed before it was shown: it stays until clicked.
    TFormIntro late;
    late.TimerIntro->start(10);
    Spin(100);
    bool stillShownAfterAWhile = false;
    WhenModal([&](QWidget*) {
        QTimer::singleShot(300, [&] {
            stillShownAfterAWhile = late.isVisible();
            late.FormClick();
        });
    });
    late.exec();
    EXPECT_TRUE(stillShownAfterAWhile);
}

TEST(Progress, ShowsTheBuildsCaptionsAndItsBar) {
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    TFormProgress progress(&owner);
    EXPECT_EQ(progress.windowTitle(), "Processing...");
    EXPECT_TRUE(progress.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(progress.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(progress.ProgressBar1->minimum(), 0);
    EXPECT_EQ(progress.ProgressBar1->maximum(), 100);

    progress.ShowCaption("Processing version configuration...");
    EXPECT_TRUE(progress.isVisible());
    EXPECT_FALSE(progress.isModal());
    EXPECT_EQ(progress.windowTitle(), "Processing version configuration...");
    EXPECT_LE((progress.geometry().center() - owner.geometry().center()).manhattanLength(), 2);
    progress.SetProgress(3, 9);
    EXPECT_EQ(progress.ProgressBar1->maximum(), 9);
    EXPECT_EQ(progress.ProgressBar1->value(), 3);
    progress.SetProgress(0, 0);  // a version of one record
    EXPECT_EQ(progress.ProgressBar1->maximum(), 1);
    progress.ShowCaption("Please wait while file is created...");
    EXPECT_EQ(progress.windowTitle(), "Please wait while file is created...");
}

}  // namespace
}  // namespace kv::catalogue::ui
