// The "Tables", "Messages" and "Printer Text" pages in the main window: hosted, enabled in edit
// mode, and what they change reaches the generated source and the report of a download.
#include <gtest/gtest.h>

#include "EditorWindowFixture.h"
#include "GridTyping.h"
#include "KeptSource.h"
#include "editor/TableTexts.h"
#include "editor/ui/MessagesPage.h"
#include "editor/ui/TFormNewTable.h"
#include "editor/ui/TablesPage.h"

namespace kv::editor::ui::testing {
namespace {

using MainPage = catalogue::Page;
using editor::testing::KeepCompiledSources;
using editor::testing::KeptSource;
using editor::testing::PdfText;
using editor::testing::TypeIntoCell;

class DataPagesWindow : public EditorWindow {
  protected:
    void ShowPage(MainPage page) {
        Main->PageControlMain->setCurrentIndex(static_cast<int>(page));
        Spin(30);
        ASSERT_EQ(Main->PageControlMain->currentIndex(), static_cast<int>(page))
            << Prompter.LastText();
    }
    template <typename T>
    T* Find(const char* name) {
        T* widget = dynamic_cast<T*>(Main->findChild<QWidget*>(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // The catalogue of the model and category, on the pack's factory version.
    void Choose(const char* model, const char* category, const std::string& pack) {
        Main->ModelButton(model)->click();
        Spin(30);
        for (QToolButton* button : Main->CategoryButtons)
            if (button->text() == category) button->click();
        Spin(30);
        ChooseRow(pack);
    }
    void Download() {
        ShowPage(MainPage::Instruments);
        ASSERT_TRUE(Main->Action(Command::Download)->isEnabled());
        Main->Action(Command::Download)->trigger();
        Spin(30);
    }
};

TEST_F(DataPagesWindow, PrinterTextTabOnlyForVersionsWithHeaders) {
    Start();
    Choose("746", "FLOW", "FG01");
    EXPECT_FALSE(Main->PageControlMain->isTabVisible(static_cast<int>(MainPage::PrinterText)));
    Choose("758", "HEAT", "HC01");
    EXPECT_TRUE(Main->PageControlMain->isTabVisible(static_cast<int>(MainPage::PrinterText)));
}

TEST_F(DataPagesWindow, WhatThePagesChangeReachesTheSourceAndTheReport) {
    KeepCompiledSources(Root);
    Start();
    Main->Core().OnShowConsole = [](const std::string&) {};
    Choose("758", "HEAT", "HC01");
    NewVersion("HC01", "300001");
    ShowConfiguration();
    Category("PARAMETERS");
    Item("Fluid Property Table");
    ASSERT_EQ(CurrentPage(), "TabSheetTables");
    auto* tables = dynamic_cast<TTablesPage*>(Editor().TabSheetTables);
    ASSERT_NE(tables, nullptr);
    EXPECT_FALSE(tables->isEnabled()) << "only in edit mode";
    EditMode();
    EXPECT_EQ(tables->LabelItem->text(), "Fluid Property Table");
    tables->ShowNewTable = [](TFormNewTable& dialog) {
        dialog.show();
        QTest::keyClicks(dialog.EditTitle, "WATER");
        QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
    };
    QTest::mouseClick(tables->ButtonTableNew, Qt::LeftButton);
    ASSERT_EQ(Stored("ID_HEAT_FLUID_TABLE", "DefaultValue"), "WATER") << Prompter.LastText();
    ASSERT_TRUE(TypeIntoCell(tables->DBGridTables, 0, 0, "20"));
    ASSERT_TRUE(TypeIntoCell(tables->DBGridTables, 0, 1, "998.2"));
    EXPECT_EQ(tables->DBGridTables->model()->index(0, 1).data().toString(), "998.2");

    ShowPage(MainPage::Messages);
    Main->MessagesButtons[2]->click();  // "ALARMS": the relay messages
    Spin(20);
    auto* messages = Find<TMessagesPage>("FrameMessageText");
    ASSERT_NE(messages, nullptr);
    EXPECT_EQ(messages->LabelItem->text(), "High Alarm");
    messages->DBEditUser->setFocus();
    messages->DBEditUser->selectAll();
    QTest::keyClicks(messages->DBEditUser, "TANK HIGH");

    ShowPage(MainPage::PrinterText);  // the posting rule commits the message
    EXPECT_EQ(Stored("ID_ALARM_HIGH", "HighLimit"), "TANK HIGH");
    auto* printer = Find<TPrinterTextPage>("FramePrinterText");
    ASSERT_NE(printer, nullptr);
    ASSERT_TRUE(TypeIntoCell(printer->DBGridPrintText, 0, 1, "ACME FLOW (LINE 4)"));
    EXPECT_EQ(Stored("ID_HEADER_1", "HighLimit"), "ACME FLOW (LINE 4)");

    Download();
    const std::string source = KeptSource(Root);
    EXPECT_NE(source.find("   // WATER\r\n   {OP_HEAT_FLUID_TYPE_USER, 2.9315000E+02, "
                          "9.9820000E+02, "),
              std::string::npos)
        << source;
    EXPECT_NE(source.find("{\"HIGH ALARM\",\"TANK HIGH\"}"), std::string::npos);
    EXPECT_NE(source.find("   \"ACME FLOW (LINE 4)\",\r\n"), std::string::npos);
    const std::string report = PdfText(Bin() / "PackReport.pdf");
    EXPECT_NE(report.find("WATER"), std::string::npos) << report;
    EXPECT_NE(report.find("998.2"), std::string::npos);
}

TEST_F(DataPagesWindow, ScreenshotsOfThePagesInTheWindow) {
    const char* dir = getenv("KV740_SCREENSHOT_DIR");
    if (!dir) GTEST_SKIP() << "KV740_SCREENSHOT_DIR not set";
    Start();
    Choose("758", "HEAT", "HC01");
    NewVersion("HC01", "300001");
    ShowConfiguration();
    EditMode();
    Category("PARAMETERS");
    Item("Fluid Property Table");
    Spin(100);
    Main->grab().save(QString("%1/window-tables.png").arg(dir));
    ShowPage(MainPage::Messages);
    Spin(100);
    Main->grab().save(QString("%1/window-messages.png").arg(dir));
    ShowPage(MainPage::PrinterText);
    Spin(100);
    Main->grab().save(QString("%1/window-printer-text.png").arg(dir));
}

}  // namespace
}  // namespace kv::editor::ui::testing
