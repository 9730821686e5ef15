#include "TFormOptions.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "editor/Texts.h"

namespace kv::editor::ui {

namespace {

QCheckBox* Box(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    box->setChecked(true);
    return box;
}

void Apply(QCheckBox* box, const CheckBoxState& state) {
    box->setVisible(state.Visible);
    box->setEnabled(state.Enabled);
    box->setChecked(state.Checked);
}

CheckBoxState StateOf(const QCheckBox* box) {
    return {!box->isHidden(), box->isEnabled(), box->isChecked()};
}

}  // namespace

TFormOptions::TFormOptions(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("TFormOptions");
    setWindowTitle(text::OptionsCaption);
    setModal(true);
    CheckBoxStandardModel = Box("CheckBoxStandardModel", text::StandardModel, this);
    CheckBoxStandardModel->hide();
    CheckBoxInFieldUnits = Box("CheckBoxInFieldUnits", text::InFieldUnits, this);
    CheckBoxClearTotals = Box("CheckBoxClearTotals", text::ClearTotals, this);
    CheckBoxClearLogs = Box("CheckBoxClearLogs", text::ClearLogs, this);
    ButtonOk = new QPushButton(text::OptionsOk, this);
    ButtonOk->setObjectName("ButtonOk");
    ButtonOk->setAccessibleName("OK");
    ButtonOk->setDefault(true);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(CheckBoxStandardModel, &QCheckBox::clicked, this, &TFormOptions::CoordinateCheckBoxes);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box :
         {CheckBoxStandardModel, CheckBoxInFieldUnits, CheckBoxClearTotals, CheckBoxClearLogs})
        layout->addWidget(box);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormOptions::Execute(catalogue::PreferenceFlags& flags, const std::string& model,
                           const std::string& pack) {
    Show(OptionsShown(flags, model, pack));
    ButtonOk->setFocus();
    exec();
    OptionsClosed(Boxes(), flags);
}

void TFormOptions::CoordinateCheckBoxes() {
    OptionBoxes boxes = Boxes();
    editor::CoordinateCheckBoxes(boxes);
    Show(boxes);
}

OptionBoxes TFormOptions::Boxes() const {
    return {StateOf(CheckBoxStandardModel), StateOf(CheckBoxInFieldUnits),
            StateOf(CheckBoxClearTotals), StateOf(CheckBoxClearLogs)};
}

void TFormOptions::Show(const OptionBoxes& boxes) {
    Apply(CheckBoxStandardModel, boxes.StandardModel);
    Apply(CheckBoxInFieldUnits, boxes.InFieldUnits);
    Apply(CheckBoxClearTotals, boxes.ClearTotals);
    Apply(CheckBoxClearLogs, boxes.ClearLogs);
}

}  // namespace kv::editor::ui
