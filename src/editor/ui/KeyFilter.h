#pragma once
// Key presses of a field checked as they are typed: a refused character is dropped with a beep.
// Keys that type no character (arrows, Delete, shortcuts such as a paste) are not the filter's:
// a pasted text reaches the value check instead.
#include <QObject>
#include <functional>

class QWidget;

namespace kv::editor::ui {

class KeyFilter : public QObject {
  public:
    // `passes` gets the key as the rules see it ('\b', '\t', '\r' or the character; 0 for one
    // outside ASCII) and the control it was typed into. The beep comes with the rules' filter.
    using Test = std::function<bool(char key, QWidget* control)>;
    KeyFilter(Test passes, QObject* parent);

    void Watch(QWidget* control);
    // Enter passed the filter: what the field does with it instead of its own handling.
    std::function<void(QWidget* control)> OnEnter;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Test Passes;
};

}  // namespace kv::editor::ui
