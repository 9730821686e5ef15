// The idle refresh, the command states, the page change and edit mode.
#include "builder/Identity.h"
#include "builder/Units.h"
#include "catalogue/Manager.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"

namespace kv::catalogue {

builder::Target Manager::CurrentTarget() const {
    const std::string& modelPack = FilterBox.Text(Slot::ModelPack);
    const size_t dash = modelPack.find('-');
    builder::Target target;
    target.Model = FilterBox.Text(Slot::Model);
    target.Pack = dash == std::string::npos ? std::string() : modelPack.substr(dash + 1);
    target.OriginalEnabled = Preferences.OriginalEnabled;
    target.OriginalChecked = Preferences.Original;
    return target;
}

void Manager::ActionUpdate() {
    auto state = [this](Command command) -> CommandState& {
        return Commands[static_cast<size_t>(command)];
    };
    const bool file = FilterBox.Flag(Slot::FileName);
    const bool custom = !IsFactoryCode(FilterBox.Text(Slot::Customer));
    const bool instruments = ActivePage == Page::Instruments;
    if (!file) {
        for (Command command : {Command::New, Command::Edit, Command::Brief, Command::Manual,
                                Command::Delete, Command::Download})
            state(command).Enabled = false;
    } else {
        state(Command::Edit).Enabled = custom;
        state(Command::Brief).Enabled = FilterBox.Flag(Slot::Brief);
        state(Command::Manual).Enabled = FilterBox.Flag(Slot::Manual);
        state(Command::New).Enabled = instruments;
        state(Command::Download).Enabled = instruments;
        state(Command::Delete).Enabled = instruments && custom;
    }
    CommandState& note = state(Command::Note);
    if (instruments) {
        note.Caption = "&Report";
        note.Hint = "View Configuration Report";
        note.Enabled = file;
    } else {
        note.Caption = "N&ote";
        note.Hint = "View Configuration Item Note";
        note.Enabled = FilterBox.Flag(Slot::Note);
    }
}

void Manager::ActionIdleUpdate() {
    const std::string oldTitle = Title;
    const auto oldCommands = Commands;
    const std::string oldSignal = OutputSignal;
    const std::string oldTable = TableVersion.TableName();

    Title = text::ProductName;
    Title += !Preferences.OriginalEnabled ? text::TitleModel746
             : Preferences.Original       ? text::TitleModel758Original
                                          : text::TitleModel758;
    if (builder::InFieldUnitsAllowed(CurrentTarget(), Preferences.InFieldUnits))
        Title += text::TitleProgrammableUnits;

    if (OnFocusRule) OnFocusRule();
    ActionUpdate();
    TablesUpdate();
    if (OutputsPageShown && TableVersion.Active()) {
        const store::Field* id = TableVariables.Active() ? TableVariables.FindField("ID") : nullptr;
        const bool total = id && id->AsString().find("ID_VAR_TOTAL") != std::string::npos;
        OutputSignal = total ? text::SignalPulse : text::SignalCurrent;
    }
    if (Title != oldTitle || Commands != oldCommands || OutputSignal != oldSignal ||
        TableVersion.TableName() != oldTable)
        Refresh();
}

bool Manager::PageControlMainChanging() {
    if (!FilterBox.Flag(Slot::FileName)) {
        Services.Prompter.Information(text::NotAvailable);
        return false;
    }
    try {
        SwitchTables();
        TablesPost();
        if (OnCloseNotes) OnCloseNotes();
    } catch (const std::exception& e) {
        HandleTooLong(e);
        return false;
    }
    return true;
}

void Manager::PageControlMainChange(Page page) {
    ActivePage = page;
    switch (page) {
        case Page::Instruments:
            SelectItemCategory(Page::Configuration, "VARIABLES");
            if (TableVariables.Active()) TableVariables.First();
            break;
        case Page::Configuration:
            SelectItemCategory(Page::Configuration, "VARIABLES");
            break;
        case Page::Messages:
            SelectItemCategory(Page::Messages, "ERRORS");
            break;
        case Page::PrinterText:
            SelectItemCategory(Page::PrinterText, "HEADERS");
            break;
        case Page::Developer:
            break;
    }
    Refresh();
}

bool Manager::ChangePage(Page page) {
    if (page == ActivePage || !PageControlMainChanging()) return false;
    PageControlMainChange(page);
    return true;
}

void Manager::SelectItemCategory(Page page, const std::string& caption) {
    TablesPost();
    if (page == Page::Messages)
        PutDown(MessagesCategories, caption);
    else if (page == Page::PrinterText)
        PutDown(PrinterCategories, caption);
    else
        PutDown(ConfigurationCategories, caption);
    TableVersion.SetFilter("Menu = 'OP_MENU_" + MenuWord(page, caption) + "*'");
    Refresh();
}

void Manager::SpeedButtonsMouseDown() {
    TablesPost();
}

void Manager::ActionEditExecute() {
    TablesPost();
    CommandState& edit = Commands[static_cast<size_t>(Command::Edit)];
    edit.Checked = !edit.Checked;
    Refresh();
}

void Manager::EditHintOnClick() {
    if (EditMode()) return;
    if (IsFactoryCode(FilterBox.Text(Slot::Customer))) {
        Services.Prompter.Information(text::FactoryNotEditable);
        return;
    }
    if (Services.Prompter.Show(text::EditQuestion, base::MessageKind::Confirmation,
                               base::Buttons::YesNo) == base::Answer::Yes) {
        Commands[static_cast<size_t>(Command::Edit)].Checked = true;
        Refresh();
    }
}

}  // namespace kv::catalogue
