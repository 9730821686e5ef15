// The Report command of the catalogue page: "Report.pdf" through the configuration report.
#include "DocsFixture.h"
#include "assets/AssetFiles.h"
#include "assets/EngineeringUnits.h"
#include "console/Texts.h"
#include "docs/Texts.h"
#include "report/VersionSource.h"

namespace kv::docs::testing {
namespace {

class ReportCommand : public DocsFixture {
  protected:
    void SetUp() override {
        DocsFixture::SetUp();
        assets::WriteResource(assets::Resource::FileOptions758, ".");
        fs::rename(assets::ResourceFileName(assets::Resource::FileOptions758), "740-opts.db");
        assets::AppendUnitRows("740-opts.db");
        Form.Source = report::ReportSourceOf("758-FP01-000000");
        Form.Source.SoftwareType = "740-PM Software";
        Form.Source.Revision = "Revision: 3.0.201";
    }
    void Run() {
        Rules.ActionNoteExecute(text::ReportCaption, "..\\docs\\notes\\KFactor.htm", Form);
    }

    Documents Rules{Prompter, Shell, "."};
    report::TFormPdf Form{Prompter};
};

TEST_F(ReportCommand, WritesTheReportOfTheSelectedVersionAndOpensIt) {
    Run();
    EXPECT_TRUE(Prompter.Boxes.empty()) << Prompter.LastText();
    EXPECT_EQ(ReadFile("Report.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(Shell.Opened, std::vector<std::string>{(Root / "bin/Report.pdf").string()});
    EXPECT_FALSE(fs::exists("Report.pdf.new"));
    EXPECT_TRUE(Viewer.Loaded.empty()) << "the report caption does not show the note";
}

TEST_F(ReportCommand, AReportNoReaderTakesIsReported) {
    Shell.Result = false;
    Run();
    EXPECT_EQ(Prompter.LastText(), console::text::NoPdfReader);
    EXPECT_EQ(Prompter.Boxes.back().Kind, base::MessageKind::Information);
    EXPECT_TRUE(fs::exists("Report.pdf"));
}

TEST_F(ReportCommand, AReportThatCannotBeWrittenKeepsTheOldOne) {
    WriteFile("Report.pdf", "the report being read");
    fs::create_directory("Report.pdf.new");  // the engine cannot create its file
    Run();
    EXPECT_EQ(Prompter.LastText(), text::ReportInUse);
    EXPECT_EQ(Prompter.Boxes.back().Kind, base::MessageKind::Warning);
    EXPECT_EQ(ReadFile("Report.pdf"), "the report being read");
    EXPECT_TRUE(Shell.Opened.empty());
}

TEST_F(ReportCommand, AVersionWhoseTableIsGoneIsAnErrorBoxNotACrash) {
    fs::remove(Root / "dbs/default/758-FP01-000000.db");
    Run();
    ASSERT_EQ(Prompter.Boxes.size(), 1u);
    EXPECT_EQ(Prompter.Boxes[0].Kind, base::MessageKind::Error);
    EXPECT_FALSE(fs::exists("Report.pdf"));
    EXPECT_TRUE(Shell.Opened.empty());
}

TEST_F(ReportCommand, TheNoteCaptionShowsTheItemsNote) {
    Rules.Viewer = &Viewer;
    Rules.ActionNoteExecute(text::NoteCaption, "..\\docs\\notes\\KFactor.htm", Form);
    EXPECT_EQ(Viewer.Loaded.size(), 1u);
    EXPECT_FALSE(fs::exists("Report.pdf"));
}

}  // namespace
}  // namespace kv::docs::testing
