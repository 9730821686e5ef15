// The version information dialog's rules and the version lifecycle over a copy of the demo
// installation.
#include "VersionFixture.h"
#include "catalogue/CreatorSetting.h"
#include "catalogue/VersionTexts.h"

namespace kv::catalogue::testing {
namespace {

using base::MessageKind;

class Versions : public InstallationCopy {
  protected:
    void SetUp() override {
        InstallationCopy::SetUp();
        Info.SettingsFile = Root / "settings.ini";
        std::ofstream(Info.SettingsFile) << "[3.0.201]\nCompany=Acme Flow Ltd\n";
        Info.Today = [] {
            return std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{12},
                                               std::chrono::day{10}};
        };
    }
    // New mode from `source` with the given code; the result of OK.
    bool New(const std::string& source, const std::string& code,
             const std::string& title = "Line 4 meter") {
        Host.Select(source);
        Info.Show(InfoMode::New, "Revision: 3.0.201");
        return Info.BitBtnOKClick({title, "Spare unit", Info.Creator, "2026-12-10", code});
    }
    std::string Field(const char* name) { return Info.TablePack.FieldByName(name).AsString(); }

    base::ScriptedPrompter Prompter;
    RecordingHost Host;
    VersionInfo Info{Prompter, Host};
};

TEST_F(Versions, EachModeSetsItsControlsAndTheScratchRecord) {
    struct Case {
        InfoMode Mode;
        bool Editable, Rest, Cancel;
        InfoFocus Focus;
        bool Underlined;
    } cases[] = {
        {InfoMode::View, false, false, false, InfoFocus::Ok, false},
        {InfoMode::Edit, true, false, true, InfoFocus::Cancel, false},
        {InfoMode::New, true, true, true, InfoFocus::Code, true},
    };
    Host.Select("758-FP01-000000");
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Mode));
        Info.Show(c.Mode, "Revision: 3.0.201");
        EXPECT_EQ(Info.Editable.Enabled, c.Editable);
        EXPECT_EQ(Info.Rest.Enabled, c.Rest);
        EXPECT_EQ(Info.CancelVisible, c.Cancel);
        EXPECT_EQ(Info.Focus, c.Focus);
        EXPECT_EQ(Info.CodeLabelUnderlined, c.Underlined);
        EXPECT_TRUE(fs::exists("740-temp.db"));
        EXPECT_EQ(Field("Title"), "Pulse Input Flow Rate Totaliser");
        const bool isNew = c.Mode == InfoMode::New;
        EXPECT_EQ(Field("CustomTitle"), isNew ? "Custom Instrument" : "Factory Default Version");
        EXPECT_EQ(Field("Creator"), isNew ? "Acme Flow Ltd" : "Factory");
        EXPECT_EQ(Field("Date"), isNew ? "2026-12-10" : "2024-03-01");
        Info.FormClose();
        EXPECT_FALSE(fs::exists("740-temp.db"));
    }
    EXPECT_EQ(Host.Reopened, 3);
    EXPECT_EQ(Host.NotesClosed, 3);
}

TEST_F(Versions, ANewVersionCopiesTheItemsOfTheVersionItIsMadeFrom) {
    ASSERT_TRUE(New("758-FP01-000000", "120001"));
    Info.FormClose();
    EXPECT_EQ(ReadFile(User("758-FP01-120001")), ReadFile(Factory("758-FP01-000000")));
    EXPECT_EQ(Host.Shown, std::vector<std::string>{"758-FP01-120001"});
    const PackRecord made = FindPackRecord({"758", "FP01", "120001"});
    EXPECT_EQ(made.CustomTitle, "Line 4 meter");
    EXPECT_EQ(made.CustomDescription, "Spare unit");
    EXPECT_EQ(made.Creator, "Acme Flow Ltd");
    EXPECT_EQ(made.Title, "Pulse Input Flow Rate Totaliser");

    // Change an item of the custom version, then make another version from it.
    {
        store::Table items(VersionTablePath({"758", "FP01", "120001"}));
        items.Open();
        items.Edit();
        items.FieldByName("LabelTag2").SetAsString("LINE4");
        items.Post();
    }
    ASSERT_TRUE(New("758-FP01-120001", "120002"));
    Info.FormClose();
    EXPECT_EQ(ReadFile(User("758-FP01-120002")), ReadFile(User("758-FP01-120001")));
    EXPECT_NE(ReadFile(User("758-FP01-120002")), ReadFile(Factory("758-FP01-000000")));
    EXPECT_TRUE(Prompter.Boxes.empty()) << Prompter.LastText();
    EXPECT_FALSE(fs::exists("740-temp.db"));
}

TEST_F(Versions, CodesThatCannotBeUsedAreRefusedAndLeaveNothing) {
    ASSERT_TRUE(New("758-FP01-000000", "120001"));
    Info.FormClose();
    // A record whose table is gone still holds its code.
    ASSERT_TRUE(New("758-FC01-000000", "120003"));
    Info.FormClose();
    fs::remove(User("758-FC01-120003"));
    const auto before = Snapshot(Root / "dbs");

    struct Case {
        const char* Source;
        const char* Code;
        const char* Message;
    } cases[] = {
        {"758-FP01-000000", "12", text::CodeTooShort},
        {"758-FP01-000000", "", text::CodeTooShort},
        {"758-FP01-000000", "000000", text::VersionExists},
        {"758-FP01-120001", "120001", text::VersionExists},
        {"758-FP01-000000", "120001", text::VersionExists},
        {"758-FC01-000000", "120003", text::VersionExists},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Source) + " " + c.Code);
        Prompter.Boxes.clear();
        Prompter.Beeps = 0;
        EXPECT_FALSE(New(c.Source, c.Code));
        ASSERT_EQ(Prompter.Boxes.size(), 1u);
        EXPECT_EQ(Prompter.Boxes[0].Text, c.Message);
        EXPECT_EQ(Prompter.Boxes[0].Kind, MessageKind::Warning);
        EXPECT_EQ(Prompter.Beeps, 1);
        EXPECT_EQ(Info.Focus, InfoFocus::Code);
        Info.FormClose();
        EXPECT_EQ(Snapshot(Root / "dbs"), before);
    }

    // The table name holds the model: the same pack and code under the other model is new.
    EXPECT_TRUE(New("746-FP01-000000", "120001"));
    Info.FormClose();
    EXPECT_TRUE(fs::exists(User("746-FP01-120001")));
}

TEST_F(Versions, CancelInNewModeLeavesNoRecordAndNoFile) {
    const auto before = Snapshot(Root);
    Host.Select("758-FP01-000000");
    Info.Show(InfoMode::New, "Revision: 3.0.201");
    Info.FormClose();
    EXPECT_EQ(Snapshot(Root), before);
    EXPECT_TRUE(Host.Shown.empty());
}

TEST_F(Versions, EditModeChangesOnlyTheCatalogueRecord) {
    ASSERT_TRUE(New("758-FP01-000000", "120001"));
    Info.FormClose();
    ASSERT_TRUE(New("758-FP01-000000", "120002"));
    Info.FormClose();
    const std::string items = ReadFile(User("758-FP01-120001"));
    const PackRecord other = FindPackRecord({"758", "FP01", "120002"});

    Host.Select("758-FP01-120001");
    Info.Show(InfoMode::Edit, "Revision: 3.0.201");
    // The rest is disabled in edit mode: what the window holds there is not taken.
    ASSERT_TRUE(
        Info.BitBtnOKClick({"Line 5 meter", "Moved to line 5", "Someone", "1999-01-01", "999999"}));
    Info.FormClose();

    const PackRecord edited = FindPackRecord({"758", "FP01", "120001"});
    EXPECT_EQ(edited.CustomTitle, "Line 5 meter");
    EXPECT_EQ(edited.CustomDescription, "Moved to line 5");
    EXPECT_EQ(edited.Creator, "Acme Flow Ltd");
    EXPECT_EQ(edited.Date, "2026-12-10");
    EXPECT_EQ(ReadFile(User("758-FP01-120001")), items);
    EXPECT_EQ(FindPackRecord({"758", "FP01", "120002"}).CustomTitle, other.CustomTitle);
    EXPECT_EQ(UserRecords(), 2);

    // View mode changes nothing at all.
    const auto before = Snapshot(Root / "dbs");
    Host.Select("758-FP01-120001");
    Info.Show(InfoMode::View, "Revision: 3.0.201");
    EXPECT_TRUE(Info.BitBtnOKClick({"ignored", "ignored", "", "", ""}));
    Info.FormClose();
    EXPECT_EQ(Snapshot(Root / "dbs"), before);
}

TEST_F(Versions, DeletionRefusesTheFactoryVersionAndRemovesRecordThenTable) {
    ASSERT_TRUE(New("758-FP01-000000", "120001"));
    Info.FormClose();
    const auto before = Snapshot(Root / "dbs");

    Info.ActionDeleteExecute({"758", "FP01", "000000"});
    EXPECT_EQ(Prompter.LastText(), text::CannotDelete);
    Prompter.Answers = {base::Answer::No};
    Info.ActionDeleteExecute({"758", "FP01", "120001"});
    EXPECT_EQ(Prompter.LastText(), text::DeleteQuestion);
    EXPECT_EQ(Prompter.Boxes.back().Kind, MessageKind::Warning);
    EXPECT_EQ(Snapshot(Root / "dbs"), before);
    EXPECT_EQ(Host.Deleted, 0);

    Host.Select("758-FP01-120001");
    Info.ActionDeleteExecute({"758", "FP01", "120001"});
    EXPECT_EQ(Host.Deleted, 1);
    EXPECT_TRUE(Host.TableLeftWhenDeleted);
    EXPECT_FALSE(fs::exists(User("758-FP01-120001")));
    EXPECT_EQ(UserRecords(), 0);
    EXPECT_TRUE(fs::exists(Factory("758-FP01-000000")));
}

TEST_F(Versions, AFailedCopyOrRenameLeavesNoHalfMadeVersion) {
    PackRecord record = FindPackRecord({"758", "FP01", "000000"});
    record.Code = "120001";
    const auto before = Snapshot(Root / "dbs");

    // The item table to copy is gone.
    EXPECT_ANY_THROW(CreateVersion(record, "..\\dbs\\default\\758-ZZ01-000000.db"));
    EXPECT_EQ(Snapshot(Root / "dbs"), before);

    // The record does not fit the catalogue.
    PackRecord tooLong = record;
    tooLong.Creator = std::string(40, 'x');
    EXPECT_ANY_THROW(CreateVersion(tooLong, VersionTablePath({"758", "FP01", "000000"})));
    EXPECT_EQ(Snapshot(Root / "dbs"), before);

    // The table cannot take its name: the record appended before is taken back (the pack
    // table is written twice, so only its records are the same).
    fs::create_directories(User("758-FP01-120001") / "in-the-way");
    EXPECT_ANY_THROW(CreateVersion(record, VersionTablePath({"758", "FP01", "000000"})));
    fs::remove_all(User("758-FP01-120001"));
    auto after = Snapshot(Root / "dbs");
    EXPECT_EQ(after.size(), before.size());
    after["user/740-pack.db"] = before.at("user/740-pack.db");
    EXPECT_EQ(after, before);
    EXPECT_EQ(UserRecords(), 0);
}

TEST_F(Versions, TheDialogReportsAFailedCreationAndStaysOpen) {
    Host.Select("758-FP01-000000");
    Host.Bound = "..\\dbs\\default\\758-ZZ01-000000.db";
    Info.Show(InfoMode::New, "Revision: 3.0.201");
    EXPECT_FALSE(Info.BitBtnOKClick({"t", "d", "c", "2026-12-10", "120001"}));
    EXPECT_EQ(Prompter.Boxes.back().Kind, MessageKind::Error);
    EXPECT_TRUE(Host.Shown.empty());
    EXPECT_EQ(UserRecords(), 0);
    Info.FormClose();
}

TEST(CreatorDefault, ComesFromTheRevisionsSectionElseUnknownCompany) {
    const kv::testing::TempDir dir;
    const fs::path file = dir / "creator.ini";
    struct Case {
        const char* Contents;  // nullptr: no file
        const char* Revision;
        const char* Creator;
    } cases[] = {
        {"[3.0.201]\nCompany = Acme Flow Ltd \n", "Revision: 3.0.201", "Acme Flow Ltd"},
        {"[2.8.8.5]\nCompany=Acme 746\n[3.0.201]\nCompany=Acme 758\n", "Revision: 2.8.8.5",
         "Acme 746"},
        {"[3.0.201]\nCompany=\n", "Revision: 3.0.201", UnknownCreator},
        {"[3.0.200]\nCompany=Older\n", "Revision: 3.0.201", UnknownCreator},
        {"[3.0.201]\nOwner=Acme\n", "Revision: 3.0.201", UnknownCreator},
        {nullptr, "Revision: 3.0.201", UnknownCreator},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Contents ? c.Contents : "no file");
        fs::remove(file);
        if (c.Contents) std::ofstream(file) << c.Contents;
        EXPECT_EQ(CreatorDefault(c.Revision, file), c.Creator);
    }
}

}  // namespace
}  // namespace kv::catalogue::testing
