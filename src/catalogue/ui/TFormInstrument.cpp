#include "TFormInstrument.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "catalogue/VersionLifecycle.h"
#include "catalogue/VersionTexts.h"

namespace kv::catalogue::ui {

namespace {

constexpr int LabelWidth = 160;  // both panels' labels in one column

QLineEdit* Edit(QWidget* parent, const char* name, const char* label, int length) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(label);
    edit->setMaxLength(length);
    return edit;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, const char* label) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setAccessibleName(label);
    memo->setTabChangesFocus(true);
    memo->setFixedHeight(72);
    return memo;
}

QFrame* Panel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    return panel;
}

void AddRow(QGridLayout* grid, int row, const char* label, QWidget* field,
            QLabel* labelWidget = nullptr) {
    QLabel* caption = labelWidget ? labelWidget : new QLabel(label);
    caption->setBuddy(field);
    const bool memo = qobject_cast<QPlainTextEdit*>(field) != nullptr;
    grid->addWidget(caption, row, 0, memo ? Qt::AlignTop : Qt::AlignVCenter);
    grid->addWidget(field, row, 1);
}

QString FieldText(store::Dataset& record, const char* name) {
    return QString::fromStdString(record.FieldByName(name).AsString());
}

}  // namespace

TFormInstrument::TFormInstrument(VersionInfo& rules,
                                 std::function<void(const std::string&)> showNote, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      Rules(rules),
      ShowNote(std::move(showNote)) {
    setObjectName("TFormInstrument");
    setWindowTitle(text::InstrumentCaption);
    setModal(true);

    QFrame* application = Panel(this, "PanelApplication");
    DBEditTitle = Edit(application, "DBEditTitle", text::LabelTitle, 50);
    DBEditModel = Edit(application, "DBEditModel", text::LabelModel, 3);
    DBEditPack = Edit(application, "DBEditPack", text::LabelPack, 4);
    DBMemoDescription = Memo(application, "DBMemoDescription", text::LabelDescription);
    auto* applicationGrid = new QGridLayout(application);
    applicationGrid->setColumnMinimumWidth(0, LabelWidth);
    AddRow(applicationGrid, 0, text::LabelTitle, DBEditTitle);
    AddRow(applicationGrid, 1, text::LabelModel, DBEditModel);
    AddRow(applicationGrid, 2, text::LabelPack, DBEditPack);
    AddRow(applicationGrid, 3, text::LabelDescription, DBMemoDescription);

    QFrame* version = Panel(this, "PanelVersion");
    DBEditCreator = Edit(version, "DBEditCreator", text::LabelCreator, 30);
    DBEditDate = Edit(version, "DBEditDate", text::LabelDate, 10);
    DBEditCode = Edit(version, "DBEditCode", text::LabelCode, 6);
    DBEditCode->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,6}"), DBEditCode));
    DBEditCode->installEventFilter(this);
    DBEditCustomTitle = Edit(version, "DBEditCustomTitle", text::LabelCustomTitle, 50);
    DBMemoCustomDescription =
        Memo(version, "DBMemoCustomDescription", text::LabelCustomDescription);
    connect(DBMemoCustomDescription, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = DBMemoCustomDescription->toPlainText();
        if (text.size() > qsizetype(CustomDescriptionLength)) {
            DBMemoCustomDescription->setPlainText(text.left(CustomDescriptionLength));
            DBMemoCustomDescription->moveCursor(QTextCursor::End);
        }
    });
    LabelCode = new QLabel(text::LabelCode, version);
    LabelCode->setObjectName("LabelCode");
    LabelCode->setToolTip(text::CodeHint);
    LabelCode->setStatusTip(text::CodeHint);
    LabelCode->setCursor(Qt::PointingHandCursor);
    LabelCode->installEventFilter(this);
    auto* versionGrid = new QGridLayout(version);
    versionGrid->setColumnMinimumWidth(0, LabelWidth);
    AddRow(versionGrid, 0, text::LabelCreator, DBEditCreator);
    AddRow(versionGrid, 1, text::LabelDate, DBEditDate);
    AddRow(versionGrid, 2, text::LabelCode, DBEditCode, LabelCode);
    AddRow(versionGrid, 3, text::LabelCustomTitle, DBEditCustomTitle);
    AddRow(versionGrid, 4, text::LabelCustomDescription, DBMemoCustomDescription);

    BitBtnOK = new QPushButton("&OK", this);
    BitBtnOK->setObjectName("BitBtnOK");
    BitBtnOK->setAccessibleName("OK");
    BitBtnOK->setDefault(true);
    BitBtnCancel = new QPushButton("&Cancel", this);
    BitBtnCancel->setObjectName("BitBtnCancel");
    BitBtnCancel->setAccessibleName("Cancel");
    connect(BitBtnOK, &QPushButton::clicked, this, &TFormInstrument::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(BitBtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(application);
    layout->addWidget(version);
    layout->addLayout(buttons);
    setMinimumWidth(460);
}

int TFormInstrument::Show(InfoMode mode, const std::string& revisionText) {
    Rules.Show(mode, revisionText);
    Render();
    if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
    return exec();
}

void TFormInstrument::Render() {
    store::Dataset& record = Rules.TablePack;
    DBEditTitle->setText(FieldText(record, "Title"));
    DBEditModel->setText(FieldText(record, "Model"));
    DBEditPack->setText(FieldText(record, "Pack"));
    DBMemoDescription->setPlainText(FieldText(record, "Description"));
    DBEditCreator->setText(FieldText(record, "Creator"));
    DBEditDate->setText(FieldText(record, "Date"));
    DBEditCode->setText(FieldText(record, "Code"));
    DBEditCustomTitle->setText(FieldText(record, "CustomTitle"));
    DBMemoCustomDescription->setPlainText(FieldText(record, "CustomDescription"));

    SetControls({DBEditTitle, DBEditModel, DBEditPack, DBMemoDescription}, false);
    SetControls({DBEditCustomTitle, DBMemoCustomDescription}, Rules.Editable.Enabled);
    SetControls({DBEditCreator, DBEditDate, DBEditCode}, Rules.Rest.Enabled);
    BitBtnCancel->setVisible(Rules.CancelVisible);
    QFont font = LabelCode->font();
    font.setBold(true);
    font.setUnderline(Rules.CodeLabelUnderlined);
    LabelCode->setFont(font);
    ApplyFocus();
}

void TFormInstrument::SetControls(const std::vector<QWidget*>& panel, bool enabled) {
    for (QWidget* field : panel) {
        field->setEnabled(enabled);
        QPalette colours = field->palette();
        colours.setColor(QPalette::Base,
                         palette().color(enabled ? QPalette::Base : QPalette::Button));
        // The record stays readable in view mode: disabled fields differ by their background.
        colours.setColor(QPalette::Disabled, QPalette::Text,
                         palette().color(QPalette::Active, QPalette::Text));
        field->setPalette(colours);
    }
}

void TFormInstrument::ApplyFocus() {
    switch (Rules.Focus) {
        case InfoFocus::Ok:
            BitBtnOK->setFocus();
            break;
        case InfoFocus::Cancel:
            BitBtnCancel->setFocus();
            break;
        case InfoFocus::Code:
            DBEditCode->setFocus();
            break;
    }
}

void TFormInstrument::BitBtnOKClick() {
    const TypedFields typed{DBEditCustomTitle->text().toStdString(),
                            DBMemoCustomDescription->toPlainText().toStdString(),
                            DBEditCreator->text().toStdString(), DBEditDate->text().toStdString(),
                            DBEditCode->text().toStdString()};
    if (Rules.BitBtnOKClick(typed))
        accept();
    else
        ApplyFocus();
}

void TFormInstrument::LabelCodeClick() {
    if (ShowNote) ShowNote(text::VersionCodesNote);
}

void TFormInstrument::done(int result) {
    Rules.FormClose();
    QDialog::done(result);
}

bool TFormInstrument::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LabelCode && event->type() == QEvent::MouseButtonRelease) {
        LabelCodeClick();
        return true;
    }
    if (watched == DBEditCode && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        const bool allowed = typed.isEmpty() ||
                             (typed.size() == 1 && typed[0] >= '0' && typed[0] <= '9') ||
                             key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Return ||
                             key->key() == Qt::Key_Enter;
        return !allowed;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kv::catalogue::ui
