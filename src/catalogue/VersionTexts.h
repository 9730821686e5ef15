#pragma once
// Texts of the version information dialog and of the version lifecycle, as the user sees them.
namespace kv::catalogue::text {

inline constexpr const char* InstrumentCaption = "740-Series Instrument Information";
inline constexpr const char* CodeTooShort = "Number of characters is not sufficient";
inline constexpr const char* VersionExists = "This version already exists";
inline constexpr const char* CannotDelete = "Instrument cannot be deleted";
inline constexpr const char* DeleteQuestion = "Are you sure you want to delete this instrument?";
inline constexpr const char* NewVersionTitle = "Custom Instrument";
inline constexpr const char* CodeHint = "Click For More Details";
inline constexpr const char* VersionCodesNote = "..\\docs\\notes\\CustomVersionCodes.htm";

// Labels of the dialog.
inline constexpr const char* LabelDescription = "Application Description";
inline constexpr const char* LabelTitle = "Application Title";
inline constexpr const char* LabelModel = "Model";
inline constexpr const char* LabelPack = "Pack Number";
inline constexpr const char* LabelCreator = "Created By";
inline constexpr const char* LabelDate = "Date Created";
inline constexpr const char* LabelCode = "Version Code";
inline constexpr const char* LabelCustomTitle = "Version Title";
inline constexpr const char* LabelCustomDescription = "Version Description";

}  // namespace kv::catalogue::text
