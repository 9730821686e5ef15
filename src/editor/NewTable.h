#pragma once
// The new table dialog's rules (TFormNewTable): a scratch copy of the selected table's
// "TABLE" row takes the chosen units; OK checks the title and makes the table.
//
//   NewTableForm form(page, prompter);
//   form.FormShow();
//   form.SetUnit(2, "GU_DENSITY_KG_M3");
//   if (form.BitBtnOKClick("GLYCOL 30")) close();   // false: the title was refused
//   form.FormClose();
#include <string>
#include <vector>

#include "editor/DataTables.h"
#include "store/Table.h"

namespace kv::editor {

class NewTableForm {
  public:
    NewTableForm(DataTablePage& page, base::Prompter& prompter);
    ~NewTableForm();
    NewTableForm(const NewTableForm&) = delete;
    NewTableForm& operator=(const NewTableForm&) = delete;

    struct Column {
        int Number = 0;     // 1..5
        std::string Title;  // of the "TITLE" row
        std::vector<UnitChoice> Units;
    };

    // Recreates the scratch table from the selected table and lists the columns with a unit.
    void FormShow();
    // The unit (an option Item) of column `number`.
    void SetUnit(int number, const std::string& unit);
    std::string Unit(int number);
    // True when the table was made and the dialog closes; false after a refusal.
    bool BitBtnOKClick(const std::string& title);
    // Drops the scratch table.
    void FormClose();

    std::vector<Column> Columns;  // the columns shown, in order

  private:
    DataTablePage& page_;
    base::Prompter& prompter_;
    store::Table temp_;
};

}  // namespace kv::editor
