#pragma once
// Captions of the item pages' shared frame.
namespace kv::editor::ui::text {

inline constexpr const char* LabelColumn = "Label:";
inline constexpr const char* UnitColumn = "Unit:";
inline constexpr const char* DefaultRow = "Default:";
inline constexpr const char* UserRow = "User:";
inline constexpr const char* DescriptionBox = "Description";

}  // namespace kv::editor::ui::text
