#include <numeric>

#include "LinkFixture.h"

namespace kv::link {
namespace {

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < size; ++i) image[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    return image;
}

std::vector<uint8_t> MarkerBytes() {
    return {static_cast<uint8_t>(ImageMarker), static_cast<uint8_t>(ImageMarker >> 8),
            static_cast<uint8_t>(ImageMarker >> 16), static_cast<uint8_t>(ImageMarker >> 24)};
}

using Protocol = LinkFixture;

TEST_F(Protocol, SendsEveryPacketByteExact) {
    Connect();
    Attach();
    std::vector<uint8_t> img(512, 0xFF);
    img[256] = 0xC0;
    Start(img);
    RunUntilFinished();
    ASSERT_EQ(LastMessage(), msg::Complete);

    std::vector<std::vector<uint8_t>> sent;
    for (const auto& w : port->Writes) sent.push_back(w.Bytes);
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(sent[0], PresenceFrame);
    EXPECT_EQ(sent[1], IdentityFrame);
    EXPECT_EQ(sent[2], SpeedFrame);
    EXPECT_EQ(sent[5], FileEndFrame);

    std::vector<uint8_t> block0{0xC0, 0x81, 0x46, 0x44, 0x0D, 0x01, 0x00, 0x00, 0x00, 0x00};
    block0.insert(block0.end(), 256, 0xFF);
    block0.insert(block0.end(), {0x19, 0x00, 0xC0});
    EXPECT_EQ(sent[3], block0);

    std::vector<uint8_t> block1{0xC0, 0x81, 0x46, 0x44, 0x0D, 0x01,
                                0x01, 0x00, 0x00, 0x00, 0xDB, 0xDC};
    block1.insert(block1.end(), 255, 0xFF);
    block1.insert(block1.end(), {0xDB, 0xDD, 0xFF, 0xC0});
    EXPECT_EQ(sent[4], block1);

    EXPECT_EQ(messages.front(), msg::Wait);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), msg::InProgress), 2);
}

TEST_F(Protocol, FinishedLinkReturnsToIdleOnTheNextTick) {
    Connect();
    Attach();
    Start(Pattern(600));
    RunUntilFinished();
    EXPECT_EQ(comms->State, LinkState::Finished);
    EXPECT_EQ(comms->ErrorCode, LinkError::None);
    EXPECT_EQ(comms->BlockNumber, 2);
    EXPECT_TRUE(timer->Enabled());
    ASSERT_TRUE(timer->Step());
    EXPECT_EQ(comms->State, LinkState::Idle);
    EXPECT_EQ(comms->BlockNumber, 0);
    EXPECT_FALSE(timer->Enabled());
}

TEST_F(Protocol, TicksFromAnythingButItsTimerAreIgnored) {
    Connect();
    Attach();
    Start(Pattern(10));
    ManualTimer other;
    comms->Tick(&other);
    EXPECT_EQ(port->Writes.size(), 1u);
    EXPECT_EQ(comms->Phase, LinkPhase::Presence);
}

struct ImageCase {
    size_t size;
    int interval;               // poll interval during the data blocks
    std::vector<size_t> marks;  // image offsets that carry the marker
};

class ImageSizes : public LinkFixture, public ::testing::WithParamInterface<ImageCase> {};

TEST_P(ImageSizes, PadsStampsAndPacesBlocks) {
    const ImageCase& c = GetParam();
    Connect(9600);
    Attach({.Baud = 9600});
    Start(Pattern(c.size));
    RunUntilFinished();
    ASSERT_EQ(LastMessage(), msg::Complete);
    EXPECT_EQ(timer->Interval(), c.interval);
    EXPECT_EQ(port->Line().BaudRate, 38400u);

    std::vector<uint8_t> expected = Pattern(c.size);
    expected.resize((c.size + 255) / 256 * 256, 0xFF);
    for (size_t at : c.marks) {
        auto m = MarkerBytes();
        std::copy(m.begin(), m.end(), expected.begin() + static_cast<long>(at));
    }
    EXPECT_EQ(received, expected);
    EXPECT_EQ(image, Pattern(c.size)) << "the caller's image must stay unchanged";
}

INSTANTIATE_TEST_SUITE_P(
    Link, ImageSizes,
    ::testing::Values(ImageCase{0, 200, {}},          // file end right after the speed command
                      ImageCase{1000, 200, {}},       // four blocks, no block 4 to stamp
                      ImageCase{1025, 200, {0x400}},  // block 4 exists
                      ImageCase{131072, 200, {0x400, 0x1FFFC}},
                      ImageCase{131073, 80, {0x3000}},  // large, block 1023 never reached
                      ImageCase{262144, 80, {0x3000, 0x3FFFC}}));

TEST_F(Protocol, EmptyImageSendsNoDataBlock) {
    Connect();
    Attach();
    Start({});
    RunUntilFinished();
    EXPECT_EQ(LastMessage(), msg::Complete);
    ASSERT_EQ(port->Writes.size(), 4u);
    EXPECT_EQ(port->Writes[3].Bytes, FileEndFrame);
}

TEST_F(Protocol, RefusedBlockGoesOutAgainUnchanged) {
    Connect();
    Attach();
    int refusals = 1;
    port->OnWrite = [&](ScriptedPort& p, const ScriptedPort::Written& w) {
        bool block = w.Bytes.size() > 200;
        if (block && comms->BlockNumber == 4 && refusals-- > 0) {
            p.Feed({0xC0, 0x81, 0x15, 0x94, 0xC0});
            return;
        }
        p.Feed(unit->Receive(w.Bytes.data(), w.Bytes.size(), p.Line()));
    };
    Start(Pattern(2000));
    RunUntilFinished();
    ASSERT_EQ(LastMessage(), msg::Complete);
    std::vector<std::vector<uint8_t>> block4;
    for (const auto& w : port->Writes)
        if (w.Bytes.size() > 200 && w.Bytes[6] == 4) block4.push_back(w.Bytes);
    ASSERT_EQ(block4.size(), 2u);
    EXPECT_EQ(block4[0], block4[1]);
}

// Retry budgets: how often each packet goes out before the phase gives up, and the message.
struct FailureCase {
    const char* name;
    vinst::UnitOptions unit;
    uint32_t mask;
    int32_t minClass;
    const std::vector<uint8_t>* packet;  // the packet that is repeated
    int sends;
    const char* message;
};

class Failures : public LinkFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(Failures, SpendTheBudgetAndReport) {
    const FailureCase& c = GetParam();
    Connect();
    Attach(c.unit);
    Start(Pattern(3000), c.mask, c.minClass);
    RunUntilFinished();
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(comms->State, LinkState::Finished);
    EXPECT_EQ(comms->ErrorCode, LinkError::Transfer);
    if (c.packet) {
        EXPECT_EQ(CountSent(*c.packet), c.sends);
    }
    EXPECT_EQ(std::count(messages.begin(), messages.end(), std::string(c.message)), 1);
    timer->Step();
    EXPECT_EQ(comms->State, LinkState::Idle);
}

const FailureCase FailureCases[] = {
    {"Silent", {.Baud = 19200}, 0, 0, &PresenceFrame, 3, msg::NoResponse},
    {"IncompatibleModel", {.ModelBits = 0x02}, 0x0C, 0, &IdentityFrame, 2, msg::Incompatible},
    {"ClassTooLow", {.UnitClass = 2}, 0, 3, &IdentityFrame, 2, msg::Incompatible},
    {"RefusesBlocks", {.RefuseShare = 1.0}, 0, 0, nullptr, 0, msg::NakResponse},
    {"SilentAfterBlock5", {.SilentAfterBlock = 5}, 0, 0, nullptr, 0, msg::TransferNoResponse},
};

INSTANTIATE_TEST_SUITE_P(Link, Failures, ::testing::ValuesIn(FailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Protocol, RefusedBlockIsRepeatedSevenTimes) {
    Connect();
    Attach({.RefuseShare = 1.0});
    Start(Pattern(3000));
    RunUntilFinished();
    int blocks = 0;
    for (const auto& w : port->Writes) blocks += w.Bytes.size() > 200;
    EXPECT_EQ(blocks, 8);
    EXPECT_EQ(comms->BlockNumber, 0);
}

TEST_F(Protocol, IdentityReplies) {
    struct Case {
        std::vector<uint8_t> reply;
        uint32_t mask;
        int32_t minClass;
        bool accepted;
    } cases[] = {
        {{0x81, 0x05, 0x04, 0x03, 0x84}, 0x0C, 3, true},
        {{0x81, 0x05, 0x00, 0x00, 0x84}, 0x00, 0, true},  // model 0 passes every mask
        {{0x81, 0x05, 0x02, 0x03, 0x84}, 0x0C, 0, false},
        {{0x81, 0x05, 0x04, 0x02, 0x84}, 0x0C, 3, false},
        {{0x81, 0x05, 0x04, 0x03, 0x85}, 0x0C, 0, false},
        {{0x81, 0x06, 0x87}, 0x0C, 0, false},
    };
    for (const auto& c : cases) {
        port->Writes.clear();
        messages.clear();
        port->OnWrite = [&](ScriptedPort& p, const ScriptedPort::Written& w) {
            if (w.Bytes == PresenceFrame) p.Feed({0xC0, 0x81, 0x15, 0x94, 0xC0});
            if (w.Bytes == IdentityFrame) {
                uint8_t frame[32];
                size_t n = EncodeFrame(c.reply.data(), c.reply.size(), frame);
                p.Feed(std::vector<uint8_t>(frame, frame + n));
            }
        };
        Connect();
        Start(Pattern(10), c.mask, c.minClass);
        RunUntilFinished();
        timer->Step();
        if (c.accepted) {
            EXPECT_EQ(CountSent(SpeedFrame), 8) << "accepted identity leads to the speed command";
        } else {
            EXPECT_EQ(LastMessage(), msg::Incompatible);
            EXPECT_EQ(CountSent(SpeedFrame), 0);
        }
    }
}

TEST_F(Protocol, SpeedCommandMovesTo38400AfterTheSecondRepeat) {
    Connect(9600);
    port->OnWrite = [](ScriptedPort& p, const ScriptedPort::Written& w) {
        if (w.Bytes == PresenceFrame) p.Feed({0xC0, 0x81, 0x15, 0x94, 0xC0});
        if (w.Bytes == IdentityFrame) p.Feed({0xC0, 0x81, 0x05, 0x00, 0x00, 0x84, 0xC0});
        // An answer that is neither acknowledgement nor refusal counts as none.
        if (w.Bytes == SpeedFrame) p.Feed({0xC0, 0x81, 0x07, 0x86, 0xC0});
    };
    Start(Pattern(10));
    RunUntilFinished();
    EXPECT_EQ(LastMessage(), msg::TransferNoResponse);
    std::vector<uint32_t> bauds;
    for (const auto& w : port->Writes)
        if (w.Bytes == SpeedFrame) bauds.push_back(w.Line.BaudRate);
    EXPECT_EQ(bauds, (std::vector<uint32_t>{9600, 9600, 9600, 38400, 38400, 38400, 38400, 38400}));
}

TEST_F(Protocol, UnitRunningItsApplicationKeepsPhaseZero) {
    Connect();
    Attach({.AckPresence = true});
    Start(Pattern(10));
    for (int i = 0; i < 20; ++i) timer->Step();
    EXPECT_EQ(comms->State, LinkState::Running);
    EXPECT_EQ(comms->Phase, LinkPhase::Presence);
    EXPECT_EQ(comms->RetryCount, 1);
    EXPECT_EQ(CountSent(PresenceFrame), 21);
}

TEST_F(Protocol, ClosedPortRefusesTheDownload) {
    Start(Pattern(10));
    EXPECT_EQ(comms->State, LinkState::Idle);
    EXPECT_EQ(comms->ErrorCode, LinkError::PortClosed);
    EXPECT_EQ(messages, (std::vector<std::string>{msg::Wait, msg::NoPort}));
    EXPECT_FALSE(timer->Enabled());
}

// A port that takes no bytes before the unit answered is no port; after that the transfer failed
// (the unit went away), whatever the phase a previous download left behind.
TEST_F(Protocol, ShortWriteEndsTheTransfer) {
    struct Case {
        const char* what;
        bool finishedBefore;  // a whole download ran first
        int ticks;            // polls before the write that comes out short
        const char* message;
    } cases[] = {
        {"first presence query", false, 0, msg::NoPort},
        {"first presence query after a finished download", true, 0, msg::NoPort},
        {"identity query", false, 1, msg::NoPort},
        {"speed command", false, 2, msg::TransferNoResponse},
        {"first block", false, 3, msg::TransferNoResponse},
        {"a later block", false, 6, msg::TransferNoResponse},
    };
    for (const auto& c : cases) {
        Connect();
        Attach();
        if (c.finishedBefore) {
            Start(Pattern(600));
            RunUntilFinished();
            timer->Step();
        }
        port->ShortWrites = c.ticks == 0 ? 1 : 0;
        Start(Pattern(3000));
        for (int i = 0; i < c.ticks; ++i) {
            if (i == c.ticks - 1) port->ShortWrites = 1;
            timer->Step();
        }
        EXPECT_EQ(LastMessage(), c.message) << c.what;
        EXPECT_EQ(comms->State, LinkState::Finished) << c.what;
        EXPECT_EQ(comms->ErrorCode, LinkError::Transfer) << c.what;
        if (c.ticks == 0) {
            EXPECT_FALSE(timer->Enabled()) << c.what << ": nothing was sent, so nothing is polled";
            continue;
        }
        EXPECT_TRUE(timer->Enabled()) << c.what << ": one more tick must return the link to idle";
        timer->Step();
        EXPECT_EQ(comms->State, LinkState::Idle) << c.what;
    }
}

TEST_F(Protocol, StopEndsADownloadAtOnce) {
    Connect();
    Attach();
    Start(Pattern(3000));
    for (int i = 0; i < 5; ++i) timer->Step();
    const size_t writes = port->Writes.size();
    const size_t reports = messages.size();
    comms->Stop();
    EXPECT_EQ(comms->State, LinkState::Idle);
    EXPECT_FALSE(timer->Enabled());
    EXPECT_FALSE(comms->IsOpen());
    EXPECT_FALSE(timer->Step());
    EXPECT_EQ(port->Writes.size(), writes);
    EXPECT_EQ(messages.size(), reports) << "stopping is silent";
}

// The console restarts the scan from inside the progress callback, on another port.
TEST_F(Protocol, NestedStartFromTheProgressCallback) {
    port->Existing = {"COM1", "COM2"};
    vinst::VirtualUnit unitOnCom2({});
    port->OnWrite = [&](ScriptedPort& p, const ScriptedPort::Written& w) {
        if (w.PortName == "COM2")
            p.Feed(unitOnCom2.Receive(w.Bytes.data(), w.Bytes.size(), p.Line()));
    };
    std::vector<uint8_t> img = Pattern(700), got;
    unitOnCom2.OnImage = [&](const std::vector<uint8_t>& i) { got = i; };
    comms->OnProgress = [&](const std::string& text) {
        messages.push_back(text);
        if (text == msg::NoResponse && comms->PortName == "COM1") {
            comms->SetPort("COM2");
            comms->SetInterval(80);
            comms->StartDownload(img.data(), static_cast<int32_t>(img.size()), 0, 0);
        }
    };
    Connect();
    comms->StartDownload(img.data(), static_cast<int32_t>(img.size()), 0, 0);
    RunUntilFinished();
    EXPECT_EQ(LastMessage(), msg::Complete);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), msg::NoResponse), 1);
    ASSERT_EQ(got.size(), 768u);
    EXPECT_TRUE(std::equal(img.begin(), img.end(), got.begin()));
}

}  // namespace
}  // namespace kv::link
