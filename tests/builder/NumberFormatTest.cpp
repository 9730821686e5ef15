#include <gtest/gtest.h>

#include "builder/NumberFormat.h"

namespace kv::builder {
namespace {

TEST(FormatNumber, WritesEightSignificantDigitsWithTwoDigitExponent) {
    const std::pair<double, const char*> cases[] = {
        {0, "0.0000000E+00"},      {-0.0, "0.0000000E+00"},      {999999, "9.9999900E+05"},
        {1234.5, "1.2345000E+03"}, {-0.001, "-1.0000000E-03"},   {101325, "1.0132500E+05"},
        {1e100, "1.0000000E+100"}, {1e-100, "1.0000000E-100"},   {273.15, "2.7315000E+02"},
        {0.1, "1.0000000E-01"},    {123456789, "1.2345679E+08"}, {-5e-324, "-4.9406565E-324"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatNumber(value), text) << value;
}

TEST(FormatNumber, RoundsExactHalvesAwayFromZero) {
    // Each value lies exactly halfway between two eight-digit results.
    EXPECT_EQ(FormatNumber(123456785), "1.2345679E+08");
    EXPECT_EQ(FormatNumber(123456775), "1.2345678E+08");
    EXPECT_EQ(FormatNumber(-123456785), "-1.2345679E+08");
    EXPECT_EQ(FormatNumber(999999995), "1.0000000E+09");
    EXPECT_EQ(FormatNumber(12345678.5), "1.2345679E+07");
    // Just below a half: the exact binary value decides, not its shortest decimal.
    EXPECT_EQ(FormatNumber(1.00000005), "1.0000000E+00");
}

TEST(ReadNumber, TakesDecimalTextsOnly) {
    const std::pair<const char*, double> numbers[] = {
        {"1.5", 1.5},
        {" -2 ", -2},
        {"+3", 3},
        {".5", 0.5},
        {"5.", 5},
        {"1e3", 1000},
        {"1.000000e-03", 0.001},
        {"-1E+02", -100},
    };
    for (const auto& [text, value] : numbers) EXPECT_EQ(ReadNumber(text), value) << text;
    for (const char* text : {"", " ", "OP_YES", "1,5", "0x10", "inf", "nan", "1e", "--1", "1.5x",
                             ".", "1e999", "GU_TEMPERATURE_DEG_C"})
        EXPECT_FALSE(ReadNumber(text)) << text;
}

}  // namespace
}  // namespace kv::builder
