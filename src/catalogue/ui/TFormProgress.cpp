#include "catalogue/ui/TFormProgress.h"

#include <QVBoxLayout>

#include "catalogue/Texts.h"

namespace kv::catalogue::ui {

TFormProgress::TFormProgress(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint) {
    setObjectName("TFormProgress");
    setWindowTitle(text::ProgressCaption);
    setAccessibleName(text::ProgressCaption);
    setModal(false);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setAccessibleName(text::ProgressCaption);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProgressBar1);
    setFixedSize(380, 60);
}

void TFormProgress::ShowCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
    setAccessibleName(windowTitle());
    if (!isVisible()) {
        if (const QWidget* owner = parentWidget())
            move(owner->geometry().center() - QPoint(width() / 2, height() / 2));
        show();
    }
    repaint();
}

void TFormProgress::SetProgress(int position, int max) {
    ProgressBar1->setRange(0, std::max(1, max));  // an empty range would animate as "busy"
    ProgressBar1->setValue(std::clamp(position, 0, ProgressBar1->maximum()));
    ProgressBar1->repaint();
}

}  // namespace kv::catalogue::ui
