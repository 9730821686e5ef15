#include "editor/DataTables.h"

#include <stdexcept>

#include "editor/TableCells.h"
#include "editor/TableTexts.h"
#include "report/DataTableColumns.h"
#include "store/StoreError.h"

namespace kv::editor {

namespace {

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string Value(store::Dataset& data, const std::string& field) {
    return data.Active() && !data.IsEmpty() ? data.FieldByName(field).AsString() : std::string();
}

void Reopen(store::Dataset& data, const std::string& filter) {
    data.Close();
    data.SetFilter(filter);
    data.SetFiltered(true);
    data.Open();
}

bool StartsWithData(const std::string& name) {
    return name.starts_with("Data");
}

}  // namespace

DataTableViews::DataTableViews(const std::string& factoryFile, const std::string& userFile,
                               const std::string& optionTable)
    : DataUser(userFile) {
    Tables.SetSQL({"SELECT *", "FROM '" + factoryFile + "'", "UNION", "SELECT *",
                   "FROM '" + userFile + "'", "ORDER BY Item"});
    for (store::Query* query : {&Titles, &Units, &Limits})
        query->SetSQL({"SELECT *", "FROM '" + factoryFile + "'"});
    Options.SetSQL({"SELECT * ", "FROM '" + optionTable + "' "});
}

DataTablePage::DataTablePage(DataTableSets sets, base::Prompter& prompter)
    : Sets(sets), prompter_(prompter) {
    connections_.emplace_back(
        Sets.Tables.AfterScroll.Connect([this](store::Dataset&) { QueryDataTablesAfterScroll(); }));
    connections_.emplace_back(
        Sets.DataUser.AfterInsert.Connect([this](store::Dataset&) { TableDataUserAfterInsert(); }));
    connections_.emplace_back(Sets.DataUser.BeforeDelete.Connect(
        [this](store::Dataset&) { TableDataUserBeforeDelete(); }));
}

std::string DataTablePage::ItemName() const {
    return Value(Sets.Version, "Item");
}
std::string DataTablePage::ItemType() const {
    return Value(Sets.Version, "Type");
}
std::string DataTablePage::SelectedTable() const {
    return Value(Sets.Version, "DefaultValue");
}

void DataTablePage::Changed() {
    if (OnChanged) OnChanged();
}

void DataTablePage::UpdateDataTable(const std::string& type) {
    const std::string selected = SelectedTable();
    auto rowOf = [&type](const char* sort) {
        return "Type = " + Quoted(type) + " and Sort = " + Quoted(sort);
    };
    // The headers first: working out the units moves the filters of the views it reads.
    std::vector<report::TDataColumn> shown;
    try {
        Sets.Titles.Open();
        Sets.Tables.Close();  // it runs again, with the tables made since
        Sets.Tables.Open();
        Sets.Options.Open();
        shown = report::DataTableColumns(type, selected, Sets.Titles, &Sets.Tables, Sets.Options);
    } catch (const std::exception&) {
        // Columns the views cannot tell about stay as they were.
    }
    Reopen(Sets.Units, rowOf("UNIT"));
    Reopen(Sets.Titles, rowOf("TITLE"));
    Reopen(Sets.Limits, rowOf("LIMIT"));
    Sets.Options.SetFiltered(false);
    for (int i = 0; i < TableColumnCount; ++i) {
        TableColumn& column = Columns[static_cast<size_t>(i)];
        column.Visible = false;
        column.UnitType = Value(Sets.Units, DataField(i + 1));
        column.EditMask = CellEditMask(column.UnitType);
        for (const report::TDataColumn& s : shown)
            if (s.Number == i + 1) {
                column.Visible = true;
                column.Title = s.Title;
            }
    }
    const int count = static_cast<int>(shown.size());
    for (TableColumn& column : Columns)
        if (count > 0) column.Width = ClientWidth / count - 1;
    Sets.DataUser.Open();
    for (int i = 1; i <= TableColumnCount; ++i) {
        store::Field& field = Sets.DataUser.FieldByName(DataField(i));
        field.OnValidate = [this](store::Field& f) { ValidateTableValue(f); };
        field.EditMask = Columns[static_cast<size_t>(i - 1)].EditMask;
    }
    // The table list stands on the selected table; moving it shows that table's rows.
    Reopen(Sets.Tables, rowOf("TABLE"));
    Sets.Tables.Locate("Item", {selected});
    QueryDataTablesAfterScroll();
}

void DataTablePage::QueryDataTablesAfterScroll() {
    if (!Sets.Version.Active()) return;
    Sets.DataUser.Open();
    Sets.DataUser.SetFilter("Sort = 'DATA' and Type = " + Quoted(ItemType()) +
                            " and Item = " + Quoted(SelectedTable()));
    Sets.DataUser.SetFiltered(true);
    Sets.DataUser.First();
    gridEnabled_ = SelectedTable() != text::DefaultTable;
    Changed();
}

std::vector<std::string> DataTablePage::TableNames() {
    std::vector<std::string> names;
    if (!Sets.Tables.Active()) return names;
    const int item = Sets.Tables.FieldByName("Item").Index();
    for (int row = 0, rows = Sets.Tables.RecordCount(); row < rows; ++row)
        names.push_back(Sets.Tables.ValueAt(row, item));
    return names;
}

std::vector<UnitChoice> DataTablePage::UnitChoices(int column) {
    std::vector<UnitChoice> choices;
    const std::string& unitType = Columns.at(static_cast<size_t>(column - 1)).UnitType;
    if (unitType.empty()) return choices;
    store::Query& options = Sets.Options;
    options.Open();
    options.SetFilter("Type = " + Quoted(unitType));
    options.SetFiltered(true);
    const int tag = options.FieldByName("Tag").Index(), item = options.FieldByName("Item").Index();
    for (int row = 0, rows = options.RecordCount(); row < rows; ++row)
        choices.push_back({options.ValueAt(row, tag), options.ValueAt(row, item)});
    return choices;
}

void DataTablePage::SetDefaultValue(const std::string& name) {
    if (!Sets.Version.CanModify()) return;
    Sets.Version.Edit();
    Sets.Version.FieldByName("DefaultValue").SetAsString(name);
    Sets.Version.Post();
}

void DataTablePage::SelectTable(const std::string& name) {
    SetDefaultValue(name);
    UpdateDataTable(ItemType());
}

void DataTablePage::FillDataRow(const std::string& tableName) {
    store::Dataset& data = Sets.DataUser;
    filling_ = true;
    try {
        data.FieldByName("Item").SetAsString(tableName);
        data.FieldByName("Sort").SetAsString("DATA");
        for (int i = 0; i < data.FieldCount(); ++i)
            if (StartsWithData(data.Fields(i).FieldName())) data.Fields(i).SetAsString("0");
    } catch (...) {
        filling_ = false;
        throw;
    }
    filling_ = false;
}

void DataTablePage::TableDataUserAfterInsert() {
    // A new row takes the selected table's fields: its type, its name.
    if (Sets.Tables.Active() && !Sets.Tables.IsEmpty()) Sets.DataUser.CopyFields(Sets.Tables);
    FillDataRow(Value(Sets.Tables, "Item"));
}

void DataTablePage::AppendRow() {
    if (!Sets.DataUser.Append()) return;
    Sets.DataUser.Post();
}

void DataTablePage::ButtonTableDeleteClick() {
    if (SelectedTable() == text::DefaultTable) {
        prompter_.Information(text::DefaultNotDeleted);
        return;
    }
    if (prompter_.Show(text::DeleteTableQuestion, base::MessageKind::Confirmation,
                       base::Buttons::YesNo) != base::Answer::Yes)
        return;
    DeleteTable();
}

void DataTablePage::DeleteTable() {
    store::Table& data = Sets.DataUser;
    data.SetFilter("Type = " + Quoted(ItemType()) +
                   " and Item = " + Quoted(Value(Sets.Tables, "Item")));
    data.SetFiltered(true);
    {
        store::Batch batch(data);
        for (data.First(); !data.IsEmpty(); data.First())
            if (!data.Delete()) break;
    }
    SetDefaultValue(text::DefaultTable);
    Sets.Tables.First();
    UpdateDataTable(ItemType());
}

void DataTablePage::TableDataUserBeforeDelete() {
    store::Table& data = Sets.DataUser;
    if (data.RecordCount() != 1 || data.Filter().find("Sort") == std::string::npos) return;
    ButtonTableDeleteClick();
    throw store::Abort();
}

void DataTablePage::ValidateTableValue(store::Field& field) {
    if (filling_) return;
    store::Dataset& data = field.DataSet();
    if (data.FieldByName("Sort").AsString() != "DATA") return;
    const int column = field.FieldName().back() - '0';
    if (column < 1 || column > TableColumnCount) return;
    const std::string unit = Value(Sets.Tables, field.FieldName());
    const std::string& unitType = Columns[static_cast<size_t>(column - 1)].UnitType;
    if (unit.empty() || unitType == TextUnitType) return;

    std::string coefficient;
    store::Query& options = Sets.Options;
    options.Open();
    options.SetFilter("Type = " + Quoted(unitType));
    options.SetFiltered(true);
    if (options.Locate("Item", {unit})) coefficient = options.FieldByName("Coefficient").AsString();
    const std::string refusal =
        TableValueRefusal(field.AsString(), coefficient, Value(Sets.Limits, field.FieldName()));
    if (refusal.empty()) return;
    prompter_.Beep();
    prompter_.Warning(refusal);
    throw std::runtime_error(refusal);
}

}  // namespace kv::editor
