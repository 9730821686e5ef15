#pragma once
// The console's own texts: captions, panel texts and messages, exactly as the user sees them.
namespace kv::console::text {

inline constexpr const char* UtilityTitle = "740-Series Program Utility";
inline constexpr const char* UtilityRevision = "Revision: 3.0.000";
inline constexpr const char* AboutProduct = "Product:  740-Series Program Utility";
inline constexpr const char* AboutMaker = "Morvane Instruments";
inline constexpr const char* AboutHomePage = "www.morvane.example";
inline constexpr const char* SerialNumberCaption = "Unit Serial Number / Tag";
inline constexpr const char* AboutCaption = "About";

inline constexpr const char* PlaceholderFile = "000-0000-000000.nnn";

// Information panel.
inline constexpr const char* OpenApplicationFile = "Open Application File";
inline constexpr const char* InvalidFile = "Invalid Application File Name/Contents";
inline constexpr const char* AnyPort = "COM1...COM9 port";

// Warning label.
inline constexpr const char* BootUpWarning =
    "Allow programmed unit to boot-up before switching its power off !";

// Loading.
inline constexpr const char* DocumentsInUse =
    "The report or manual is used in another application, please close it before opening file";
inline constexpr const char* InsufficientDiskSpace = "Insufficient disk space";
// Each followed by the file's path; a damaged library also by the archive's own message.
inline constexpr const char* FileNotFound = "Application file not found: ";
inline constexpr const char* FileUnreadable = "Application file cannot be read: ";
inline constexpr const char* FileDamaged = "Application file is damaged: ";

// Exit.
inline constexpr const char* StopDownloadQuestion = "A download is in progress. Stop it and exit?";

// Serial number dialog.
inline constexpr const char* InvalidSerial = "Invalid Serial Number: please enter 6-digit number";
inline constexpr const char* InvalidTag = "Invalid Unit Tag: please enter some characters";
inline constexpr const char* FirstSerial = "000000";
inline constexpr const char* FirstTag = "UNIT-1";
inline constexpr const char* NoTag = " N/A";

// Saving and documents.
inline constexpr const char* SaveBinaryCaption = "Save As: Binary File Only (.apx)";
inline constexpr const char* SaveLibraryCaption = "Save As: Library File (.apl)";
inline constexpr const char* OverwriteQuestion =
    "File already exists, do you want to overwrite it ?";
inline constexpr const char* BinarySaved = "Binary file (.apx) has been saved in ..\\apx directory";
inline constexpr const char* BinaryNotSaved =
    "Binary file (.apx) could not be saved in ..\\apx directory";
inline constexpr const char* LibrarySaved =
    "Library file (.apl) has been saved in ..\\apx directory";
inline constexpr const char* LibraryNotSaved =
    "Library file (.apl) could not be saved in ..\\apx directory";
inline constexpr const char* NoPdfReader = "PDF file Reader is not installed on this computer";

// The Open dialog.
inline constexpr const char* OpenFilter =
    "740-Series Application Packs (*.apl;*.apx)|*.apl;*.apx|"
    "740-Series Application Pack Library (*.apl)|*.apl|"
    "740-Series Application Pack Binary (*.apx)|*.apx";
inline constexpr const char* OpenDefaultExtension = "apx";
inline constexpr const char* ApxDirectory = "../apx";

}  // namespace kv::console::text
