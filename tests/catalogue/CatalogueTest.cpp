// Model and category buttons, the two views, the selection and the command states.
#include <filesystem>

#include "InstallFixture.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionRules.h"
#include "store/FileAccess.h"

namespace kv::catalogue::test {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

std::vector<std::string> Enabled(const CatalogueButtons& buttons) {
    std::vector<std::string> on;
    for (const ButtonState& b : buttons)
        if (b.Enabled) on.push_back(b.Caption);
    return on;
}

std::string Down(const CatalogueButtons& buttons) {
    for (const ButtonState& b : buttons)
        if (b.Down) return b.Caption;
    return {};
}

}  // namespace

using Catalogue = InstallFixture;

TEST_F(Catalogue, ModelSelectionEnablesExactCategoriesButNeverLoad) {
    Manager& m = Start();
    // 758-SH01 is listed as "STEAM HEAT"; 758-LC01 is the only LOAD application.
    EXPECT_EQ(Enabled(m.CategoryButtons),
              (Names{"FLOW", "STEAM", "GAS", "HEAT", "BATCH", "CONTROL", "OTHER"}));
    EXPECT_EQ(Down(m.CategoryButtons), "FLOW");
    EXPECT_EQ(Listed(), (Names{"FC01-000000", "FP01-000000", "FT01-000000"}));
    EXPECT_TRUE(m.ApplicationsView);
    EXPECT_TRUE(m.ApplicationsButton.Down);
    EXPECT_EQ(m.Side, SidePage::Image);

    m.FrameButtons1SpeedButtonClick("HEAT");
    EXPECT_EQ(Listed(), (Names{"HC01-000000", "SH01-000000"}));
    m.FrameButtons1SpeedButtonClick("STEAM");
    EXPECT_EQ(Listed(), (Names{"SH01-000000", "ST01-000000"}));
    EXPECT_EQ(Down(m.CategoryButtons), "STEAM");

    m.SpeedButtonModelClick("746");
    EXPECT_EQ(Enabled(m.CategoryButtons), (Names{"FLOW", "STEAM", "HEAT", "BATCH", "OTHER"}));
    EXPECT_EQ(Down(m.CategoryButtons), "FLOW");
    EXPECT_EQ(Listed(), (Names{"FC01-000000", "FG01-000000", "FP01-000000"}));
    EXPECT_EQ(m.StatusRevision, "Revision: 2.8.8.5");
    EXPECT_FALSE(m.Preferences.OriginalEnabled);
    EXPECT_TRUE(m.ModelButtons[0].Down && !m.ModelButtons[1].Down);
}

TEST_F(Catalogue, PressingTheModelButtonThatIsDownChangesNothing) {
    Manager& m = Start();
    m.FrameButtons1SpeedButtonClick("GAS");
    fs::remove("740-ggui.h");
    m.SpeedButtonModelClick("758");
    EXPECT_EQ(m.FilterBox.Text(Slot::Button), "GAS");
    EXPECT_EQ(Listed(), (Names{"GN01-000000"}));
    EXPECT_FALSE(fs::exists("740-ggui.h"));
}

TEST_F(Catalogue, TwoWordCategoriesAndTheLoadRule) {
    // Only two-word records for STEAM and HEAT, and LOAD as the first exact category.
    WritePacks(FactoryPackTable(), {{"STEAM HEAT", "758", "SH01", "000000", "Steam Heat", ""},
                                    {"LOAD", "758", "LC01", "000000", "Load", ""},
                                    {"OTHER", "758", "MP01", "000000", "Monitor", ""}});
    Manager& m = Start();
    EXPECT_EQ(Enabled(m.CategoryButtons), (Names{"OTHER"}));
    EXPECT_EQ(Down(m.CategoryButtons), "LOAD");
    EXPECT_EQ(Listed(), (Names{"LC01-000000"}));
    m.FrameButtons1SpeedButtonClick("HEAT");
    EXPECT_EQ(Listed(), (Names{"SH01-000000"}));
}

TEST_F(Catalogue, VersionsAndBackReturnToTheSameApplication) {
    AddCustomVersion("758", "FP01", "000002", "Second");
    AddCustomVersion("758", "FP01", "000001", "First");
    Manager& m = Start();
    Select("FP01");
    m.SpeedButtonVersionsClick();
    EXPECT_EQ(Listed(), (Names{"FP01-000000", "FP01-000001", "FP01-000002"}));
    EXPECT_FALSE(m.ApplicationsView);
    EXPECT_TRUE(m.VersionsButton.Down && !m.ApplicationsButton.Down);
    EXPECT_EQ(m.Side, SidePage::Custom);
    EXPECT_FALSE(m.Columns.Pack || m.Columns.Title);
    EXPECT_TRUE(m.Columns.Code && m.Columns.CustomTitle);

    Select("FP01", "000002");
    EXPECT_EQ(m.FilterBox.Text(Slot::Version), "758-FP01-000002");
    EXPECT_EQ(m.FilterBox.Text(Slot::FileName), "..\\dbs\\user\\758-FP01-000002.db");
    EXPECT_TRUE(m.FilterBox.Flag(Slot::FileName));
    m.SpeedButtonApplicationsClick();
    EXPECT_EQ(Listed(), (Names{"FC01-000000", "FP01-000000", "FT01-000000"}));
    EXPECT_EQ(m.FilterBox.Text(Slot::Version), "758-FP01-000000");
    EXPECT_TRUE(m.Columns.Pack && m.Columns.Title && !m.Columns.Code && !m.Columns.CustomTitle);

    // Once in the Applications view, its button keeps the selection where it is.
    Select("FC01");
    m.SpeedButtonApplicationsClick();
    EXPECT_EQ(m.FilterBox.Text(Slot::Version), "758-FC01-000000");
}

TEST_F(Catalogue, TheSelectionFillsTheRecordAndTheHeading) {
    Manager& m = Start();
    Select("FC01");
    const SelectionRecord& box = m.FilterBox;
    EXPECT_EQ(box.Text(Slot::Customer), "000000");
    EXPECT_EQ(box.Text(Slot::ModelPack), "758-FC01");
    EXPECT_EQ(box.Text(Slot::FileName), "..\\dbs\\default\\758-FC01-000000.db");
    EXPECT_EQ(box.Text(Slot::Manual), "..\\docs\\manuals\\758-FC01-OM.pdf");
    EXPECT_EQ(box.Text(Slot::Brief), "..\\docs\\briefs\\758-FC01-AP.pdf");
    EXPECT_EQ(box.Text(Slot::Class), "01");
    EXPECT_TRUE(box.Flag(Slot::FileName) && box.Flag(Slot::Brief) && box.Flag(Slot::Manual));
    EXPECT_EQ(m.HeadingVersion, "758-FC01-000000");
    EXPECT_EQ(m.HeadingClass, "Class 01");
    EXPECT_EQ(m.HeadingTitle, "Flow Computer");

    // The demo leaves out the manual of 758-MP01 and the brief of 758-PP01.
    m.FrameButtons1SpeedButtonClick("OTHER");
    m.ActionIdleUpdate();
    EXPECT_FALSE(box.Flag(Slot::Manual));
    EXPECT_FALSE(m.State(Command::Manual).Enabled);
    EXPECT_TRUE(m.State(Command::Brief).Enabled);
}

TEST_F(Catalogue, AVersionWithoutItsTableDisablesTheCommandsAndBlocksPageChanges) {
    Manager& m = Start();
    Select("FP01");
    m.ActionIdleUpdate();
    ASSERT_TRUE(m.TableVersion.Active());
    Select("FT01");  // its table is left out of the demo on purpose
    m.ActionIdleUpdate();
    for (Command c : {Command::New, Command::Edit, Command::Delete, Command::Download,
                      Command::Brief, Command::Manual})
        EXPECT_FALSE(m.State(c).Enabled) << ObjectName(c);
    EXPECT_FALSE(m.State(Command::Note).Enabled);
    // The tables of the previous version stay bound.
    EXPECT_EQ(m.TableVersion.TableName(), "..\\dbs\\default\\758-FP01-000000.db");
    for (Page page : {Page::Configuration, Page::Messages, Page::PrinterText}) {
        EXPECT_FALSE(m.ChangePage(page));
        EXPECT_EQ(m.ActivePage, Page::Instruments);
        EXPECT_EQ(prompter.LastText(), text::NotAvailable);
        EXPECT_EQ(prompter.Boxes.back().Kind, base::MessageKind::Information);
    }
}

TEST_F(Catalogue, CommandStatesFollowPageAndVersion) {
    AddCustomVersion("758", "FP01", "000001", "First");
    Manager& m = Start();
    Select("FP01");
    m.ActionIdleUpdate();
    auto enabled = [&](Command c) { return m.State(c).Enabled; };
    EXPECT_TRUE(enabled(Command::New) && enabled(Command::Download));
    EXPECT_FALSE(enabled(Command::Edit) || enabled(Command::Delete));
    EXPECT_EQ(m.State(Command::Note).Caption, "&Report");
    EXPECT_TRUE(enabled(Command::Note));

    m.SpeedButtonVersionsClick();
    Select("FP01", "000001");
    m.ActionIdleUpdate();
    EXPECT_TRUE(enabled(Command::Edit) && enabled(Command::Delete) && enabled(Command::Download));

    ASSERT_TRUE(m.ChangePage(Page::Configuration));
    m.ActionIdleUpdate();
    EXPECT_FALSE(enabled(Command::New) || enabled(Command::Delete) || enabled(Command::Download));
    EXPECT_TRUE(enabled(Command::Edit));
    EXPECT_EQ(m.State(Command::Note).Caption, "N&ote");
    EXPECT_EQ(m.State(Command::Note).Hint, "View Configuration Item Note");
    EXPECT_FALSE(enabled(Command::Note));
}

TEST_F(Catalogue, EditModeAsksForCustomRefusesFactoryAndEndsOnAnotherVersion) {
    AddCustomVersion("758", "FP01", "000001", "First");
    AddCustomVersion("758", "FP01", "000002", "Second");
    Manager& m = Start();
    Select("FP01");
    m.EditHintOnClick();
    EXPECT_EQ(prompter.LastText(), text::FactoryNotEditable);
    EXPECT_FALSE(m.EditMode());

    m.SpeedButtonVersionsClick();
    Select("FP01", "000001");
    prompter.Answers = {base::Answer::No};
    m.EditHintOnClick();
    EXPECT_EQ(prompter.LastText(), text::EditQuestion);
    EXPECT_FALSE(m.EditMode());
    m.EditHintOnClick();
    EXPECT_TRUE(m.EditMode());
    const size_t boxes = prompter.Boxes.size();
    m.EditHintOnClick();
    EXPECT_EQ(prompter.Boxes.size(), boxes) << "no question while editing";

    Select("FP01", "000002");
    EXPECT_FALSE(m.EditMode());
    m.ActionEditExecute();
    EXPECT_TRUE(m.EditMode());
    m.ActionEditExecute();
    EXPECT_FALSE(m.EditMode());
}

// Title of the window: hardware and the programmable units of measurement.
struct TitleCase {
    const char* Model;
    const char* Pack;
    bool Original;
    bool Units;
    const char* Title;
};

class Title : public InstallFixture, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(Title, ShowsModelHardwareAndUnits) {
    const TitleCase c = GetParam();
    Manager& m = Start();
    m.SpeedButtonModelClick(c.Model);
    m.FrameButtons1SpeedButtonClick("BATCH");
    m.FrameButtons1SpeedButtonClick("FLOW");
    Select(c.Pack);
    m.Preferences.Original = c.Original;
    m.Preferences.InFieldUnits = c.Units;
    m.ActionIdleUpdate();
    EXPECT_EQ(m.Title, c.Title);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Title,
    ::testing::Values(
        TitleCase{"746", "FP01", false, true,
                  "740-Series Program Manager - Model 746 Instrument - Programmable Units of "
                  "Measurement"},
        TitleCase{"746", "FP01", false, false, "740-Series Program Manager - Model 746 Instrument"},
        TitleCase{"746", "FG01", false, true, "740-Series Program Manager - Model 746 Instrument"},
        TitleCase{"758", "FP01", false, true,
                  "740-Series Program Manager - Model 758 Instrument - Programmable Units of "
                  "Measurement"},
        TitleCase{"758", "FP01", false, false, "740-Series Program Manager - Model 758 Instrument"},
        TitleCase{"758", "FP01", true, true,
                  "740-Series Program Manager - Model 758 Instrument (Original)"}));

}  // namespace kv::catalogue::test
