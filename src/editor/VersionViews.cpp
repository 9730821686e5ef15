#include "editor/VersionViews.h"

#include "store/StoreError.h"

namespace kv::editor {

VersionViews::VersionViews(const std::string& optionTable) {
    const std::pair<store::Table*, const char*> views[] = {
        {&TableVersion, "Menu = 'OP_MENU_VARIABLES*'"},
        {&TableVariables,
         "ID = 'ID_VAR_*' AND Type <> 'DT_TAG' AND Type <> 'DT_TEXT' AND Menu <> "
         "'OP_MENU_VARIABLES_HIDDEN'"},
        {&TableOutputs,
         "ID = 'ID_VAR_*' AND Type <> 'DT_TAG' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'"},
        {&TableRates,
         "ID = 'ID_VAR_PROCESS*' AND Type <> 'DT_TAG' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'"},
        {&TableTotals, "ID='ID_VAR_TOTAL*' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'"},
        {&TableFactors, "Menu = 'OP_MENU_FACTORS'"},
        {&TablePoints, "ID = 'ID_CORRECTION_POINTS'"},
    };
    for (auto [table, filter] : views) {
        table->SetFilter(filter);
        table->SetFiltered(true);
        // Item rows are never added or removed.
        auto refuse = [](store::Dataset&) { throw store::Abort(); };
        Connections.emplace_back(table->BeforeInsert.Connect(refuse));
        Connections.emplace_back(table->BeforeDelete.Connect(refuse));
    }
    QueryOptions.SetSQL({"SELECT * ", "FROM '" + optionTable + "' ", "WHERE Type = :Type"});
    QueryOptions.SetDataSource(&TableVersion);
    TableAccess.SetTableName(optionTable);
    TableAccess.SetReadOnly(true);
    TableAccess.SetFilter("Type = 'OP_ACCESS'");
    TableAccess.SetFiltered(true);
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
