#pragma once
// The engineering-units list: every selectable unit with its display tag and its coefficient
// to the base unit, and the reader of its lines.
#include <string>
#include <string_view>
#include <vector>

namespace kv::assets {

// Put between unit groups in a build's selected-units list; not part of the list itself.
inline constexpr std::string_view UnitSeparatorLine = "-,-,-,0.0,-";

// The 274 lines in list order: group, suffix, tag, coefficient, description.
const std::vector<std::string_view>& EngineeringUnits();

// One line read field by field.
struct UnitRow {
    std::string Type;         // token 1, the unit group
    std::string Item;         // token 1, "_", token 2: the unit's name
    std::string Tag;          // token 3
    std::string Coefficient;  // token 4
    std::string Description;  // the rest of the line
};
UnitRow ReadUnitLine(std::string_view line);

// A field by name ("Type", "Item", "Tag", "Coefficient", "Description"); "" for any other.
std::string UnitField(std::string_view line, std::string_view name);

// Appends one row per line of the list, in order, to an option table ("746-opts.db") and
// closes it again, also when appending fails; failures pass to the caller as StoreError.
void AppendUnitRows(const std::string& optionTable);

}  // namespace kv::assets
