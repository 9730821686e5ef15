#include <random>

#include "LinkFixture.h"

namespace kv::link {
namespace {

class Receive : public LinkFixture {
  protected:
    // Runs the receive steps of one poll over the queued bytes; returns whether the reply passed.
    bool Take(const std::vector<uint8_t>& bytes, uint32_t errors = 0) {
        port->Feed(bytes);
        port->FeedErrors(errors);
        comms->ReadLineStatus();
        if (!comms->LineOk()) return false;
        comms->ReadFrame();
        if (!comms->FrameOk()) return false;
        comms->DecodeFrame();
        return comms->ReplyOk();
    }
    std::vector<uint8_t> Decoded() const {
        return {comms->DecodedFrame, comms->DecodedFrame + comms->DecodedLength};
    }
};

TEST_F(Receive, ChecksOfOneReply) {
    constexpr auto test = LinkPhase::Presence, identity = LinkPhase::Identity;
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        uint32_t errors;
        LinkPhase phase;
        LinkError code;  // LinkError::None: the reply passes
    } cases[] = {
        {"acknowledgement", {0xC0, 0x81, 0x06, 0x87, 0xC0}, 0, test, LinkError::None},
        {"leading noise", {0x11, 0x22, 0xC0, 0x81, 0x06, 0x87, 0xC0}, 0, test, LinkError::None},
        {"nothing queued", {}, 0, test, LinkError::NothingReceived},
        {"no delimiter", {0x81, 0x06, 0x87}, 0, test, LinkError::NoFrame},
        {"too short", {0xC0, 0x81, 0x06, 0xC0}, 0, test, LinkError::FrameTooShort},
        {"no closing delimiter",
         {0xC0, 0x81, 0x06, 0x87, 0x00},
         0,
         test,
         LinkError::FrameNoClosing},
        {"exclusive-or", {0xC0, 0x81, 0x06, 0x86, 0xC0}, 0, test, LinkError::Checksum},
        {"address", {0xC0, 0x82, 0x06, 0x84, 0xC0}, 0, test, LinkError::Address},
        {"double opening, xor", {0xC0, 0xC0, 0x81, 0x06, 0x87, 0xC0}, 0, test, LinkError::Checksum},
        {"double opening, identity phase",
         {0xC0, 0xC0, 0x81, 0x06, 0x87, 0xC0},
         0,
         identity,
         LinkError::Address},
        {"bad xor accepted in identity phase",
         {0xC0, 0x81, 0x05, 0x01, 0x02, 0x84, 0xC0},
         0,
         identity,
         LinkError::None},
        {"parity error with a good frame",
         {0xC0, 0x81, 0x06, 0x87, 0xC0},
         CE_RXPARITY,
         test,
         LinkError::LineParity},
        {"framing", {0xC0, 0x81, 0x06, 0x87, 0xC0}, CE_FRAME, test, LinkError::LineFraming},
        {"framing and I/O: last wins",
         {0xC0, 0x81, 0x06, 0x87, 0xC0},
         CE_FRAME | CE_IOE,
         test,
         LinkError::LineIo},
        {"mode", {0xC0, 0x81, 0x06, 0x87, 0xC0}, CE_MODE, test, LinkError::LineMode},
        {"overrun", {0xC0, 0x81, 0x06, 0x87, 0xC0}, CE_OVERRUN, test, LinkError::LineOverrun},
        {"queue overflow",
         {0xC0, 0x81, 0x06, 0x87, 0xC0},
         CE_RXOVER,
         test,
         LinkError::LineQueueFull},
        {"output full and frame",
         {0xC0, 0x81, 0x06, 0x87, 0xC0},
         CE_TXFULL | CE_FRAME,
         test,
         LinkError::LineOutputFull},
        {"error and nothing queued", {}, CE_FRAME, test, LinkError::NothingReceived},
    };
    Connect();
    for (const auto& c : cases) {
        comms->Phase = c.phase;
        comms->ErrorCode = LinkError::None;
        EXPECT_EQ(Take(c.bytes, c.errors), c.code == LinkError::None) << c.what;
        EXPECT_EQ(comms->ErrorCode, c.code) << c.what;
        port->Purge(PURGE_RXCLEAR);
    }
}

TEST_F(Receive, DecodesEscapes) {
    struct Case {
        std::vector<uint8_t> raw;
        std::vector<uint8_t> body;
    } cases[] = {
        {{0xC0, 0x81, 0xDB, 0xDC, 0x41, 0xC0}, {0x81, 0xC0, 0x41}},
        {{0xC0, 0x81, 0xDB, 0xDD, 0x41, 0xC0}, {0x81, 0xDB, 0x41}},
        {{0xC0, 0x81, 0xDB, 0x41, 0x42, 0xC0}, {0x81, 0xDB, 0x41, 0x42}},
        {{0xC0, 0x81, 0x41, 0x42, 0xDB, 0xC0}, {0x81, 0x41, 0x42, 0xDB}},
    };
    Connect();
    for (const auto& c : cases) {
        Take(c.raw);
        EXPECT_EQ(Decoded(), c.body);
        port->Purge(PURGE_RXCLEAR);
    }
}

TEST_F(Receive, OnlyTheFirstOfTwoFramesIsUsed) {
    Connect();
    EXPECT_TRUE(Take({0xC0, 0x81, 0x15, 0x94, 0xC0, 0xC0, 0x81, 0x06, 0x87, 0xC0}));
    EXPECT_EQ(Decoded(), (std::vector<uint8_t>{0x81, 0x15, 0x94}));
    EXPECT_EQ(port->InputQueued(), 0u) << "the rest of the read is discarded";
}

// Random bytes and line errors in every phase: the link must neither crash nor read out of bounds.
TEST_F(Receive, SurvivesRandomInput) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> byte(0, 255), length(0, 1500),
        phase(0, 4);  // every LinkPhase
    std::vector<uint8_t> img(5000, 0x5A);
    Connect();
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> noise(static_cast<size_t>(length(random)));
        for (auto& b : noise) {
            int v = byte(random);
            // Bias towards the bytes that matter to the frame layer.
            b = static_cast<uint8_t>(v < 40 ? 0xC0 : v < 60 ? 0xDB : v < 70 ? 0x81 : v);
        }
        if (comms->State != LinkState::Running) Start(img);
        comms->Phase = static_cast<LinkPhase>(phase(random));
        port->Feed(noise);
        port->FeedErrors(byte(random) < 20 ? CE_FRAME : 0);
        timer->Step();
        ASSERT_LE(comms->RawLength, 1024);
        ASSERT_LE(comms->DecodedLength, 1024);
        ASSERT_LE(comms->Offset, comms->Size);
    }
}

TEST_F(Receive, OpenAppliesTheLineSettings) {
    struct Case {
        std::string parity;
        bool opens;
        uint8_t code;
    } cases[] = {{"ODD", true, ODDPARITY},
                 {"even", true, EVENPARITY},
                 {"Mark", true, MARKPARITY},
                 {"N", true, NOPARITY},
                 {"SPACE", true, SPACEPARITY},
                 {"X", false, 0},
                 {"", false, 0}};
    for (const auto& c : cases) {
        comms->SetBaud(9600);
        comms->SetPort("COM5");
        comms->SetParity(c.parity);
        ASSERT_EQ(comms->IsOpen(), c.opens) << c.parity;
        if (!c.opens) continue;
        const LineSettings& line = port->Line();
        EXPECT_EQ(line.Parity, c.code);
        EXPECT_EQ(line.BaudRate, 9600u);
        EXPECT_EQ(line.ByteSize, 8);
        EXPECT_EQ(line.StopBits, 0);
        EXPECT_EQ(line.Flags, 0x1013u);
        EXPECT_EQ(port->Times.ReadInterval, MAXDWORD);
        EXPECT_EQ(port->Times.ReadTotalMultiplier, 0u);
        EXPECT_EQ(port->Times.ReadTotalConstant, 0u);
        EXPECT_EQ(port->Times.WriteTotalMultiplier, 10u);
        EXPECT_EQ(port->Times.WriteTotalConstant, 10u);
    }
}

TEST_F(Receive, PortOpensOnlyOnceEverySettingIsGiven) {
    comms->SetBaud(9600);
    comms->SetInterval(80);
    EXPECT_TRUE(port->Opens.empty());
    comms->SetParity("EVEN");
    EXPECT_TRUE(port->Opens.empty());
    comms->SetPort("COM2");
    EXPECT_EQ(port->Opens, std::vector<std::string>{"COM2"});
    comms->SetInterval(200);  // every setter reopens
    EXPECT_EQ(port->Opens.size(), 2u);
    comms->SetPort("");
    EXPECT_FALSE(comms->IsOpen());
}

}  // namespace
}  // namespace kv::link
