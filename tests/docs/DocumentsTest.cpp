// The document rules: PDF files and web pages through the shell, notes in the viewer.
#include <memory>

#include "DocsFixture.h"
#include "catalogue/VersionTexts.h"
#include "docs/Texts.h"
#include "docs/WebLinks.h"

namespace kv::docs::testing {
namespace {

// Documents made once the current directory is bin/.
class Docs : public DocsFixture {
  protected:
    void SetUp() override {
        DocsFixture::SetUp();
        Rules = std::make_unique<Documents>(Prompter, Shell, Root / "bin");
        Rules->Viewer = &Viewer;
    }
    std::string Under(const std::string& relative) const { return (Root / relative).string(); }
    std::unique_ptr<Documents> Rules;
};

TEST_F(Docs, PdfDocumentsOpenFromTheProgramsDirectoryOrSayWhyNot) {
    struct Case {
        const char* Path;
        bool ShellWorks;
        bool FromOtherDirectory;
        const char* Opened;   // relative to the installation; "" when the shell is not asked
        const char* Message;  // "" when none
    } cases[] = {
        {"..\\docs\\briefs\\758-FP01-AP.pdf", true, false, "docs/briefs/758-FP01-AP.pdf", ""},
        {"..\\docs\\manuals\\758-fp01-om.pdf", true, false, "docs/manuals/758-FP01-OM.pdf", ""},
        {"..\\docs\\briefs\\758-ZZ99-AP.pdf", true, false, "", text::DocumentNotAvailable},
        {"..\\help\\740-PM_UserGuide.pdf", false, false, "help/740-PM_UserGuide.pdf",
         text::NoPdfViewer},
        {"..\\docs\\briefs\\758-FP01-AP.pdf", true, true, "", text::DocumentNotAvailable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        Prompter.Boxes.clear();
        Shell.Opened.clear();
        Shell.Result = c.ShellWorks;
        if (c.FromOtherDirectory) fs::current_path(Root);
        Rules->ActionBriefExecute(c.Path);
        fs::current_path(Root / "bin");
        EXPECT_EQ(Shell.Opened, *c.Opened ? std::vector<std::string>{Under(c.Opened)}
                                          : std::vector<std::string>{});
        EXPECT_EQ(Prompter.LastText(), c.Message);
        if (*c.Message) {
            EXPECT_EQ(Prompter.Boxes.back().Kind, base::MessageKind::Information);
        }
    }
}

TEST_F(Docs, AWebPageThatNoBrowserTakesIsReported) {
    Shell.Result = false;
    Rules->ShowWeb("https://www.morvane.example/");
    EXPECT_EQ(Shell.Opened, std::vector<std::string>{"https://www.morvane.example/"});
    EXPECT_EQ(Prompter.LastText(), text::NoWebBrowser);
}

TEST_F(Docs, NotesShowInTheViewerAndAMissingNoteDoesNothing) {
    Rules->ShowNote("..\\docs\\notes\\Missing.htm");
    Rules->ShowNote("");
    EXPECT_TRUE(Viewer.Loaded.empty());
    EXPECT_FALSE(Viewer.Open);

    Rules->ShowNote("..\\docs\\notes\\KFactor.htm");
    EXPECT_EQ(Viewer.Loaded, std::vector<fs::path>{Root / "docs/notes/KFactor.htm"});
    EXPECT_TRUE(Viewer.Open);
    EXPECT_TRUE(Shell.Opened.empty());
    EXPECT_TRUE(Prompter.Boxes.empty());
}

TEST_F(Docs, WithoutAViewerNotesGoToTheBrowser) {
    Rules->Viewer = nullptr;
    Shell.Result = false;
    Rules->ShowNote("..\\docs\\notes\\KFactor.htm");
    EXPECT_EQ(Shell.Opened, std::vector<std::string>{Under("docs/notes/KFactor.htm")});
    EXPECT_EQ(Prompter.LastText(), text::NoWebBrowser);
    Rules->CloseNotes();  // nothing to close
}

TEST_F(Docs, TheViewerFollowsTheCurrentItemAndClosesOnAnItemWithoutANote) {
    Rules->ItemNoteChanged("..\\docs\\notes\\KFactor.htm");
    EXPECT_TRUE(Viewer.Loaded.empty()) << "a closed viewer is not opened by moving between items";

    Rules->ShowNote("..\\docs\\notes\\KFactor.htm");
    Rules->ItemNoteChanged("..\\docs\\notes\\Totals.htm");
    EXPECT_EQ(Viewer.Loaded.back(), Root / "docs/notes/Totals.htm");
    EXPECT_TRUE(Viewer.Open);

    Rules->ItemNoteChanged("..\\docs\\notes\\");
    EXPECT_FALSE(Viewer.Open);

    Rules->ShowNote("..\\docs\\notes\\KFactor.htm");
    Rules->CloseNotes();  // page change, version information closed
    EXPECT_FALSE(Viewer.Open);
}

TEST_F(Docs, LinksToLocalFilesStayInTheViewerAndEverythingElseGoesToTheBrowser) {
    Rules->ShowNote(catalogue::text::VersionCodesNote);
    EXPECT_TRUE(Rules->WebBrowserBeforeNavigate2(Under("docs/notes/Password.htm")));
    EXPECT_TRUE(Shell.Opened.empty());

    EXPECT_FALSE(
        Rules->WebBrowserBeforeNavigate2("https://www.morvane.example/740-series-version-codes"));
    EXPECT_FALSE(Rules->WebBrowserBeforeNavigate2(Under("docs/notes/Gone.htm")));
    EXPECT_EQ(Shell.Opened,
              (std::vector<std::string>{"https://www.morvane.example/740-series-version-codes",
                                        Under("docs/notes/Gone.htm")}));
    EXPECT_TRUE(Viewer.Open);
    EXPECT_EQ(Viewer.Loaded, std::vector<fs::path>{Root / "docs/notes/CustomVersionCodes.htm"});
}

TEST_F(Docs, WebLinksComeFromTheSettingsFileWhereItGivesThem) {
    const TWebLinks defaults;
    EXPECT_EQ(ReadWebLinks(Root / "none.ini").HomePage, defaults.HomePage);
    EXPECT_TRUE(defaults.ZerdanTool.ends_with("/740-series-zerdan-tool"));

    WriteFile(Root / "settings.ini",
              "[3.0.201]\nCompany=Acme\n\n[WebLinks]\n; the tool is hosted elsewhere\n"
              "ZerdanTool = https://tools.example/740-series-zerdan-tool\nHomePage=\n");
    const TWebLinks links = ReadWebLinks(Root / "settings.ini");
    EXPECT_EQ(links.HomePage, defaults.HomePage) << "an empty value keeps the default";
    EXPECT_EQ(links.ZerdanTool, "https://tools.example/740-series-zerdan-tool");
}

}  // namespace
}  // namespace kv::docs::testing
