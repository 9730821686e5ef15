#include "docs/Documents.h"

#include "console/Texts.h"
#include "docs/Texts.h"
#include "store/FileAccess.h"

namespace kv::docs {

namespace fs = std::filesystem;

bool DocumentExists(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && fs::is_regular_file(store::NativePath(path), ignored);
}

Documents::Documents(base::Prompter& prompter, base::Shell& shell, fs::path programDir)
    : Prompter(prompter), Shell(shell), ProgramDir(std::move(programDir)) {}

fs::path Documents::ProgramPath(const std::string& path) const {
    return fs::path(store::NativePath(ProgramDir.string() + "/" + path)).lexically_normal();
}

void Documents::ShowDoc(const std::string& path) {
    if (!DocumentExists(path)) {
        Prompter.Information(text::DocumentNotAvailable);
        return;
    }
    if (!Shell.Open(ProgramPath(path).string())) Prompter.Information(text::NoPdfViewer);
}

void Documents::ShowWeb(const std::string& address) {
    if (!Shell.Open(address)) Prompter.Information(text::NoWebBrowser);
}

void Documents::ShowNote(const std::string& path) {
    const fs::path file = ProgramPath(path);
    std::error_code ignored;
    if (path.empty() || !fs::is_regular_file(file, ignored)) return;
    if (!Viewer) {
        ShowWeb(file.string());
        return;
    }
    Viewer->Load(file);
    Viewer->ShowNormal();
}

void Documents::UpdateNote(const std::string& path) {
    const fs::path file = ProgramPath(path);
    std::error_code ignored;
    if (Viewer && Viewer->IsOpen() && !path.empty() && fs::is_regular_file(file, ignored))
        Viewer->Load(file);
}

void Documents::CloseNotes() {
    if (Viewer) Viewer->Close();
}

void Documents::ItemNoteChanged(const std::string& path) {
    std::error_code ignored;
    if (!path.empty() && fs::is_regular_file(ProgramPath(path), ignored))
        UpdateNote(path);
    else
        CloseNotes();
}

bool Documents::WebBrowserBeforeNavigate2(const std::string& target) {
    std::error_code ignored;
    if (!target.empty() && fs::is_regular_file(target, ignored)) return true;
    ShowWeb(target);
    return false;
}

void Documents::ActionNoteExecute(const std::string& caption, const std::string& note,
                                  report::TFormPdf& form) {
    if (caption == text::ReportCaption)
        ShowReport(form);
    else
        ShowNote(note);
}

void Documents::ShowReport(report::TFormPdf& form) {
    // Written beside the old report and put in its place only when complete, so that a failed
    // run keeps the report the user may still be reading.
    const std::string fresh = std::string(text::ReportFile) + ".new";
    std::error_code ignored;
    bool written = false;
    try {
        written = form.CreateReport(fresh);
    } catch (const std::exception& e) {
        fs::remove(fresh, ignored);
        Prompter.Error(e.what());
        return;
    }
    std::error_code error;
    if (written) fs::rename(fresh, text::ReportFile, error);
    if (!written || error) {
        fs::remove(fresh, ignored);
        Prompter.Warning(text::ReportInUse);
        return;
    }
    if (!Shell.Open(fs::absolute(text::ReportFile).string()))
        Prompter.Information(console::text::NoPdfReader);
}

}  // namespace kv::docs
