#include "TFormAbout.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "console/Texts.h"

namespace kv::console::ui {

TFormAbout::TFormAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("TFormAbout");
    setWindowTitle(text::AboutCaption);
    setModal(true);
    LabelProduct = new QLabel(this);
    LabelRevision = new QLabel(this);
    LabelMaker = new QLabel(text::AboutMaker, this);
    LabelHomePage = new QLabel(text::AboutHomePage, this);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    for (QLabel* label : {LabelProduct, LabelRevision, LabelMaker, LabelHomePage})
        layout->addWidget(label);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kv::console::ui
