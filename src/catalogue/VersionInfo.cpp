#include "catalogue/VersionInfo.h"

#include "catalogue/CreatorSetting.h"
#include "catalogue/VersionLifecycle.h"
#include "catalogue/VersionTexts.h"
#include "report/TFormPdf.h"
#include "store/StoreError.h"

namespace kv::catalogue {

VersionInfo::VersionInfo(base::Prompter& prompter, VersionHost& host)
    : Today(report::Today), TablePack(ScratchTable), Prompter(prompter), Host(host) {}

void VersionInfo::Show(InfoMode mode, const std::string& revisionText) {
    Mode = mode;
    Creator = CreatorDefault(revisionText, SettingsFile);

    TablePack.Close();
    TablePack.CreateTable(PackTableFields());
    TablePack.Open();
    TablePack.Append();
    TablePack.CopyFields(Host.SelectedRecord());
    if (mode == InfoMode::New) {
        TablePack.FieldByName("Date").SetAsString(DateText(Today()));
        TablePack.FieldByName("Creator").SetAsString(Creator);
        TablePack.FieldByName("CustomTitle").SetAsString(text::NewVersionTitle);
    }
    TablePack.Post();

    Editable.Enabled = mode != InfoMode::View;
    Rest.Enabled = mode == InfoMode::New;
    CancelVisible = mode != InfoMode::View;
    Focus = mode == InfoMode::View   ? InfoFocus::Ok
            : mode == InfoMode::Edit ? InfoFocus::Cancel
                                     : InfoFocus::Code;
    CodeLabelUnderlined = mode == InfoMode::New;
}

bool VersionInfo::StoreTyped(const TypedFields& typed) {
    if (Mode == InfoMode::View) return true;
    try {
        TablePack.Edit();
        TablePack.FieldByName("CustomTitle").SetAsString(typed.CustomTitle);
        TablePack.FieldByName("CustomDescription").SetAsString(typed.CustomDescription);
        if (Mode == InfoMode::New) {
            TablePack.FieldByName("Creator").SetAsString(typed.Creator);
            TablePack.FieldByName("Date").SetAsString(typed.Date);
            TablePack.FieldByName("Code").SetAsString(typed.Code);
        }
        TablePack.Post();
    } catch (const std::exception& e) {
        TablePack.Cancel();
        Prompter.Error(e.what());
        return false;
    }
    return true;
}

bool VersionInfo::BitBtnOKClick(const TypedFields& typed) {
    if (!StoreTyped(typed)) return false;
    const PackRecord record = ReadPackRecord(TablePack);
    switch (Mode) {
        case InfoMode::View:
            return true;
        case InfoMode::Edit:
            UpdateVersionRecord(record);
            return true;
        case InfoMode::New:
            break;
    }
    const VersionName version{record.Model, record.Pack, record.Code};
    if (const std::string refusal = NewVersionRefusal(version); !refusal.empty()) {
        Prompter.Beep();
        Prompter.Warning(refusal);
        Focus = InfoFocus::Code;
        return false;
    }
    try {
        CreateVersion(record, Host.BoundItemTable());
    } catch (const store::Abort&) {
        return false;  // a refused value of the bound version: the value check has shown why
    } catch (const std::exception& e) {
        Prompter.Error(e.what());  // nothing of the version is left
        return false;
    }
    Host.ShowNewVersion(version);
    return true;
}

void VersionInfo::FormClose() {
    Host.ReopenCatalogue();
    TablePack.Close();
    if (store::Table::Exists(ScratchTable)) store::Table::DeleteTable(ScratchTable);
    Host.CloseNotes();
}

void VersionInfo::ActionDeleteExecute(const VersionName& selected) {
    if (selected.IsFactory()) {
        Prompter.Warning(text::CannotDelete);
        return;
    }
    if (Prompter.Show(text::DeleteQuestion, base::MessageKind::Warning, base::Buttons::YesNo) !=
        base::Answer::Yes)
        return;
    if (!DeleteVersionRecord(selected)) return;
    Host.VersionDeleted();
    DeleteVersionTable(selected);
}

}  // namespace kv::catalogue
