#include "editor/TableCells.h"

#include <cctype>

#include "builder/NumberFormat.h"
#include "builder/Units.h"
#include "editor/TableTexts.h"

namespace kv::editor {

namespace {

bool EditingKey(char key) {
    return key == '\b' || key == '\t' || key == '\r';
}

bool Digit(char key) {
    return key >= '0' && key <= '9';
}

bool Letter(char key) {
    return (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z');
}

}  // namespace

bool TableTitleKeyPasses(char key) {
    return EditingKey(key) || Digit(key) || Letter(key) ||
           std::string_view(" %()+-/:_").find(key) != std::string_view::npos;
}

bool TableCellKeyPasses(std::string_view unitType, char key) {
    if (EditingKey(key) || Digit(key) || key == '-') return true;
    if (unitType == TextUnitType) return key == ' ' || Letter(key);
    return key == '+' || key == '.' || key == 'E' || key == 'e';
}

std::string CellEditMask(std::string_view unitType) {
    return unitType == TextUnitType ? TextCellMask : "";
}

std::string MaskedText(std::string_view mask, std::string_view typed) {
    if (mask.empty()) return std::string(typed);
    const bool capitals = mask.front() == '>';
    const size_t places = mask.size() - (capitals ? 1 : 0);
    std::string text(typed.substr(0, places));
    if (capitals)
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string TableValueRefusal(const std::string& value, const std::string& coefficient,
                              const std::string& limit) {
    const auto number = builder::ReadNumber(builder::ValueConvert(value, coefficient, "Tables"));
    if (!number) return text::NotANumber;
    const size_t split = limit.find(';');
    const auto low = builder::ReadNumber(limit.substr(0, split));
    const auto high =
        split == std::string::npos ? std::nullopt : builder::ReadNumber(limit.substr(split + 1));
    if (!low || !high) return text::InvalidRange;
    if (*number < *low || *number > *high) return text::OutOfRange;
    return {};
}

}  // namespace kv::editor
