#include "editor/NewTable.h"

#include "editor/TableTexts.h"

namespace kv::editor {

NewTableForm::NewTableForm(DataTablePage& page, base::Prompter& prompter)
    : page_(page), prompter_(prompter), temp_(text::ScratchTable) {}

NewTableForm::~NewTableForm() {
    try {
        FormClose();
    } catch (...) {
    }
}

void NewTableForm::FormShow() {
    DataTableSets& sets = page_.Sets;
    temp_.Close();
    sets.DataUser.Open();
    temp_.CreateTable(sets.DataUser.GetFieldDefs());
    temp_.Open();
    temp_.Append();
    if (sets.Tables.Active() && !sets.Tables.IsEmpty()) temp_.CopyFields(sets.Tables);
    temp_.FieldByName("Item").SetAsString(text::NewTableName);
    temp_.Post();

    Columns.clear();
    for (int n = 1; n <= TableColumnCount; ++n) {
        const TableColumn& column = page_.Columns[static_cast<size_t>(n - 1)];
        if (!column.Visible || column.Title.find(',') == std::string::npos) continue;
        Columns.push_back({n,
                           sets.Titles.Active() && !sets.Titles.IsEmpty()
                               ? sets.Titles.FieldByName(DataTablePage::DataField(n)).AsString()
                               : column.Title,
                           page_.UnitChoices(n)});
    }
}

void NewTableForm::SetUnit(int number, const std::string& unit) {
    temp_.Edit();
    temp_.FieldByName(DataTablePage::DataField(number)).SetAsString(unit);
    temp_.Post();
}

std::string NewTableForm::Unit(int number) {
    return temp_.Active() ? temp_.FieldByName(DataTablePage::DataField(number)).AsString()
                          : std::string();
}

bool NewTableForm::BitBtnOKClick(const std::string& title) {
    DataTableSets& sets = page_.Sets;
    const int remembered = sets.Tables.RecNo();
    if (title.empty()) {
        prompter_.Beep();
        prompter_.Warning(text::EnterTableTitle);
        return false;
    }
    const std::string type = page_.ItemType();
    if (sets.Tables.Locate("Type;Sort;Item", {type, "TABLE", title})) {
        prompter_.Beep();
        prompter_.Warning(text::TableExists);
        sets.Tables.SetRecNo(remembered);
        return false;
    }
    temp_.Edit();
    temp_.FieldByName("Item").SetAsString(title);
    temp_.Post();

    store::Table& data = sets.DataUser;
    {
        // The "TABLE" row with the units and the first row of zeros, in one write.
        store::Batch batch(data);
        data.Append();
        data.CopyFields(temp_);
        data.Post();
        data.Append();
        data.CopyFields(temp_);
        page_.FillDataRow(title);
        data.Post();
    }
    page_.SetDefaultValue(title);
    page_.UpdateDataTable(type);
    return true;
}

void NewTableForm::FormClose() {
    if (!temp_.Active() && !temp_.Exists()) return;
    temp_.Close();
    if (temp_.Exists()) temp_.DeleteTable();
}

}  // namespace kv::editor
