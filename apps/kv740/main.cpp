// kv740: the program manager.
#include <QApplication>
#include <QDir>
#include <filesystem>
#include <memory>

#include "base/ui/QtPrompter.h"
#include "base/ui/QtShell.h"
#include "base/ui/SingleInstance.h"
#include "catalogue/Texts.h"
#include "catalogue/ui/TFormInstrument.h"
#include "catalogue/ui/TFormIntro.h"
#include "catalogue/ui/TFormProgress.h"
#include "catalogue/ui/TKv740FormMain.h"
#include "console/ui/QtPollTimer.h"
#include "console/ui/TFormAbout.h"
#include "console/ui/TFormSavePack.h"
#include "console/ui/TFormSerialNumber.h"
#include "console/ui/TKv740FormComms.h"
#include "docs/Documents.h"
#include "docs/ui/TFormHtml.h"
#include "editor/ui/TFormModels.h"
#include "editor/ui/TFormOptions.h"
#include "link/PosixPort.h"

using namespace kv;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Relative paths resolve inside the installation: the working directory is the program's.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    // A second manager ends without a word; the running one is not activated.
    base::ui::SingleInstance instance(catalogue::ui::TKv740FormMain::WindowClass);
    if (!instance.TryLock()) return 0;
    QApplication::setApplicationName(catalogue::text::ApplicationTitle);

    base::ui::QtPrompter prompter;
    base::ui::QtShell shell;
    auto makeLink = [] {
        return std::make_unique<link::TComms>(std::make_unique<link::PosixPort>(),
                                              std::make_unique<console::ui::QtPollTimer>());
    };

    // Every window at start, in this order. No arguments are read.
    catalogue::ui::TKv740FormMain main({prompter, shell});
    console::ui::TFormAbout about(&main);
    catalogue::ui::TFormInstrument instrument(
        main.Versions(), [&main](const std::string& note) { main.Docs().ShowNote(note); }, &main);
    catalogue::ui::TFormProgress progress(&main);
    // The manager's console holds the console's lock while it exists, so that the utility
    // refuses to start beside it (a utility already running keeps the lock).
    base::ui::SingleInstance consoleLock(console::ui::TKv740FormComms::WindowClass);
    consoleLock.TryLock();
    console::ui::TKv740FormComms comms({prompter, shell, makeLink, std::filesystem::current_path()},
                                       {});
    catalogue::ui::TFormIntro intro(&main);
    docs::ui::TFormHtml notes(main.Docs(), nullptr);
    console::ui::TFormSerialNumber serialNumber(prompter, &comms);
    console::ui::TFormSavePack savePack(&comms);
    editor::ui::TFormOptions options(&main);
    editor::ui::TFormModels models(&main);
    comms.SetDialogs(&serialNumber, &about, &savePack);
    main.SetWindows(&intro, &progress, &comms);
    main.SetDialogs({&about, &instrument, &notes, &options, &models});
    prompter.SetParent(&main);
    main.show();
    return app.exec();
}
