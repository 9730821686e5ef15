// The "Configuration" page's editor hosted in the main window: where its parts sit, and what it
// gets from the window (the handler runner, the posting rule, the Note slot, the notes viewer).
#include <QHBoxLayout>

#include "builder/Identity.h"
#include "catalogue/ui/TKv740FormMain.h"
#include "docs/Documents.h"
#include "editor/ui/ItemList.h"
#include "editor/ui/TConfigurationEditor.h"

namespace kv::catalogue::ui {

void TKv740FormMain::HostConfigurationEditor(QWidget* sheet) {
    editor::ui::ConfigurationHost host{
        Env.Prompter,
        {Rules.TableVersion, Rules.TableVariables, Rules.TableOutputs, Rules.TableRates,
         Rules.TableTotals, Rules.TableFactors, Rules.TablePoints, Rules.QueryOptions,
         Rules.TableAccess},
        [this](const std::function<void()>& handler) { Run(handler); },
        [this] { Rules.TablesPost(); },
        [this] {
            const std::string pack = Rules.RecordField("Pack");
            return builder::IsBatchPack(pack) || builder::IsLoadPack(pack);
        },
        [](const std::string& path) { return docs::DocumentExists(path); },
        [this](const std::string& path, bool exists) {
            Rules.FilterBox[Slot::Note] = {path, exists};
        },
        [this](const std::string& path) { DocRules->UpdateNote(path); },
        [this] { DocRules->CloseNotes(); },
        [this] { Action(Command::Note)->trigger(); },
        [this](bool shown) { Rules.OutputsPageShown = shown; },
    };
    ConfigurationEditor = std::make_unique<editor::ui::TConfigurationEditor>(host);
    Rules.OnInstallValueChecks = [this](store::Table& version, store::Table& factors) {
        ConfigurationEditor->InstallValueChecks(version, factors);
    };

    // Buttons, item list, then the item pages with the description box under them; only the
    // pages are the edit area.
    ConfigurationEditor->ItemList->setFixedWidth(196);
    static_cast<QHBoxLayout*>(sheet->layout())->insertWidget(1, ConfigurationEditor->ItemList);
    QWidget* area = EditAreas[0];  // the Configuration page's
    area->layout()->setContentsMargins(0, 0, 0, 0);
    area->layout()->addWidget(ConfigurationEditor->PageControlItems);
    area->parentWidget()->layout()->addWidget(ConfigurationEditor->GroupBoxDescription);
}

}  // namespace kv::catalogue::ui
