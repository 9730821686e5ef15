#pragma once
// The "Messages" and "Printer Text" pages over the version's item view, which the category
// buttons filter: the message list with its navigator and the default and user text of the
// current message; the printer lines' grid with the user texts. Edits are posted by the
// posting rule (or by the grid when a cell is left).
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QWidget>
#include <functional>
#include <vector>

#include "base/Prompter.h"
#include "store/Table.h"

namespace kv::store::ui {
class DatasetModel;
class FieldBinding;
}  // namespace kv::store::ui

namespace kv::editor::ui {

class TItemList;

// What the pages need of the main window.
struct TextPageHost {
    store::Table& TableVersion;
    base::Prompter& Prompter;
    // Runs a handler and shows what it lets through.
    std::function<void(const std::function<void()>&)> Run;
    std::function<void()> PostingRule;
};

class TMessagesPage : public QWidget {
  public:
    explicit TMessagesPage(TextPageHost host, QWidget* parent = nullptr);
    ~TMessagesPage() override;

    // The list the window puts beside the category buttons.
    TItemList* ItemList;
    QLabel* LabelItem;
    QGroupBox* GroupBoxMessage;  // enabled only in edit mode
    QLineEdit* DBEditDefault;
    QLineEdit* DBEditUser;
    QLabel* ImageMessage;
    QPlainTextEdit* DBMemoDescription;

  private:
    void Render();
    TextPageHost Host;
    std::vector<store::ui::FieldBinding*> Bindings;
    std::vector<store::ScopedConnection> Connections;
};

class TPrinterTextPage : public QWidget {
  public:
    explicit TPrinterTextPage(TextPageHost host, QWidget* parent = nullptr);
    ~TPrinterTextPage() override;

    QTableView* DBGridPrintText;  // enabled only in edit mode
    QLabel* ImagePrintout;
    QPlainTextEdit* DBMemoDescription;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ColumnGuard();
    TextPageHost Host;
    store::ui::DatasetModel* Model;
    store::ui::FieldBinding* Description;
};

}  // namespace kv::editor::ui
