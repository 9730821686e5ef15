// The item pages over the demo versions and a custom copy: pages, choosers, units, access,
// notes, the factor grid and the value check on the version table.
#include <gtest/gtest.h>

#include <set>

#include "EditorFixture.h"
#include "editor/FactorGrid.h"
#include "editor/Texts.h"
#include "editor/ValueEntry.h"
#include "store/Table.h"

namespace kv::editor::test {
namespace {

// Panels that are edited elsewhere (messages, printer text) or are factor rows.
bool NotAConfigurationPage(const std::string& panel) {
    return panel.empty() || panel == "Messages" || panel == "Report";
}

std::string StoredValue(const std::string& table, const std::string& id, const char* field) {
    store::Table t(table);
    t.SetReadOnly(true);
    t.Open();
    for (t.First(); !t.Eof(); t.Next())
        if (t.FieldByName("ID").AsString() == id &&
            t.FieldByName("Menu").AsString() != "OP_MENU_FACTORS")
            return t.FieldByName(field).AsString();
    return "<none>";
}

using ItemPages = EditorFixture;

TEST_F(ItemPages, EveryDemoPanelShowsItsPageWithItsChoices) {
    int items = 0;
    for (const std::string& version : DemoVersions()) {
        ItemEditor& e = Open(version, true);
        store::Table& t = views->TableVersion;
        t.SetFiltered(false);
        for (t.First(); !t.Eof(); t.Next()) {
            const std::string id = Field("ID"), panel = Field("Panel");
            if (Field("Menu") == "OP_MENU_FACTORS" || NotAConfigurationPage(panel)) continue;
            SCOPED_TRACE(version + " " + id);
            e.SourceVersionDataChange();
            ASSERT_TRUE(PageOfPanel(panel)) << "no page for " << panel;
            ASSERT_EQ(e.Page, PageOfPanel(panel));
            const PageSpec& pageRow = *e.Shown();
            EXPECT_EQ(e.Header, Field("Item"));
            const std::string header = pageRow.FactorGrid ? text::TableOfValues
                                       : pageRow.ValueField
                                           ? RangeLine(Field("LowLimit"), Field("HighLimit"))
                                           : pageRow.OptionsHeader;
            if (pageRow.OptionsFrame) {
                EXPECT_EQ(e.OptionsHeader, header);
            }
            // What the item stores is one of the rows its chooser offers.
            if (pageRow.ChoiceField) {
                EXPECT_FALSE(e.Choices().empty());
                EXPECT_TRUE(e.CurrentChoice())
                    << pageRow.ChoiceField << " " << Field(pageRow.ChoiceField);
            }
            if (pageRow.Access == AccessBox::Enabled) {
                EXPECT_TRUE(e.CurrentAccess()) << "access " << Field("Access");
            }
            // A factory version never lets a tag be edited.
            EXPECT_FALSE(e.UserLabelEditable());
            EXPECT_FALSE(e.UserUnitEditable());
            ++items;
        }
    }
    EXPECT_GT(items, 0);
}

TEST_F(ItemPages, EveryEditableDemoValueAcceptsItsOwnStoredValue) {
    for (const std::string& version : DemoVersions()) {
        Open(version, true);
        store::Table& t = views->TableVersion;
        t.SetFiltered(false);
        std::map<std::string, std::pair<std::string, std::string>> factorLimits;
        for (t.First(); !t.Eof(); t.Next())
            if (Field("Panel") == "Factors" && Field("Menu") != "OP_MENU_FACTORS")
                factorLimits[Field("ID")] = {Field("LowLimit"), Field("HighLimit")};
        for (t.First(); !t.Eof(); t.Next()) {
            const std::string id = Field("ID");
            SCOPED_TRACE(version + " " + id + " " + Field("Item"));
            auto page = PageOfPanel(Field("Panel"));
            if (Field("Menu") == "OP_MENU_FACTORS") {
                ASSERT_TRUE(factorLimits.contains(id));
                const auto& [low, high] = factorLimits[id];
                const FactorGridSpec grid = FactorGridOf(id, "");
                for (int column : {1, 2}) {
                    const FactorColumn& c = grid.Columns[column];
                    if (c.ReadOnly) continue;
                    auto refusal = CheckValue(Field(c.Field), low, high, c.EditMask);
                    EXPECT_FALSE(refusal)
                        << c.Title << " " << Field(c.Field) << ": " << refusal->Error;
                }
            } else if (page && Spec(*page).ValueField) {
                auto refusal =
                    CheckValue(Field("DefaultValue"), Field("LowLimit"), Field("HighLimit"));
                EXPECT_FALSE(refusal) << Field("DefaultValue") << ": " << refusal->Error;
            }
        }
    }
}

TEST_F(ItemPages, UnknownPanelKeepsThePreviousPage) {
    Open("..\\dbs\\default\\758-FC01-000000.db", true);
    Select("ID_VAR_TOTAL_1");
    ASSERT_EQ(editor->Page, ItemPage::Units);
    Select("ID_PROMPT_PASSWORD");  // a "Messages" item
    EXPECT_EQ(editor->Page, ItemPage::Units);
    EXPECT_EQ(editor->Header, "Enter Password");
}

TEST_F(ItemPages, ChoosingAUnitSetsCoefficientAndBothUnitTags) {
    const std::string custom = CustomCopy("758-FC01-000000");
    Open(custom, false);
    Select("ID_VAR_TOTAL_1");
    std::optional<Choice> other;
    for (const Choice& c : editor->Choices())
        if (c.Stored != Field("Coefficient")) other = c;
    ASSERT_TRUE(other);
    ASSERT_TRUE(editor->ChooseUnit(other->Shown));
    EXPECT_EQ(views->TableVersion.State(), store::DatasetState::Browse);  // posted
    EXPECT_EQ(StoredValue(custom, "ID_VAR_TOTAL_1", "Coefficient"), other->Stored);
    EXPECT_EQ(StoredValue(custom, "ID_VAR_TOTAL_1", "UnitTag1"), other->Shown);
    EXPECT_EQ(StoredValue(custom, "ID_VAR_TOTAL_1", "UnitTag2"), other->Shown);
    EXPECT_FALSE(editor->ChooseUnit("NO-SUCH"));
    // The user unit tag follows the unit: the Units page does not let it be typed.
    EXPECT_FALSE(editor->SetUserUnit("XX"));
    EXPECT_TRUE(editor->SetUserLabel("MY TOT"));
    EXPECT_FALSE(editor->SetUserLabel("A[B"));
}

TEST_F(ItemPages, FactoryVersionIsNeverChanged) {
    const std::string factory = "..\\dbs\\default\\758-FC01-000000.db";
    Open(factory, true);
    Select("ID_VAR_TOTAL_1");
    ASSERT_FALSE(editor->Choices().empty());
    EXPECT_FALSE(editor->ChooseUnit(editor->Choices().back().Shown));
    EXPECT_FALSE(editor->ChooseAccess("Excluded from printout"));
    EXPECT_FALSE(editor->SetUserLabel("X"));
    EXPECT_EQ(views->TableVersion.State(), store::DatasetState::Browse);
}

TEST_F(ItemPages, AccessChooserOffersPrintoutForVariablesAndLevelsOtherwise) {
    const std::vector<std::string> printout{"Excluded from printout", "Included into printout"};
    const std::vector<std::string> levels{"Not visible", "Display only", "Programmable",
                                          "Password protected"};
    auto descriptions = [&] {
        std::vector<std::string> d;
        for (const Choice& c : editor->AccessChoices()) d.push_back(c.Description);
        return d;
    };
    const std::string custom = CustomCopy("758-FC01-000000");
    Open(custom, false);
    Select("ID_VAR_TOTAL_1");
    EXPECT_EQ(editor->Access, AccessKind::Printout);
    EXPECT_EQ(descriptions(), printout);
    ASSERT_TRUE(editor->ChooseAccess("Excluded from printout"));
    EXPECT_EQ(StoredValue(custom, "ID_VAR_TOTAL_1", "Access"), "OP_ACCESS_DISPLAY");
    EXPECT_FALSE(editor->ChooseAccess("Programmable"));  // not a printout choice

    Select("ID_VAR_TAG_NUMBER");  // a main-menu variable on the "Tags" page
    EXPECT_EQ(editor->Access, AccessKind::Levels);
    EXPECT_EQ(descriptions(), levels);
    Select("ID_PARAMETER_REF_TEMPERATURE");
    EXPECT_EQ(descriptions(), levels);
    EXPECT_TRUE(editor->AccessEnabled);
    Select("ID_PASSWORD");  // its page has no access box
    EXPECT_FALSE(editor->AccessEnabled);
}

TEST_F(ItemPages, BatchApplicationsLetOnlyTotalsAndLogsChangeTheirPrintout) {
    Open(CustomCopy("758-BC02-000000"), false);
    struct Case {
        const char* Id;
        bool Enabled;
    };
    batch = true;
    for (Case c : {Case{"ID_VAR_TOTAL_1", true}, Case{"ID_VAR_PROCESS_LOG_RATE", true},
                   Case{"ID_VAR_PROCESS_RATE", false}, Case{"ID_VAR_BATCH_NUMBER", false}}) {
        Select(c.Id);
        EXPECT_EQ(editor->AccessEnabled, c.Enabled) << c.Id;
    }
    EXPECT_FALSE(editor->ChooseAccess("Excluded from printout"));
    batch = false;  // another kind of application
    Select("ID_VAR_BATCH_NUMBER");
    EXPECT_TRUE(editor->AccessEnabled);
}

TEST_F(ItemPages, NoteLinkFollowsTheItem) {
    Open("..\\dbs\\default\\758-FC01-000000.db", true);
    existing = {"..\\docs\\notes\\Totals.htm"};
    std::vector<std::string> shown;
    int closed = 0;
    editor->OnShowNote = [&](const std::string& path) { shown.push_back(path); };
    editor->OnCloseNotes = [&] { ++closed; };
    Select("ID_VAR_TOTAL_1");
    EXPECT_EQ(editor->NotePath, "..\\docs\\notes\\Totals.htm");
    EXPECT_TRUE(editor->NoteExists);
    EXPECT_EQ(editor->DescriptionHint, text::NoteHint);
    EXPECT_TRUE(editor->HelpCursor);
    EXPECT_EQ(shown, std::vector<std::string>{"..\\docs\\notes\\Totals.htm"});
    Select("ID_VAR_TOTAL_ACCUM");  // no note
    EXPECT_FALSE(editor->NoteExists);
    EXPECT_EQ(editor->DescriptionHint, "");
    EXPECT_FALSE(editor->HelpCursor);
    EXPECT_EQ(closed, 1);
}

TEST_F(ItemPages, ChosenVariableShowsItsTagsReadOnly) {
    Open(CustomCopy("758-FC01-000000"), false);
    Select("ID_AOUT1_SOURCE");
    ASSERT_EQ(editor->Page, ItemPage::Outputs);
    ASSERT_TRUE(editor->CurrentChoice());
    EXPECT_EQ(editor->CurrentChoice()->Stored, "ID_VAR_PROCESS_RATE");
    EXPECT_EQ(views->TableVariables.FieldByName("ID").AsString(), "ID_VAR_PROCESS_RATE");
    EXPECT_EQ(editor->LabelTagDefault, views->TableVariables.FieldByName("LabelTag1").AsString());
    EXPECT_FALSE(editor->SetUserLabel("X"));
    EXPECT_TRUE(editor->SetUserUnit("MA"));
    ASSERT_TRUE(editor->Choose("Total"));
    EXPECT_EQ(Field("DefaultValue"), "ID_VAR_TOTAL_1");
    EXPECT_EQ(views->TableVariables.FieldByName("ID").AsString(), "ID_VAR_TOTAL_1");
    EXPECT_FALSE(editor->Choose("No Such Variable"));
}

struct LayoutCase {
    const char* Id;
    FactorLayout Layout;
    const char* Column2;
    const char* Column3;
};

TEST(FactorGrid, LayoutIsAPlainTextComparisonOfTheId) {
    const LayoutCase cases[] = {
        {"ID_AINP1_CORRECTION_FACTORS", FactorLayout::InputOutput, "Input", "Output"},
        {"ID_AINP9", FactorLayout::InputOutput, "Input", "Output"},
        {"ID_AINP9X", FactorLayout::HertzKFactor, "Hertz", "K-Factor"},
        {"ID_FINP3_CORRECTION_FACTORS", FactorLayout::HertzKFactor, "Hertz", "K-Factor"},
        {"ID_FINP9", FactorLayout::HertzKFactor, "Hertz", "K-Factor"},
        {"ID_FINP9A", FactorLayout::ItemValue, "Item", "MOLE %"},
        {"ID_PARAMETER_FACTORS", FactorLayout::ItemValue, "Item", "MOLE %"},
    };
    for (const LayoutCase& c : cases) {
        const FactorGridSpec grid = FactorGridOf(c.Id, "MOLE %");
        EXPECT_EQ(grid.Layout, c.Layout) << c.Id;
        EXPECT_EQ(grid.Columns[0].Title, "No.");
        EXPECT_TRUE(grid.Columns[0].ReadOnly);
        EXPECT_EQ(grid.Columns[1].Title, c.Column2) << c.Id;
        EXPECT_EQ(grid.Columns[2].Title, c.Column3) << c.Id;
    }
    const FactorGridSpec hertz = FactorGridOf("ID_FINP1_CORRECTION_FACTORS", "");
    EXPECT_EQ(hertz.Columns[1].EditMask, "9999");
    EXPECT_EQ(FactorGridOf("ID_FINP9A", "T").Columns[2].Width, 50);
    EXPECT_EQ(PointsIdOf("ID_AINP1_CORRECTION_FACTORS"), "ID_AINP1_CORRECTION_POINTS");
    EXPECT_EQ(RowCountOf(std::nullopt), "99");
    EXPECT_EQ(RowCountOf(std::string("8")), "08");
    EXPECT_EQ(RowCountOf(std::string("12")), "12");
}

std::vector<std::string> Rows(store::Table& factors) {
    std::vector<std::string> rows;
    const int no = factors.FieldByName("DefaultValue").Index();
    for (int r = 0; r < factors.RecordCount(); ++r) rows.push_back(factors.ValueAt(r, no));
    return rows;
}

TEST_F(ItemPages, FactorGridShowsTheRowsThePointsItemCounts) {
    const std::string custom = CustomCopy("758-FC01-000000");
    Open(custom, false);
    Select("ID_AINP1_CORRECTION_POINTS");
    editor->SetValue("8");
    editor->Post();
    Select("ID_AINP1_CORRECTION_FACTORS");
    EXPECT_EQ(editor->RowCount, "08");
    EXPECT_EQ(Rows(views->TableFactors),
              (std::vector<std::string>{"01", "02", "03", "04", "05", "06", "07", "08"}));
    EXPECT_EQ(editor->Grid.Layout, FactorLayout::InputOutput);

    // No points item: rows "01" to "99" that exist.
    const std::string gas = CustomCopy("758-GN01-000000");
    {
        store::Table t(gas);
        t.Open();
        ASSERT_TRUE(t.Locate("ID", {"ID_PARAMETER_POINTS"}));
        t.Edit();
        t.FieldByName("ID").SetAsString("ID_PARAMETER_COUNT");
        t.Post();
    }
    Open(gas, false);
    Select("ID_PARAMETER_FACTORS");
    EXPECT_EQ(editor->RowCount, "99");
    EXPECT_EQ(Rows(views->TableFactors).size(), 6u);
    EXPECT_EQ(editor->Grid.Columns[2].Title, Field("LabelTag1"));
    editor->FactorColumnEnter(1);
    EXPECT_EQ(editor->OptionsHeader, text::TableOfValues);
    editor->FactorColumnEnter(2);
    EXPECT_EQ(editor->OptionsHeader, RangeLine(Field("LowLimit"), Field("HighLimit")));
}

TEST_F(ItemPages, FactorColumnsSetHeaderAndLabelTags) {
    Open(CustomCopy("758-FC01-000000"), false);
    Select("ID_FINP1_CORRECTION_FACTORS");
    EXPECT_EQ(editor->EnteredColumn, -1);
    EXPECT_EQ(editor->Grid.Layout, FactorLayout::HertzKFactor);
    const std::string tag1 = views->TableFactors.FieldByName("LabelTag1").AsString();
    const std::string tag2 = views->TableFactors.FieldByName("LabelTag2").AsString();
    ASSERT_NE(tag1, tag2);
    editor->FactorColumnEnter(1);
    EXPECT_EQ(editor->OptionsHeader, text::HertzRange);
    EXPECT_EQ(editor->LabelTagDefault, tag1);
    EXPECT_EQ(editor->LabelTagUser, tag1);
    editor->FactorColumnEnter(2);
    EXPECT_EQ(editor->OptionsHeader, text::KFactorRange);
    EXPECT_EQ(editor->LabelTagDefault, tag2);
    EXPECT_EQ(editor->LabelTagUser, tag2);
    editor->FactorColumnEnter(0);
    EXPECT_EQ(editor->OptionsHeader, text::TableOfValues);
    EXPECT_FALSE(editor->FactorKeyPress('-'));
    EXPECT_EQ(prompter.Beeps, 1);
}

TEST_F(ItemPages, ValueCheckRefusesKeepingTheOldStoredValue) {
    const std::string custom = CustomCopy("758-FC01-000000");
    Open(custom, false);
    Select("ID_PARAMETER_REF_TEMPERATURE");  // -50 ... 100
    try {
        editor->SetValue("150");
        FAIL() << "taken";
    } catch (const ValueError& e) {
        EXPECT_STREQ(e.what(), text::RangeError);
    }
    EXPECT_EQ(prompter.Beeps, 1);
    ASSERT_EQ(prompter.Boxes.size(), 1u);
    EXPECT_EQ(prompter.Boxes[0].Text, text::OutOfRange);
    EXPECT_EQ(prompter.Boxes[0].Kind, base::MessageKind::Warning);
    EXPECT_EQ(views->TableVersion.State(), store::DatasetState::Edit);
    EXPECT_EQ(Field("DefaultValue"), "15");
    EXPECT_THROW(editor->SetValue("1.2345"), ValueError);
    editor->SetValue("100");
    editor->Post();
    EXPECT_EQ(StoredValue(custom, "ID_PARAMETER_REF_TEMPERATURE", "DefaultValue"), "100");

    // Pages without a value field or grid do not check.
    Select("ID_VAR_TOTAL_1");
    views->TableVersion.Edit();
    EXPECT_NO_THROW(views->TableVersion.FieldByName("DefaultValue").SetAsString("abc"));
    views->TableVersion.Cancel();
}

TEST_F(ItemPages, FactorValuesAreCheckedAgainstTheItemLimits) {
    Open(CustomCopy("758-FC01-000000"), false);
    Select("ID_FINP1_CORRECTION_FACTORS");  // 0.001 ... 999999.9
    ASSERT_TRUE(editor->GotoFactorRow("3"));
    EXPECT_EQ(views->TableFactors.FieldByName("DefaultValue").AsString(), "03");
    EXPECT_NO_THROW(editor->SetFactor("LowLimit", "0"));  // Hertz: 0 below LowLimit
    EXPECT_THROW(editor->SetFactor("HighLimit", "0"), ValueError);
    EXPECT_NO_THROW(editor->SetFactor("HighLimit", "12.5"));
    views->TableFactors.Post();
    EXPECT_FALSE(editor->GotoFactorRow("17"));  // beyond the points in use
}

}  // namespace
}  // namespace kv::editor::test
