#include "catalogue/ui/TFormIntro.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "catalogue/Texts.h"
#include "catalogue/ui/Pictures.h"

namespace kv::catalogue::ui {

TFormIntro::TFormIntro(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
    setObjectName("TFormIntro");
    setWindowTitle(text::IntroCaption);
    setAccessibleName(text::IntroCaption);
    ImageIntro = new QLabel(this);
    ImageIntro->setObjectName("ImageIntro");
    ImageIntro->setAccessibleName(text::ProductName);
    ImageIntro->setPixmap(IntroPicture());
    ImageIntro->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ImageIntro);
    setFixedSize(ImageIntro->pixmap().size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Ten seconds from the creation at program start, not from being shown: an introduction
    // shown later stays until it is clicked.
    TimerIntro = new QTimer(this);
    TimerIntro->setObjectName("TimerIntro");
    TimerIntro->setSingleShot(true);
    TimerIntro->setInterval(10000);
    connect(TimerIntro, &QTimer::timeout, this, [this] { FormClick(); });
    connect(this, &QDialog::finished, TimerIntro, &QTimer::stop);
    TimerIntro->start();
}

void TFormIntro::FormClick() {
    TimerIntro->stop();
    if (isVisible()) accept();
}

void TFormIntro::mousePressEvent(QMouseEvent*) {
    FormClick();
}

void TFormIntro::keyPressEvent(QKeyEvent*) {
    FormClick();
}

bool TFormIntro::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ImageIntro && event->type() == QEvent::MouseButtonPress) {
        FormClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kv::catalogue::ui
