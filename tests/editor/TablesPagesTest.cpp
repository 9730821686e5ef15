// The "Tables", "Messages" and "Printer Text" pages and the new table dialog, offscreen.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "DataTableFixture.h"
#include "GridTyping.h"
#include "editor/TableTexts.h"
#include "editor/ui/ItemList.h"
#include "editor/ui/MessagesPage.h"
#include "editor/ui/TFormNewTable.h"
#include "editor/ui/TablesPage.h"

namespace kv::editor::testing {
namespace {

using ui::TFormNewTable;
using ui::TTablesPage;

// What the main window's handler runner does: show what the handler lets through.
auto Runner(base::Prompter& prompter) {
    return [&prompter](const std::function<void()>& handler) {
        try {
            handler();
        } catch (const std::exception& e) {
            prompter.Error(e.what());
        }
    };
}

void Shoot(QWidget& widget, const char* name) {
    const char* dir = getenv("KV740_SCREENSHOT_DIR");
    if (!dir) return;
    QTest::qWait(100);
    widget.grab().save(QString("%1/%2.png").arg(dir, name));
}

class TablesWindow : public DataTableFixture {
  protected:
    void SetUp() override {
        DataTableFixture::SetUp();
        Page.reset();  // the window's page has rules of its own
        Window = std::make_unique<TTablesPage>(Views->Over(Version), Prompter, Runner(Prompter));
        Window->resize(640, 360);
        Window->show();
        Window->UpdateDataTable(Window->Core().ItemType());
    }
    void TearDown() override {
        Window.reset();
        DataTableFixture::TearDown();
    }
    // New: the dialog answered by `answer` while it is shown.
    void New(const std::function<void(TFormNewTable&)>& answer) {
        Window->ShowNewTable = [&](TFormNewTable& dialog) {
            dialog.show();
            answer(dialog);
            if (dialog.isVisible()) dialog.reject();
        };
        QTest::mouseClick(Window->ButtonTableNew, Qt::LeftButton);
    }
    void MakeTable(const char* title) {
        New([&](TFormNewTable& dialog) {
            QTest::keyClicks(dialog.EditTitle, title);
            QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
        });
    }
    void Type(int row, int column, const QString& keys) {
        ASSERT_TRUE(TypeIntoCell(Window->DBGridTables, row, column, keys));
    }
    QString Cell(int row, int column) {
        return Window->DBGridTables->model()->index(row, column).data().toString();
    }
    std::unique_ptr<TTablesPage> Window;
};

TEST_F(TablesWindow, ShowsTheItemsTablesWithTitledColumns) {
    EXPECT_EQ(Window->LabelItem->text(), "Fluid Property Table");
    EXPECT_EQ(Window->LabelTable->text(), "DEFAULT");
    EXPECT_EQ(Window->DBLookupComboBoxTables->currentText(), "DEFAULT");
    EXPECT_EQ(Window->DBLookupComboBoxTables->toolTip(), "Select Table");
    EXPECT_EQ(Window->ButtonTableNew->toolTip(), "Create New Table");
    EXPECT_EQ(Window->ButtonTableDelete->toolTip(), "Delete Current Table");
    QTableView* grid = Window->DBGridTables;
    EXPECT_FALSE(grid->isEnabled()) << "the factory table is shown empty and disabled";
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "Density, KG/m3");
    EXPECT_FALSE(grid->isColumnHidden(2));
    EXPECT_TRUE(grid->isColumnHidden(3)) << "Viscosity";
    EXPECT_TRUE(grid->isColumnHidden(4));
    Shoot(*Window, "tables-page-default");
}

TEST_F(TablesWindow, TheDialogMakesATableTheGridEdits) {
    New([&](TFormNewTable& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "New Table: Enter Title And Choose Units");
        ASSERT_EQ(dialog.ColumnTitles.size(), 3u);
        EXPECT_EQ(dialog.ColumnTitles[2]->text(), "Heat Capacity");
        EXPECT_EQ(dialog.height(), dialog.ColumnTitles.back()->geometry().bottom() + 1 + 42);
        EXPECT_EQ(dialog.ColumnUnits[0]->currentText(), "DEG C");
        Shoot(dialog, "new-table-dialog");
        QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
        EXPECT_EQ(Prompter.LastText(), text::EnterTableTitle);
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClicks(dialog.EditTitle, "Glycol; 30.5%");  // ";" and "." are dropped
        EXPECT_EQ(dialog.EditTitle->text(), "Glycol 305%");
        dialog.ColumnUnits[0]->setCurrentText("DEG F");
        emit dialog.ColumnUnits[0]->activated(dialog.ColumnUnits[0]->currentIndex());
        QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_FALSE(fs::exists("740-temp.db"));
    EXPECT_EQ(Window->LabelTable->text(), "Glycol 305%");
    EXPECT_TRUE(Window->DBGridTables->isEnabled());
    EXPECT_EQ(Window->DBGridTables->model()->headerData(0, Qt::Horizontal).toString(),
              "Temperature, DEG F");
    ASSERT_EQ(Window->DBGridTables->model()->rowCount(), 1);

    Type(0, 0, "68");
    Type(0, 2, "9");  // 9 KJ/KG is 9000 J/kg: out of range, shown twice
    EXPECT_EQ(Cell(0, 0), "68");
    EXPECT_EQ(Cell(0, 2), "0");
    ASSERT_GE(Prompter.Boxes.size(), 2u);
    EXPECT_EQ(Prompter.Boxes[Prompter.Boxes.size() - 2].Text, text::OutOfRange);
    Type(0, 1, "1e3x");  // "x" is no key of a number
    EXPECT_EQ(Cell(0, 1), "1e3");
    QTest::keyClick(Window->DBGridTables, Qt::Key_Insert);
    EXPECT_EQ(Window->DBGridTables->model()->rowCount(), 2);
    Shoot(*Window, "tables-page-user");

    Prompter.Answers = {base::Answer::Yes};
    QTest::mouseClick(Window->ButtonTableDelete, Qt::LeftButton);
    EXPECT_EQ(Prompter.LastText(), text::DeleteTableQuestion);
    EXPECT_EQ(Window->LabelTable->text(), "DEFAULT");
    EXPECT_EQ(Window->DBLookupComboBoxTables->count(), 1);
}

TEST_F(TablesWindow, TextColumnsTypeCapitalsWithoutPoints) {
    fs::copy_file("../dbs/default/758-BC02-000000.db", "../dbs/user/758-BC02-000001.db");
    Version.Close();
    Version.SetTableName("../dbs/user/758-BC02-000001.db");
    Version.Open();
    ASSERT_TRUE(Version.Locate("ID", {"ID_PRODUCT_TABLE"}));
    Window->UpdateDataTable(Window->Core().ItemType());
    MakeTable("CRUDES");
    Type(0, 0, "n.sea brent crude");
    EXPECT_EQ(Cell(0, 0), "NSEA BRENT C");
}

TEST_F(TablesWindow, ChoosingATableSelectsIt) {
    MakeTable("A");
    MakeTable("B");
    QComboBox* chooser = Window->DBLookupComboBoxTables;
    chooser->setCurrentText("A");
    emit chooser->activated(chooser->currentIndex());
    EXPECT_EQ(Version.FieldByName("DefaultValue").AsString(), "A");
    EXPECT_EQ(Window->LabelTable->text(), "A");
}

class TextWindows : public DataTableFixture {
  protected:
    ui::TextPageHost Host() {
        return {Version, Prompter, Runner(Prompter), [this] {
                    Version.Edit();
                    Version.Post();
                }};
    }
};

TEST_F(TextWindows, MessagesTakeTagCharacters) {
    Version.SetFilter("Menu = 'OP_MENU_RELAYS*'");  // the "ALARMS" button
    Version.SetFiltered(true);
    ui::TMessagesPage page(Host());
    page.ItemList->resize(180, 300);
    page.ItemList->show();
    page.resize(560, 300);
    page.show();
    EXPECT_EQ(page.ItemList->DBGrid->model()->rowCount(), 2);
    EXPECT_EQ(page.LabelItem->text(), "High Alarm");
    EXPECT_EQ(page.DBEditDefault->text(), "HIGH ALARM");
    EXPECT_TRUE(page.DBEditDefault->isReadOnly());
    EXPECT_EQ(page.DBEditUser->maxLength(), 40) << "what HighLimit holds";
    page.DBEditUser->setFocus();
    page.DBEditUser->selectAll();
    QTest::keyClicks(page.DBEditUser, "TANK'S HIGH, LEVEL.");
    EXPECT_EQ(page.DBEditUser->text(), "TANKS HIGH LEVEL");
    Shoot(page, "messages-page");
    QTest::mouseClick(page.ItemList->DBNavigator[2], Qt::LeftButton);  // next: posts first
    EXPECT_EQ(page.LabelItem->text(), "Low Alarm");
    store::Table check(CustomVersion);
    check.Open();
    ASSERT_TRUE(check.Locate("ID", {"ID_ALARM_HIGH"}));
    EXPECT_EQ(check.FieldByName("HighLimit").AsString(), "TANKS HIGH LEVEL");
}

TEST_F(TextWindows, PrinterTextEditsOnlyTheUserColumn) {
    Version.SetFilter("Menu = 'OP_MENU_HEADERS*'");
    Version.SetFiltered(true);
    ui::TPrinterTextPage page(Host());
    page.resize(600, 320);
    page.show();
    QTableView* grid = page.DBGridPrintText;
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "List of Items");
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(),
              "User Text  (max 30 characters)");
    // A click on the item's name puts the caret in the user text of the same row.
    const QRect second = grid->visualRect(grid->model()->index(1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(grid->currentIndex().column(), 1);

    QLineEdit* editor = OpenEditor(grid);  // the caret is in the user text
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 30);
    editor->selectAll();
    QTest::keyClicks(editor, "DRIVER'S \"COPY\", NO. 1");
    EXPECT_EQ(editor->text(), "DRIVERS COPY, NO. 1");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    Shoot(page, "printer-text-page");
    store::Table check(CustomVersion);
    check.Open();
    ASSERT_TRUE(check.Locate("ID", {"ID_HEADER_2"}));
    EXPECT_EQ(check.FieldByName("HighLimit").AsString(), "DRIVERS COPY, NO. 1");
}

}  // namespace
}  // namespace kv::editor::testing
