#pragma once
// The editor's own texts for the order codes page and the preferences, exactly as the user sees
// them.
namespace kv::editor::text {

inline constexpr const char* ProductCodesCaption = "Product Codes Page";

inline constexpr const char* OptionsCaption = "740-Series Options";
inline constexpr const char* OptionsOk = "&OK";
inline constexpr const char* StandardModel = "Standard 758 Hardware (758.xx1xxx)";
inline constexpr const char* InFieldUnits = "Programmable Units of Measurement";
inline constexpr const char* ClearTotals = "Clear Totals on Downloading";
inline constexpr const char* ClearLogs = "Clear Logs/Tags on Downloading";

}  // namespace kv::editor::text
