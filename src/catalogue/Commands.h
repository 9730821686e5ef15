#pragma once
// The main window's commands and buttons: what each is called, its hint, and the state the
// window renders.
#include <array>
#include <string>

namespace kv::catalogue {

// Each command is one action shared by menu and tool bar.
// The preference actions are PreferenceFlags.
enum class Command {
    New,
    Edit,
    Delete,
    Download,
    Note,
    Brief,
    Manual,
    Exit,
    Show,
    Options,
    Models
};
inline constexpr size_t CommandCount = 11;

struct CommandState {
    std::string Caption;  // "&" marks the accelerator
    std::string Hint;
    bool Enabled = true;
    bool Checked = false;
    bool operator==(const CommandState&) const = default;
};

// The state of a command before the first refresh: its design-time caption and hint.
CommandState InitialState(Command command);
// "ActionNew", "ActionEdit", ...: the object names.
const char* ObjectName(Command command);

// A category, model or view button.
struct ButtonState {
    const char* Caption;
    const char* Hint;
    bool Enabled = true;
    bool Down = false;
};

// Puts the button of this caption down and the others of its group up.
template <typename Buttons>
void PutDown(Buttons& buttons, const std::string& caption) {
    for (ButtonState& button : buttons) button.Down = caption == button.Caption;
}

// Pages of the main page control, in tab order.
enum class Page { Instruments, Configuration, Messages, PrinterText, Developer };
inline constexpr size_t PageCount = 5;
const char* CaptionOf(Page page);

// The catalogue's category buttons, top to bottom.
using CatalogueButtons = std::array<ButtonState, 8>;
CatalogueButtons InitialCatalogueButtons();
// The category buttons of the Configuration, Messages and Printer Text pages.
using ConfigurationButtons = std::array<ButtonState, 8>;
using MessagesButtons = std::array<ButtonState, 4>;
using PrinterButtons = std::array<ButtonState, 2>;
ConfigurationButtons InitialConfigurationButtons();
MessagesButtons InitialMessagesButtons();
PrinterButtons InitialPrinterButtons();
// The word of "OP_MENU_" a category button stands for: its caption, but "RELAYS" for the
// messages page's "ALARMS".
std::string MenuWord(Page page, const std::string& caption);

// Help menu items that need their document.
enum class HelpItem { UserGuide, ReleaseNotes, Overview746, Overview758 };
inline constexpr size_t HelpItemCount = 4;

}  // namespace kv::catalogue
