#include "store/Cp1252.h"

#include <array>
#include <cstdint>

namespace kv::store {
namespace {

// Code points of bytes 0x80..0x9F; the other bytes equal their code point.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Next code point of a UTF-8 text; nullopt on a malformed sequence.
std::optional<char32_t> NextCodePoint(std::string_view text, size_t& i) {
    auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    uint8_t b = byte(i);
    int extra = b < 0x80             ? 0
                : (b & 0xE0) == 0xC0 ? 1
                : (b & 0xF0) == 0xE0 ? 2
                : (b & 0xF8) == 0xF0 ? 3
                                     : -1;
    if (extra < 0 || i + extra >= text.size()) return std::nullopt;
    char32_t c = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        uint8_t cont = byte(i + k);
        if ((cont & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (cont & 0x3F);
    }
    static constexpr char32_t Minimum[] = {0, 0x80, 0x800, 0x10000};
    if (c < Minimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    i += extra + 1;
    return c;
}

std::optional<uint8_t> ToByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<uint8_t>(c);
    for (size_t k = 0; k < HighControls.size(); ++k)
        if (HighControls[k] == c) return static_cast<uint8_t>(0x80 + k);
    return std::nullopt;
}

char32_t ToCodePoint(uint8_t b) {
    return b >= 0x80 && b < 0xA0 ? HighControls[b - 0x80] : b;
}

// Lower case of a code page letter, given as a byte.
uint8_t LowerByte(uint8_t b) {
    if (b >= 'A' && b <= 'Z') return b + 32;
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return b + 32;
    switch (b) {
        case 0x8A:
            return 0x9A;  // S caron
        case 0x8C:
            return 0x9C;  // OE
        case 0x8E:
            return 0x9E;  // Z caron
        case 0x9F:
            return 0xFF;  // Y diaeresis
        default:
            return b;
    }
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) AppendUtf8(out, ToCodePoint(static_cast<uint8_t>(ch)));
    return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        auto c = NextCodePoint(text, i);
        if (!c) return std::nullopt;
        auto b = ToByte(*c);
        if (!b) return std::nullopt;
        out += static_cast<char>(*b);
    }
    return out;
}

std::string FoldCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        size_t start = i;
        auto c = NextCodePoint(utf8, i);
        if (!c) {  // not text of ours: compare such bytes as they are
            out += utf8[start];
            i = start + 1;
            continue;
        }
        auto b = ToByte(*c);
        AppendUtf8(out, b ? ToCodePoint(LowerByte(*b)) : *c);
    }
    return out;
}

}  // namespace kv::store
