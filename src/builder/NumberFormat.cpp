#include "builder/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace kv::builder {

namespace {

constexpr int Decimals = 7;  // digits after the point: eight significant digits in all

// printf rounds exact ties to even; a tie shows as a 5 in the ninth digit followed by zeros
// in the exact expansion, which only a long rendering proves.
bool IsExactTie(const char* nine, double magnitude) {
    if (nine[Decimals + 2] != '5') return false;
    // 800 significant digits hold the complete expansion of every double.
    std::vector<char> exact(900);
    std::snprintf(exact.data(), exact.size(), "%.800E", magnitude);
    const char* digit = exact.data() + Decimals + 3;
    while (*digit == '0') ++digit;
    return *digit == 'E';
}

// "d.ddddddd5E+xx" (exact) -> the eight digits rounded up in magnitude, as text.
std::string RoundTieUp(const char* nine) {
    std::string digits = std::string(1, nine[0]) + std::string(nine + 2, Decimals);
    int exponent = std::atoi(nine + Decimals + 4);
    int at = static_cast<int>(digits.size()) - 1;
    while (at >= 0 && digits[at] == '9') digits[at--] = '0';
    if (at >= 0) {
        ++digits[at];
    } else {
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        ++exponent;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%c.%sE%c%02d", digits[0], digits.c_str() + 1,
                  exponent < 0 ? '-' : '+', std::abs(exponent));
    return text;
}

}  // namespace

std::string FormatNumber(double value) {
    if (value == 0) value = 0;  // no "-0.0000000E+00"
    const double magnitude = std::fabs(value);
    char nine[48];
    std::snprintf(nine, sizeof nine, "%.*E", Decimals + 1, magnitude);
    std::string text;
    if (IsExactTie(nine, magnitude)) {
        text = RoundTieUp(nine);
    } else {
        char eight[48];
        std::snprintf(eight, sizeof eight, "%.*E", Decimals, magnitude);
        text = eight;
    }
    return value < 0 ? "-" + text : text;
}

std::optional<double> ReadNumber(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Only the plain decimal form: from_chars alone would also take "inf", "nan" and hex.
    size_t i = 0, digits = 0;
    auto isDigit = [&](size_t at) {
        return at < text.size() && text[at] >= '0' && text[at] <= '9';
    };
    while (isDigit(i)) ++i, ++digits;
    if (i < text.size() && text[i] == '.') ++i;
    while (isDigit(i)) ++i, ++digits;
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (!isDigit(i)) return std::nullopt;
        while (isDigit(i)) ++i;
    }
    if (i != text.size()) return std::nullopt;
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

}  // namespace kv::builder
