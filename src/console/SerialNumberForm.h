#pragma once
// The rules of the serial number dialog; the window and the command line only show and fill it.
#include <string>

#include "base/Prompter.h"

namespace kv::console {

class SerialNumberForm {
  public:
    enum class Field { None, Number, Tag };

    struct Refusal {
        Field Focus = Field::None;  // where the cursor goes; None when the dialog may close
        const char* Message = nullptr;
    };

    std::string Number;
    std::string Tag;
    bool TagEnabled = false;  // only when the image has a unit-tag item

    // Values each showing starts from.
    void FormShow();

    // Keys the tag field takes; any other is dropped with a beep.
    static bool TagKeyAllowed(char key);
    // A whole tag as the field could hold it: at most 6 characters, each one a key it takes.
    static bool TagTextAllowed(const std::string& tag);

    // Checks made when the dialog closes with OK: beeps and warns on the first failure.
    Refusal CloseQuery(base::Prompter& prompter) const;

    static constexpr size_t MaxLength = 6;
};

}  // namespace kv::console
