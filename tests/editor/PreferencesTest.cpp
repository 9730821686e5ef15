// The preferences' rules without the dialog: which boxes it offers, the hardware box
// governing the units box, and what closing writes into the flags.
#include <gtest/gtest.h>

#include "editor/Preferences.h"

namespace kv::editor {
namespace {

using catalogue::PreferenceFlags;

PreferenceFlags ModelSelected(const std::string& model) {
    PreferenceFlags flags;
    flags.OriginalEnabled = model == "758";
    return flags;
}

TEST(Preferences, UnitsBoxIsOfferedExceptForFgAndBcOn746) {
    struct Case {
        const char *Model, *Pack;
        bool Visible;
    };
    for (const Case& c :
         {Case{"746", "FC01", true}, Case{"746", "FG01", false}, Case{"746", "BC01", false},
          Case{"758", "FG01", true}, Case{"758", "BC02", true}, Case{"746", "ST01", true}}) {
        const OptionBoxes boxes = OptionsShown(ModelSelected(c.Model), c.Model, c.Pack);
        EXPECT_EQ(boxes.InFieldUnits.Visible, c.Visible) << c.Model << "-" << c.Pack;
        EXPECT_TRUE(boxes.InFieldUnits.Enabled) << c.Model << "-" << c.Pack;
        EXPECT_TRUE(boxes.InFieldUnits.Checked) << c.Model << "-" << c.Pack;
        EXPECT_FALSE(boxes.StandardModel.Visible);
        EXPECT_EQ(boxes.StandardModel.Enabled, std::string(c.Model) == "758");
    }
}

TEST(Preferences, StandardHardwareBoxGovernsTheUnitsBox) {
    OptionBoxes boxes = OptionsShown(ModelSelected("758"), "758", "FP01");
    boxes.StandardModel.Checked = false;
    CoordinateCheckBoxes(boxes);
    EXPECT_FALSE(boxes.InFieldUnits.Enabled);
    EXPECT_FALSE(boxes.InFieldUnits.Checked);

    boxes.StandardModel.Checked = true;
    CoordinateCheckBoxes(boxes);
    EXPECT_TRUE(boxes.InFieldUnits.Enabled);
    EXPECT_FALSE(boxes.InFieldUnits.Checked);  // the user checks it again if wanted

    // A disabled hardware box (model 746) never takes the units away, checked or not.
    boxes.StandardModel = {false, false, false};
    boxes.InFieldUnits.Checked = true;
    CoordinateCheckBoxes(boxes);
    EXPECT_TRUE(boxes.InFieldUnits.Enabled);
    EXPECT_TRUE(boxes.InFieldUnits.Checked);
}

TEST(Preferences, ClosingWritesEveryBoxAndShowingReadsItBack) {
    PreferenceFlags flags = ModelSelected("758");
    OptionBoxes boxes = OptionsShown(flags, "758", "FP01");
    boxes.StandardModel.Checked = false;
    CoordinateCheckBoxes(boxes);
    boxes.ClearLogs.Checked = false;
    OptionsClosed(boxes, flags);
    EXPECT_TRUE(flags.OriginalEnabled);
    EXPECT_TRUE(flags.Original);
    EXPECT_FALSE(flags.InFieldUnits);
    EXPECT_TRUE(flags.ClearTotals);
    EXPECT_FALSE(flags.ClearLogs);

    const OptionBoxes again = OptionsShown(flags, "758", "FP01");
    EXPECT_FALSE(again.StandardModel.Checked);
    EXPECT_FALSE(again.InFieldUnits.Enabled);
    EXPECT_TRUE(again.ClearTotals.Checked);
    EXPECT_FALSE(again.ClearLogs.Checked);

    // A hidden units box still carries its state through.
    PreferenceFlags fg = ModelSelected("746");
    OptionBoxes hidden = OptionsShown(fg, "746", "FG01");
    hidden.InFieldUnits.Checked = false;
    hidden.ClearTotals.Checked = false;
    OptionsClosed(hidden, fg);
    EXPECT_FALSE(fg.Original);
    EXPECT_FALSE(fg.InFieldUnits);
    EXPECT_FALSE(fg.ClearTotals);
    EXPECT_TRUE(fg.ClearLogs);
}

}  // namespace
}  // namespace kv::editor
