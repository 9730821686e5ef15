#include "catalogue/Manager.h"

#include "builder/Identity.h"
#include "catalogue/CatalogueList.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"
#include "editor/VersionViews.h"
#include "store/StoreError.h"

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
    Toolchain.PathFirst = {"../toolchain/bin"};

    QueryPacks.SetSQL(CatalogueSql());
    QueryPacks.SetRequiredFields(PackTableFields());
    QueryPacks.SetOnFilterRecord(
        [this](store::Dataset& record) { return QueryPacksFilterRecord(record); });
    QueryPacks.SetFiltered(true);
    Connections.emplace_back(
        QueryPacks.AfterScroll.Connect([this](store::Dataset&) { SourcePacksDataChange(); }));

    TableUserPacks.SetTableName(UserPackTable());

    editor::FilterVersionViews({TableVersion, TableVariables, TableOutputs, TableRates, TableTotals,
                                TableFactors, TablePoints, QueryOptions, TableAccess},
                               "740-opts.db", Connections);

    TableDataUser.SetTableName(UserDataTable());
    TableDataUser.SetRequiredFields(DataTableFields());
    QueryDataTables.SetSQL({"SELECT *", "FROM '" + FactoryDataTable() + "'", "UNION", "SELECT *",
                            "FROM '" + UserDataTable() + "'", "ORDER BY Item"});
    for (store::Query* query : {&QueryDataTitles, &QueryDataUnits, &QueryDataLimits})
        query->SetSQL({"SELECT *", "FROM '" + FactoryDataTable() + "'"});
    QueryDataOptions.SetSQL({"SELECT * ", "FROM '740-opts.db' "});
}

Manager::~Manager() = default;

std::vector<store::Table*> Manager::VersionViews() {
    return {&TableVariables, &TableOutputs, &TableVersion, &TableFactors,
            &TablePoints,    &TableTotals,  &TableRates};
}

void Manager::Refresh(bool immediate) {
    if (OnRefresh) OnRefresh(immediate);
}

std::string Manager::RecordField(const char* name) {
    const store::Field* field = QueryPacks.Active() ? QueryPacks.FindField(name) : nullptr;
    return field ? field->AsString() : std::string();
}

void Manager::ShowHint(const std::string& hint) {
    StatusHint = hint;
    Refresh();
}

void Manager::ActionExitExecute() {
    if (OnClose) OnClose();
}

}  // namespace kv::catalogue
