#pragma once
// The rules of the version information dialog: its three modes, the scratch record it works on,
// OK in each mode, the closing sequence, and the deletion of a version from the catalogue.
//
//   VersionInfo info(prompter, host);
//   info.Show(InfoMode::New, revision);          // scratch record made, controls set for the mode
//   if (info.BitBtnOKClick(typed)) close();  // false: stay, the focus goes to Focus
//   info.FormClose();                    // whenever the window closes, OK or Cancel
#include <chrono>
#include <functional>
#include <string>

#include "base/Prompter.h"
#include "base/SystemSettings.h"
#include "catalogue/VersionRules.h"
#include "store/Dataset.h"
#include "store/Table.h"

namespace kv::catalogue {

enum class InfoMode { View = 0, Edit = 1, New = 2 };
enum class InfoFocus { Ok, Cancel, Code };

// What the dialog needs of the catalogue and the main window.
class VersionHost {
  public:
    virtual ~VersionHost() = default;
    // The catalogue dataset, positioned on the selected record.
    virtual store::Dataset& SelectedRecord() = 0;
    // The item table bound to the editor, after committing a pending change.
    virtual std::string BoundItemTable() = 0;
    // A new version was made: the Versions view, the catalogue reopened, `version` selected.
    virtual void ShowNewVersion(const VersionName& version) = 0;
    // The catalogue closed and opened again at the same record, the edit mark as it was.
    virtual void ReopenCatalogue() = 0;
    // The record of the selected version was deleted: the catalogue moves to a remaining
    // version and the editor's tables switch to it.
    virtual void VersionDeleted() = 0;
    virtual void CloseNotes() = 0;
};

// The values of the dialog's editable fields.
struct TypedFields {
    std::string CustomTitle, CustomDescription;  // the editable part
    std::string Creator, Date, Code;             // the rest
};

struct PanelState {
    bool Enabled = false;  // enabled panels show their fields in the window colour
};

class VersionInfo {
  public:
    static constexpr const char* ScratchTable = "740-temp.db";

    VersionInfo(base::Prompter& prompter, VersionHost& host);

    // Recreates the scratch record from the selected one and sets the controls for `mode`.
    // `revisionText` is status bar panel 0, which names the creator setting.
    void Show(InfoMode mode, const std::string& revisionText);
    // OK with what the window holds: the typed values go into the scratch record (those of the
    // panels enabled in the mode), then the mode's rule runs. True when the dialog may close.
    bool BitBtnOKClick(const TypedFields& typed);
    // Every close: catalogue reopened where it was, scratch table gone, notes closed.
    void FormClose();

    // The Delete command for the selected version, given the selection record's slots.
    void ActionDeleteExecute(const VersionName& selected);

    // The state of the controls for the mode shown.
    InfoMode Mode = InfoMode::View;
    PanelState Editable;  // version title and description
    PanelState Rest;      // creator, date, code
    bool CancelVisible = false;
    InfoFocus Focus = InfoFocus::Ok;
    bool CodeLabelUnderlined = false;  // the label is bold in every mode
    std::string Creator;               // the creator default read at Show
    // Where the creator setting is read, and the day a new version is dated with.
    std::filesystem::path SettingsFile = base::SystemSettingsFile();
    std::function<std::chrono::year_month_day()> Today;

    store::Table TablePack;  // the scratch record

  private:
    bool StoreTyped(const TypedFields& typed);

    base::Prompter& Prompter;
    VersionHost& Host;
};

}  // namespace kv::catalogue
