#include "editor/Messages.h"

#include <stdexcept>

#include "editor/ValueEntry.h"
#include "store/Dataset.h"

namespace kv::editor {

TextKind TextKindOf(std::string_view menu) {
    for (const char* word : {"ERRORS", "WARNINGS", "RELAYS", "PROMPTS"})
        if (menu.starts_with(std::string("OP_MENU_") + word)) return TextKind::Message;
    for (const char* word : {"HEADERS", "FOOTERS"})
        if (menu.starts_with(std::string("OP_MENU_") + word)) return TextKind::PrinterLine;
    return TextKind::None;
}

bool UserTextKeyPasses(TextKind kind, char key) {
    switch (kind) {
        case TextKind::Message:
            return TagKeyPasses(key);
        case TextKind::PrinterLine:
            return PrintTextKeyPasses(key);
        case TextKind::None:
            break;
    }
    return false;
}

std::string UserTextRefusal(TextKind kind, std::string_view text) {
    if (kind == TextKind::None) return "The item has no user text";
    const char* what = kind == TextKind::Message ? "a message" : "a printer text";
    for (char c : text)
        if (c == KeyBackspace || c == KeyEnter || !UserTextKeyPasses(kind, c))
            return "The character \"" + std::string(1, c) + "\" cannot be typed in " + what;
    if (kind == TextKind::PrinterLine && text.size() > PrinterTextLength)
        return "A printer text takes at most " + std::to_string(PrinterTextLength) + " characters";
    return {};
}

void SetUserText(store::Dataset& version, const std::string& text) {
    const std::string refusal =
        UserTextRefusal(TextKindOf(version.FieldByName("Menu").AsString()), text);
    if (!refusal.empty()) throw std::invalid_argument(refusal);
    version.Edit();
    try {
        version.FieldByName("HighLimit").SetAsString(text);
        version.Post();
    } catch (...) {
        version.Cancel();
        throw;
    }
}

}  // namespace kv::editor
