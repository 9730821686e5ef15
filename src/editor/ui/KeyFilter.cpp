#include "editor/ui/KeyFilter.h"

#include <QKeyEvent>
#include <QWidget>
#include <optional>

namespace kv::editor::ui {

namespace {

// The character a key press types, as the rules see it; nullopt when it types none.
std::optional<char> KeyOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Backspace:
            return '\b';
        case Qt::Key_Tab:
            return '\t';
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return '\r';
        default:
            break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return std::nullopt;
    const QString text = event.text();
    if (text.isEmpty() || !text[0].isPrint()) return std::nullopt;
    const char16_t c = text[0].unicode();
    return c < 0x80 ? static_cast<char>(c) : '\0';
}

}  // namespace

KeyFilter::KeyFilter(Test passes, QObject* parent) : QObject(parent), Passes(std::move(passes)) {}

void KeyFilter::Watch(QWidget* control) {
    control->installEventFilter(this);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* control = qobject_cast<QWidget*>(watched);
    const std::optional<char> key = KeyOf(*static_cast<QKeyEvent*>(event));
    if (!control || !key) return false;
    if (!Passes(*key, control)) return true;
    if (*key == '\r' && OnEnter) {
        OnEnter(control);
        return true;
    }
    return false;
}

}  // namespace kv::editor::ui
