// Port names and the devices behind them.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "link/PortMap.h"

namespace kv::link {
namespace {

// "COM0" is where the console's port walk starts and ends: a device behind it would keep a scan
// going for ever, so it is refused, and said so.
TEST(PortMap, Com0IsNeverAPort) {
    setenv("KV740_PORTS", "COM0=/dev/pts/9,COM3=/dev/pts/7", 1);
    EXPECT_EQ(PortDevice("COM0"), "");
    EXPECT_EQ(PortDevice("COM3"), "/dev/pts/7");
    EXPECT_EQ(PortDevice("COM1"), "/dev/ttyS0");
    const std::string refusal = PortMapRefusal();
    EXPECT_NE(refusal.find("COM0 to /dev/pts/9"), std::string::npos) << refusal;

    setenv("KV740_PORTS", "COM3=/dev/pts/7", 1);
    EXPECT_EQ(PortMapRefusal(), "");
    unsetenv("KV740_PORTS");
    EXPECT_EQ(PortDevice("COM0"), "");
    EXPECT_EQ(PortDevice("COM9"), "/dev/ttyS8");
}

}  // namespace
}  // namespace kv::link
