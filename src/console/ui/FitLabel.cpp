#include "FitLabel.h"

#include <QFontMetrics>
#include <algorithm>

namespace kv::console::ui {

FitLabel::FitLabel(double scale, QWidget* parent)
    : QLabel(parent), Largest(font()), Smallest(font().pointSizeF()) {
    Largest.setPointSizeF(Largest.pointSizeF() * scale);
    Largest.setBold(true);
    setFont(Largest);
}

void FitLabel::SetText(const QString& text) {
    if (text == this->text()) return;
    setText(text);
    Fit();
}

void FitLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void FitLabel::Fit() {
    // The frame, the margin and a character's width of air on either side.
    const int room =
        contentsRect().width() - 2 * margin() - 2 * QFontMetrics(Largest).averageCharWidth();
    QFont fitted = Largest;
    while (fitted.pointSizeF() > Smallest && QFontMetrics(fitted).horizontalAdvance(text()) > room)
        fitted.setPointSizeF(std::max(Smallest, fitted.pointSizeF() - 0.5));
    setFont(fitted);
    setWordWrap(QFontMetrics(fitted).horizontalAdvance(text()) > room);
}

}  // namespace kv::console::ui
