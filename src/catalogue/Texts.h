#pragma once
// The manager's own texts: captions, hints and messages, exactly as the user sees them.
namespace kv::catalogue::text {

inline constexpr const char* ApplicationTitle = "740 Program Manager";
inline constexpr const char* ProductName = "740-Series Program Manager";
inline constexpr const char* IntroCaption = "740-Series Program Manager Introduction";
inline constexpr const char* ProgressCaption = "Processing...";

// Window title.
inline constexpr const char* TitleModel746 = " - Model 746 Instrument";
inline constexpr const char* TitleModel758Original = " - Model 758 Instrument (Original)";
inline constexpr const char* TitleModel758 = " - Model 758 Instrument";
inline constexpr const char* TitleProgrammableUnits = " - Programmable Units of Measurement";

// Start-up and exit.
inline constexpr const char* PacksOutOfDate =
    "Your customized application versions are out of date and will be deleted";
inline constexpr const char* DataOutOfDate =
    "Your customized data tables are out of date and will be deleted";
inline constexpr const char* ExitQuestion = "Are you sure you want to exit?";
inline constexpr const char* PathTooLong = "Installation path name is too long, please reinstall ";
inline constexpr const char* NameTooLong = "name is too long";

// Catalogue and edit mode.
inline constexpr const char* NotAvailable = "Application is not available";
inline constexpr const char* FactoryNotEditable =
    "Please create New version first and then activate Edit button to change settings "
    "(the current version is the fixed factory default version)";
inline constexpr const char* EditQuestion = "Are you sure you want to edit this version?";
inline constexpr const char* ClassPrefix = "Class ";
inline constexpr const char* SignalPulse = "Output Signal: PULSE";
inline constexpr const char* SignalCurrent = "Output Signal: 4-20 mA";

// Page captions.
inline constexpr const char* PageInstruments = "Instruments";
inline constexpr const char* PageConfiguration = "Configuration";
inline constexpr const char* PageMessages = "Messages";
inline constexpr const char* PagePrinterText = "Printer Text";
inline constexpr const char* PageDeveloper = "Developer";

// Catalogue page.
inline constexpr const char* ApplicationsCaption = "Applications";
inline constexpr const char* ApplicationsHint = "Show Available Applications";
inline constexpr const char* VersionsCaption = "Versions";
inline constexpr const char* VersionsHint = "Show Available Versions";
inline constexpr const char* Model746Hint = "Model 746 Application Library";
inline constexpr const char* Model758Hint = "Model 758 Application Library";
inline constexpr const char* GridHint = "Double Click For More Details";
inline constexpr const char* DescriptionHeader = "Application Description";
inline constexpr const char* DescriptionHint = "Double Click For Application Brief";
inline constexpr const char* VersionDescriptionHeader = "Version Description";
inline constexpr const char* VersionUnitsHeader = "Version Engineering Units";
inline constexpr const char* ColumnTitle = "Title";

// Help menu documents.
inline constexpr const char* UserGuideFile = "..\\help\\740-PM_UserGuide.pdf";
inline constexpr const char* ReleaseNotesFile = "..\\help\\740-PM_ReleaseNotes.pdf";
inline constexpr const char* Overview746File = "..\\help\\746-HW-AP.pdf";
inline constexpr const char* Overview758File = "..\\help\\740-PM_758-HW-AP.pdf";
// The help items' documents, in the order of HelpItem.
inline constexpr const char* HelpFiles[] = {UserGuideFile, ReleaseNotesFile, Overview746File,
                                            Overview758File};

// Download.
inline constexpr const char* ProcessingVersion = "Processing version configuration...";
inline constexpr const char* CreatingFile = "Please wait while file is created...";

}  // namespace kv::catalogue::text
