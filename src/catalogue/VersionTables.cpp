// The selected version's tables: the switch to a newly selected version and the posting rule.
#include <unordered_set>

#include "catalogue/Manager.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"

namespace kv::catalogue {

void Manager::TablesPost() {
    if (TableVersion.TableName().empty() || !TableVersion.CanModify()) return;
    TableVersion.Open();
    TableVersion.Edit();
    TableVersion.Post();
}

void Manager::TablesUpdate() {
    if (Closing) return;
    try {
        SwitchTables();
    } catch (const std::exception& e) {
        HandleTooLong(e);
    }
}

void Manager::SwitchTables() {
    const SlotValue& file = FilterBox[Slot::FileName];
    if (!file.Flag || file.Text == TableVersion.TableName()) return;
    TablesPost();
    QueryOptions.Close();
    for (store::Table* table : {&TableRates, &TableTotals, &TablePoints, &TableFactors,
                                &TableVersion, &TableOutputs, &TableVariables})
        table->Close();
    const bool factory = IsFactoryCode(FilterBox.Text(Slot::Customer));
    try {
        for (store::Table* table : VersionViews()) {
            table->SetReadOnly(factory);
            table->SetTableName(file.Text);
            table->Open();
            Refresh(true);
        }
        QueryOptions.Open();
        Refresh(true);
        EnableItemCategories();
    } catch (...) {
        // Not bound: the next idle refresh tries again.
        TableVersion.SetTableName({});
        throw;
    }
    if (OnInstallValueChecks) OnInstallValueChecks(TableVersion, TableFactors);
}

void Manager::EnableItemCategories() {
    TableVersion.SetFiltered(false);
    std::unordered_set<std::string> menus;
    const int menu = TableVersion.FieldByName("Menu").Index();
    for (int row = 0, rows = TableVersion.RecordCount(); row < rows; ++row)
        menus.insert(TableVersion.ValueAt(row, menu));
    auto enable = [&](Page page, auto& buttons) {
        for (ButtonState& button : buttons)
            button.Enabled = menus.contains("OP_MENU_" + MenuWord(page, button.Caption));
    };
    enable(Page::Configuration, ConfigurationCategories);
    enable(Page::Messages, MessagesCategories);
    enable(Page::PrinterText, PrinterCategories);
    TableVersion.SetFiltered(true);
    PrinterTextTabVisible = PrinterCategories[0].Enabled;
}

bool Manager::HandleTooLong(const std::exception& error) {
    if (std::string(error.what()).find(text::NameTooLong) == std::string::npos) return false;
    Services.Prompter.Error(std::string(text::PathTooLong) + text::ProductName);
    Closing = true;
    if (OnClose) OnClose();
    return true;
}

}  // namespace kv::catalogue
