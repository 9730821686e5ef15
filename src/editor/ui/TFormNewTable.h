#pragma once
// The new table dialog: the title and, for every column with a unit, the unit chooser. Its
// height follows the last column shown.
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "editor/NewTable.h"

namespace kv::editor::ui {

class TFormNewTable : public QDialog {
  public:
    TFormNewTable(DataTablePage& page, base::Prompter& prompter, QWidget* owner);
    ~TFormNewTable() override;

    // Prepares the scratch table and lays the columns out; before the dialog is shown.
    void FormShow();
    // OK: the table is made and the dialog closes, or the title field takes the focus again.
    void BitBtnOKClick();

    QLineEdit* EditTitle;
    QPushButton* BitBtnOK;
    QPushButton* BitBtnCancel;
    std::vector<QLabel*> ColumnTitles;  // of the columns shown, in order
    std::vector<QComboBox*> ColumnUnits;

  protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

  private:
    NewTableForm Rules;
    QLabel* LabelTitle;
};

}  // namespace kv::editor::ui
