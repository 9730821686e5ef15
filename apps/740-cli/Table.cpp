// 740-cli table: the user data tables of a version's table item, by the "Tables" page's rules.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "CliSupport.h"
#include "CommandLine.h"
#include "Validators.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"
#include "editor/DataTables.h"
#include "editor/NewTable.h"
#include "editor/TableCells.h"
#include "editor/TableTexts.h"
#include "store/Table.h"

namespace cli {

namespace {

namespace fs = std::filesystem;
namespace cat = kv::catalogue;
namespace ed = kv::editor;

struct TableOptions {
    std::string Version, Id, Install, Title, Value;
    std::vector<std::string> Units;  // "N=TAG"
    int Row = 0, Column = 0;
    bool Csv = false;
};

// The version's table item with the page over the installation's data files. A missing user
// data file is made when a table is made; until then an empty scratch one stands for it.
class TableItem {
  public:
    TableItem(const TableOptions& options, bool changes)
        : name_(EnterAndParse(options)), options_(name_.Model) {
        if (changes && name_.IsFactory()) throw Failure(cat::text::FactoryNotEditable);
        RequireVersionTable(name_);
        const std::string path = cat::VersionTablePath(name_);
        std::string userData = cat::UserDataTable();
        if (!kv::store::Table::Exists(userData)) {
            if (!changes) userData = (options_.Dir() / "740-data.db").string();
            kv::store::Table::Create(userData, cat::DataTableFields());
        }
        views_ = std::make_unique<ed::DataTableViews>(cat::FactoryDataTable(), userData,
                                                      options_.Path());
        views_->DataUser.SetRequiredFields(cat::DataTableFields());
        version_.SetTableName(path);
        version_.SetReadOnly(name_.IsFactory());
        version_.Open();
        if (!version_.Locate("ID", {options.Id}))
            throw Failure("the version " + name_.Text() + " holds no item " + options.Id);
        if (version_.FieldByName("Panel").AsString() != "Tables")
            throw Failure(options.Id + " is not a data table item");
        page_ = std::make_unique<ed::DataTablePage>(views_->Over(version_), prompter_);
        page_->UpdateDataTable(page_->ItemType());
    }

    ed::DataTablePage& Page() { return *page_; }
    LinePrompter& Prompter() { return prompter_; }

    void PrintList() {
        for (const std::string& table : page_->TableNames())
            std::cout << (table == page_->SelectedTable() ? "* " : "  ") << table << "\n";
    }
    int DataRows() { return page_->Sets.DataUser.RecordCount(); }
    void RefuseDefault() {
        if (page_->SelectedTable() == ed::text::DefaultTable)
            throw Failure("The default table cannot be changed");
    }
    // The shown column `column`; a usage error naming the shown ones otherwise.
    const ed::TableColumn& Column(int column) {
        std::string shown;
        for (int n = 1; n <= ed::TableColumnCount; ++n)
            if (page_->Columns[static_cast<size_t>(n - 1)].Visible)
                shown += (shown.empty() ? "" : ", ") + std::to_string(n);
        if (column < 1 || column > ed::TableColumnCount ||
            !page_->Columns[static_cast<size_t>(column - 1)].Visible)
            throw UsageError("COLUMN takes one of " + shown + " for this table, not " +
                             std::to_string(column));
        return page_->Columns[static_cast<size_t>(column - 1)];
    }
    void CheckRow(int row, int last) {
        if (row < 1 || row > last)
            throw UsageError("ROW takes 1 to " + std::to_string(last) + ", not " +
                             std::to_string(row));
    }

  private:
    static cat::VersionName EnterAndParse(const TableOptions& options) {
        EnterInstallation(fs::absolute(options.Install));
        return *cat::ParseVersionName(options.Version);
    }

    cat::VersionName name_;
    ScratchOptions options_;
    LinePrompter prompter_{"740-cli table"};
    std::unique_ptr<ed::DataTableViews> views_;
    kv::store::Table version_;
    std::unique_ptr<ed::DataTablePage> page_;
};

int List(const TableOptions& options) {
    TableItem item(options, false);
    item.PrintList();
    return 0;
}

int Rows(const TableOptions& options) {
    TableItem item(options, false);
    ed::DataTablePage& page = item.Page();
    kv::store::Table& data = page.Sets.DataUser;
    std::vector<std::vector<std::string>> lines(1, {"Row"});
    std::vector<int> fields;
    for (int n = 1; n <= ed::TableColumnCount; ++n)
        if (const ed::TableColumn& column = page.Columns[static_cast<size_t>(n - 1)];
            column.Visible) {
            lines[0].push_back(column.Title);
            fields.push_back(data.FieldByName(ed::DataTablePage::DataField(n)).Index());
        }
    for (int row = 0; row < data.RecordCount(); ++row) {
        lines.push_back({std::to_string(row + 1)});
        for (int field : fields) lines.back().push_back(data.ValueAt(row, field));
    }
    std::vector<size_t> widths(lines[0].size(), 0);
    for (const auto& line : lines)
        for (size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], line[i].size());
    for (const auto& line : lines) {
        std::string out;
        for (size_t i = 0; i < line.size(); ++i) {
            if (options.Csv) {
                out += (i ? "," : "") + CsvField(line[i]);
            } else {
                out += (i ? "  " : "") + line[i];
                if (i + 1 < line.size()) out += std::string(widths[i] - line[i].size(), ' ');
            }
        }
        std::cout << out << "\n";
    }
    return 0;
}

int New(const TableOptions& options) {
    TableItem item(options, true);
    for (char c : options.Title)
        if (!ed::TableTitleKeyPasses(c) || c == '\b' || c == '\t' || c == '\r')
            throw UsageError("TITLE cannot hold \"" + std::string(1, c) +
                             "\" (letters, digits, space and % ( ) + - / : _ only)");
    ed::NewTableForm form(item.Page(), item.Prompter());
    form.FormShow();
    for (const std::string& unit : options.Units) {
        const size_t equals = unit.find('=');
        const std::string number = unit.substr(0, equals);
        const std::string tag = equals == std::string::npos ? "" : unit.substr(equals + 1);
        const ed::NewTableForm::Column* column = nullptr;
        std::string numbers;
        for (const auto& c : form.Columns) {
            numbers += (numbers.empty() ? "" : ", ") + std::to_string(c.Number);
            if (std::to_string(c.Number) == number) column = &c;
        }
        if (!column)
            throw UsageError("--unit takes N=TAG with N one of " + numbers + ", not \"" + unit +
                             "\"");
        std::optional<std::string> chosen;
        std::string tags;
        for (const ed::UnitChoice& choice : column->Units) {
            tags += (tags.empty() ? "" : ", ") + choice.Tag;
            if (choice.Tag == tag) chosen = choice.Item;
        }
        if (!chosen)
            throw UsageError("the unit of column " + number + " (" + column->Title +
                             ") is one of " + tags + ", not \"" + tag + "\"");
        form.SetUnit(column->Number, *chosen);
    }
    if (!form.BitBtnOKClick(options.Title)) return 1;
    form.FormClose();
    item.PrintList();
    return 0;
}

int Delete(const TableOptions& options) {
    TableItem item(options, true);
    const std::string table = item.Page().SelectedTable();
    item.Page().ButtonTableDeleteClick();
    if (item.Page().SelectedTable() == table) return 1;
    item.PrintList();
    return 0;
}

int Set(const TableOptions& options) {
    TableItem item(options, true);
    item.RefuseDefault();
    const ed::TableColumn& column = item.Column(options.Column);
    item.CheckRow(options.Row, item.DataRows() + 1);
    for (char c : options.Value)
        if (!ed::TableCellKeyPasses(column.UnitType, c) || c == '\b' || c == '\t' || c == '\r')
            throw Failure("The character \"" + std::string(1, c) +
                          "\" cannot be typed in the column " + column.Title);
    kv::store::Table& data = item.Page().Sets.DataUser;
    if (options.Row > item.DataRows()) {
        data.Append();
    } else {
        data.SetRecNo(options.Row);
        data.Edit();
    }
    try {
        data.FieldByName(ed::DataTablePage::DataField(options.Column))
            .SetAsString(ed::MaskedText(column.EditMask, options.Value));
        data.Post();
    } catch (const std::exception&) {
        data.Cancel();
        return 1;  // the check said why
    }
    return 0;
}

int RemoveRow(const TableOptions& options) {
    TableItem item(options, true);
    item.RefuseDefault();
    item.CheckRow(options.Row, item.DataRows());
    const std::string table = item.Page().SelectedTable();
    kv::store::Table& data = item.Page().Sets.DataUser;
    data.SetRecNo(options.Row);
    if (data.Delete()) return 0;
    // The only row: the whole table goes, or nothing when the question was answered No.
    if (item.Page().SelectedTable() == table) return 1;
    item.PrintList();
    return 0;
}

}  // namespace

void AddTableCommand(CLI::App& app, int& status) {
    CLI::App* table =
        NewCommand(app, "table",
                   "User data tables of the table item ID of a version, by the rules of the\n"
                   "\"Tables\" page. Refusals print the page's message, exit status 1, and\n"
                   "leave every file as it was; factory versions can only be listed.");
    table->require_subcommand(1);
    auto add = [&](const char* name, const char* description, int (*run)(const TableOptions&)) {
        auto options = std::make_shared<TableOptions>();
        CLI::App* command = NewCommand(*table, name, description);
        AddVersionArgument(*command, options->Version);
        command->add_option("ID", options->Id, "The table item, such as ID_HEAT_FLUID_TABLE")
            ->required();
        AddInstallOption(*command, options->Install);
        command->callback([options, run, &status] { status = run(*options); });
        return std::pair{command, options};
    };
    auto addRow = [](CLI::App& command, TableOptions& options, const char* help) {
        command.add_option("ROW", options.Row, help)->required()->type_name("N");
    };

    add("list", "Lists the tables of the item's type; \"*\" marks the one the item selects.", List);

    auto [rows, rowsOptions] =
        add("rows",
            "Prints the selected table's rows under the shown columns' titles (the\n"
            "factory \"DEFAULT\" table shows none).",
            Rows);
    rows->add_flag("--csv", rowsOptions->Csv, "Comma-separated values");

    auto [made, madeOptions] =
        add("new",
            "Makes a user table TITLE (at most 15 characters) with one row of zeros and\n"
            "selects it. Units start as the selected table's; --unit N=TAG gives column N\n"
            "the unit shown as TAG. \"Please enter table title\" and \"This table already\n"
            "exists\" (ignoring case) refuse it.",
            New);
    made->add_option("TITLE", madeOptions->Title, "The table's name")
        ->required()
        ->check(CLI::Validator(
            [](std::string& title) {
                return title.size() > ed::TableTitleLength ? "TITLE takes at most 15 characters"
                                                           : std::string();
            },
            ""));
    made->add_option("--unit", madeOptions->Units, "A column's unit, such as 1=DEG F")
        ->type_name("N=TAG")
        ->allow_extra_args(false);

    add("delete",
        "Deletes the selected table with all its rows and selects \"DEFAULT\" again;\n"
        "\"The default table cannot be deleted\".",
        Delete);

    auto [set, setOptions] =
        add("set",
            "Puts VALUE into column COLUMN (1 to 5 for Data1 to Data5) of data row ROW\n"
            "of the selected table; ROW one past the last appends a row of zeros first.\n"
            "Numbers are checked in base units against the column's limits; text columns\n"
            "keep twelve capitals.",
            Set);
    addRow(*set, *setOptions, "The data row, from 1");
    set->add_option("COLUMN", setOptions->Column, "The column, 1 to 5")->required();
    set->add_option("VALUE", setOptions->Value, "The value in the column's unit")->required();

    auto [removeRow, removeOptions] =
        add("remove-row",
            "Removes data row ROW of the selected table; removing its only row deletes\n"
            "the table.",
            RemoveRow);
    addRow(*removeRow, *removeOptions, "The data row, from 1");
}

}  // namespace cli
