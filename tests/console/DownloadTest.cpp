// The Download command: the port scan, the stamping of the image, the outcomes and command states.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include "ConsoleFixture.h"
#include "link/Messages.h"

namespace kv::console::testing {
namespace {

namespace msg = link::msg;

class Download : public ConsoleFixture {
  protected:
    // Every setting of the scan on the given ports, in the order the console tries them.
    static std::vector<std::string> FullScan(const std::vector<std::string>& portNames) {
        std::vector<std::string> out;
        for (const char* baud : {"38400", "19200", "9600", "4800", "2400"})
            for (const auto& p : portNames)
                for (const char* parity : {"ODD", "EVEN", "NONE"})
                    out.push_back(p + " " + baud + " " + parity);
        return out;
    }
    static bool IsPresenceQuery(const std::vector<uint8_t>& bytes) {
        return bytes == std::vector<uint8_t>{0xC0, 0x81, 0x05, 0xFF, 0x00, 0x84, 0xC0};
    }
};

TEST_F(Download, ScanTriesFifteenSettingsOnEachPortThenGivesUp) {
    ports = {"COM2", "COM5"};
    Start("758-FP01-000000.apx", BuildImage({}));
    Program("123456");
    EXPECT_EQ(attempts, FullScan({"COM2", "COM5"}));
    // Each attempt asks three times before it fails.
    ASSERT_EQ(port->Writes.size(), 3 * attempts.size());
    for (const auto& w : port->Writes) EXPECT_TRUE(IsPresenceQuery(w.Bytes));
    EXPECT_EQ(console->PanelInfo, msg::NoResponse);
    EXPECT_EQ(prompter.Beeps, 1);
    EXPECT_TRUE(console->Enabled(Command::Download));
    EXPECT_FALSE(port->IsOpen()) << "a port left open stays locked against other programs";
}

TEST_F(Download, WithoutAnyPortTheScanSendsNothing) {
    ports = {"NONE"};
    Start("758-FP01-000000.apx", BuildImage({}));
    Program("123456");
    EXPECT_EQ(attempts, FullScan({"COM0"}));
    EXPECT_TRUE(port->Writes.empty());
    EXPECT_EQ(console->PanelInfo, msg::NoResponse);
    EXPECT_EQ(prompter.Beeps, 1);
}

TEST_F(Download, FindsTheUnitOnCom3At9600Even) {
    ports = {"COM3"};
    Attach("COM3", {.Baud = 9600, .Parity = link::EVENPARITY, .ModelBits = 1, .UnitClass = 2});
    Start("758-FP01-000000.apx", BuildImage({}));
    Program("123456");
    EXPECT_EQ(attempts,
              (std::vector<std::string>{"COM3 38400 ODD", "COM3 38400 EVEN", "COM3 38400 NONE",
                                        "COM3 19200 ODD", "COM3 19200 EVEN", "COM3 19200 NONE",
                                        "COM3 9600 ODD", "COM3 9600 EVEN"}));
    EXPECT_EQ(console->PanelInfo, msg::Complete);
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(Download, TheScanSkipsPortsThatDoNotOpen) {
    ports = {"COM1", "COM4", "COM9"};
    Attach("COM9", {.Baud = 19200, .Parity = link::NOPARITY, .ModelBits = 1, .UnitClass = 2});
    Start("758-FP01-000000.apx", BuildImage({}));
    Program("123456");
    auto expected = FullScan({"COM1", "COM4", "COM9"});
    expected.resize(9 + 9);  // all of 38400, then 19200 up to COM9 with no parity
    EXPECT_EQ(attempts, expected);
    EXPECT_EQ(console->PanelInfo, msg::Complete);
}

TEST_F(Download, AShortWriteMovesToTheNextSetting) {
    ports = {"COM1"};
    Attach("COM1", {.Baud = 38400, .Parity = link::EVENPARITY, .ModelBits = 1, .UnitClass = 2});
    Start("758-FP01-000000.apx", BuildImage({}));
    port->ShortWrites = 1;
    Program("123456");
    EXPECT_EQ(attempts, (std::vector<std::string>{"COM1 38400 ODD", "COM1 38400 EVEN"}));
    EXPECT_EQ(console->PanelInfo, msg::Complete);
    EXPECT_EQ(prompter.Beeps, 1);  // the completion only
}

TEST_F(Download, Outcomes) {
    struct Case {
        const char* what;
        vinst::UnitOptions unit;
        const char* panel;
    } cases[] = {
        {"success", {.ModelBits = 0x01, .UnitClass = 2}, msg::Complete},
        {"any model, higher class", {.ModelBits = 0x00, .UnitClass = 9}, msg::Complete},
        {"other model", {.ModelBits = 0x02, .UnitClass = 2}, msg::Incompatible},
        {"lower class", {.ModelBits = 0x01, .UnitClass = 1}, msg::Incompatible},
        {"every block refused",
         {.ModelBits = 0x01, .UnitClass = 2, .RefuseShare = 1},
         msg::NakResponse},
        {"silent after block 5",
         {.ModelBits = 0x01, .UnitClass = 2, .SilentAfterBlock = 5},
         msg::TransferNoResponse},
    };
    for (const auto& c : cases) {
        prompter.Beeps = 0;
        received.clear();
        Attach("COM1", c.unit);
        Start("758-FP01-000000.apx", BuildImage({}));  // mask 1, class 2
        Program("123456");
        EXPECT_EQ(console->PanelInfo, c.panel) << c.what;
        EXPECT_EQ(prompter.Beeps, 1) << c.what;
        EXPECT_EQ(received.size(), c.panel == std::string(msg::Complete) ? 1u : 0u) << c.what;
        EXPECT_FALSE(port->IsOpen()) << c.what;
        console->ActionIdleUpdate();
        EXPECT_EQ(console->LabelWarningVisible, c.panel == std::string(msg::Complete)) << c.what;
    }
}

// The unit is unplugged in the middle of the transfer: the port takes no more bytes.
TEST_F(Download, AUnitLostMidTransferFailsTheTransfer) {
    Attach("COM1");
    Start("758-FP01-000000.apx", BuildImage({}));
    dialogs.Units = {{"123456", std::nullopt}};
    console->ActionDownloadExecute();
    for (int i = 0; i < 10; ++i) timer->Step();
    ASSERT_EQ(console->PanelInfo, msg::InProgress);
    port->ShortWrites = 1000;
    while (timer->Step()) {
    }
    EXPECT_EQ(console->PanelInfo, msg::TransferNoResponse);
    EXPECT_EQ(attempts, (std::vector<std::string>{"COM1 38400 ODD"}))
        << "no other port holds this unit";
    EXPECT_FALSE(port->IsOpen());
    EXPECT_TRUE(console->Enabled(Command::Download));
}

TEST_F(Download, ExitDuringADownloadAsksFirst) {
    Attach("COM1");
    Start("758-FP01-000000.apx", BuildImage({}));
    bool closed = false, portOpenAtClose = true, timerAtClose = true;
    console->OnClose = [&] {
        closed = true;
        portOpenAtClose = port->IsOpen();
        timerAtClose = timer->Enabled();
    };
    dialogs.Units = {{"123456", std::nullopt}};
    console->ActionDownloadExecute();
    for (int i = 0; i < 10; ++i) timer->Step();

    prompter.Answers = {base::Answer::No};
    console->ActionExitExecute();
    ASSERT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_EQ(prompter.LastText(), "A download is in progress. Stop it and exit?");
    EXPECT_EQ(prompter.Boxes[0].Kind, base::MessageKind::Confirmation);
    EXPECT_EQ(prompter.Boxes[0].Choice, base::Buttons::YesNo);
    EXPECT_FALSE(closed);
    while (timer->Step()) {
    }
    EXPECT_EQ(console->PanelInfo, msg::Complete) << "No keeps the download going";
    EXPECT_EQ(received.size(), 1u);

    // Once the download has ended, Exit asks nothing.
    console->ActionExitExecute();
    EXPECT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_TRUE(closed);

    closed = false;
    dialogs.Units = {{"123457", std::nullopt}};
    console->ActionDownloadExecute();
    for (int i = 0; i < 10; ++i) timer->Step();
    const size_t writes = port->Writes.size();
    prompter.Answers = {base::Answer::Yes};
    EXPECT_TRUE(console->CloseQuery());
    EXPECT_EQ(prompter.Boxes.size(), 2u);
    EXPECT_FALSE(port->IsOpen());
    EXPECT_FALSE(timer->Enabled());
    EXPECT_TRUE(console->CloseQuery()) << "a stopped download asks no more";
    console->ActionExitExecute();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(portOpenAtClose);
    EXPECT_FALSE(timerAtClose);
    EXPECT_EQ(port->Writes.size(), writes);
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(Download, Com0InThePortMapIsRefusedAtStart) {
    setenv("KV740_PORTS", "COM0=/dev/pts/99", 1);
    Construct({});
    unsetenv("KV740_PORTS");
    ASSERT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_EQ(prompter.Boxes[0].Kind, base::MessageKind::Warning);
    EXPECT_EQ(prompter.LastText(),
              "KV740_PORTS maps COM0 to /dev/pts/99: COM0 is not a port name (the ports are COM1 "
              "to COM9), so that "
              "entry is ignored");
}

TEST_F(Download, CommandStatesWhileRunningAndAfter) {
    for (bool lite : {true, false}) {
        Attach("COM1");
        if (lite)
            Start("758-FP01-000000.apx", BuildImage({}));
        else
            CreateManager("758-FP01-000000", BuildImage({}));
        dialogs.Units = {{"123456", std::nullopt}};
        console->ActionDownloadExecute();
        EXPECT_EQ(console->Link()->State, link::LinkState::Running);
        EXPECT_FALSE(console->Enabled(Command::Open));
        EXPECT_FALSE(console->Enabled(Command::Save));
        EXPECT_FALSE(console->Enabled(Command::Download));
        EXPECT_TRUE(console->Enabled(Command::Exit));
        EXPECT_TRUE(console->Enabled(Command::About));
        while (timer->Step()) {
        }
        EXPECT_EQ(console->PanelInfo, msg::Complete);
        EXPECT_EQ(console->Enabled(Command::Open), lite);
        EXPECT_EQ(console->Enabled(Command::Save), !lite);
        EXPECT_TRUE(console->Enabled(Command::Download));
    }
}

TEST_F(Download, CancelStartsNothing) {
    const auto image = BuildImage({});
    Start("758-FP01-000000.apx", image);
    const std::string panel = console->PanelInfo;
    dialogs.Units.clear();
    console->ActionDownloadExecute();
    EXPECT_EQ(console->PanelInfo, panel);
    EXPECT_TRUE(port->Writes.empty());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), console->Image().Data()));
}

TEST_F(Download, ARefusedSerialNumberStartsNothing) {
    Start("758-FP01-000000.apx", BuildImage({}));
    Program("12 456");
    EXPECT_EQ(prompter.LastText(), "Invalid Serial Number: please enter 6-digit number");
    EXPECT_TRUE(port->Writes.empty());
}

TEST_F(Download, ProgressMaximumAndPosition) {
    for (size_t size : {size_t{131072}, size_t{262144}}) {
        ImageRecipe recipe;
        recipe.Size = size;
        Attach("COM1");
        Start("758-FP01-000000.apx", BuildImage(recipe));
        Program("123456");
        EXPECT_EQ(console->ProgressMax, static_cast<int>(size / 256));
        EXPECT_EQ(console->ProgressPosition, static_cast<int>(size / 256))
            << "complete: the bar is full";
    }
}

class Stamping : public Download {
  protected:
    Stamping() {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

TEST_F(Stamping, TwoUnitsInARowCarryTheirOwnValues) {
    Attach("COM1");
    const auto image = BuildImage({});
    Start("758-FP01-000000.apx", image);
    ASSERT_TRUE(console->SerialNumber.TagEnabled);
    Program("111111", "TAG-A");
    console->ActionIdleUpdate();
    EXPECT_TRUE(console->LabelWarningVisible);
    dialogs.Units = {{"222222", "TAG-2"}};
    console->ActionDownloadExecute();
    console->ActionIdleUpdate();
    EXPECT_FALSE(console->LabelWarningVisible)
        << "hidden as soon as the panel shows something else";
    while (timer->Step()) {
    }
    ASSERT_EQ(received.size(), 2u);
    const size_t id = 0x10000;
    const uint32_t label = console->Loaded().UnitItem.value();
    EXPECT_EQ(TextIn(received[0], id + 16, 7), std::string("111111\0", 7));
    EXPECT_EQ(TextIn(received[0], label, 6), std::string("TAG-A\0", 6));
    EXPECT_EQ(TextIn(received[1], id + 16, 7), std::string("222222\0", 7));
    EXPECT_EQ(TextIn(received[1], label, 6), std::string("TAG-2\0", 6));
    // Local time of the download plus three minutes; the terminator stays.
    EXPECT_EQ(TextIn(received[1], id + 53, 20), std::string("2023,11,14,22,16,20\0", 20));
    // Nothing else changed (the link's marker aside).
    std::vector<uint8_t> expected = image;
    std::copy_n("222222", 6, expected.begin() + id + 16);
    std::copy_n("TAG-2\0", 6, expected.begin() + label);
    std::copy_n("2023,11,14,22,16,20", 19, expected.begin() + id + 53);
    std::vector<uint8_t> got(received[1].begin(),
                             received[1].begin() + static_cast<std::ptrdiff_t>(image.size()));
    for (size_t i = 0x400; i < 0x404; ++i) got[i] = expected[i];
    EXPECT_TRUE(got == expected);
}

TEST_F(Stamping, DateOnlyFromRevision2737) {
    struct Case {
        const char* revision;
        const char* stamp;
    } cases[] = {
        {"Revision: 2.7.3.7", "2023,11,14,22,16,20"},
        {"Revision: 3.0.201", "2023,11,14,22,16,20"},
        {"Revision: 2.7.3.6", "9999,99,99,99,99,99"},
        {"Revision: 2.10.0.0", "9999,99,99,99,99,99"},
    };
    for (const auto& c : cases) {
        received.clear();
        ImageRecipe recipe;
        recipe.Revision = c.revision;
        Attach("COM1");
        Start("758-FP01-000000.apx", BuildImage(recipe));
        Program("123456");
        ASSERT_EQ(received.size(), 1u) << c.revision;
        EXPECT_EQ(TextIn(received[0], 0x10000 + 53, 19), c.stamp) << c.revision;
    }
}

TEST_F(Stamping, ADisabledTagIsNotWritten) {
    ImageRecipe recipe;
    recipe.Items = {{{"ACCEPT", "ACCEPT", "UNITS", "UNITS"}, 1}};
    const auto image = BuildImage(recipe);
    Attach("COM1");
    Start("758-FP01-000000.apx", image);
    ASSERT_FALSE(console->SerialNumber.TagEnabled);
    Program("654321", "TAG-X");
    EXPECT_EQ(console->SerialNumber.Tag, " N/A");
    ASSERT_EQ(received.size(), 1u);
    std::vector<uint8_t> got(received[0].begin(),
                             received[0].begin() + static_cast<std::ptrdiff_t>(image.size()));
    std::vector<uint8_t> expected = image;
    std::copy_n("654321", 6, expected.begin() + 0x10000 + 16);
    std::copy_n("2023,11,14,22,16,20", 19, expected.begin() + 0x10000 + 53);
    for (size_t i = 0x400; i < 0x404; ++i) got[i] = expected[i];
    EXPECT_TRUE(got == expected);
}

}  // namespace
}  // namespace kv::console::testing
