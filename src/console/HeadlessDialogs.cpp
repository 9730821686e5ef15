#include "HeadlessDialogs.h"

namespace kv::console {

bool HeadlessDialogs::ExecuteSerialNumber(SerialNumberForm& form) {
    Refusal.clear();
    if (Units.empty()) {
        Refusal = "No unit left to program";
        return false;
    }
    UnitEntry unit = Units.front();
    Units.pop_front();
    form.Number = unit.Serial;
    // A disabled tag field keeps its " N/A" whatever is given.
    if (unit.Tag && form.TagEnabled) {
        if (!SerialNumberForm::TagTextAllowed(*unit.Tag)) {
            Prompter.Beep();
            Refusal = "Unit tag \"" + *unit.Tag +
                      "\" does not fit the tag field: at most 6 letters, digits, blanks or % & * + "
                      "- / ^ _ ~ @";
            return false;
        }
        form.Tag = *unit.Tag;
    }
    SerialNumberForm::Refusal refusal = form.CloseQuery(Prompter);
    if (refusal.Focus != SerialNumberForm::Field::None) {
        Refusal = refusal.Message;
        return false;
    }
    return true;
}

}  // namespace kv::console
