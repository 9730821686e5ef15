#include "editor/ui/TFormNewTable.h"

#include "editor/TableCells.h"
#include "editor/TableTexts.h"
#include "editor/ui/KeyFilter.h"

namespace kv::editor::ui {

namespace {

constexpr int LabelX = 12, FieldX = 130, FieldWidth = 170, RowHeight = 32, FirstRow = 48;
constexpr int ButtonX = FieldX + FieldWidth + 16, ButtonWidth = 84, Width = ButtonX + 96;
constexpr int BelowLastTitle = 42;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TFormNewTable::TFormNewTable(DataTablePage& page, base::Prompter& prompter, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      Rules(page, prompter) {
    setObjectName("FormNewTable");
    setWindowTitle(text::NewTableCaption);
    setAccessibleName(text::NewTableCaption);
    setModal(true);

    LabelTitle = new QLabel(text::TableTitleLabel, this);
    LabelTitle->setObjectName("LabelTableTitle");
    LabelTitle->setGeometry(LabelX, 14, FieldX - LabelX - 8, 21);
    EditTitle = new QLineEdit(this);
    EditTitle->setObjectName("EditTableTitle");
    EditTitle->setAccessibleName(text::TableTitleLabel);
    EditTitle->setMaxLength(static_cast<int>(TableTitleLength));
    EditTitle->setGeometry(FieldX, 12, FieldWidth, 25);
    LabelTitle->setBuddy(EditTitle);
    auto* keys = new KeyFilter(
        [&prompter](char key, QWidget*) {
            if (TableTitleKeyPasses(key)) return true;
            prompter.Beep();
            return false;
        },
        this);
    keys->Watch(EditTitle);
    keys->OnEnter = [this](QWidget*) { BitBtnOKClick(); };

    BitBtnOK = new QPushButton(text::OkButton, this);
    BitBtnOK->setObjectName("BitBtnOK");
    BitBtnOK->setAccessibleName("OK");
    BitBtnOK->setGeometry(ButtonX, 12, ButtonWidth, 28);
    BitBtnOK->setAutoDefault(false);
    BitBtnCancel = new QPushButton(text::CancelButton, this);
    BitBtnCancel->setObjectName("BitBtnCancel");
    BitBtnCancel->setAccessibleName("Cancel");
    BitBtnCancel->setGeometry(ButtonX, 46, ButtonWidth, 28);
    BitBtnCancel->setAutoDefault(false);
    connect(BitBtnOK, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(Width, FirstRow + BelowLastTitle);
}

TFormNewTable::~TFormNewTable() = default;

void TFormNewTable::FormShow() {
    Rules.FormShow();
    int bottom = 12 + 25;
    for (size_t i = 0; i < Rules.Columns.size(); ++i) {
        const NewTableForm::Column& column = Rules.Columns[i];
        const int y = FirstRow + static_cast<int>(i) * RowHeight;
        auto* title = new QLabel(Q(column.Title), this);
        title->setObjectName(QString("LabelColumn%1").arg(column.Number));
        title->setGeometry(LabelX, y + 2, FieldX - LabelX - 8, 21);
        auto* units = new QComboBox(this);
        units->setObjectName(QString("DBLookupComboBoxUnit%1").arg(column.Number));
        units->setAccessibleName(Q(column.Title));
        units->setGeometry(FieldX, y, FieldWidth, 25);
        title->setBuddy(units);
        const std::string chosen = Rules.Unit(column.Number);
        for (const UnitChoice& choice : column.Units) {
            units->addItem(Q(choice.Tag), Q(choice.Item));
            if (choice.Item == chosen) units->setCurrentIndex(units->count() - 1);
        }
        connect(units, &QComboBox::activated, this, [this, units, number = column.Number](int) {
            Rules.SetUnit(number, units->currentData().toString().toStdString());
        });
        ColumnTitles.push_back(title);
        ColumnUnits.push_back(units);
        bottom = title->geometry().bottom() + 1;
    }
    setFixedSize(Width, std::max(bottom + BelowLastTitle, 46 + 28 + 12));
}

void TFormNewTable::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget()) {
        const QWidget* owner = parentWidget()->window();
        move(owner->geometry().center() - rect().center());
    }
    EditTitle->setFocus();
}

void TFormNewTable::BitBtnOKClick() {
    if (Rules.BitBtnOKClick(EditTitle->text().toStdString())) {
        accept();
        return;
    }
    EditTitle->setFocus();
    EditTitle->selectAll();
}

void TFormNewTable::done(int result) {
    Rules.FormClose();
    QDialog::done(result);
}

}  // namespace kv::editor::ui
