// The main window's dialogs opened from its commands: preferences, product codes and the
// version information dialog in its three modes, over the demo installation.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "MainWindowFixture.h"
#include "catalogue/Texts.h"

namespace kv::catalogue::ui::testing {
namespace {

using MainWindowDialogs = MainWindowFixture;

template <typename T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

TEST_F(MainWindowDialogs, PreferencesClosedByTheCloseBoxReachTheActionsAndTheTitle) {
    Start();
    Main->ModelButton("746")->click();
    Spin(50);
    ASSERT_TRUE(Main->windowTitle().contains(text::TitleProgrammableUnits))
        << Main->windowTitle().toStdString();
    ASSERT_TRUE(Main->ActionClearTotals->isChecked());

    bool shown = false;
    WhenModal([&](QWidget* modal) {
        shown = modal->objectName() == "TFormOptions";
        auto* units = Child<QCheckBox>(modal, "CheckBoxInFieldUnits");
        EXPECT_TRUE(units->isEnabled());  // 746 offers programmable units
        units->click();
        Child<QCheckBox>(modal, "CheckBoxClearTotals")->click();
        modal->close();  // the close box keeps the changes too
    });
    Main->Action(Command::Options)->trigger();
    Spin(50);

    EXPECT_TRUE(shown);
    EXPECT_FALSE(Main->Core().Preferences.InFieldUnits);
    EXPECT_FALSE(Main->ActionInFieldUnits->isChecked());
    EXPECT_FALSE(Main->ActionClearTotals->isChecked());
    EXPECT_TRUE(Main->ActionClearLogs->isChecked());
    EXPECT_FALSE(Main->windowTitle().contains(text::TitleProgrammableUnits))
        << Main->windowTitle().toStdString();
}

TEST_F(MainWindowDialogs, ProductCodesShowTheSelectedApplicationWithItsTitleAndClass) {
    Start();
    ChooseRow("FC01");
    const std::string pack = Main->Core().RecordField("Pack");
    const std::string heading = Main->Core().HeadingTitle;
    ASSERT_FALSE(Main->Core().HeadingClass.empty());

    QString summary;
    WhenModal([&](QWidget* modal) {
        auto* memo = Child<QPlainTextEdit>(modal, "MemoSummary758");
        if (memo) summary = memo->toPlainText();
        modal->close();
    });
    Main->Action(Command::Models)->trigger();
    Spin(50);

    const QStringList lines = summary.split('\n');
    ASSERT_GE(lines.size(), 3) << summary.toStdString();
    EXPECT_TRUE(lines[0].contains(QString::fromStdString("\"" + heading + "\"")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(QString::fromStdString(Main->Core().HeadingClass)))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[2].contains(QString::fromStdString("758.111USN-" + pack)))
        << lines[2].toStdString();
}

// The version dialog's mode as the window opens it: which fields may be typed in.
struct ModeCase {
    const char* Name;
    std::function<void(TKv740FormMain&)> Open;
    bool TitleEditable;
    bool CodeEditable;
};

TEST_F(MainWindowDialogs, VersionDialogOpensInTheModeOfTheCommand) {
    const ModeCase cases[] = {
        {"double click, no edit mark",
         [](TKv740FormMain& m) {
             QTest::mouseDClick(m.DBGridPacks->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
         },
         false, false},
        {"new", [](TKv740FormMain& m) { m.Action(Command::New)->trigger(); }, true, true},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Start();
        bool shown = false;
        WhenModal([&](QWidget* modal) {
            shown = modal == Instrument;
            EXPECT_EQ(Instrument->DBEditCustomTitle->isEnabled(), c.TitleEditable);
            EXPECT_EQ(Instrument->DBEditCode->isEnabled(), c.CodeEditable);
            modal->close();
        });
        c.Open(*Main);
        Spin(50);
        EXPECT_TRUE(shown);
        EXPECT_FALSE(fs::exists(Bin() / VersionInfo::ScratchTable));
        Close();
    }
}

TEST_F(MainWindowDialogs, NewVersionIsListedEditedAndDeleted) {
    Start();
    ChooseRow("FC01");
    WhenModal([&](QWidget*) {
        Instrument->DBEditCode->setText("123456");
        Instrument->DBEditCustomTitle->setText("Plant A");
        Instrument->BitBtnOK->click();
    });
    Main->Action(Command::New)->trigger();
    Spin(50);
    ASSERT_EQ(Main->Core().FilterBox.Text(Slot::Customer), "123456") << Prompter.LastText();
    EXPECT_EQ(Main->Core().RecordField("Pack"), "FC01");
    const auto codes = GridColumn(1);
    EXPECT_NE(std::find(codes.begin(), codes.end(), "123456"), codes.end());

    // With the edit mark, Show opens the custom version for editing.
    Main->Action(Command::Edit)->trigger();
    Spin(30);
    ASSERT_TRUE(Main->Action(Command::Edit)->isChecked()) << Prompter.LastText();
    WhenModal([&](QWidget*) {
        EXPECT_TRUE(Instrument->DBEditCustomTitle->isEnabled());
        EXPECT_FALSE(Instrument->DBEditCode->isEnabled());
        Instrument->DBEditCustomTitle->setText("Plant B");
        Instrument->BitBtnOK->click();
    });
    Main->Action(Command::Show)->trigger();
    Spin(50);
    EXPECT_EQ(Main->Core().RecordField("CustomTitle"), "Plant B");
    EXPECT_TRUE(Main->Action(Command::Edit)->isChecked());  // closing keeps the edit mark

    ASSERT_TRUE(Main->Action(Command::Delete)->isEnabled());
    Main->Action(Command::Delete)->trigger();  // the question is answered Yes
    Spin(50);
    const auto left = GridColumn(1);
    EXPECT_EQ(std::find(left.begin(), left.end(), "123456"), left.end());
    EXPECT_NE(Main->Core().FilterBox.Text(Slot::Customer), "123456");
}

TEST_F(MainWindowDialogs, ScreenshotsOfTheDialogsOpenedFromTheWindow) {
    const char* dir = getenv("KV740_SCREENSHOT_DIR");
    if (!dir) GTEST_SKIP() << "KV740_SCREENSHOT_DIR not set";
    Start();
    auto shoot = [&](QAction* action, const char* name) {
        WhenModal([&](QWidget* modal) {
            Spin(100);
            modal->grab().save(QString("%1/%2.png").arg(dir, name));
            if (modal == Instrument) {
                Instrument->LabelCodeClick();
                Spin(100);
                Notes->grab().save(QString("%1/notes.png").arg(dir));
            }
            modal->close();
        });
        action->trigger();
        Spin(50);
    };
    shoot(Main->Action(Command::Options), "options");
    shoot(Main->Action(Command::Models), "models");
    shoot(Main->Action(Command::New), "version-new");
    shoot(Main->MenuItemAbout, "about");
}

}  // namespace
}  // namespace kv::catalogue::ui::testing
