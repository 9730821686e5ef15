// The road from the catalogue to the instrument: select a demo version in the main window,
// Download builds it with the H8/300 toolchain, and the console, shown in manager mode, programs
// the virtual instrument on COM3 over a pseudo-terminal.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QTest>

#include "MainWindowFixture.h"
#include "link/Messages.h"

namespace kv::catalogue::ui::testing {
namespace {

using FromCatalogueToInstrument = MainWindowFixture;

TEST_F(FromCatalogueToInstrument, DownloadBuildsTheVersionAndTheConsoleProgramsTheUnit) {
    const fs::path received = Root / "received.bin";
    kv::testing::VirtualInstrument unit({"--class", "4", "--out", received.string()});
    setenv("KV740_PORTS",
           ("COM1=/dev/nonexistent-port,COM2=/dev/nonexistent-port,COM3=" + unit.Device()).c_str(),
           1);
    Start();
    ChooseRow("FP01");
    ASSERT_EQ(Main->LabelVersion->text(), "758-FP01-000000");
    ASSERT_TRUE(Main->Action(Command::Download)->isEnabled());

    // What the progress window was given while the build ran (the build holds the event loop
    // between the two captions).
    std::vector<std::string> captions;
    int positions = 0, lastMax = -1;
    auto showProgress = Main->Core().OnShowProgress;
    Main->Core().OnShowProgress = [&](const std::string& caption) {
        captions.push_back(caption);
        showProgress(caption);
        EXPECT_TRUE(Progress->isVisible());
    };
    auto progress = Main->Core().OnProgress;
    Main->Core().OnProgress = [&](int position, int max) {
        ++positions;
        lastMax = max;
        progress(position, max);
        EXPECT_EQ(Progress->ProgressBar1->value(), position);
    };

    // Once the console is up: download one unit, then close the console.
    std::string consoleCaption, panel;
    bool managerMode = false, started = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (started || !Comms->isVisible()) return;
        started = true;
        poll.stop();
        consoleCaption = Comms->windowTitle().toStdString();
        managerMode = !Comms->Core().ModeLite();
        WhenModal([this](QWidget* modal) {
            if (modal != SerialNumber) return;
            SerialNumber->MaskEditNumber->setText("123456");
            SerialNumber->MaskEditTag->setText("TANK-1");
            SerialNumber->ButtonOk->click();
        });
        Comms->Action(console::Command::Download)->trigger();
        const std::vector<std::string> ends = {link::msg::Complete, link::msg::NoResponse,
                                               link::msg::Incompatible, link::msg::NakResponse,
                                               link::msg::TransferNoResponse};
        Spin(180000, [&] {
            panel = Comms->PanelInfo->text().toStdString();
            return std::find(ends.begin(), ends.end(), panel) != ends.end();
        });
        Comms->Action(console::Command::Exit)->trigger();
    });
    poll.start(50);
    Main->Action(Command::Download)->trigger();  // returns when the console is closed
    poll.stop();

    ASSERT_TRUE(started) << Prompter.LastText();
    EXPECT_EQ(panel, link::msg::Complete);
    EXPECT_TRUE(managerMode);
    EXPECT_NE(consoleCaption.find("758-FP01-000000"), std::string::npos) << consoleCaption;
    EXPECT_EQ(captions, (std::vector<std::string>{"Processing version configuration...",
                                                  "Please wait while file is created..."}));
    EXPECT_GT(positions, 1);  // the bar advanced per version record
    EXPECT_GT(lastMax, 0);
    EXPECT_FALSE(Progress->isVisible());
    EXPECT_TRUE(fs::exists(Bin() / "PackReport.pdf"));
    EXPECT_FALSE(fs::exists(Bin() / "740-ggui.C"));
    const auto image = kv::testing::ReadFileBytes(received.string());
    EXPECT_NE(std::string(image.begin(), image.end()).find("123456"),
              std::string::npos);  // the stamped serial
    EXPECT_TRUE(Main->isVisible());
}

}  // namespace
}  // namespace kv::catalogue::ui::testing
