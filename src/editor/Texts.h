#pragma once
// The editor's own texts, exactly as the user sees them.
namespace kv::editor::text {

inline constexpr const char* ProductCodesCaption = "Product Codes Page";

inline constexpr const char* OptionsCaption = "740-Series Options";
inline constexpr const char* OptionsOk = "&OK";
inline constexpr const char* StandardModel = "Standard 758 Hardware (758.xx1xxx)";
inline constexpr const char* InFieldUnits = "Programmable Units of Measurement";
inline constexpr const char* ClearTotals = "Clear Totals on Downloading";
inline constexpr const char* ClearLogs = "Clear Logs/Tags on Downloading";

// Item pages.
inline constexpr const char* UnitsHeader = "Units of Measurement";
inline constexpr const char* OptionsHeader = "Options";
inline constexpr const char* DefaultValueHeader = "Default Value";
inline constexpr const char* ValueAndUnitsHeader = "Value and Units";
inline constexpr const char* NoOptionsHeader = "No Options";
inline constexpr const char* FactorsHeader = "Factors Table";
inline constexpr const char* TableOfValues = "Table Of Values";
inline constexpr const char* RangePrefix = "Range: ";
inline constexpr const char* HertzRange = "Range: 0...9999";
inline constexpr const char* KFactorRange = "Range: 0.001...999999.9";
inline constexpr const char* AccessLevelHeader = "In-Field Access Level";
inline constexpr const char* PrintoutHeader = "Printout Options";
inline constexpr const char* DisplayTags = "Display Tags";
inline constexpr const char* NoteHint = "Double Click For Configuration Item Note";
inline constexpr const char* NotesFolder = "..\\docs\\notes\\";
inline constexpr const char* SignalPulse = "Output Signal: PULSE";
inline constexpr const char* SignalCurrent = "Output Signal: 4-20 mA";

// Value check.
inline constexpr const char* NotANumber = "Invalid entry: this is not a number";
inline constexpr const char* TooManyDigits =
    "Only 7 digits are allowed (including upto 3 decimal places)";
inline constexpr const char* OutOfRange = "Value is not within allowed range";
inline constexpr const char* TextError = "Text error";
inline constexpr const char* DecimalsError = "Number of decimal places error";
inline constexpr const char* RangeError = "Range error";

}  // namespace kv::editor::text
