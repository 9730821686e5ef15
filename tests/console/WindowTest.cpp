// The console window offscreen: its parts and texts, its states through a download, its dialogs.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QMessageBox>
#include <QStatusTipEvent>
#include <QTest>

#include "WindowFixture.h"
#include "archive/TCompress.h"
#include "link/Messages.h"

namespace kv::console::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Texts(const QList<QAction*>& actions) {
    std::vector<std::string> out;
    for (QAction* a : actions) out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    return out;
}

using Window = WindowFixture;

TEST_F(Window, PartsAndTextsAtStart) {
    Open({});
    EXPECT_EQ(window->objectName(), "TKv740FormComms");
    EXPECT_EQ(window->windowTitle(), "740-Series Program Utility");
    EXPECT_EQ(window->height(), 300);
    EXPECT_EQ(Panel(), "Open Application File");
    EXPECT_EQ(window->StatusRevision->text(), "Revision: 3.0.000");
    EXPECT_EQ(window->StatusRevision->width(), 150);
    EXPECT_EQ(window->LabelWarning->text(),
              "Allow programmed unit to boot-up before switching its power off !");
    EXPECT_TRUE(window->LabelWarning->isHidden());

    const auto top = window->menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), "&File");
    EXPECT_EQ(top[1], window->Action(Command::About));
    EXPECT_EQ(Texts(top[0]->menu()->actions()),
              (std::vector<std::string>{"&Open", "&Save", "Do&wnload", "-", "&Report", "&Manual",
                                        "-", "E&xit"}));
    EXPECT_EQ(
        Texts(window->ToolBar->actions()),
        (std::vector<std::string>{"&Open", "&Save", "Do&wnload", "&Report", "&Manual", "E&xit"}));
    const std::pair<Command, const char*> hints[] = {
        {Command::Open, "Open Application File"},
        {Command::Save, "Save Application File"},
        {Command::Download, "Download Application File"},
        {Command::Report, "View Configuration Report"},
        {Command::Manual, "View Application Manual"},
        {Command::Exit, "Exit Program Utility"},
        {Command::About, "View About Panel"}};
    for (auto [command, hint] : hints) EXPECT_EQ(window->Action(command)->statusTip(), hint);
    EXPECT_EQ(window->Action(Command::About)->text(), "&About...");

    // Nothing loaded: only Open, Exit and About.
    for (Command c : {Command::Open, Command::Exit, Command::About})
        EXPECT_TRUE(window->Action(c)->isEnabled());
    for (Command c : {Command::Save, Command::Download, Command::Report, Command::Manual})
        EXPECT_FALSE(window->Action(c)->isEnabled());

    // Hints go to the second status panel.
    QStatusTipEvent tip("Download Application File");
    QApplication::sendEvent(window.get(), &tip);
    EXPECT_EQ(window->StatusHint->text(), "Download Application File");
}

TEST_F(Window, StatesThroughADownload) {
    Attach("COM1");
    WriteFile(Bin / "758-FP01-000000.apx", BuildImage({}));
    Open({"758-FP01-000000.apx"});
    EXPECT_EQ(window->windowTitle(), "758-FP01-000000.apx - Original Model 758, Class 02");
    EXPECT_EQ(Panel(), "Connect Original Model 758 (Class 02) to COM1...COM9 port");
    EXPECT_TRUE(window->Action(Command::Download)->isEnabled());

    std::string shownNumber, shownTag, shownCaption;
    bool tagEnabled = false;
    WhenModal([&](QWidget* dialog) {
        shownCaption = dialog->windowTitle().toStdString();
        shownNumber = serialNumber->MaskEditNumber->text().toStdString();
        shownTag = serialNumber->MaskEditTag->text().toStdString();
        tagEnabled = serialNumber->MaskEditTag->isEnabled();
        serialNumber->MaskEditNumber->setText("004711");
        serialNumber->ButtonOk->click();
    });
    window->Action(Command::Download)->trigger();
    EXPECT_EQ(shownCaption, "Unit Serial Number / Tag");
    EXPECT_EQ(shownNumber, "000000");
    EXPECT_EQ(shownTag, "UNIT-1");
    EXPECT_TRUE(tagEnabled);

    EXPECT_EQ(Panel(), link::msg::Wait);
    for (Command c : {Command::Open, Command::Save, Command::Download})
        EXPECT_FALSE(window->Action(c)->isEnabled());
    EXPECT_EQ(window->ProgressBar->maximum(), 70000 / 256);
    while (timer->Step()) {
    }
    EXPECT_EQ(Panel(), link::msg::Complete);
    EXPECT_EQ(window->ProgressBar->value(), window->ProgressBar->maximum())
        << "complete: the bar is full";
    EXPECT_TRUE(window->Action(Command::Open)->isEnabled());
    EXPECT_TRUE(window->Action(Command::Download)->isEnabled());
    Spin(100);
    EXPECT_FALSE(window->LabelWarning->isHidden()) << "shown once the application is idle";
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(TextIn(received[0], 0x10000 + 16, 6), "004711");
}

TEST_F(Window, SerialNumberDialogKeysAndChecks) {
    Open({}, false);
    SerialNumberForm form;
    form.TagEnabled = true;
    form.FormShow();
    std::vector<std::string> afterFirstOk;
    bool stayedOpen = false, numberFocused = false;
    WhenModal([&](QWidget*) {
        QLineEdit* tag = serialNumber->MaskEditTag;
        tag->clear();
        QTest::keyClicks(tag, "A#b~");
        QLineEdit* number = serialNumber->MaskEditNumber;
        number->clear();
        number->setCursorPosition(0);
        QTest::keyClicks(number, "12x3");
        afterFirstOk = {tag->text().toStdString(), number->text().toStdString()};
        tag->setFocus();
        serialNumber->ButtonOk->click();
        stayedOpen = serialNumber->isVisible();
        numberFocused = serialNumber->focusWidget() == number && number->cursorPosition() == 0;
        number->setText("120034");
        serialNumber->ButtonOk->click();
    });
    EXPECT_TRUE(serialNumber->Execute(form));
    EXPECT_EQ(afterFirstOk, (std::vector<std::string>{"Ab~", "123"}));
    EXPECT_EQ(prompter.Beeps, 2);  // the dropped "#", then the refused number
    EXPECT_EQ(prompter.LastText(), "Invalid Serial Number: please enter 6-digit number");
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(numberFocused);
    EXPECT_EQ(form.Number, "120034");
    EXPECT_EQ(form.Tag, "Ab~");

    // Cancel closes whatever the fields hold; a disabled tag shows " N/A".
    form.TagEnabled = false;
    form.FormShow();
    bool tagEnabled = true;
    WhenModal([&](QWidget*) {
        tagEnabled = serialNumber->MaskEditTag->isEnabled();
        serialNumber->MaskEditNumber->setText("1");
        serialNumber->ButtonCancel->click();
    });
    EXPECT_FALSE(serialNumber->Execute(form));
    EXPECT_FALSE(tagEnabled);
    EXPECT_EQ(form.Tag, " N/A");
}

TEST_F(Window, SaveDialogAndTheSavedLibrary) {
    Open({}, false);
    const auto image = BuildImage({});
    WriteFile(Bin / "PackBinary.bin", image);
    WriteFile(Bin / "PackReport.pdf", {'%', 'P', 'D', 'F'});
    WriteFile(Bin / "PackManual.pdf", std::vector<uint8_t>(3000, 'm'));
    window->Core().SetModeLite(false);
    window->Core().SetVersion("758-FP01-000321");
    window->show();
    EXPECT_TRUE(window->Action(Command::Save)->isEnabled());
    EXPECT_FALSE(window->Action(Command::Open)->isEnabled());
    EXPECT_EQ(window->windowTitle(), "758-FP01-000321.apx - Original Model 758, Class 02");

    std::vector<std::string> captions;
    Qt::CheckState binaryAfterClick = Qt::Unchecked;
    WhenModal([&](QWidget* dialog) {
        captions.push_back(dialog->windowTitle().toStdString());
        savePack->CheckBoxBinary->click();
        binaryAfterClick = savePack->CheckBoxBinary->checkState();
        savePack->CheckBoxReport->click();  // off: the image alone
        captions.push_back(dialog->windowTitle().toStdString());
        savePack->CheckBoxManual->click();  // on
        captions.push_back(dialog->windowTitle().toStdString());
        savePack->ButtonOk->click();
    });
    window->Action(Command::Save)->trigger();
    EXPECT_EQ(captions, (std::vector<std::string>{"Save As: Library File (.apl)",
                                                  "Save As: Binary File Only (.apx)",
                                                  "Save As: Library File (.apl)"}));
    EXPECT_EQ(binaryAfterClick, Qt::PartiallyChecked);
    EXPECT_EQ(prompter.LastText(), "Library file (.apl) has been saved in ..\\apx directory");

    fs::create_directories(Root / "out");
    archive::TCompress archive;
    archive.SetTargetPath((Root / "out").string() + "/");
    std::vector<std::string> names = {"PackBinary.bin", "PackReport.pdf", "PackManual.pdf"};
    archive.ExpandArchive((Apx / "758-FP01-000321.apl").string(), &names);
    EXPECT_EQ(names.size(), 2u);
    EXPECT_EQ(ReadFileBytes(Root / "out" / "PackBinary.bin"), image);
    EXPECT_EQ(ReadFileBytes(Root / "out" / "PackManual.pdf"), std::vector<uint8_t>(3000, 'm'));
    EXPECT_FALSE(fs::exists(Root / "out" / "PackReport.pdf"));
}

TEST_F(Window, AboutAndExit) {
    Open({});
    std::string product, revision;
    WhenModal([&](QWidget* dialog) {
        product = about->LabelProduct->text().toStdString();
        revision = about->LabelRevision->text().toStdString();
        static_cast<QDialog*>(dialog)->accept();
    });
    window->Action(Command::About)->trigger();
    EXPECT_EQ(product, "Product:  740-Series Program Utility");
    EXPECT_EQ(revision, "Revision: 3.0.000");
    EXPECT_EQ(about->windowTitle(), "About");

    ASSERT_NE(window->Core().Link(), nullptr);
    window->Action(Command::Exit)->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->Core().Link(), nullptr) << "closing frees the link";
}

TEST_F(WindowWithBoxes, AMessageOfTheSerialDialogIsAboveIt) {
    WriteFile(Bin / "758-FP01-000000.apx", BuildImage({}));
    Open({"758-FP01-000000.apx"});
    Seen seen;
    bool stillOpen = false;
    WhenModal([&](QWidget* dialog) {
        ASSERT_EQ(dialog->objectName(), "TFormSerialNumber");
        dialog->findChild<QLineEdit*>("MaskEditNumber")->setText("12");
        AnswerBox(QMessageBox::Ok, seen);
        serialNumber->ButtonOk->click();
        stillOpen = dialog->isVisible();
        serialNumber->ButtonCancel->click();
    });
    window->Action(Command::Download)->trigger();
    EXPECT_EQ(seen.text, "Invalid Serial Number: please enter 6-digit number");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.owner, serialNumber) << "the message belongs to the dialog that raised it";
    EXPECT_TRUE(seen.onTop) << "the dialog stays on top, so its message must too";
    EXPECT_TRUE(seen.focused);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(port->Writes.empty());
}

TEST_F(WindowWithBoxes, ExitDuringADownloadAsksAndNoKeepsDownloading) {
    Attach("COM1");
    WriteFile(Bin / "758-FP01-000000.apx", BuildImage({}));
    Open({"758-FP01-000000.apx"});
    WhenModal([this](QWidget*) { serialNumber->ButtonOk->click(); });
    window->Action(Command::Download)->trigger();
    for (int i = 0; i < 20; ++i) timer->Step();
    ASSERT_EQ(Panel(), link::msg::InProgress);

    for (bool closeBox : {false, true}) {
        Seen seen;
        AnswerBox(QMessageBox::No, seen);
        if (closeBox)
            window->close();
        else
            window->Action(Command::Exit)->trigger();
        EXPECT_EQ(seen.text, "A download is in progress. Stop it and exit?");
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(seen.icon, QMessageBox::Question);
        EXPECT_EQ(seen.owner, window.get());
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(port->IsOpen());
    }
    while (timer->Step()) {
    }
    EXPECT_EQ(Panel(), link::msg::Complete);
    ASSERT_EQ(received.size(), 1u);

    // Nothing is running any more: Exit closes without a question.
    window->Action(Command::Exit)->trigger();
    EXPECT_FALSE(window->isVisible());
}

// Every text of the fixed-size window is whole with the default fonts.
TEST_F(Window, TextsFitTheFixedWindow) {
    Open({});
    const std::string longest[] = {"Connect Original Model 758 (Class 02) to COM1...COM9 port",
                                   "Connect Standard Model 758 (Class 12) to COM1...COM9 port",
                                   "Invalid Application File Name/Contents", link::msg::Wait};
    const QFont large = window->PanelInfo->font();
    for (const std::string& text : longest) {
        window->PanelInfo->SetText(QString::fromStdString(text));
        const QFontMetrics metrics(window->PanelInfo->font());
        EXPECT_LE(metrics.horizontalAdvance(window->PanelInfo->text()),
                  window->PanelInfo->contentsRect().width())
            << text;
        EXPECT_FALSE(window->PanelInfo->wordWrap()) << text << ": shrinking was enough";
    }
    window->PanelInfo->SetText("Open Application File");
    EXPECT_EQ(window->PanelInfo->font().pointSizeF(), large.pointSizeF())
        << "short texts keep the large font";

    QFont title = serialNumber->font();
    title.setBold(true);
    EXPECT_GT(serialNumber->width(),
              QFontMetrics(title).horizontalAdvance("Unit Serial Number / Tag"));
}

}  // namespace
}  // namespace kv::console::testing
