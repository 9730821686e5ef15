// Start-up and exit of the manager.
#include <filesystem>

#include "assets/AssetFiles.h"
#include "assets/EngineeringUnits.h"
#include "catalogue/Manager.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"
#include "store/FileAccess.h"
#include "store/StoreError.h"

namespace kv::catalogue {

namespace fs = std::filesystem;

namespace {

// Custom version tables are the user folder's files named after a version.
void DeleteCustomVersionTables() {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(store::NativePath(UserFolder), error)) {
        const fs::path& path = entry.path();
        if (path.extension() == ".db" && IsVersionName(path.stem().string())) {
            std::error_code ignored;  // a table that cannot be deleted must not stop the repair
            fs::remove(path, ignored);
        }
    }
}

}  // namespace

void Manager::FormShow() {
    assets::WriteAssets();
    assets::AppendUnitRows("746-opts.db");
    assets::AppendUnitRows("758-opts.db");
    Revision758 = StatusRevision;
    if (OnConsoleRevision) OnConsoleRevision(Revision758);
    Closing = false;

    for (size_t i = 0; i < HelpItemCount; ++i) HelpEnabled[i] = FileExists(text::HelpFiles[i]);

    OpenCatalogue();
    // After Cancel the program ends without touching the user's files: no second question.
    if (!Closing) OpenUserData();
    if (Closing) {
        if (OnClose) OnClose();
        return;
    }

    EnableModelButtons();
    if (ModelButtons[1].Enabled)
        SpeedButtonModelClick("758");
    else if (ModelButtons[0].Enabled)
        SpeedButtonModelClick("746");
    // The access choices read the active model's copy, which exists once a model is chosen.
    if (FilterBox.Text(Slot::Model) == "746" || FilterBox.Text(Slot::Model) == "758")
        TableAccess.Open();
    Refresh(true);
    if (OnShowIntro) OnShowIntro();
    DeveloperPageVisible = false;
    Refresh();
}

void Manager::OpenCatalogue() {
    try {
        QueryPacks.Open();
        return;
    } catch (const store::StoreError&) {
    }
    if (store::Table::Exists(UserPackTable()) &&
        Services.Prompter.Show(text::PacksOutOfDate, base::MessageKind::Warning,
                               base::Buttons::OkCancel) == base::Answer::Cancel) {
        Closing = true;
        return;
    }
    DeleteCustomVersionTables();
    store::Table::Create(UserPackTable(), PackTableFields());
    QueryPacks.Open();
}

void Manager::OpenUserData() {
    try {
        TableDataUser.Open();
        return;
    } catch (const store::StoreError&) {
    }
    if (TableDataUser.Exists() &&
        Services.Prompter.Show(text::DataOutOfDate, base::MessageKind::Warning,
                               base::Buttons::OkCancel) == base::Answer::Cancel) {
        Closing = true;
        return;
    }
    TableDataUser.CreateTable(DataTableFields());
    TableDataUser.Open();
}

void Manager::EnableModelButtons() {
    const int model = QueryPacks.FindField("Model")->Index();
    for (ButtonState& button : ModelButtons) button.Enabled = false;
    for (int row = 0, rows = QueryPacks.RecordCount(); row < rows; ++row) {
        const std::string value = QueryPacks.ValueAt(row, model);
        for (ButtonState& button : ModelButtons)
            if (value == button.Caption) button.Enabled = true;
    }
}

bool Manager::FormClose() {
    try {
        TablesPost();
    } catch (const store::Abort&) {
        return false;  // the value check has shown why
    } catch (const std::exception& e) {
        // The edit that cannot be committed stays on screen; the user decides again.
        Services.Prompter.Error(e.what());
        return false;
    }
    if (!Closing && Services.Prompter.Show(text::ExitQuestion, base::MessageKind::Confirmation,
                                           base::Buttons::YesNo) != base::Answer::Yes)
        return false;
    TableAccess.Close();
    DeleteQuietly(WorkingFiles);
    DeleteQuietly(AssetCopies);
    return true;
}

}  // namespace kv::catalogue
