#pragma once
// The preferences dialog's rules: which boxes it offers, how the hardware box governs the
// units box, and what closing it writes into the preference flags.
#include <string>

#include "catalogue/PreferenceFlags.h"

namespace kv::editor {

struct CheckBoxState {
    bool Visible = true;
    bool Enabled = true;
    bool Checked = true;
};

struct OptionBoxes {
    CheckBoxState StandardModel;  // CheckBoxStandardModel, never shown
    CheckBoxState InFieldUnits;   // CheckBoxInFieldUnits
    CheckBoxState ClearTotals;    // CheckBoxClearTotals
    CheckBoxState ClearLogs;      // CheckBoxClearLogs
};

// The boxes as the dialog shows them for the selected model and pack: they show the flags,
// the units box only where programmable units are offered, the hardware box enabled only
// while ActionOriginal is; then coordinated.
OptionBoxes OptionsShown(const catalogue::PreferenceFlags& flags, const std::string& model,
                         const std::string& pack);

// The units box is enabled exactly when the standard-hardware box is checked or disabled,
// and unchecked whenever it is disabled.
void CoordinateCheckBoxes(OptionBoxes& boxes);

// Closing the dialog, by OK or by the close box, keeps what the boxes hold.
void OptionsClosed(const OptionBoxes& boxes, catalogue::PreferenceFlags& flags);

}  // namespace kv::editor
