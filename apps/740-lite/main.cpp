// 740-lite: the program utility, the programming console alone.
#include <QApplication>
#include <QDir>
#include <filesystem>
#include <memory>

#include "base/ui/QtPrompter.h"
#include "base/ui/QtShell.h"
#include "base/ui/SingleInstance.h"
#include "console/Texts.h"
#include "console/ui/QtPollTimer.h"
#include "console/ui/TFormAbout.h"
#include "console/ui/TFormSavePack.h"
#include "console/ui/TFormSerialNumber.h"
#include "console/ui/TKv740FormComms.h"
#include "link/PosixPort.h"

using namespace kv;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // A file named on the command line is where the user was; everything else resolves inside the
    // installation: the working directory is the program's.
    const std::filesystem::path launchDir = std::filesystem::current_path();
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    // A second utility, or a utility while the manager's console exists, ends without a word.
    base::ui::SingleInstance instance(console::ui::TKv740FormComms::WindowClass);
    if (!instance.TryLock()) return 0;

    QApplication::setApplicationName(console::text::UtilityTitle);
    base::ui::QtPrompter prompter;
    base::ui::QtShell shell;
    auto makeLink = [] {
        return std::make_unique<link::TComms>(std::make_unique<link::PosixPort>(),
                                              std::make_unique<console::ui::QtPollTimer>());
    };
    std::vector<std::string> arguments;
    const QStringList words = QCoreApplication::arguments();
    for (qsizetype i = 1; i < words.size(); ++i) arguments.push_back(words[i].toStdString());

    console::ui::TKv740FormComms comms(
        {prompter, shell, makeLink, std::filesystem::current_path(), launchDir}, arguments);
    console::ui::TFormSerialNumber serialNumber(prompter, &comms);
    console::ui::TFormAbout about(&comms);
    console::ui::TFormSavePack savePack(&comms);
    comms.SetDialogs(&serialNumber, &about, &savePack);
    prompter.SetParent(&comms);
    comms.show();
    return app.exec();
}
