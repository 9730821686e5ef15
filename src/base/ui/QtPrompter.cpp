#include "QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace kv::base::ui {

namespace {

// A message belongs to the dialog that raised it: above it, and with the focus, even when that
// dialog stays on top of everything else.
QWidget* OwnerOf(QWidget* fallback) {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return fallback;
}

}  // namespace

Answer QtPrompter::Show(const std::string& text, MessageKind kind, Buttons buttons) {
    static const struct {
        QMessageBox::Icon icon;
        const char* caption;
    } kinds[] = {{QMessageBox::Warning, "Warning"},
                 {QMessageBox::Critical, "Error"},
                 {QMessageBox::Information, "Information"},
                 {QMessageBox::Question, "Confirm"}};
    const auto& k = kinds[static_cast<int>(kind)];
    QMessageBox::StandardButtons choice = QMessageBox::Ok;
    if (buttons == Buttons::OkCancel) choice = QMessageBox::Ok | QMessageBox::Cancel;
    if (buttons == Buttons::YesNo) choice = QMessageBox::Yes | QMessageBox::No;
    QWidget* owner = OwnerOf(Parent);
    QMessageBox box(k.icon, k.caption, QString::fromStdString(text), choice, owner);
    if (owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.show();
    box.raise();
    box.activateWindow();
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

void QtPrompter::Beep() {
    QApplication::beep();
}

}  // namespace kv::base::ui
