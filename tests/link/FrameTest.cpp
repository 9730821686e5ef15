#include <gtest/gtest.h>

#include <vector>

#include "link/Frame.h"

using namespace kv::link;

TEST(Frame, EscapesDelimiterAndEscapeBytes) {
    const uint8_t body[] = {0x81, 0xC0, 0x01, 0xDB, 0x02};
    uint8_t out[MaxFrameSize(sizeof body)];
    size_t n = EncodeFrame(body, sizeof body, out);
    std::vector<uint8_t> frame(out, out + n);
    EXPECT_EQ(frame, (std::vector<uint8_t>{0xC0, 0x81, 0xDB, 0xDC, 0x01, 0xDB, 0xDD, 0x02, 0xC0}));
}
