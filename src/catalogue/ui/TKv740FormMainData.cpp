// The data table, messages and printer text pages hosted in the main window: the "Tables" item
// page in the Configuration page's stack, the message list beside its category buttons and the
// text pages in their edit areas.
#include <QHBoxLayout>

#include "catalogue/ui/TKv740FormMain.h"
#include "editor/ui/ItemList.h"
#include "editor/ui/MessagesPage.h"
#include "editor/ui/TConfigurationEditor.h"
#include "editor/ui/TablesPage.h"

namespace kv::catalogue::ui {

void TKv740FormMain::HostDataPages() {
    auto run = [this](const std::function<void()>& handler) { Run(handler); };
    auto* tables = new editor::ui::TTablesPage(
        {Rules.TableVersion, Rules.TableDataUser, Rules.QueryDataTables, Rules.QueryDataTitles,
         Rules.QueryDataUnits, Rules.QueryDataLimits, Rules.QueryDataOptions},
        Env.Prompter, run);
    ConfigurationEditor->SetTablesPage(tables);
    ConfigurationEditor->Core().OnDataTablePage = [tables](const std::string& type) {
        tables->UpdateDataTable(type);
    };

    const editor::ui::TextPageHost host{Rules.TableVersion, Env.Prompter, run,
                                        [this] { Rules.TablesPost(); }};
    auto* messages = new editor::ui::TMessagesPage(host);
    auto* printer = new editor::ui::TPrinterTextPage(host);
    // The list sits beside the category buttons, outside the edit area.
    messages->ItemList->setFixedWidth(168);
    QWidget* sheet = EditAreas[1]->parentWidget()->parentWidget();
    static_cast<QHBoxLayout*>(sheet->layout())->insertWidget(1, messages->ItemList);
    EditAreas[1]->layout()->addWidget(messages);
    EditAreas[2]->layout()->addWidget(printer);
    DataPages = {tables, messages, printer};
}

}  // namespace kv::catalogue::ui
