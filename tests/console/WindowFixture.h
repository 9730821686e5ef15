#pragma once
// The console window with its dialogs, on the fixture's scripted boxes, shell and port.
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "ConsoleFixture.h"
#include "base/ui/QtPrompter.h"
#include "console/ui/TFormAbout.h"
#include "console/ui/TFormSavePack.h"
#include "console/ui/TFormSerialNumber.h"
#include "console/ui/TKv740FormComms.h"
#include "support/QtWait.h"

namespace kv::console::testing {

class WindowFixture : public ConsoleFixture {
  protected:
    ~WindowFixture() override { window.reset(); }

    // Creates the window as the utility does; shows it unless told not to.
    void Open(const std::vector<std::string>& arguments, bool show = true,
              LinkFactory makeLink = {}) {
        if (!makeLink) makeLink = [this] { return MakeLink(); };
        window = std::make_unique<ui::TKv740FormComms>(
            ui::TKv740FormComms::Services{*boxes, shell, makeLink, Bin, Launch}, arguments);
        serialNumber = new ui::TFormSerialNumber(*boxes, window.get());
        about = new ui::TFormAbout(window.get());
        savePack = new ui::TFormSavePack(window.get());
        window->SetDialogs(serialNumber, about, savePack);
        if (show) window->show();
    }

    static void WhenModal(std::function<void(QWidget*)> act) {
        kv::testing::WhenModal(std::move(act));
    }
    static void Spin(int ms, std::function<bool()> done = {}) {
        kv::testing::Spin(ms, std::move(done));
    }

    std::string Panel() const { return window->PanelInfo->text().toStdString(); }

    // The window's message boxes: scripted unless a test shows real ones.
    base::Prompter* boxes = &prompter;
    std::unique_ptr<ui::TKv740FormComms> window;
    ui::TFormSerialNumber* serialNumber = nullptr;
    ui::TFormAbout* about = nullptr;
    ui::TFormSavePack* savePack = nullptr;
};

// The window with real message boxes, answered as a user would.
class WindowWithBoxes : public WindowFixture {
  protected:
    WindowWithBoxes() { boxes = &realBoxes; }

    // As the utility does: a message with no dialog up belongs to the console.
    void Open(const std::vector<std::string>& arguments, bool show = true,
              LinkFactory makeLink = {}) {
        WindowFixture::Open(arguments, show, std::move(makeLink));
        realBoxes.SetParent(window.get());
    }

    // Answers the next message box with `button` once it is up; records what it showed.
    struct Seen {
        std::string text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QWidget* owner = nullptr;
        bool onTop = false;
        bool focused = false;
    };
    void AnswerBox(QMessageBox::StandardButton button, Seen& seen) {
        WhenModal([button, &seen](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) return;
            seen.text = box->text().toStdString();
            seen.buttons = box->standardButtons();
            seen.icon = box->icon();
            seen.owner = box->parentWidget();
            seen.onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            QApplication::processEvents();  // the window system's activation
            seen.focused = QApplication::activeWindow() == box &&
                           box->isAncestorOf(QApplication::focusWidget());
            box->button(button)->click();
        });
    }

    base::ui::QtPrompter realBoxes;
};

}  // namespace kv::console::testing
