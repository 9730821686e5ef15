#pragma once
// The user texts of the "Messages" and "Printer Text" pages: which items carry one, the
// characters and length they take, and the printer grid's column guard. The category buttons
// and the tab rule are the manager's.
#include <string>
#include <string_view>

namespace kv::store {
class Dataset;
}

namespace kv::editor {

inline constexpr size_t PrinterTextLength = 30;

enum class TextKind { None, Message, PrinterLine };

// By the item's Menu: errors, warnings, relays (the "ALARMS" button) and prompts are messages,
// headers and footers printer lines.
TextKind TextKindOf(std::string_view menu);

// The key filter of the user text of that kind.
bool UserTextKeyPasses(TextKind kind, char key);

// Why the text cannot be the item's user text; empty when it can.
std::string UserTextRefusal(TextKind kind, std::string_view text);

// The column the printer grid selects when `column` (0 "List of Items", 1 the user text) is
// entered or the grid gets the focus: always the user text.
inline int PrintTextColumnEnter(int /*column*/) {
    return 1;
}

// Puts the user text into the current item of the version table (HighLimit) and posts it;
// refused texts throw std::invalid_argument with the refusal, leaving the record as it was.
void SetUserText(store::Dataset& version, const std::string& text);

}  // namespace kv::editor
