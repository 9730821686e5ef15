#pragma once
// Message boxes and beeps on the desktop.
#include <QWidget>

#include "base/Prompter.h"

namespace kv::base::ui {

class QtPrompter : public Prompter {
  public:
    // Boxes belong to the modal dialog that is up, else to `parent` (the application when null).
    void SetParent(QWidget* parent) { Parent = parent; }
    Answer Show(const std::string& text, MessageKind kind, Buttons buttons) override;
    void Beep() override;

  private:
    QWidget* Parent = nullptr;
};

}  // namespace kv::base::ui
