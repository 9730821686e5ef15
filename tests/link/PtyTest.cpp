// End to end: the link on a real terminal device against the virtual instrument program.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "link/Messages.h"
#include "link/PosixPort.h"
#include "link/TComms.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/VirtualInstrument.h"

namespace kv::link {
namespace {

struct Outcome {
    std::string last;
    std::vector<uint8_t> received;
};

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < size; ++i) image[i] = static_cast<uint8_t>((i * 31) ^ (i >> 9));
    return image;
}

Outcome Download(const std::vector<uint8_t>& image, std::vector<std::string> options) {
    const testing::TempDir dir;
    const std::string out = dir / "image.bin";
    options.insert(options.end(), {"--out", out});
    testing::VirtualInstrument instrument(options);
    setenv("KV740_PORTS", ("COM3=" + instrument.Device()).c_str(), 1);

    auto timer = std::make_unique<LoopTimer>();
    LoopTimer& loop = *timer;
    TComms comms(std::make_unique<PosixPort>(), std::move(timer));
    Outcome outcome;
    comms.OnProgress = [&](const std::string& text) { outcome.last = text; };
    comms.SetBaud(38400);
    comms.SetParity("ODD");
    comms.SetPort("COM3");
    EXPECT_TRUE(comms.IsOpen());
    comms.SetInterval(80);
    comms.StartDownload(image.data(), static_cast<int32_t>(image.size()), 0, 0);
    loop.Run();
    outcome.received = testing::ReadFileBytes(out);
    return outcome;
}

TEST(LinkOnTerminal, ImageArrivesIntact) {
    auto image = Pattern(20480);
    Outcome o = Download(image, {});
    ASSERT_EQ(o.last, msg::Complete);
    // Block 4 carries the download's marker in its first four bytes.
    for (int i = 0; i < 4; ++i) image[0x400 + i] = static_cast<uint8_t>(ImageMarker >> (8 * i));
    EXPECT_EQ(o.received, image);
}

TEST(LinkOnTerminal, CompletesThoughAFifthOfTheRepliesAreLost) {
    auto image = Pattern(20000);
    Outcome o = Download(image, {"--drop", "0.2", "--seed", "7"});
    ASSERT_EQ(o.last, msg::Complete);
    ASSERT_EQ(o.received.size(), 20224u);
    EXPECT_TRUE(std::equal(image.begin() + 0x404, image.end(), o.received.begin() + 0x404));
}

TEST(LinkOnTerminal, Failures) {
    struct Case {
        std::vector<std::string> options;
        const char* message;
    } cases[] = {
        {{"--baud", "9600"}, msg::NoResponse},
        {{"--parity", "M"}, msg::NoResponse},
        {{"--silent-after", "5"}, msg::TransferNoResponse},
        {{"--refuse", "1"}, msg::NakResponse},
    };
    for (const auto& c : cases) {
        Outcome o = Download(Pattern(4000), c.options);
        EXPECT_EQ(o.last, c.message) << c.options[0];
        EXPECT_TRUE(o.received.empty());
    }
}

TEST(LinkOnTerminal, CliDownloadExitsZeroOnlyOnCompletion) {
    const testing::TempDir dir;
    const std::string file = dir / "app.bin";
    auto image = Pattern(1500);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), 1500);
    for (bool present : {true, false}) {
        testing::VirtualInstrument instrument({"--baud", present ? "19200" : "9600"});
        const auto [status, text] =
            testing::RunCli("download " + file + " --port COM4 --baud 19200 --parity ODD", {},
                            {{"KV740_PORTS", "COM4=" + instrument.Device()}});
        ASSERT_NE(status, -1);
        EXPECT_EQ(status, present ? 0 : 1);
        EXPECT_NE(text.find(present ? msg::Complete : msg::NoResponse), std::string::npos) << text;
    }
}

TEST(LinkOnTerminal, MissingOrBusyPortStaysClosed) {
    testing::VirtualInstrument instrument({});
    setenv("KV740_PORTS", ("COM3=" + instrument.Device() + ",COM4=/dev/nonexistent-port").c_str(),
           1);
    PosixPort first, second;
    EXPECT_FALSE(first.Open("COM4"));
    ASSERT_TRUE(first.Open("COM3"));
    EXPECT_FALSE(second.Open("COM3")) << "the port is in use";
    first.Close();
    EXPECT_TRUE(second.Open("COM3")) << "closing frees the port";
}

}  // namespace
}  // namespace kv::link
