#pragma once
// A prompter for tests and headless runs: records every box and beep, answers from a script.
#include <deque>
#include <vector>

#include "Prompter.h"

namespace kv::base {

class ScriptedPrompter : public Prompter {
  public:
    struct Shown {
        std::string Text;
        MessageKind Kind;
        Buttons Choice;
    };

    std::vector<Shown> Boxes;
    int Beeps = 0;
    // Answers for boxes with a choice, in order; when empty, Yes or OK is given.
    std::deque<Answer> Answers;

    Answer Show(const std::string& text, MessageKind kind, Buttons buttons) override {
        Boxes.push_back({text, kind, buttons});
        if (buttons != Buttons::Ok && !Answers.empty()) {
            Answer a = Answers.front();
            Answers.pop_front();
            return a;
        }
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    void Beep() override { ++Beeps; }
    std::string LastText() const { return Boxes.empty() ? std::string() : Boxes.back().Text; }
};

}  // namespace kv::base
