#pragma once
// Texts of the documents, notes, help and about box, exactly as the user sees them.
namespace kv::docs::text {

inline constexpr const char* AboutProduct = "Product:  740-Series Program Manager";

inline constexpr const char* NotesCaption = "740-Series Notes";

inline constexpr const char* DocumentNotAvailable = "Document is not available";
inline constexpr const char* NoPdfViewer = "PDF file viewer is not installed on this computer";
inline constexpr const char* NoWebBrowser = "Web browser is not installed on this computer";
inline constexpr const char* ReportInUse =
    "You must close the report displayed in Acrobat Reader before creating a new report";

inline constexpr const char* ReportFile = "Report.pdf";

// Captions of the note command, which names the report on the "Instruments" page.
inline constexpr const char* NoteCaption = "N&ote";
inline constexpr const char* ReportCaption = "&Report";

}  // namespace kv::docs::text
