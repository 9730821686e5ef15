#include "editor/VersionViews.h"

#include "store/StoreError.h"

namespace kv::editor {

void FilterVersionViews(const EditorDatasets& views, const std::string& optionTable,
                        std::vector<store::ScopedConnection>& connections) {
    const std::pair<store::Table*, const char*> filters[] = {
        {&views.TableVersion, "Menu = 'OP_MENU_VARIABLES*'"},
        {&views.TableVariables,
         "ID = 'ID_VAR_*' AND Type <> 'DT_TAG' AND Type <> 'DT_TEXT' AND Menu <> "
         "'OP_MENU_VARIABLES_HIDDEN'"},
        {&views.TableOutputs,
         "ID = 'ID_VAR_*' AND Type <> 'DT_TAG' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'"},
        {&views.TableRates,
         "ID = 'ID_VAR_PROCESS*' AND Type <> 'DT_TAG' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'"},
        {&views.TableTotals, "ID='ID_VAR_TOTAL*' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'"},
        {&views.TableFactors, "Menu = 'OP_MENU_FACTORS'"},
        {&views.TablePoints, "ID = 'ID_CORRECTION_POINTS'"},
    };
    for (auto [table, filter] : filters) {
        table->SetFilter(filter);
        table->SetFiltered(true);
        // Item rows are never added or removed through the views.
        auto refuse = [](store::Dataset&) { throw store::Abort(); };
        connections.emplace_back(table->BeforeInsert.Connect(refuse));
        connections.emplace_back(table->BeforeDelete.Connect(refuse));
    }
    views.QueryOptions.SetSQL({"SELECT * ", "FROM '" + optionTable + "' ", "WHERE Type = :Type"});
    views.QueryOptions.SetDataSource(&views.TableVersion);
    views.TableAccess.SetTableName(optionTable);
    views.TableAccess.SetReadOnly(true);
    views.TableAccess.SetFilter("Type = 'OP_ACCESS'");
    views.TableAccess.SetFiltered(true);
}

VersionViews::VersionViews(const std::string& optionTable) {
    FilterVersionViews(Datasets(), optionTable, Connections);
}

void VersionViews::Bind(const std::string& versionTable, bool readOnly) {
    for (store::Table* table : {&TableVariables, &TableOutputs, &TableVersion, &TableFactors,
                                &TablePoints, &TableTotals, &TableRates}) {
        table->Close();
        table->SetReadOnly(readOnly);
        table->SetTableName(versionTable);
        table->Open();
    }
    QueryOptions.Open();
    TableAccess.Open();
}

EditorDatasets VersionViews::Datasets() {
    return {TableVersion, TableVariables, TableOutputs, TableRates, TableTotals,
            TableFactors, TablePoints,    QueryOptions, TableAccess};
}

bool VersionViews::GotoItem(const std::string& id) {
    TableVersion.SetFiltered(false);
    // Factor rows share the ID of their item; the item is the record that is not one.
    for (TableVersion.First(); !TableVersion.Eof(); TableVersion.Next())
        if (TableVersion.FieldByName("ID").AsString() == id &&
            TableVersion.FieldByName("Menu").AsString() != "OP_MENU_FACTORS")
            return true;
    return false;
}

}  // namespace kv::editor
