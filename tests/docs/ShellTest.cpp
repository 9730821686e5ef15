// The desktop shell judges the opener's exit status, without freezing the window meanwhile.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "base/ui/QtShell.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// A stand-in "xdg-open" first on PATH, running the given script body.
class StandInOpener : public ::testing::Test {
  protected:
    void SetUp() override {
        OldPath = qgetenv("PATH");
        qputenv("PATH", QByteArray(Dir.c_str()) + ":" + OldPath);
    }
    void TearDown() override { qputenv("PATH", OldPath); }
    void Opener(const std::string& body) {
        const fs::path script = Dir / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(script, fs::perms::owner_all);
    }
    std::string Received() const {
        std::ifstream in(Dir / "received");
        std::string line;
        std::getline(in, line);
        return line;
    }

    kv::testing::TempDir Temp;
    fs::path Dir = Temp.Path();
    QByteArray OldPath;
    kv::base::ui::QtShell Shell;
};

TEST_F(StandInOpener, TheOpenersExitStatusIsTheAnswer) {
    struct Case {
        const char* Body;
        bool Opened;
    } cases[] = {
        {"echo \"$1\" > \"$(dirname \"$0\")/received\"; exit 0", true},
        {"exit 3", false},  // no program for the type
        {"exit 4", false},  // the program failed
        {"kill -9 $$", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Body);
        Opener(c.Body);
        EXPECT_EQ(Shell.Open("/opt/kv740/help/740-PM_UserGuide.pdf"), c.Opened);
    }
    EXPECT_EQ(Received(), "/opt/kv740/help/740-PM_UserGuide.pdf");
}

TEST_F(StandInOpener, NoOpenerAtAllIsAFailure) {
    Shell.Opener = (Dir / "no-such-opener").c_str();
    EXPECT_FALSE(Shell.Open("https://www.morvane.example/"));
}

TEST_F(StandInOpener, AViewerInTheOpenersForegroundCountsAsOpenedAndEventsRunMeanwhile) {
    Opener("sleep 2");
    Shell.WaitMs = 300;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(Shell.Open("/opt/kv740/bin/Report.pdf"));
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_GE(ticks, 5) << "the window's events were not handled during the wait";
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
