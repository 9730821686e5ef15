#pragma once
// What a cell of a user data table and the title of a new table accept: the keys, the edit
// mask of text columns and the range check of numeric cells.
#include <string>
#include <string_view>

namespace kv::editor {

inline constexpr const char* TextUnitType = "GU_TEXT";
inline constexpr const char* TextCellMask = ">CCCCCCCCCCCC";
inline constexpr size_t TableTitleLength = 15;

// Keys are characters; backspace, tab and Enter arrive as '\b', '\t' and '\r'.
bool TableTitleKeyPasses(char key);
bool TableCellKeyPasses(std::string_view unitType, char key);

// The mask of a column of this unit type: text columns take twelve capitals.
std::string CellEditMask(std::string_view unitType);
// What a cell with this mask stores of a typed text: with ">" in capitals, at most as many
// characters as the mask has places; without a mask the text itself.
std::string MaskedText(std::string_view mask, std::string_view typed);

// The message for a value typed in the unit whose coefficient is `coefficient`, checked in
// base units against the column's limit entry "LOW;HIGH"; empty when the value is taken.
std::string TableValueRefusal(const std::string& value, const std::string& coefficient,
                              const std::string& limit);

}  // namespace kv::editor
