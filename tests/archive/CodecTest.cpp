#include <gtest/gtest.h>

#include "Support.h"

using namespace kv::archive;
using namespace kv::archive::test;

namespace {

struct TCorpusCase {
    const char* Name;
    Bytes Input;
    bool Fits = true;  // the LH5 coding stays within the input's size
};

std::vector<TCorpusCase> RoundTripCorpus() {
    Bytes runs;
    for (int i = 0; i < 40000; ++i) runs.push_back(static_cast<uint8_t>((i / 700) % 3));
    Bytes period;  // repeats at distances near the window's reach
    Bytes unit = RandomBytes(8190, 5);
    for (int i = 0; i < 5; ++i) period.insert(period.end(), unit.begin(), unit.end());
    return {
        {"empty", {}},
        {"one byte", {0x41}, false},
        {"two bytes", {0x41, 0x41}, false},
        {"hundred identical", Bytes(100, 'x')},
        {"long run", Bytes(70000, 0)},
        {"text 50000", EnglishText(50000, 1)},
        {"firmware 70000", FirmwareImage(70000, 2)},
        {"runs", runs},
        {"period near window", period},
        {"random 20000", RandomBytes(20000, 3), false},
    };
}

}  // namespace

TEST(Lh5, RoundTripsVariedInputs) {
    for (const auto& c : RoundTripCorpus()) {
        SCOPED_TRACE(c.Name);
        TCoded coded = EncodeBytes(c.Input);
        ASSERT_EQ(coded.Stored, !c.Fits);
        if (coded.Stored) continue;
        bool truncated = true;
        EXPECT_EQ(
            DecodeBytes(coded.Data, static_cast<int32_t>(c.Input.size()), MethodLh5, &truncated),
            c.Input);
        EXPECT_FALSE(truncated);
    }
}
