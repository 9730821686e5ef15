// The rules that need no console: revision order, identity from names, texts, the two dialogs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/ScriptedPrompter.h"
#include "console/SavePackForm.h"
#include "console/SerialNumberForm.h"
#include "console/UnitIdentity.h"
#include "support/TempDir.h"

namespace kv::console {
namespace {

TEST(Revision, ComparesCharacterByCharacterIgnoringCase) {
    struct Case {
        const char* revision;
        const char* reference;
        bool atLeast;
    } cases[] = {
        {"Revision: 2.5.7.0", IdentityInImageFrom, true},
        {"Revision: 2.10.0.0", IdentityInImageFrom, false},  // '1' sorts below '5'
        {"Revision: 3.0.201", IdentityInImageFrom, true},
        {"REVISION: 2.6.0.0", IdentityInImageFrom, true},
        {"Revision: 2.5.7", IdentityInImageFrom, false},  // a prefix sorts first
        {"", IdentityInImageFrom, false},
        {"Revision: 2.7.3.7", DateStampFrom, true},
        {"Revision: 2.7.3.6", DateStampFrom, false},
        {"Revision: 2.8.8.5", DateStampFrom, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RevisionAtLeast(c.revision, c.reference), c.atLeast) << c.revision;
}

TEST(Identity, FromTheVersionName) {
    struct Case {
        const char* name;
        uint32_t mask;
        int32_t minClass;
    } cases[] = {
        {"758-FP01-000000", 1, 2},  {"746-GN02-000123", 12, 3},
        {"746-FC01-000000", 12, 1}, {"758-746X-000000", 1, 0},  // both models named: 758 wins
        {"746-STFC-000000", 12, 1}, {"758-STGN-000000", 1, 3},  // the table's order decides
        {"000-0000-000000", 0, 0},  {"758-fp01-000000", 1, 0},  // case-sensitive
    };
    for (const auto& c : cases) {
        UnitIdentity id = IdentityFromName(c.name);
        EXPECT_EQ(id.ModelMask, c.mask) << c.name;
        EXPECT_EQ(id.MinClass, c.minClass) << c.name;
    }
    // New revisions carry the identity in the image, old ones only in the name.
    UnitIdentity fromImage = IdentityOf("Revision: 3.0.201", 0x0C, 7, "758-FP01-000000");
    EXPECT_EQ(fromImage.ModelMask, 0x0Cu);
    EXPECT_EQ(fromImage.MinClass, 7);
    UnitIdentity fromName = IdentityOf("Revision: 2.10.0.0", 0x0C, 7, "758-FP01-000000");
    EXPECT_EQ(fromName.ModelMask, 1u);
    EXPECT_EQ(fromName.MinClass, 2);
}

TEST(Identity, ClassAndModelTexts) {
    EXPECT_EQ(ClassText(3), "03");
    EXPECT_EQ(ClassText(12), "12");
    EXPECT_EQ(ClassText(0), "00");
    EXPECT_STREQ(ModelTextsOf(0x04).Label, " - Standard Model 746, Class ");
    EXPECT_STREQ(ModelTextsOf(0x0D).Prefix, "Connect Model ");  // 746 bits win over 758
    EXPECT_STREQ(ModelTextsOf(0x01).Label, " - Original Model 758, Class ");
    EXPECT_STREQ(ModelTextsOf(0x01).Prefix, "Connect Original Model ");
    EXPECT_STREQ(ModelTextsOf(0x02).Label, " - Standard Model 758, Class ");
    EXPECT_STREQ(ModelTextsOf(0x00).Prefix, "Connect Standard Model ");
}

TEST(SerialNumberDialog, ShowsStartValuesByTagState) {
    SerialNumberForm form;
    form.Number = "123456";
    form.FormShow();
    EXPECT_EQ(form.Number, "000000");
    EXPECT_EQ(form.Tag, " N/A");
    form.TagEnabled = true;
    form.FormShow();
    EXPECT_EQ(form.Tag, "UNIT-1");
}

TEST(SerialNumberDialog, ClosesOnlyWithSixDigitsAndATag) {
    struct Case {
        const char* number;
        const char* tag;
        bool tagEnabled;
        SerialNumberForm::Field focus;
        const char* warning;
    } cases[] = {
        {"000000", "UNIT-1", true, SerialNumberForm::Field::None, nullptr},
        {"123456", " N/A", false, SerialNumberForm::Field::None, nullptr},
        {"12 456", "UNIT-1", true, SerialNumberForm::Field::Number,
         "Invalid Serial Number: please enter 6-digit number"},
        {"12345", "UNIT-1", true, SerialNumberForm::Field::Number,
         "Invalid Serial Number: please enter 6-digit number"},
        {"", "", true, SerialNumberForm::Field::Number,
         "Invalid Serial Number: please enter 6-digit number"},
        {"123456", "   ", true, SerialNumberForm::Field::Tag,
         "Invalid Unit Tag: please enter some characters"},
        {"123456", "", true, SerialNumberForm::Field::Tag,
         "Invalid Unit Tag: please enter some characters"},
    };
    for (const auto& c : cases) {
        base::ScriptedPrompter prompter;
        SerialNumberForm form;
        form.TagEnabled = c.tagEnabled;
        form.Number = c.number;
        form.Tag = c.tag;
        EXPECT_EQ(form.CloseQuery(prompter).Focus, c.focus) << c.number << "/" << c.tag;
        if (c.warning) {
            ASSERT_EQ(prompter.Boxes.size(), 1u);
            EXPECT_EQ(prompter.Boxes[0].Text, c.warning);
            EXPECT_EQ(prompter.Boxes[0].Kind, base::MessageKind::Warning);
            EXPECT_EQ(prompter.Beeps, 1);
        } else {
            EXPECT_TRUE(prompter.Boxes.empty());
            EXPECT_EQ(prompter.Beeps, 0);
        }
    }
}

TEST(SerialNumberDialog, TagKeys) {
    for (char c : std::string("\b\r %&*+-/^_~@09AZaz"))
        EXPECT_TRUE(SerialNumberForm::TagKeyAllowed(c)) << int(c);
    for (char c : std::string("#!\"$'(),.:;<=>?[\\]`{|}\t\x1b\x7f"))
        EXPECT_FALSE(SerialNumberForm::TagKeyAllowed(c)) << int(c);
    EXPECT_FALSE(SerialNumberForm::TagKeyAllowed('\xe9'));
    EXPECT_TRUE(SerialNumberForm::TagTextAllowed("FT-101"));
    EXPECT_FALSE(SerialNumberForm::TagTextAllowed("FT-1011"));  // longer than the field
    EXPECT_FALSE(SerialNumberForm::TagTextAllowed("FT#1"));
}

class SaveDialog : public ::testing::Test {
  protected:
    void Make(const char* name) { std::ofstream(Dir / name) << "x"; }
    kv::testing::TempDir Dir;
    SavePackForm form;
};

TEST_F(SaveDialog, MemberListAndCaptionFollowTheBoxes) {
    Make("PackBinary.bin");
    Make("PackReport.pdf");
    Make("PackManual.pdf");
    form.FormShow(Dir.Path());
    EXPECT_EQ(form.Members, (std::vector<std::string>{"PackBinary.bin", "PackReport.pdf"}));
    EXPECT_EQ(form.Caption, "Save As: Library File (.apl)");

    form.Boxes[SavePackForm::Report].State = CheckState::Unchecked;
    form.CheckBoxClick(SavePackForm::Report);
    EXPECT_EQ(form.Members, (std::vector<std::string>{"PackBinary.bin"}));
    EXPECT_EQ(form.Caption, "Save As: Binary File Only (.apx)");

    form.Boxes[SavePackForm::Manual].State = CheckState::Checked;
    form.CheckBoxClick(SavePackForm::Manual);
    EXPECT_EQ(form.Members, (std::vector<std::string>{"PackBinary.bin", "PackManual.pdf"}));

    // Whatever state a click leaves the image box in, it is grayed again and stays included.
    for (CheckState clicked : {CheckState::Unchecked, CheckState::Checked, CheckState::Unchecked}) {
        form.Boxes[SavePackForm::Binary].State = clicked;
        form.CheckBoxClick(SavePackForm::Binary);
        EXPECT_EQ(form.Boxes[SavePackForm::Binary].State, CheckState::Grayed);
        EXPECT_EQ(form.Members.front(), "PackBinary.bin");
    }
}

TEST_F(SaveDialog, MissingFilesDisableTheirBoxesAndStatesPersist) {
    Make("PackBinary.bin");
    form.FormShow(Dir.Path());
    EXPECT_FALSE(form.Boxes[SavePackForm::Report].Enabled);
    EXPECT_EQ(form.Boxes[SavePackForm::Report].State, CheckState::Unchecked);
    EXPECT_EQ(form.Members, (std::vector<std::string>{"PackBinary.bin"}));
    EXPECT_EQ(form.Caption, "Save As: Binary File Only (.apx)");

    Make("PackReport.pdf");
    Make("PackManual.pdf");
    form.Boxes[SavePackForm::Manual].State = CheckState::Checked;
    form.CheckBoxClick(SavePackForm::Manual);
    form.FormShow(Dir.Path());  // the report box stays as it was left: unchecked
    EXPECT_TRUE(form.Boxes[SavePackForm::Report].Enabled);
    EXPECT_EQ(form.Members, (std::vector<std::string>{"PackBinary.bin", "PackManual.pdf"}));
}

}  // namespace
}  // namespace kv::console
