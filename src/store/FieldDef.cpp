#include "store/FieldDef.h"

#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "store/Cp1252.h"
#include "store/StoreError.h"

namespace kv::store {
namespace {

// Day 1 is 0001-01-01 in the proleptic Gregorian calendar.
constexpr int64_t DayOfUnixEpoch = 719163;
constexpr int64_t MsPerDay = 86400000;

[[noreturn]] void Refuse(std::string reason) {
    throw StoreError("", std::move(reason));
}

uint64_t ReadBigEndian(const unsigned char* raw, int size) {
    uint64_t v = 0;
    for (int i = 0; i < size; ++i) v = (v << 8) | raw[i];
    return v;
}

void WriteBigEndian(uint64_t v, unsigned char* raw, int size) {
    for (int i = size - 1; i >= 0; --i, v >>= 8) raw[i] = static_cast<unsigned char>(v & 0xFF);
}

bool AllZero(const unsigned char* raw, int size) {
    for (int i = 0; i < size; ++i)
        if (raw[i]) return false;
    return true;
}

// Integers are stored big-endian with the sign bit flipped, so that zero bytes mean blank.
int64_t DecodeInteger(const unsigned char* raw, int size) {
    uint64_t bits = ReadBigEndian(raw, size) ^ (uint64_t{1} << (size * 8 - 1));
    if (size < 8 && (bits >> (size * 8 - 1)) & 1)
        bits |= ~uint64_t{0} << (size * 8);  // sign-extend
    return static_cast<int64_t>(bits);
}

void EncodeInteger(int64_t value, unsigned char* raw, int size) {
    uint64_t mask = size == 8 ? ~uint64_t{0} : (uint64_t{1} << (size * 8)) - 1;
    WriteBigEndian((static_cast<uint64_t>(value) & mask) ^ (uint64_t{1} << (size * 8 - 1)), raw,
                   size);
}

// Doubles: positive values get the sign bit set, negative ones are inverted.
double DecodeDouble(const unsigned char* raw) {
    uint64_t bits = ReadBigEndian(raw, 8);
    bits = bits >> 63 ? bits ^ (uint64_t{1} << 63) : ~bits;
    return std::bit_cast<double>(bits);
}

void EncodeDouble(double value, unsigned char* raw) {
    uint64_t bits = std::bit_cast<uint64_t>(value);
    WriteBigEndian(bits >> 63 ? ~bits : bits | (uint64_t{1} << 63), raw, 8);
}

std::string FormatDouble(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    if (std::strtod(buf, nullptr) != v) std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

template <typename T>
bool ParseWhole(std::string_view text, T& out) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

int64_t ParseInteger(std::string_view text, int size) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int64_t v = 0;
    if (!ParseWhole(text, v)) Refuse("'" + std::string(text) + "' is not a valid integer");
    // The smallest value would encode as zero bytes, which mean blank.
    int64_t limit = int64_t{1} << (size * 8 - 1);
    if (v <= -limit || v >= limit) Refuse(std::to_string(v) + " is out of range");
    return v;
}

double ParseDouble(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double v = 0;
    if (!ParseWhole(text, v) || !std::isfinite(v))
        Refuse("'" + std::string(text) + "' is not a valid number");
    return v;
}

// Civil date from days since 1970-01-01 (H. Hinnant's algorithm).
void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string FormatDate(int64_t day) {
    int y, m, d;
    CivilFromDays(day - DayOfUnixEpoch, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

std::string FormatTime(int64_t ms) {
    char buf[32];
    int n = std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", static_cast<int>(ms / 3600000),
                          static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60));
    if (ms % 1000) std::snprintf(buf + n, sizeof buf - n, ".%03d", static_cast<int>(ms % 1000));
    return buf;
}

int ParseNumberPart(std::string_view text, size_t pos, size_t len, int low, int high,
                    std::string_view whole) {
    int v = 0;
    if (pos + len > text.size() || !ParseWhole(text.substr(pos, len), v) || v < low || v > high)
        Refuse("'" + std::string(whole) + "' is not a valid date or time");
    return v;
}

// "yyyy-mm-dd" as day number (day 1 = 0001-01-01).
int64_t ParseDate(std::string_view text, std::string_view whole) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        Refuse("'" + std::string(whole) + "' is not a valid date (yyyy-mm-dd)");
    int y = ParseNumberPart(text, 0, 4, 1, 9999, whole);
    int m = ParseNumberPart(text, 5, 2, 1, 12, whole);
    int d = ParseNumberPart(text, 8, 2, 1, 31, whole);
    int64_t days = DaysFromCivil(y, m, d);
    int cy, cm, cd;
    CivilFromDays(days, cy, cm, cd);
    if (cd != d) Refuse("'" + std::string(whole) + "' is not a valid date (yyyy-mm-dd)");
    return days + DayOfUnixEpoch;
}

// "hh:mm:ss" or "hh:mm:ss.zzz" as milliseconds.
int64_t ParseTime(std::string_view text, std::string_view whole) {
    if ((text.size() != 8 && text.size() != 12) || text[2] != ':' || text[5] != ':' ||
        (text.size() == 12 && text[8] != '.'))
        Refuse("'" + std::string(whole) + "' is not a valid time (hh:mm:ss)");
    int64_t ms = ParseNumberPart(text, 0, 2, 0, 23, whole) * 3600000LL +
                 ParseNumberPart(text, 3, 2, 0, 59, whole) * 60000LL +
                 ParseNumberPart(text, 6, 2, 0, 59, whole) * 1000LL;
    if (text.size() == 12) ms += ParseNumberPart(text, 9, 3, 0, 999, whole);
    return ms;
}

std::string DecodeAlpha(const unsigned char* raw, int size) {
    const void* zero = std::memchr(raw, 0, size);
    size_t len = zero ? static_cast<const unsigned char*>(zero) - raw : size;
    std::string_view bytes(reinterpret_cast<const char*>(raw), len);
    for (unsigned char c : bytes)
        if (c >= 0x80) return Cp1252ToUtf8(bytes);
    return std::string(bytes);
}

void EncodeAlpha(const FieldDef& field, std::string_view text, unsigned char* raw) {
    auto bytes = Utf8ToCp1252(text);
    if (!bytes)
        Refuse("text '" + std::string(text) + "' cannot be stored in the Windows code page 1252");
    if (bytes->find('\0') != std::string::npos) Refuse("text holds a zero character");
    if (static_cast<int>(bytes->size()) > field.Size)
        Refuse("text is too long for field '" + field.Name + "' (" + std::to_string(bytes->size()) +
               " characters, at most " + std::to_string(field.Size) + ")");
    std::memset(raw, 0, field.Size);
    std::memcpy(raw, bytes->data(), bytes->size());
}

}  // namespace

std::string TypeName(FieldType type) {
    switch (type) {
        case FieldType::Alpha:
            return "alphanumeric";
        case FieldType::Date:
            return "date";
        case FieldType::Short:
            return "short";
        case FieldType::Long:
            return "long integer";
        case FieldType::Currency:
            return "money";
        case FieldType::Number:
            return "number";
        case FieldType::Logical:
            return "logical";
        case FieldType::Time:
            return "time";
        case FieldType::Timestamp:
            return "timestamp";
        case FieldType::AutoInc:
            return "autoincrement";
    }
    return "unknown";
}

FieldDef ParseFieldDef(std::string name, std::string_view code) {
    static constexpr std::pair<char, FieldType> Codes[] = {
        {'A', FieldType::Alpha},   {'D', FieldType::Date},     {'S', FieldType::Short},
        {'I', FieldType::Long},    {'$', FieldType::Currency}, {'N', FieldType::Number},
        {'L', FieldType::Logical}, {'T', FieldType::Time},     {'@', FieldType::Timestamp},
        {'+', FieldType::AutoInc},
    };
    if (!code.empty()) {
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(code[0])));
        for (auto [c, type] : Codes) {
            if (c != letter) continue;
            std::string_view rest = code.substr(1);
            if (type != FieldType::Alpha && rest.empty())
                return FieldDef::Of(std::move(name), type);
            int size = 0;
            if (type == FieldType::Alpha && ParseWhole(rest, size))
                return FieldDef::Alpha(std::move(name), size);
        }
    }
    throw StoreError("", "field '" + name + "': unknown type '" + std::string(code) + "'");
}

int ByteSize(const FieldDef& field) {
    switch (field.Type) {
        case FieldType::Alpha:
            return field.Size;
        case FieldType::Short:
            return 2;
        case FieldType::Logical:
            return 1;
        case FieldType::Date:
        case FieldType::Long:
        case FieldType::Time:
        case FieldType::AutoInc:
            return 4;
        case FieldType::Currency:
        case FieldType::Number:
        case FieldType::Timestamp:
            return 8;
    }
    return 0;
}

std::string DecodeField(const FieldDef& field, const unsigned char* raw) {
    int size = ByteSize(field);
    if (field.Type == FieldType::Alpha) return DecodeAlpha(raw, size);
    if (AllZero(raw, size)) return {};
    switch (field.Type) {
        case FieldType::Short:
        case FieldType::Long:
        case FieldType::AutoInc:
            return std::to_string(DecodeInteger(raw, size));
        case FieldType::Logical:
            return raw[0] & 0x7F ? "True" : "False";
        case FieldType::Date:
            return FormatDate(DecodeInteger(raw, 4));
        case FieldType::Time:
            return FormatTime(DecodeInteger(raw, 4));
        case FieldType::Currency:
        case FieldType::Number:
            return FormatDouble(DecodeDouble(raw));
        case FieldType::Timestamp: {
            auto ms = static_cast<int64_t>(std::llround(DecodeDouble(raw)));
            return FormatDate(ms / MsPerDay) + " " + FormatTime(ms % MsPerDay);
        }
        case FieldType::Alpha:
            break;
    }
    return {};
}

void EncodeField(const FieldDef& field, std::string_view text, unsigned char* raw) {
    int size = ByteSize(field);
    if (field.Type == FieldType::Alpha) return EncodeAlpha(field, text, raw);
    if (text.empty()) {
        std::memset(raw, 0, size);
        return;
    }
    switch (field.Type) {
        case FieldType::Short:
        case FieldType::Long:
        case FieldType::AutoInc:
            return EncodeInteger(ParseInteger(text, size), raw, size);
        case FieldType::Logical: {
            std::string folded = FoldCase(text);
            if (folded == "true" || folded == "t" || folded == "1")
                raw[0] = 0x81;
            else if (folded == "false" || folded == "f" || folded == "0")
                raw[0] = 0x80;
            else
                Refuse("'" + std::string(text) + "' is not a valid logical value (True or False)");
            return;
        }
        case FieldType::Date:
            return EncodeInteger(ParseDate(text, text), raw, 4);
        case FieldType::Time:
            return EncodeInteger(ParseTime(text, text), raw, 4);
        case FieldType::Currency:
        case FieldType::Number:
            return EncodeDouble(ParseDouble(text), raw);
        case FieldType::Timestamp: {
            if (text.size() < 19 || text[10] != ' ')
                Refuse("'" + std::string(text) +
                       "' is not a valid timestamp (yyyy-mm-dd hh:mm:ss)");
            int64_t ms =
                ParseDate(text.substr(0, 10), text) * MsPerDay + ParseTime(text.substr(11), text);
            return EncodeDouble(static_cast<double>(ms), raw);
        }
        case FieldType::Alpha:
            break;
    }
}

}  // namespace kv::store
