// The notes viewer, the help menus and the About box on the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include "DocsFixture.h"
#include "docs/Texts.h"
#include "docs/ui/AboutBox.h"
#include "docs/ui/TFormHtml.h"

namespace kv::docs::testing {
namespace {

class Windows : public DocsFixture {
  protected:
    void SetUp() override {
        DocsFixture::SetUp();
        Rules = std::make_unique<Documents>(Prompter, Shell, Root / "bin");
        Html = std::make_unique<ui::TFormHtml>(*Rules, nullptr);
        Rules->Viewer = Html.get();
        WriteFile(Root / "docs/notes/Linked.htm",
                  "<p><a href=\"https://www.morvane.example/page\">web</a> <a "
                  "href=\"Password.htm\">local</a></p>");
    }
    QUrl Shown() const { return Html->WebBrowser->source(); }
    QUrl Note(const char* name) const {
        return QUrl::fromLocalFile((Root / "docs/notes" / name).c_str());
    }

    std::unique_ptr<Documents> Rules;
    std::unique_ptr<ui::TFormHtml> Html;
};

TEST_F(Windows, TheNotesViewerHandsWebLinksToTheBrowserAndFollowsLocalOnes) {
    Rules->ShowNote("..\\docs\\notes\\Linked.htm");
    ASSERT_TRUE(Html->isVisible());
    EXPECT_EQ(Html->windowTitle(), text::NotesCaption);
    EXPECT_TRUE(Html->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(Html->WebBrowser->toPlainText().contains("local"));

    emit Html->WebBrowser->anchorClicked(QUrl("https://www.morvane.example/page"));
    EXPECT_EQ(Shell.Opened, std::vector<std::string>{"https://www.morvane.example/page"});
    EXPECT_EQ(Shown(), Note("Linked.htm"));
    EXPECT_TRUE(Html->isVisible());

    emit Html->WebBrowser->anchorClicked(QUrl("Password.htm"));
    EXPECT_EQ(Shown(), Note("Password.htm"));
    EXPECT_EQ(Shell.Opened.size(), 1u);

    Rules->ItemNoteChanged("");
    EXPECT_FALSE(Html->isVisible());
}

TEST_F(Windows, TheAboutBoxShowsTheManagersProductAndRevision) {
    console::ui::TFormAbout about(nullptr);
    QTimer::singleShot(0, &about, &QDialog::accept);
    ui::HelpAbout(about, AboutTexts("Revision: 3.0.201", TWebLinks{}));
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.LabelProduct->text(), "Product:  740-Series Program Manager");
    EXPECT_EQ(about.LabelRevision->text(), "Revision: 3.0.201");
    EXPECT_EQ(about.LabelHomePage->text(), QString::fromStdString(TWebLinks{}.HomePage));
}

}  // namespace
}  // namespace kv::docs::testing
