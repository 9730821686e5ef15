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
    kv::testing::VirtualInstrument unit(
        {"--baud", "9600", "--parity", "E", "--model", "1", "--class", "2", "--out", received.string()});
    setenv("KV740_PORTS", PortMap({{1, silent.Device()}, {3, unit.Device()}, {5, "/dev/null"}}).c_str(), 1);

    Open({"758-FP01-000000.apx"}, true, [] {
        return std::make_unique<link::TComms>(std::make_unique<link::PosixPort>(), std::make_unique<ui::QtPollTimer>());
    });
    ASSERT_TRUE(window->Action(Command::Download)->isEnabled()) << Panel();
    WhenModal([this](QWidget*) {
        serialNumber->MaskEditNumber->setText("004711");
        serialNumber->MaskEditTag->setText("PT-9");
        serialNumber->ButtonOk->click();
    });
    const time_t before = time(nullptr);
    window->Action(Command::Download)->trigger();
    const std::vector<std::string> ends = {link::msg::Complete, link::msg::NoResponse, link::msg::Incompatible,
                                           link::msg::NakResponse, link::msg::TransferNoResponse};
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

}  // namespace
}  // namespace kv::console::testing
