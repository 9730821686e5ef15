#pragma once
// Message boxes and beeps as the rules of the system see them. The windows show real boxes;
// tests and the command line use other implementations.
#include <string>

namespace kv::base {

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

class Prompter {
  public:
    virtual ~Prompter() = default;
    // Shows a modal box with a fixed text, kind and buttons; returns the button chosen.
    virtual Answer Show(const std::string& text, MessageKind kind, Buttons buttons) = 0;
    virtual void Beep() = 0;

    void Warning(const std::string& text) { Show(text, MessageKind::Warning, Buttons::Ok); }
    void Error(const std::string& text) { Show(text, MessageKind::Error, Buttons::Ok); }
    void Information(const std::string& text) { Show(text, MessageKind::Information, Buttons::Ok); }
};

}  // namespace kv::base
