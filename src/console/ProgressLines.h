#pragma once
// Progress on standard output. On a terminal each port has one status line, redrawn in place,
// and lasting lines (final messages, results, questions) are written above them. Elsewhere (a
// file, a pipe) every change of a port's message is a line of its own, and so is every tenth of
// the image a download gets through.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace kv::console {

class UnitProgress;

class ProgressLines {
  public:
    // `width`: the terminal's columns; status lines are cut to fit so that redrawing stays in
    // place.
    ProgressLines(std::ostream& out, bool terminal, size_t slots, size_t width = 80);
    ~ProgressLines();
    // On standard output, as wide as its terminal when it is one.
    static std::unique_ptr<ProgressLines> ForStandardOutput(size_t slots);

    bool Terminal() const { return IsTerminal; }

    // A new unit on the slot: its tenths count from the start again.
    void Restart(size_t slot);
    // The slot's state after a message or a block; `status` is its whole status line.
    void Update(size_t slot, const UnitProgress& progress, const std::string& status,
                const std::string& message);
    // The slot's unit ended with this message line: it stays, and the slot's status line goes.
    void Finish(size_t slot, const std::string& message);
    // A line that stays.
    void Print(const std::string& line);

  private:
    void Erase();
    void Draw();

    std::ostream& Out;
    bool IsTerminal;
    size_t Width;
    std::vector<std::string> Status;    // terminal: the status line of each slot
    std::vector<std::string> Messages;  // elsewhere: the last message line printed per slot
    std::vector<int> Tenths;            // elsewhere: the last tenth printed per slot
    size_t Drawn = 0;                   // status lines on the screen below the lasting ones
};

}  // namespace kv::console
