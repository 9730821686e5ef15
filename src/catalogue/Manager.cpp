#include "catalogue/Manager.h"

#include "builder/Identity.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"

namespace kv::catalogue {

Manager::Manager(ManagerServices services) : Services(services) {
    for (size_t i = 0; i < CommandCount; ++i) Commands[i] = InitialState(static_cast<Command>(i));
    ModelButtons = {{{"746", text::Model746Hint}, {"758", text::Model758Hint}}};
    CategoryButtons = InitialCatalogueButtons();
    ConfigurationCategories = InitialConfigurationButtons();
    MessagesCategories = InitialMessagesButtons();
    PrinterCategories = InitialPrinterButtons();
    ApplicationsButton = {text::ApplicationsCaption, text::ApplicationsHint};
    VersionsButton = {text::VersionsCaption, text::VersionsHint};
    StatusRevision = builder::RevisionText("758");
}

Manager::~Manager() = default;

void Manager::FormShow() {}
bool Manager::FormClose() { return true; }
void Manager::ActionExitExecute() {}
void Manager::ShowHint(const std::string& hint) { StatusHint = hint; }
void Manager::SpeedButtonModelClick(const std::string&) {}
void Manager::FrameButtons1SpeedButtonClick(const std::string&) {}
void Manager::SpeedButtonApplicationsClick(UpdateCause) {}
void Manager::SpeedButtonVersionsClick() {}
void Manager::QueryPacksUpdate(UpdateCause) {}
bool Manager::QueryPacksFilterRecord(store::Dataset&) const { return true; }
void Manager::SourcePacksDataChange() {}
void Manager::ActionIdleUpdate() {}
void Manager::ActionUpdate() {}
void Manager::ActionEditExecute() {}
void Manager::ActionEditUpdate() {}
void Manager::EditHintOnClick() {}
bool Manager::PageControlMainChanging() { return true; }
void Manager::PageControlMainChange(Page page) { ActivePage = page; }
bool Manager::ChangePage(Page page) {
    if (!PageControlMainChanging()) return false;
    PageControlMainChange(page);
    return true;
}
void Manager::SpeedButtonsMouseDown() {}
void Manager::SelectItemCategory(Page, const std::string&) {}
void Manager::ActionDownloadExecute() {}
void Manager::TablesUpdate() {}
void Manager::TablesPost() {}

}  // namespace kv::catalogue
