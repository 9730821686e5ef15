// The main window's documents: brief, manual, help items, web links, the report on the
// "Instruments" page, the About box and the notes viewer beside the version dialog.
#include <gtest/gtest.h>

#include <QTest>

#include "MainWindowFixture.h"
#include "docs/WebLinks.h"

namespace kv::catalogue::ui::testing {
namespace {

using MainWindowDocuments = MainWindowFixture;

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(MainWindowDocuments, CommandsAndMenuItemsOpenTheirDocumentsThroughTheShell) {
    Start();
    ChooseRow("FC01");
    struct Case {
        const char* Name;
        QAction* Item;
        std::string Opened;  // the end of what the shell is given
    };
    const Case cases[] = {
        {"brief", Main->Action(Command::Brief), "758-FC01-AP.pdf"},
        {"overview 758", Main->HelpItems[static_cast<size_t>(HelpItem::Overview758)],
         "740-PM_758-HW-AP.pdf"},
        {"home page", Main->MenuItemHomePage, docs::TWebLinks{}.HomePage},
        {"tool page", Main->MenuItemZerdanTool, docs::TWebLinks{}.ZerdanTool},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Shell.Opened.clear();
        ASSERT_TRUE(c.Item->isEnabled());
        c.Item->trigger();
        Spin(20);
        ASSERT_EQ(Shell.Opened.size(), 1u) << Prompter.LastText();
        EXPECT_TRUE(EndsWith(Shell.Opened[0], c.Opened)) << Shell.Opened[0];
    }

    // The description's double click is the brief.
    Shell.Opened.clear();
    QTest::mouseDClick(Main->DBMemoDescription->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    Spin(20);
    ASSERT_EQ(Shell.Opened.size(), 1u);
    EXPECT_TRUE(EndsWith(Shell.Opened[0], "758-FC01-AP.pdf")) << Shell.Opened[0];
}

TEST_F(MainWindowDocuments, AHelpItemWithoutItsDocumentIsDisabled) {
    fs::remove(Root / "help/746-HW-AP.pdf");
    Start();
    EXPECT_FALSE(Main->HelpItems[static_cast<size_t>(HelpItem::Overview746)]->isEnabled());
    EXPECT_TRUE(Main->HelpItems[static_cast<size_t>(HelpItem::Overview758)]->isEnabled());
}

TEST_F(MainWindowDocuments, ReportOnTheInstrumentsPageWritesTheReportAndOpensIt) {
    Start();
    ChooseRow("FC01");
    ASSERT_EQ(Main->Action(Command::Note)->text(), "&Report");
    Main->Action(Command::Note)->trigger();
    Spin(20);
    EXPECT_TRUE(fs::exists(Bin() / "Report.pdf")) << Prompter.LastText();
    ASSERT_EQ(Shell.Opened.size(), 1u) << Prompter.LastText();
    EXPECT_TRUE(EndsWith(Shell.Opened[0], "Report.pdf")) << Shell.Opened[0];
}

TEST_F(MainWindowDocuments, AboutShowsTheManagersProductAndPanelZero) {
    Start();
    QString product, revision;
    WhenModal([&](QWidget* modal) {
        product = About->LabelProduct->text();
        revision = About->LabelRevision->text();
        modal->close();
    });
    Main->MenuItemAbout->trigger();
    Spin(20);
    EXPECT_TRUE(product.contains("740-Series Program Manager")) << product.toStdString();
    EXPECT_EQ(revision, Main->StatusRevision->text());
}

TEST_F(MainWindowDocuments, VersionCodeNoteClosesWithTheVersionDialog) {
    Start();
    bool noteShown = false;
    WhenModal([&](QWidget*) {
        Instrument->LabelCodeClick();
        noteShown = Notes->isVisible();
        Instrument->BitBtnCancel->click();
    });
    Main->Action(Command::New)->trigger();
    Spin(30);
    EXPECT_TRUE(noteShown) << Prompter.LastText();
    EXPECT_FALSE(Notes->isVisible());
}

}  // namespace
}  // namespace kv::catalogue::ui::testing
