#include "ProgressLines.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <iostream>

#include "UnitProgress.h"

namespace kv::console {

ProgressLines::ProgressLines(std::ostream& out, bool terminal, size_t slots, size_t width)
    : Out(out),
      IsTerminal(terminal),
      Width(width > 1 ? width - 1 : 79),
      Status(slots),
      Messages(slots),
      Tenths(slots, 0) {}

std::unique_ptr<ProgressLines> ProgressLines::ForStandardOutput(size_t slots) {
    const bool terminal = ::isatty(STDOUT_FILENO);
    winsize size{};
    const bool sized =
        terminal && ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0;
    return std::make_unique<ProgressLines>(std::cout, terminal, slots, sized ? size.ws_col : 80);
}

ProgressLines::~ProgressLines() {
    if (Drawn == 0) return;
    Out << "\n" << std::flush;
}

void ProgressLines::Restart(size_t slot) {
    Messages.at(slot).clear();
    Tenths.at(slot) = 0;
}

void ProgressLines::Update(size_t slot, const UnitProgress& progress, const std::string& status,
                           const std::string& message) {
    if (IsTerminal) {
        const std::string line = status.substr(0, Width);
        if (line == Status.at(slot)) return;
        Status[slot] = line;
        Draw();
        return;
    }
    if (message != Messages.at(slot)) {
        Messages[slot] = message;
        Out << message << "\n";
    }
    const int tenth = progress.Downloading() ? progress.Percent() / 10 : 0;
    if (tenth > Tenths[slot]) {
        Tenths[slot] = tenth;
        Out << status << "\n";
    }
    Out << std::flush;
}

void ProgressLines::Finish(size_t slot, const std::string& message) {
    if (IsTerminal) {
        Status.at(slot).clear();
        Print(message);
    } else if (message != Messages.at(slot)) {
        Messages[slot] = message;
        Print(message);
    }
}

void ProgressLines::Print(const std::string& line) {
    if (!IsTerminal) {
        Out << line << std::endl;
        return;
    }
    Erase();
    Out << line << "\n";
    Draw();
}

// Back to the first status line, cleared to the end of the screen.
void ProgressLines::Erase() {
    if (Drawn == 0) return;
    Out << "\r";
    if (Drawn > 1) Out << "\x1b[" << Drawn - 1 << "A";
    Out << "\x1b[J";
    Drawn = 0;
}

// The cursor stays at the end of the last status line, so that a single line redraws with "\r".
void ProgressLines::Draw() {
    Erase();
    size_t shown = 0;
    for (const std::string& line : Status) {
        if (line.empty()) continue;
        Out << (shown++ ? "\n" : "") << line;
    }
    Drawn = shown;
    Out << std::flush;
}

}  // namespace kv::console
