#include "TFormSavePack.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace kv::console::ui {

namespace {

Qt::CheckState ToQt(CheckState state) {
    switch (state) {
        case CheckState::Checked:
            return Qt::Checked;
        case CheckState::Grayed:
            return Qt::PartiallyChecked;
        default:
            return Qt::Unchecked;
    }
}

CheckState FromQt(Qt::CheckState state) {
    switch (state) {
        case Qt::Checked:
            return CheckState::Checked;
        case Qt::PartiallyChecked:
            return CheckState::Grayed;
        default:
            return CheckState::Unchecked;
    }
}

}  // namespace

TFormSavePack::TFormSavePack(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("TFormSavePack");
    setModal(true);
    CheckBoxBinary = new QCheckBox("Binary", this);
    CheckBoxBinary->setObjectName("CheckBoxBinary");
    CheckBoxBinary->setTristate(true);
    CheckBoxReport = new QCheckBox("Report", this);
    CheckBoxReport->setObjectName("CheckBoxReport");
    CheckBoxManual = new QCheckBox("Manual", this);
    CheckBoxManual->setObjectName("CheckBoxManual");
    Boxes[SavePackForm::Binary] = CheckBoxBinary;
    Boxes[SavePackForm::Report] = CheckBoxReport;
    Boxes[SavePackForm::Manual] = CheckBoxManual;
    for (int box = SavePackForm::Binary; box <= SavePackForm::Manual; ++box)
        connect(Boxes[box], &QCheckBox::clicked, this,
                [this, box] { CheckBoxClick(static_cast<SavePackForm::Box>(box)); });
    ButtonOk = new QPushButton("OK", this);
    ButtonOk->setDefault(true);
    ButtonCancel = new QPushButton("Cancel", this);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* boxes = new QHBoxLayout;
    for (QCheckBox* box : Boxes) boxes->addWidget(box);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(buttons);
    setMinimumWidth(320);
}

void TFormSavePack::Show() {
    for (int box = SavePackForm::Binary; box <= SavePackForm::Manual; ++box) {
        Boxes[box]->setCheckState(ToQt(Form->Boxes[box].State));
        Boxes[box]->setEnabled(Form->Boxes[box].Enabled);
    }
    setWindowTitle(QString::fromStdString(Form->Caption));
}

void TFormSavePack::CheckBoxClick(SavePackForm::Box box) {
    if (!Form) return;
    Form->Boxes[box].State = FromQt(Boxes[box]->checkState());
    Form->CheckBoxClick(box);
    Show();
}

bool TFormSavePack::Execute(SavePackForm& form) {
    Form = &form;
    Show();
    const bool ok = exec() == QDialog::Accepted;
    Form = nullptr;
    return ok;
}

}  // namespace kv::console::ui
