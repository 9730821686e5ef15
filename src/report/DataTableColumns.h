#pragma once
// The columns a user data table shows: what the editor's table grid (`DBGridTables`) sets up
// for a data-table type, without the grid.
#include <string>
#include <vector>

namespace kv::store {
class Dataset;
}

namespace kv::report {

struct TDataColumn {
    int Number = 0;     // 1..5: the column's field is "Data" + Number
    std::string Title;  // the column title, with ", " and the chosen unit's tag when it has one
};

// The shown columns, in order, of the table `tableName` of data-table type `type`. The titles
// and unit types come from the factory data file, the table's units from its "TABLE" row in
// either data file (`userData` may be null when there is no user file), unit tags from the
// option table. Filters of the datasets are changed.
std::vector<TDataColumn> DataTableColumns(const std::string& type, const std::string& tableName,
                                          kv::store::Dataset& factoryData,
                                          kv::store::Dataset* userData,
                                          kv::store::Dataset& options);

}  // namespace kv::report
