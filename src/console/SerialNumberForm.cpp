#include "SerialNumberForm.h"

#include <algorithm>
#include <cstring>

#include "Texts.h"

namespace kv::console {

void SerialNumberForm::FormShow() {
    Number = text::FirstSerial;
    Tag = TagEnabled ? text::FirstTag : text::NoTag;
}

bool SerialNumberForm::TagKeyAllowed(char key) {
    if (key == '\b' || key == '\r' || key == ' ') return true;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z'))
        return true;
    return key != '\0' && std::strchr("%&*+-/^_~@", key) != nullptr;
}

bool SerialNumberForm::TagTextAllowed(const std::string& tag) {
    return tag.size() <= MaxLength && std::all_of(tag.begin(), tag.end(), [](char c) {
               return c != '\b' && c != '\r' && TagKeyAllowed(c);
           });
}

SerialNumberForm::Refusal SerialNumberForm::CloseQuery(base::Prompter& prompter) const {
    const bool sixDigits =
        Number.size() == 6 &&
        std::all_of(Number.begin(), Number.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!sixDigits) {
        prompter.Beep();
        prompter.Warning(text::InvalidSerial);
        return {Field::Number, text::InvalidSerial};
    }
    // Trimming drops blanks and control characters alike.
    const bool blank = std::all_of(Tag.begin(), Tag.end(),
                                   [](char c) { return static_cast<unsigned char>(c) <= ' '; });
    if (blank) {
        prompter.Beep();
        prompter.Warning(text::InvalidTag);
        return {Field::Tag, text::InvalidTag};
    }
    return {};
}

}  // namespace kv::console
