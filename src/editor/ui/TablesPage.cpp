#include "editor/ui/TablesPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "editor/TableCells.h"
#include "editor/TableTexts.h"
#include "editor/ui/Heading.h"
#include "editor/ui/KeyFilter.h"
#include "editor/ui/TFormNewTable.h"
#include "store/ui/DatasetModel.h"

namespace kv::editor::ui {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Cell editors take the column's keys and mask; a committed value goes through the cell check.
class CellDelegate : public QStyledItemDelegate {
  public:
    CellDelegate(DataTablePage& rules, KeyFilter* keys,
                 std::function<void(const std::function<void()>&)>& run, QObject* parent)
        : QStyledItemDelegate(parent), Rules(rules), Keys(keys), Run(run) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!edit) return editor;
        edit->setProperty("column", index.column());
        Keys->Watch(edit);
        const std::string& mask = Column(index).EditMask;
        if (!mask.empty()) {
            edit->setMaxLength(static_cast<int>(MaskedText(mask, std::string(64, 'X')).size()));
            QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, mask](const QString& t) {
                const int caret = edit->cursorPosition();
                edit->setText(Q(MaskedText(mask, t.toStdString())));
                edit->setCursorPosition(caret);
            });
        }
        return edit;
    }
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!edit) return;
        const std::string value = MaskedText(Column(index).EditMask, edit->text().toStdString());
        store::Table& data = Rules.Sets.DataUser;
        Run([&] {
            data.SetRecNo(index.row() + 1);
            data.Edit();
            try {
                data.FieldByName(DataTablePage::DataField(index.column() + 1)).SetAsString(value);
                data.Post();
            } catch (...) {
                data.Cancel();
                throw;
            }
        });
    }

  private:
    const TableColumn& Column(const QModelIndex& index) const {
        return Rules.Columns.at(static_cast<size_t>(index.column()));
    }
    DataTablePage& Rules;
    KeyFilter* Keys;
    std::function<void(const std::function<void()>&)>& Run;
};

QToolButton* ToolButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setAccessibleName(QString(caption).remove('&'));
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumWidth(64);
    return button;
}

}  // namespace

TTablesPage::TTablesPage(DataTableSets sets, base::Prompter& prompter,
                         std::function<void(const std::function<void()>&)> run, QWidget* parent)
    : QWidget(parent),
      Rules(std::make_unique<DataTablePage>(sets, prompter)),
      Prompter(prompter),
      Run(std::move(run)) {
    setObjectName("TabSheetTables");
    setAccessibleName("Tables");
    ShowNewTable = [](TFormNewTable& dialog) { dialog.exec(); };
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);

    LabelItem = NewHeading(this, "LabelTablesItem");
    column->addWidget(LabelItem);
    LabelTable = new QLabel(this);
    LabelTable->setObjectName("LabelTablesName");
    LabelTable->setAccessibleName("Selected table");
    LabelTable->setAlignment(Qt::AlignHCenter);
    column->addWidget(LabelTable);

    auto* bar = new QWidget(this);
    bar->setObjectName("ToolBarTables");
    bar->setAccessibleName("Table tools");
    auto* tools = new QHBoxLayout(bar);
    tools->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(text::TableLabel, bar);
    label->setObjectName("LabelTables");
    tools->addWidget(label);
    DBLookupComboBoxTables = new QComboBox(bar);
    DBLookupComboBoxTables->setObjectName("DBLookupComboBoxTables");
    DBLookupComboBoxTables->setAccessibleName("Table");
    DBLookupComboBoxTables->setToolTip(text::SelectTableHint);
    DBLookupComboBoxTables->setStatusTip(text::SelectTableHint);
    DBLookupComboBoxTables->setMinimumWidth(180);
    label->setBuddy(DBLookupComboBoxTables);
    tools->addWidget(DBLookupComboBoxTables);
    ButtonTableNew = ToolButton(bar, "ButtonTableNew", text::NewTableButton, text::NewTableHint);
    ButtonTableDelete =
        ToolButton(bar, "ButtonTableDelete", text::DeleteTableButton, text::DeleteTableHint);
    tools->addWidget(ButtonTableNew);
    tools->addWidget(ButtonTableDelete);
    tools->addStretch(1);
    column->addWidget(bar);

    DBGridTables = new QTableView(this);
    DBGridTables->setObjectName("DBGridTables");
    DBGridTables->setAccessibleName("Table rows");
    DBGridTables->verticalHeader()->hide();
    DBGridTables->setSelectionBehavior(QAbstractItemView::SelectItems);
    DBGridTables->setEditTriggers(QAbstractItemView::DoubleClicked |
                                  QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed);
    DBGridTables->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(DBGridTables, 1);

    CellKeys = new KeyFilter(
        [this](char key, QWidget* control) {
            const QVariant at = control->property("column");
            const int c = at.isValid() ? at.toInt() : DBGridTables->currentIndex().column();
            if (c < 0 || c >= TableColumnCount) return true;
            if (TableCellKeyPasses(Rules->Columns[static_cast<size_t>(c)].UnitType, key))
                return true;
            Prompter.Beep();
            return false;
        },
        this);
    CellKeys->Watch(DBGridTables);
    DBGridTables->setItemDelegate(new CellDelegate(*Rules, CellKeys, Run, this));
    DBGridTables->installEventFilter(this);
    NewModel();

    Rules->OnChanged = [this] { Render(); };
    connect(DBLookupComboBoxTables, &QComboBox::activated, this, [this](int index) {
        if (Rendering) return;
        const std::string name = DBLookupComboBoxTables->itemText(index).toStdString();
        Run([&] { Rules->SelectTable(name); });
    });
    connect(ButtonTableNew, &QToolButton::clicked, this, [this] { ButtonTableNewClick(); });
    connect(ButtonTableDelete, &QToolButton::clicked, this,
            [this] { Run([this] { Rules->ButtonTableDeleteClick(); }); });
}

bool TTablesPage::eventFilter(QObject* watched, QEvent* event) {
    // The grid's Insert key adds a row, Ctrl+Delete removes the current one.
    if (watched != DBGridTables || event->type() != QEvent::KeyPress || !Rules->GridEnabled())
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Insert) {
        Run([this] { Rules->AppendRow(); });
        return true;
    }
    if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier)) {
        const int row = DBGridTables->currentIndex().row();
        Run([this, row] {
            store::Table& data = Rules->Sets.DataUser;
            if (row < 0 || row >= data.RecordCount()) return;
            data.SetRecNo(row + 1);
            data.Delete();
        });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

TTablesPage::~TTablesPage() {
    delete Model;
}

void TTablesPage::NewModel() {
    std::vector<store::ui::ModelColumn> columns;
    for (int n = 1; n <= TableColumnCount; ++n)
        columns.emplace_back(DataTablePage::DataField(n),
                             Q(Rules->Columns[static_cast<size_t>(n - 1)].Title), Qt::AlignCenter);
    auto* old = Model;
    Model = new store::ui::DatasetModel(Rules->Sets.DataUser, std::move(columns));
    Model->SetReadOnly(false);
    Model->Attach(DBGridTables);
    DBGridTables->setSelectionBehavior(QAbstractItemView::SelectItems);
    delete old;
}

void TTablesPage::UpdateDataTable(const std::string& type) {
    Rules->ClientWidth = DBGridTables->viewport()->width();
    Run([&] { Rules->UpdateDataTable(type); });
}

void TTablesPage::Render() {
    Rendering = true;
    LabelItem->setText(Q(Rules->ItemName()));
    LabelTable->setText(Q(Rules->SelectedTable()));
    DBLookupComboBoxTables->clear();
    for (const std::string& name : Rules->TableNames()) DBLookupComboBoxTables->addItem(Q(name));
    DBLookupComboBoxTables->setCurrentText(Q(Rules->SelectedTable()));
    NewModel();
    for (int i = 0; i < TableColumnCount; ++i)
        Model->SetColumnVisible(i, Rules->Columns[static_cast<size_t>(i)].Visible);
    FitColumns();
    DBGridTables->setEnabled(Rules->GridEnabled());
    Rendering = false;
}

void TTablesPage::FitColumns() {
    // The rules' widths, for the grid as wide as it is now.
    Rules->ClientWidth = DBGridTables->viewport()->width();
    int shown = 0;
    for (const TableColumn& column : Rules->Columns) shown += column.Visible ? 1 : 0;
    if (shown == 0 || Rules->ClientWidth <= 0) return;
    for (int i = 0; i < TableColumnCount; ++i)
        if (Rules->Columns[static_cast<size_t>(i)].Visible)
            DBGridTables->setColumnWidth(i, Rules->ClientWidth / shown - 1);
}

void TTablesPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitColumns();
}

void TTablesPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FitColumns();
}

void TTablesPage::ButtonTableNewClick() {
    Run([this] {
        TFormNewTable dialog(*Rules, Prompter, this);
        dialog.FormShow();
        ShowNewTable(dialog);
    });
}

}  // namespace kv::editor::ui
