// The version information dialog on the offscreen platform: its three modes, the code field's
// key filter and the version code help.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "VersionFixture.h"
#include "catalogue/CreatorSetting.h"
#include "catalogue/VersionTexts.h"
#include "catalogue/ui/TFormInstrument.h"

namespace kv::catalogue::testing {
namespace {

class InstrumentWindow : public InstallationCopy {
  protected:
    void SetUp() override {
        InstallationCopy::SetUp();
        Info.SettingsFile = Root / "none.ini";
        Host.Select("758-FP01-000000");
    }
    // Shows the dialog in `mode` and runs `inside` while it is open; the dialog's result.
    int ShowWith(InfoMode mode, std::function<void()> inside) {
        QTimer::singleShot(0, &Form, [this, inside] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&Form));
            inside();
            if (Form.isVisible()) Form.reject();
        });
        return Form.Show(mode, "Revision: 3.0.201");
    }

    base::ScriptedPrompter Prompter;
    RecordingHost Host;
    VersionInfo Info{Prompter, Host};
    std::vector<std::string> Notes;
    ui::TFormInstrument Form{Info, [this](const std::string& note) { Notes.push_back(note); },
                             nullptr};
};

TEST_F(InstrumentWindow, EachModeShowsItsControls) {
    struct Case {
        InfoMode Mode;
        bool Editable, Rest, Cancel;
        const char* Focus;
        bool Underlined;
    } cases[] = {
        {InfoMode::View, false, false, false, "BitBtnOK", false},
        {InfoMode::Edit, true, false, true, "BitBtnCancel", false},
        {InfoMode::New, true, true, true, "DBEditCode", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Mode));
        ShowWith(c.Mode, [&] {
            EXPECT_EQ(Form.windowTitle(), text::InstrumentCaption);
            EXPECT_EQ(Form.DBEditCustomTitle->isEnabled(), c.Editable);
            EXPECT_EQ(Form.DBMemoCustomDescription->isEnabled(), c.Editable);
            EXPECT_EQ(Form.DBEditCode->isEnabled(), c.Rest);
            EXPECT_EQ(Form.DBEditCreator->isEnabled(), c.Rest);
            EXPECT_FALSE(Form.DBMemoDescription->isEnabled());
            EXPECT_EQ(Form.BitBtnCancel->isVisible(), c.Cancel);
            EXPECT_EQ(
                QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(),
                c.Focus);
            EXPECT_TRUE(Form.LabelCode->font().bold());
            EXPECT_EQ(Form.LabelCode->font().underline(), c.Underlined);
            EXPECT_EQ(Form.DBEditTitle->text(), "Pulse Input Flow Rate Totaliser");
        });
    }
}

TEST_F(InstrumentWindow, TheCodeTakesDigitsOnlyAndTheLabelOpensItsNote) {
    ShowWith(InfoMode::New, [&] {
        Form.DBEditCode->clear();
        QTest::keyClicks(Form.DBEditCode, "12a-3 4");
        EXPECT_EQ(Form.DBEditCode->text(), "1234");
        QTest::keyClick(Form.DBEditCode, Qt::Key_Backspace);
        EXPECT_EQ(Form.DBEditCode->text(), "123");
        QTest::mouseClick(Form.LabelCode, Qt::LeftButton);
        EXPECT_EQ(Notes, std::vector<std::string>{text::VersionCodesNote});
        EXPECT_EQ(Form.LabelCode->toolTip(), text::CodeHint);
    });
}

TEST_F(InstrumentWindow, OkInNewModeStaysOnARefusedCodeAndMakesTheVersionOtherwise) {
    const int result = ShowWith(InfoMode::New, [&] {
        Form.DBEditCode->setText("123");
        Form.BitBtnOK->click();
        EXPECT_TRUE(Form.isVisible());
        EXPECT_EQ(Prompter.LastText(), text::CodeTooShort);
        EXPECT_EQ(QApplication::focusWidget(), Form.DBEditCode);
        Form.DBEditCode->setText("120001");
        Form.DBEditCustomTitle->setText("Line 4 meter");
        Form.BitBtnOK->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(FindPackRecord({"758", "FP01", "120001"}).CustomTitle, "Line 4 meter");
    EXPECT_EQ(FindPackRecord({"758", "FP01", "120001"}).Creator, std::string(UnknownCreator));
    EXPECT_FALSE(fs::exists("740-temp.db"));
    EXPECT_EQ(Host.Reopened, 1);
}

}  // namespace
}  // namespace kv::catalogue::testing
