// Progress on standard output: plain lines for files and pipes, status lines redrawn on a terminal.
#include <gtest/gtest.h>

#include <sstream>

#include "console/ProgressLines.h"
#include "console/UnitProgress.h"
#include "link/Messages.h"
#include "link/ScriptedPort.h"
#include "link/TComms.h"

namespace kv::console::testing {
namespace {

namespace msg = link::msg;
using Prefix = UnitProgress::Prefix;

// A link as the progress sees it: the messages of one download of `blocks` blocks, 200 ms apart.
class Download {
  public:
    explicit Download(int32_t blocks) : Blocks(blocks) {
        Link.SetBaud(19200);
        Link.SetParity("EVEN");
        Link.SetPort("COM3");
        Link.Size = blocks * 256;
    }

    // Feeds the messages to `lines` in `slot` through its own progress.
    void Run(ProgressLines& lines, size_t slot, Prefix prefix) {
        UnitProgress progress;
        auto now = UnitProgress::Clock::time_point{};
        progress.Begin(now);
        lines.Restart(slot);
        auto send = [&](const char* message) {
            progress.Message(message, Link, now);
            lines.Update(slot, progress, progress.StatusLine(prefix, now),
                         progress.MessageLine(prefix));
        };
        send(msg::Wait);
        for (int32_t block = 0; block < Blocks; ++block) {
            Link.BlockNumber = block;
            Link.Offset = (block + 1) * 256;
            send(msg::InProgress);
            if (block == 3) send(msg::InProgress);  // a block sent again
            now += std::chrono::milliseconds(200);
        }
        progress.Message(msg::Complete, Link, now);
        lines.Finish(slot, progress.MessageLine(prefix));
        Last = progress;
    }

    UnitProgress Last;

  private:
    int32_t Blocks;
    link::TComms Link{std::make_unique<link::ScriptedPort>(),
                      std::make_unique<link::ManualTimer>()};
};

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(Progress, PlainLinesForEachMessageAndEachTenth) {
    std::ostringstream out;
    {
        ProgressLines lines(out, false, 1);
        Download(512).Run(lines, 0, Prefix::Attempts);
    }
    const auto lines = Split(out.str());
    ASSERT_EQ(lines.size(), 13u) << out.str();
    EXPECT_EQ(lines[0], "COM3 19200 EVEN: Please wait while connection is established...");
    EXPECT_EQ(lines[1], "Downloading in progress...");
    EXPECT_EQ(lines[2], "Downloading in progress... block 52 of 512, 10 %, 1:33 left");
    EXPECT_EQ(lines[6], "Downloading in progress... block 256 of 512, 50 %, 0:52 left");
    EXPECT_EQ(lines[11], "Downloading in progress... block 512 of 512, 100 %, 0:01 left");
    EXPECT_EQ(lines[12], msg::Complete);
}

TEST(Progress, ATerminalRedrawsOneStatusLinePerPort) {
    std::ostringstream out;
    {
        ProgressLines lines(out, true, 1);
        Download(20).Run(lines, 0, Prefix::Attempts);
    }
    const std::string text = out.str();
    // Everything before the final message redraws the one line in place.
    const size_t complete = text.find(msg::Complete);
    ASSERT_NE(complete, std::string::npos) << text;
    EXPECT_EQ(text.substr(0, complete).find('\n'), std::string::npos) << text;
    EXPECT_NE(text.find("\r\x1b[JDownloading in progress... block 7 of 20, 35 %, 0:03 left"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.substr(complete), std::string(msg::Complete) + "\n");

    // Two ports: the block of two status lines is redrawn from its first line, lasting lines above
    // it.
    std::ostringstream two;
    ProgressLines lines(two, true, 2, 40);
    Download(4).Run(lines, 1, Prefix::Always);
    EXPECT_NE(two.str().find("COM3: Downloading in progress... block"), std::string::npos)
        << two.str();
    EXPECT_EQ(two.str().find("COM3: Downloading in progress... block 1 of 4"), std::string::npos)
        << "a status line is cut to the terminal's width";
    std::ostringstream both;
    ProgressLines pair(both, true, 2);
    UnitProgress a, b;
    a.Text = "first";
    b.Text = "second";
    pair.Update(0, a, "port A", "port A");
    pair.Update(1, b, "port B", "port B");
    pair.Print("a result");
    EXPECT_EQ(both.str(), "port A\r\x1b[Jport A\nport B\r\x1b[1A\x1b[Ja result\nport A\nport B");
}

}  // namespace
}  // namespace kv::console::testing
