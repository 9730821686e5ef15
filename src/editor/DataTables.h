#pragma once
// The "Tables" item page: the user data tables of a data-table type, the one the item selects
// (its DefaultValue names it), their rows and the check of their cells.
//
//   DataTablePage page({version, dataUser, tables, titles, units, limits, options}, prompter);
//   page.ClientWidth = grid.width();
//   page.UpdateDataTable(type);          // whenever the item shown or one of its fields changes
//   page.SelectTable("WATER GLYCOL");    // the table chooser
//   page.ButtonTableDeleteClick();
#include <array>
#include <functional>
#include <string>

#include "base/Prompter.h"
#include "store/Query.h"
#include "store/Table.h"

namespace kv::editor {

inline constexpr int TableColumnCount = 5;

// The views the page works on; `Version` stands on the item the page shows.
struct DataTableSets {
    store::Table& Version;   // the version table (TableVersion)
    store::Table& DataUser;  // the user data file (TableDataUser)
    store::Query& Tables;    // both data files, ordered by Item (QueryDataTables)
    store::Query& Titles;    // the factory data file (QueryDataTitles)
    store::Query& Units;     // the factory data file (QueryDataUnits)
    store::Query& Limits;    // the factory data file (QueryDataLimits)
    store::Query& Options;   // the model's option table (QueryDataOptions)
};

// The same views over the files, for a program without the manager's (the command line).
struct DataTableViews {
    DataTableViews(const std::string& factoryFile, const std::string& userFile,
                   const std::string& optionTable);
    DataTableSets Over(store::Table& version) {
        return {version, DataUser, Tables, Titles, Units, Limits, Options};
    }
    store::Table DataUser;
    store::Query Tables, Titles, Units, Limits, Options;
};

struct TableColumn {
    bool Visible = false;
    std::string Title;     // the header: the title, with ", " and the chosen unit's tag
    std::string UnitType;  // of the "UNIT" row; "GU_TEXT" for a text column
    std::string EditMask;
    int Width = 0;
};

// A unit a column can be given: its tag is shown, its item stored.
struct UnitChoice {
    std::string Tag;
    std::string Item;
};

class DataTablePage {
  public:
    DataTablePage(DataTableSets sets, base::Prompter& prompter);
    DataTablePage(const DataTablePage&) = delete;
    DataTablePage& operator=(const DataTablePage&) = delete;

    // The page build for the data-table type of the item shown.
    void UpdateDataTable(const std::string& type);
    // The table list moved: the grid shows the selected table's rows.
    void QueryDataTablesAfterScroll();
    // The table chooser: the item selects the table `name`.
    void SelectTable(const std::string& name);
    // Asks, then deletes the selected table; refuses "DEFAULT".
    void ButtonTableDeleteClick();
    // Appends a data row of zeros to the selected table, in one write of the user file.
    void AppendRow();

    // The item shown and the table it selects.
    std::string ItemName() const;
    std::string ItemType() const;
    std::string SelectedTable() const;
    bool GridEnabled() const { return gridEnabled_; }
    // Names of the tables of the type, in list order.
    std::vector<std::string> TableNames();
    // The unit choices of a column (1..5), from the option table.
    std::vector<UnitChoice> UnitChoices(int column);
    // Field name of a column (1..5).
    static std::string DataField(int column) { return "Data" + std::to_string(column); }

    std::array<TableColumn, TableColumnCount> Columns;
    int ClientWidth = 0;  // of the grid, for the column widths
    // The page changed (columns, selection, rows) and must be shown again.
    std::function<void()> OnChanged;

    DataTableSets Sets;

  private:
    friend class NewTableForm;
    void ValidateTableValue(store::Field& field);
    void TableDataUserAfterInsert();
    void TableDataUserBeforeDelete();
    void DeleteTable();
    void FillDataRow(const std::string& tableName);
    void SetDefaultValue(const std::string& name);
    void Changed();

    base::Prompter& prompter_;
    bool gridEnabled_ = false;
    bool filling_ = false;  // values the page writes itself are not checked
    std::vector<store::ScopedConnection> connections_;
};

}  // namespace kv::editor
