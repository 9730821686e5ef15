#pragma once
// What the translation looks up besides the version table: the option rows of the selected
// model ("740-opts.db") and the rows of both data table files, read once per build.
#include <array>
#include <map>
#include <string>
#include <vector>

namespace kv::builder {

struct OptionRow {
    std::string Type, Tag, Item, Coefficient, Description;
};

class OptionRows {
  public:
    // Reads every row of the option table, in table order.
    static OptionRows Load(const std::string& tableName);
    void Add(OptionRow row);

    // The rows of a type, in table order (empty when there are none).
    const std::vector<OptionRow>& OfType(const std::string& type) const;
    // The coefficient of the row of `type` whose Item is `item` (exactly, or ignoring case),
    // else of the type's first row, else empty.
    std::string CoefficientOf(const std::string& type, const std::string& item,
                              bool ignoreCase) const;

  private:
    std::map<std::string, std::vector<OptionRow>> byType_;
};

struct DataRow {
    std::string Type, Item, Sort;
    std::array<std::string, 5> Data;
};

// Rows of the factory and the user data table files.
class DataTables {
  public:
    // A missing user file holds no rows.
    static DataTables Load(const std::string& factoryFile, const std::string& userFile);
    std::vector<DataRow> Factory, User;

    // The factory "UNIT" row of a type, or null.
    const DataRow* UnitRow(const std::string& type) const;
    // The "TABLE" row (of either file) named `name`, ignoring case; failing that the first
    // table of the type by name, as the table list would stand; or null.
    const DataRow* TableRow(const std::string& type, const std::string& name) const;
    // The user file's "DATA" rows of the table, in file order.
    std::vector<const DataRow*> DataRows(const std::string& type, const std::string& name) const;
};

}  // namespace kv::builder
