#include "editor/Preferences.h"

#include "builder/Units.h"

namespace kv::editor {

OptionBoxes OptionsShown(const catalogue::PreferenceFlags& flags, const std::string& model,
                         const std::string& pack) {
    OptionBoxes boxes;
    boxes.StandardModel = {false, flags.OriginalEnabled, !flags.Original};
    boxes.InFieldUnits = {
        builder::InFieldUnitsVisible(builder::Target::For(model, pack, flags.Original)), true,
        flags.InFieldUnits};
    boxes.ClearTotals.Checked = flags.ClearTotals;
    boxes.ClearLogs.Checked = flags.ClearLogs;
    CoordinateCheckBoxes(boxes);
    return boxes;
}

void CoordinateCheckBoxes(OptionBoxes& boxes) {
    boxes.InFieldUnits.Enabled = boxes.StandardModel.Checked || !boxes.StandardModel.Enabled;
    if (!boxes.InFieldUnits.Enabled) boxes.InFieldUnits.Checked = false;
}

void OptionsClosed(const OptionBoxes& boxes, catalogue::PreferenceFlags& flags) {
    flags.Original = !boxes.StandardModel.Checked;
    flags.InFieldUnits = boxes.InFieldUnits.Checked;
    flags.ClearTotals = boxes.ClearTotals.Checked;
    flags.ClearLogs = boxes.ClearLogs.Checked;
}

}  // namespace kv::editor
