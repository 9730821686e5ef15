#include "builder/Lookups.h"

#include <algorithm>

#include "store/Cp1252.h"
#include "store/Table.h"

namespace kv::builder {

namespace {

std::vector<std::vector<std::string>> ReadAll(const std::string& tableName,
                                              const std::vector<std::string>& fields) {
    store::Table table(tableName);
    table.SetReadOnly(true);
    table.Open();
    std::vector<store::Field*> columns;
    for (const auto& name : fields) columns.push_back(&table.FieldByName(name));
    std::vector<std::vector<std::string>> rows;
    for (table.First(); !table.Eof(); table.Next()) {
        auto& row = rows.emplace_back();
        for (auto* column : columns) row.push_back(column->AsString());
    }
    return rows;
}

std::vector<DataRow> ReadDataRows(const std::string& tableName) {
    std::vector<DataRow> rows;
    for (auto& r :
         ReadAll(tableName, {"Type", "Item", "Sort", "Data1", "Data2", "Data3", "Data4", "Data5"}))
        rows.push_back({r[0], r[1], r[2], {r[3], r[4], r[5], r[6], r[7]}});
    return rows;
}

}  // namespace

OptionRows OptionRows::Load(const std::string& tableName) {
    OptionRows options;
    for (auto& r : ReadAll(tableName, {"Type", "Tag", "Item", "Coefficient", "Description"}))
        options.Add({r[0], r[1], r[2], r[3], r[4]});
    return options;
}

void OptionRows::Add(OptionRow row) {
    byType_[row.Type].push_back(std::move(row));
}

const std::vector<OptionRow>& OptionRows::OfType(const std::string& type) const {
    static const std::vector<OptionRow> none;
    auto found = byType_.find(type);
    return found == byType_.end() ? none : found->second;
}

std::string OptionRows::CoefficientOf(const std::string& type, const std::string& item,
                                      bool ignoreCase) const {
    const auto& rows = OfType(type);
    if (rows.empty()) return {};
    const std::string folded = ignoreCase ? store::FoldCase(item) : item;
    for (const auto& row : rows)
        if ((ignoreCase ? store::FoldCase(row.Item) : row.Item) == folded) return row.Coefficient;
    return rows.front().Coefficient;
}

DataTables DataTables::Load(const std::string& factoryFile, const std::string& userFile) {
    DataTables tables;
    tables.Factory = ReadDataRows(factoryFile);
    if (store::Table::Exists(userFile)) tables.User = ReadDataRows(userFile);
    return tables;
}

const DataRow* DataTables::UnitRow(const std::string& type) const {
    for (const auto& row : Factory)
        if (row.Type == type && row.Sort == "UNIT") return &row;
    return nullptr;
}

const DataRow* DataTables::TableRow(const std::string& type, const std::string& name) const {
    std::vector<const DataRow*> tables;
    for (const auto* file : {&Factory, &User})
        for (const auto& row : *file)
            if (row.Type == type && row.Sort == "TABLE") tables.push_back(&row);
    std::stable_sort(tables.begin(), tables.end(),
                     [](const DataRow* a, const DataRow* b) { return a->Item < b->Item; });
    const std::string folded = store::FoldCase(name);
    for (const auto* row : tables)
        if (store::FoldCase(row->Item) == folded) return row;
    return tables.empty() ? nullptr : tables.front();
}

std::vector<const DataRow*> DataTables::DataRows(const std::string& type,
                                                 const std::string& name) const {
    std::vector<const DataRow*> rows;
    for (const auto& row : User)
        if (row.Sort == "DATA" && row.Type == type && row.Item == name) rows.push_back(&row);
    return rows;
}

}  // namespace kv::builder
