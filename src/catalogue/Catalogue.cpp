// The catalogue page: model and category buttons, the two views and the selected record.
#include <algorithm>
#include <cctype>

#include "assets/AssetFiles.h"
#include "builder/Identity.h"
#include "catalogue/Manager.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"

namespace kv::catalogue {

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

}  // namespace

bool Manager::QueryPacksFilterRecord(store::Dataset& record) const {
    auto field = [&](const char* name) { return record.FieldByName(name).AsString(); };
    return FilterBox.Passes(field("Button"), field("Model"), field("Pack"), field("Code"));
}

void Manager::QueryPacksUpdate(UpdateCause cause) {
    SlotValue& pack = FilterBox[Slot::Pack];
    SlotValue& customer = FilterBox[Slot::Customer];
    switch (cause) {
        case UpdateCause::ModelButton:
            customer.Text = FactoryCode;
            pack.Flag = false;
            FilterBox[Slot::Model].Flag = true;
            FilterBox[Slot::Button].Flag = false;
            customer.Flag = true;
            break;
        case UpdateCause::ApplicationsButton:
        case UpdateCause::CategoryButton:
            customer.Text = FactoryCode;
            pack.Flag = false;
            FilterBox[Slot::Button].Flag = true;
            customer.Flag = true;
            break;
        case UpdateCause::VersionsButton:
            pack.Text = RecordField("Pack");
            pack.Flag = true;
            FilterBox[Slot::Button].Flag = true;
            customer.Flag = false;
            break;
        case UpdateCause::Deletion:
            break;
    }
    QueryPacks.Close();
    QueryPacks.Open();
    if (cause == UpdateCause::Deletion) {
        Refresh(true);
        TablesUpdate();
    }
}

void Manager::SpeedButtonModelClick(const std::string& model) {
    if (FilterBox.Text(Slot::Model) == model) return;
    PutDown(ModelButtons, model);
    FilterBox[Slot::Model].Text = model;
    StatusRevision = model == "746" ? builder::RevisionText("746") : Revision758;
    assets::ActivateModel(model);
    TableAccess.Close();
    TableAccess.Open();
    Preferences.OriginalEnabled = model == "758";
    ActivePage = Page::Instruments;
    QueryPacksUpdate(UpdateCause::ModelButton);
    EnableCategoryButtons();
    SpeedButtonApplicationsClick(UpdateCause::ModelButton);
}

void Manager::EnableCategoryButtons() {
    const int button = QueryPacks.FindField("Button")->Index();
    const int rows = QueryPacks.RecordCount();
    const char* first = nullptr;
    for (ButtonState& category : CategoryButtons) {
        category.Enabled = false;
        for (int row = 0; row < rows && !category.Enabled; ++row)
            category.Enabled = SameIgnoringCase(QueryPacks.ValueAt(row, button), category.Caption);
        if (category.Enabled && !first) first = category.Caption;
    }
    CategoryButtons[4].Enabled = false;  // LOAD is never offered, whatever the catalogue holds
    if (first) FrameButtons1SpeedButtonClick(first);
}

void Manager::FrameButtons1SpeedButtonClick(const std::string& caption) {
    if (FilterBox.Text(Slot::Button) == caption) return;
    PutDown(CategoryButtons, caption);
    FilterBox[Slot::Button].Text = caption;
    QueryPacksUpdate(UpdateCause::CategoryButton);
    SpeedButtonApplicationsClick(UpdateCause::CategoryButton);
}

void Manager::SpeedButtonApplicationsClick(UpdateCause cause) {
    if (!(ApplicationsView && cause == UpdateCause::ApplicationsButton)) {
        Columns = {true, false, true, false};
        QueryPacksUpdate(UpdateCause::ApplicationsButton);
        if (cause == UpdateCause::ApplicationsButton) QueryPacks.GotoBookmark(SavedPosition);
    }
    ApplicationsView = true;
    ApplicationsButton.Down = true;
    VersionsButton.Down = false;
    Side = SidePage::Image;
    Refresh();
}

void Manager::SpeedButtonVersionsClick() {
    if (ApplicationsView) {
        Columns = {false, true, false, true};
        QueryPacksUpdate(UpdateCause::VersionsButton);
        SavedPosition = QueryPacks.GetBookmark();
    }
    ApplicationsView = false;
    VersionsButton.Down = true;
    ApplicationsButton.Down = false;
    Side = SidePage::Custom;
    if (TableVariables.Active()) TableVariables.First();
    Refresh();
}

void Manager::SourcePacksDataChange() {
    const VersionName version{RecordField("Model"), RecordField("Pack"), RecordField("Code")};
    FilterBox[Slot::Customer].Text = version.Code;
    FilterBox[Slot::ModelPack].Text = version.PackKey();
    FilterBox[Slot::Version].Text = version.Text();
    FilterBox[Slot::FileName].Text = VersionTablePath(version);
    FilterBox[Slot::Brief].Text = BriefPath(version.Model, version.Pack);
    FilterBox[Slot::Manual].Text = ManualPath(version.Model, version.Pack);
    FilterBox[Slot::Class].Text = builder::GetCardClass(version.Text());
    for (Slot slot : {Slot::FileName, Slot::Brief, Slot::Manual})
        FilterBox[slot].Flag = FileExists(FilterBox.Text(slot));
    HeadingTitle = RecordField("Title");
    if (HeadingVersion != version.Text()) {
        HeadingVersion = version.Text();
        HeadingClass = text::ClassPrefix + FilterBox.Text(Slot::Class);
        Commands[static_cast<size_t>(Command::Edit)].Checked = false;
    }
    Refresh();
}

}  // namespace kv::catalogue
