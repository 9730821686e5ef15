#include "AboutBox.h"

namespace kv::docs::ui {

void HelpAbout(console::ui::TFormAbout& form, const TAboutTexts& texts) {
    form.LabelProduct->setText(QString::fromStdString(texts.Product));
    form.LabelRevision->setText(QString::fromStdString(texts.Revision));
    form.LabelHomePage->setText(QString::fromStdString(texts.WebAddress));
    form.exec();
}

}  // namespace kv::docs::ui
