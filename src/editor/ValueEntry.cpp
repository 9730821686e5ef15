#include "editor/ValueEntry.h"

#include <charconv>
#include <cmath>

#include "editor/Texts.h"
#include "store/Dataset.h"

namespace kv::editor {

namespace {

bool IsDigit(char key) {
    return key >= '0' && key <= '9';
}
bool IsLetter(char key) {
    return (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z');
}

// A number as the instrument reads it: the whole text, "." as separator whatever the locale.
std::optional<float> ToNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    float value = 0;
    auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

bool ValueKeyPasses(char key, std::string_view text, int caret, int selection,
                    std::string_view type) {
    if (key == KeyBackspace || key == KeyEnter || key == '-') return true;
    const size_t dot = text.find('.');
    const bool hasDot = dot != std::string_view::npos;
    if (key == '.') return type != "DT_INTEGER" && type != "DT_SCROLL" && !hasDot;
    if (!IsDigit(key)) return false;
    if (selection > 0) return true;
    const size_t length = text.size();
    if (!hasDot) return length < 7;
    if (length > 7) return false;
    const size_t decimals = length - dot - 1;
    const bool afterDot = caret > static_cast<int>(dot);
    if (afterDot && decimals >= 3) return false;
    if (afterDot && decimals >= 1 && type.find("GU_TEMPERATURE") != std::string_view::npos)
        return false;
    return true;
}

bool TagKeyPasses(char key) {
    switch (key) {
        case KeyBackspace:
        case KeyEnter:
        case ' ':
        case '%':
        case '&':
        case '*':
        case '+':
        case '-':
        case '/':
        case '@':
        case '^':
        case '_':
        case '~':
            return true;
        default:
            return IsDigit(key) || IsLetter(key);
    }
}

bool PrintTextKeyPasses(char key) {
    switch (key) {
        case KeyBackspace:
        case KeyEnter:
        case ' ':
        case '!':
        case '#':
        case '$':
        case '%':
        case '&':
        case '^':
        case '_':
        case '~':
            return true;
        default:
            return (key >= '(' && key <= 'Z') || (key >= 'a' && key <= 'z');
    }
}

bool FactorKeyPasses(char key) {
    return key == KeyBackspace || key == KeyTab || key == KeyEnter || key == '.' || IsDigit(key);
}

bool FitsEditMask(std::string_view text, std::string_view editMask) {
    if (editMask.empty()) return true;
    if (text.size() > editMask.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (editMask[i] == '9' && !IsDigit(text[i])) return false;
    return true;
}

std::optional<ValueRefusal> CheckValue(std::string_view value, std::string_view lowLimit,
                                       std::string_view highLimit, std::string_view editMask) {
    auto number = ToNumber(value);
    auto low = editMask == "9999" ? std::optional<float>(0.0f) : ToNumber(lowLimit);
    auto high = ToNumber(highLimit);
    if (!number || !low || !high) return ValueRefusal{text::NotANumber, text::TextError};
    const size_t dot = value.find('.');
    const bool tooLong = dot == std::string_view::npos
                             ? value.size() > 7
                             : value.size() > 8 || value.size() - dot - 1 > 3;
    if (tooLong) return ValueRefusal{text::TooManyDigits, text::DecimalsError};
    if (*number < *low || *number > *high) return ValueRefusal{text::OutOfRange, text::RangeError};
    return std::nullopt;
}

void ValidateValue(const store::Field& field, const ValueCheckSite& site) {
    if (site.PageChecksValues && !site.PageChecksValues()) return;
    const std::string low = site.Item.FieldByName("LowLimit").AsString();
    const std::string high = site.Item.FieldByName("HighLimit").AsString();
    if (auto refusal = CheckValue(field.AsString(), low, high, field.EditMask)) {
        site.Prompter.Beep();
        site.Prompter.Warning(refusal->Warning);
        throw ValueError(refusal->Error);
    }
}

void InstallValueChecks(store::Dataset& version, store::Dataset& factors, ValueCheckSite site) {
    auto check = [site](store::Field& field) { ValidateValue(field, site); };
    version.FieldByName("DefaultValue").OnValidate = check;
    factors.FieldByName("LowLimit").OnValidate = check;
    factors.FieldByName("HighLimit").OnValidate = check;
}

}  // namespace kv::editor
