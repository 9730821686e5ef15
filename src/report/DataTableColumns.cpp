#include "report/DataTableColumns.h"

#include <array>

#include "store/Dataset.h"

namespace kv::report {

namespace {

constexpr int ColumnCount = 5;
using TRowData = std::array<std::string, ColumnCount>;

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

// Data1..Data5 of the first row the filter keeps; false when it keeps none.
bool FirstRowData(kv::store::Dataset& data, const std::string& filter, TRowData& out) {
    data.SetFilter(filter);
    data.SetFiltered(true);
    data.First();
    if (data.Eof()) return false;
    for (int i = 0; i < ColumnCount; ++i)
        out[i] = data.FieldByName("Data" + std::to_string(i + 1)).AsString();
    return true;
}

std::string UnitTag(kv::store::Dataset& options, const std::string& unitType,
                    const std::string& unit) {
    options.SetFilter("Type = " + Quoted(unitType) + " and Item = " + Quoted(unit));
    options.SetFiltered(true);
    options.First();
    return options.Eof() ? std::string() : options.FieldByName("Tag").AsString();
}

}  // namespace

std::vector<TDataColumn> DataTableColumns(const std::string& type, const std::string& tableName,
                                          kv::store::Dataset& factoryData,
                                          kv::store::Dataset* userData,
                                          kv::store::Dataset& options) {
    auto rowOf = [&type](const char* sort) {
        return "Type = " + Quoted(type) + " and Sort = " + Quoted(sort);
    };
    TRowData titles, unitTypes, units;
    FirstRowData(factoryData, rowOf("TITLE"), titles);
    FirstRowData(factoryData, rowOf("UNIT"), unitTypes);
    const std::string tableRow = rowOf("TABLE") + " and Item = " + Quoted(tableName);
    const bool haveUnits = FirstRowData(factoryData, tableRow, units) ||
                           (userData && FirstRowData(*userData, tableRow, units));

    std::vector<TDataColumn> columns;
    for (int i = 0; i < ColumnCount; ++i) {
        if (titles[i].empty() || (titles[i] == "Viscosity" && type == "OP_HEAT_FLUID_TYPE_USER"))
            continue;
        TDataColumn column{i + 1, titles[i]};
        if (haveUnits && units[i] != "GU_SCALE_NONE") {
            const std::string tag = UnitTag(options, unitTypes[i], units[i]);
            if (!tag.empty()) column.Title += ", " + tag;
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

}  // namespace kv::report
