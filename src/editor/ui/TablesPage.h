#pragma once
// The "Tables" item page: the item and its table as heading, the tool bar with the table
// chooser and the New and Delete buttons, and the grid of the selected table's rows. The
// rules are DataTablePage's; this only shows them.
#include <QComboBox>
#include <QLabel>
#include <QTableView>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>

#include "editor/DataTables.h"

namespace kv::store::ui {
class DatasetModel;
}

namespace kv::editor::ui {

class KeyFilter;
class TFormNewTable;

class TTablesPage : public QWidget {
  public:
    // `run` runs a handler and shows what it lets through (the general error display).
    TTablesPage(DataTableSets sets, base::Prompter& prompter,
                std::function<void(const std::function<void()>&)> run, QWidget* parent = nullptr);
    ~TTablesPage() override;

    // The page build for the item's data-table type (ItemEditor::OnDataTablePage).
    void UpdateDataTable(const std::string& type);
    DataTablePage& Core() { return *Rules; }

    // Shows the new table dialog; tests answer it instead.
    std::function<void(TFormNewTable& dialog)> ShowNewTable;

    QLabel* LabelItem;
    QLabel* LabelTable;
    QComboBox* DBLookupComboBoxTables;
    QToolButton* ButtonTableNew;
    QToolButton* ButtonTableDelete;
    QTableView* DBGridTables;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Render();
    void NewModel();
    void FitColumns();
    void ButtonTableNewClick();

    std::unique_ptr<DataTablePage> Rules;
    base::Prompter& Prompter;
    std::function<void(const std::function<void()>&)> Run;
    store::ui::DatasetModel* Model = nullptr;
    KeyFilter* CellKeys;
    bool Rendering = false;
};

}  // namespace kv::editor::ui
