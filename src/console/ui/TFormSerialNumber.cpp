#include "TFormSerialNumber.h"

#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "console/Texts.h"

namespace kv::console::ui {

TFormSerialNumber::TFormSerialNumber(base::Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      Prompter(prompter) {
    setObjectName("TFormSerialNumber");
    setWindowTitle(text::SerialNumberCaption);
    setModal(true);
    MaskEditNumber = new QLineEdit(this);
    MaskEditNumber->setObjectName("MaskEditNumber");
    MaskEditNumber->setInputMask("000000;_");  // six optional digits
    MaskEditNumber->setMaxLength(6);
    MaskEditTag = new QLineEdit(this);
    MaskEditTag->setObjectName("MaskEditTag");
    MaskEditTag->setMaxLength(static_cast<int>(SerialNumberForm::MaxLength));
    MaskEditTag->installEventFilter(this);
    ButtonOk = new QPushButton("OK", this);
    ButtonOk->setDefault(true);
    ButtonCancel = new QPushButton("Cancel", this);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    for (auto [caption, edit] :
         {std::pair{"Serial Number:", MaskEditNumber}, std::pair{"Unit Tag:", MaskEditTag}}) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        edit->setAccessibleName(caption);
        fields->addRow(label, edit);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    // Wide enough for the whole caption in the title bar (bold there in most window managers),
    // beside the bar's icon and buttons.
    QFont title = font();
    title.setBold(true);
    const int titleRoom = QFontMetrics(title).horizontalAdvance(windowTitle()) + 160;
    setFixedSize(std::max(sizeHint().width(), titleRoom), sizeHint().height());
}

bool TFormSerialNumber::Execute(SerialNumberForm& form) {
    Form = &form;
    MaskEditNumber->setText(QString::fromStdString(form.Number));
    MaskEditTag->setText(QString::fromStdString(form.Tag));
    MaskEditTag->setEnabled(form.TagEnabled);
    MaskEditNumber->setCursorPosition(0);
    MaskEditTag->setCursorPosition(0);
    MaskEditNumber->setFocus();
    const bool ok = exec() == QDialog::Accepted;
    Form = nullptr;
    return ok;
}

void TFormSerialNumber::accept() {
    if (!Form) return QDialog::accept();
    Form->Number = MaskEditNumber->text().toStdString();
    Form->Tag = MaskEditTag->text().toStdString();
    const SerialNumberForm::Refusal refusal = Form->CloseQuery(Prompter);
    QLineEdit* focus = refusal.Focus == SerialNumberForm::Field::Number ? MaskEditNumber
                       : refusal.Focus == SerialNumberForm::Field::Tag  ? MaskEditTag
                                                                        : nullptr;
    if (!focus) return QDialog::accept();
    focus->setFocus();
    focus->setCursorPosition(0);
}

bool TFormSerialNumber::eventFilter(QObject* watched, QEvent* event) {
    if (watched != MaskEditTag || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // Keys that move or leave the field are not typed characters.
    switch (key->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            return false;
        default:
            break;
    }
    const QString typed = key->text();
    if (typed.isEmpty()) return false;
    const QChar c = typed.at(0);
    if (c.unicode() < 0x80 && SerialNumberForm::TagKeyAllowed(static_cast<char>(c.unicode())))
        return false;
    Prompter.Beep();
    return true;
}

}  // namespace kv::console::ui
