#pragma once
// How the manager opens its documents: PDF files and web pages through the shell, notes in the
// notes viewer, and the configuration report of the selected version.
#include <filesystem>
#include <string>

#include "base/Prompter.h"
#include "base/Shell.h"
#include "docs/NotesViewer.h"
#include "report/TFormPdf.h"

namespace kv::docs {

class Documents {
  public:
    // Paths given to the commands are the system's relative ones ("..\docs\briefs\..."): their
    // existence is tested against the current directory, and the shell and the viewer get them
    // below `programDir`.
    Documents(base::Prompter& prompter, base::Shell& shell, std::filesystem::path programDir);

    // The notes viewer; null when it could not be made, and notes then go to the shell.
    NotesViewer* Viewer = nullptr;

    void ShowDoc(const std::string& path);
    void ShowWeb(const std::string& address);

    void ShowNote(const std::string& path);
    // Replaces the note shown, only while the viewer is open.
    void UpdateNote(const std::string& path);
    void CloseNotes();
    // The current item changed to one whose note is `path` (the `Note` slot): the viewer follows
    // it, or closes when the item has no note.
    void ItemNoteChanged(const std::string& path);
    // A link in the viewer is about to be followed: true when the viewer may follow it (a local
    // file); anything else goes to the browser and the note stays.
    bool WebBrowserBeforeNavigate2(const std::string& target);

    void ActionBriefExecute(const std::string& brief) { ShowDoc(brief); }
    void ActionManualExecute(const std::string& manual) { ShowDoc(manual); }
    // The note command: the item's note, or on the "Instruments" page (caption "&Report") the
    // configuration report of `form.Source` written into "Report.pdf" and opened.
    void ActionNoteExecute(const std::string& caption, const std::string& note,
                           report::TFormPdf& form);
    void ShowReport(report::TFormPdf& form);

  private:
    std::filesystem::path ProgramPath(const std::string& path) const;

    base::Prompter& Prompter;
    base::Shell& Shell;
    std::filesystem::path ProgramDir;
};

// The relative path of the system ("..\docs\notes\x.htm") on this system, resolved against the
// current directory; whether that file exists.
bool DocumentExists(const std::string& path);

}  // namespace kv::docs
