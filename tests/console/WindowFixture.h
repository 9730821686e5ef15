#pragma once
// The console window with its dialogs, on the fixture's scripted boxes, shell and port.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <functional>

#include "ConsoleFixture.h"
#include "console/ui/TFormAbout.h"
#include "console/ui/TFormSavePack.h"
#include "console/ui/TFormSerialNumber.h"
#include "console/ui/TKv740FormComms.h"

namespace kv::console::testing {

class WindowFixture : public ConsoleFixture {
protected:
    ~WindowFixture() override { window.reset(); }

    // Creates the window as the utility does; shows it unless told not to.
    void Open(const std::vector<std::string>& arguments, bool show = true, LinkFactory makeLink = {}) {
        if (!makeLink) makeLink = [this] { return MakeLink(); };
        window = std::make_unique<ui::TKv740FormComms>(ui::TKv740FormComms::Services{prompter, shell, makeLink, Bin},
                                                       arguments);
        serialNumber = new ui::TFormSerialNumber(prompter, window.get());
        about = new ui::TFormAbout(window.get());
        savePack = new ui::TFormSavePack(window.get());
        window->SetDialogs(serialNumber, about, savePack);
        if (show) window->show();
    }

    // Runs `act` on the next modal dialog once it is up.
    static void WhenModal(std::function<void(QWidget*)> act) {
        QTimer::singleShot(0, [act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return WhenModal(act);
            act(modal);
        });
    }

    // Runs the event loop (so idle handling happens) for a while or until `done`.
    static void Spin(int ms, std::function<bool()> done = {}) {
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (done && done()) loop.quit();
        });
        deadline.start(ms);
        check.start(20);
        loop.exec();
    }

    std::string Panel() const { return window->PanelInfo->text().toStdString(); }

    std::unique_ptr<ui::TKv740FormComms> window;
    ui::TFormSerialNumber* serialNumber = nullptr;
    ui::TFormAbout* about = nullptr;
    ui::TFormSavePack* savePack = nullptr;
};

}  // namespace kv::console::testing
