// The utility's console end to end: offscreen window, real ports, the virtual instrument on COM3.
// With KV740_SCREENSHOT=FILE.png the window is saved after the download (for a look under xvfb-run
// with QT_QPA_PLATFORM=xcb).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <QPixmap>

#include "WindowFixture.h"
#include "console/ui/QtPollTimer.h"
#include "link/Messages.h"
#include "link/PosixPort.h"

namespace kv::console::testing {
namespace {

using WindowOnTerminal = WindowFixture;

TEST_F(WindowOnTerminal, ProgramsTheInstrumentOnCom3AmongOtherPorts) {
    setenv("TZ", "UTC", 1);
    tzset();
    ImageRecipe recipe;
    recipe.Size = 131073;  // the large layout downloads at 80 ms a block
    WriteFile(Bin / "758-FP01-000000.apx", BuildImage(recipe));
    const auto received = Root / "received.bin";
    kv::testing::VirtualInstrument silent({"--parity", "M"});
    kv::testing::VirtualInstrument unit({"--baud", "9600", "--parity", "E", "--model", "1",
                                         "--class", "2", "--out", received.string()});
    setenv("KV740_PORTS",
           PortMap({{1, silent.Device()}, {3, unit.Device()}, {5, "/dev/null"}}).c_str(), 1);

    Open({"758-FP01-000000.apx"}, true, [] {
        return std::make_unique<link::TComms>(std::make_unique<link::PosixPort>(),
                                              std::make_unique<ui::QtPollTimer>());
    });
    ASSERT_TRUE(window->Action(Command::Download)->isEnabled()) << Panel();
    WhenModal([this](QWidget*) {
        serialNumber->MaskEditNumber->setText("004711");
        serialNumber->MaskEditTag->setText("PT-9");
        serialNumber->ButtonOk->click();
    });
    const time_t before = time(nullptr);
    window->Action(Command::Download)->trigger();
    const std::vector<std::string> ends = {link::msg::Complete, link::msg::NoResponse,
                                           link::msg::Incompatible, link::msg::NakResponse,
                                           link::msg::TransferNoResponse};
    Spin(180000, [&] { return std::find(ends.begin(), ends.end(), Panel()) != ends.end(); });
    const time_t after = time(nullptr);
    ASSERT_EQ(Panel(), link::msg::Complete);
    Spin(300);
    EXPECT_FALSE(window->LabelWarning->isHidden());
    EXPECT_EQ(window->ProgressBar->maximum(), 512);
    if (const char* shot = getenv("KV740_SCREENSHOT")) window->grab().save(shot);

    auto image = ReadFileBytes(received);
    ASSERT_EQ(image.size(), 513u * 256);
    const ProgrammedUnit programmed = ReadUnit(image, 0x3200);
    EXPECT_EQ(programmed.Serial, std::string("004711\0", 7));
    EXPECT_EQ(programmed.Tag, "PT-9");
    EXPECT_GE(programmed.Stamp, before + 180 - 1);
    EXPECT_LE(programmed.Stamp, after + 180 + 1);
}

using WindowOnTerminalWithBoxes = WindowWithBoxes;

// Yes to the exit question stops the link at once and frees the port for other programs.
TEST_F(WindowOnTerminalWithBoxes, ExitDuringADownloadStopsItAndFreesThePort) {
    WriteFile(Bin / "758-FP01-000000.apx", BuildImage({}));
    const auto received = Root / "received.bin";
    kv::testing::VirtualInstrument unit(
        {"--model", "1", "--class", "2", "--out", received.string()});
    setenv("KV740_PORTS", PortMap({{3, unit.Device()}}).c_str(), 1);
    Open({"758-FP01-000000.apx"}, true, [] {
        return std::make_unique<link::TComms>(std::make_unique<link::PosixPort>(),
                                              std::make_unique<ui::QtPollTimer>());
    });
    WhenModal([this](QWidget*) { serialNumber->ButtonOk->click(); });
    window->Action(Command::Download)->trigger();
    Spin(30000, [&] { return window->ProgressBar->value() >= 5; });
    ASSERT_EQ(Panel(), link::msg::InProgress);

    link::PosixPort other;
    EXPECT_FALSE(other.Open("COM3")) << "in use while the download runs";
    Seen seen;
    AnswerBox(QMessageBox::Yes, seen);
    window->Action(Command::Exit)->trigger();
    EXPECT_EQ(seen.text, "A download is in progress. Stop it and exit?");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(other.Open("COM3")) << "closing the window freed the port";
    Spin(500);
    EXPECT_TRUE(ReadFileBytes(received).empty()) << "the instrument never got a whole image";
}

}  // namespace
}  // namespace kv::console::testing
