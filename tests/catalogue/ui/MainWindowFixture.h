#pragma once
// The manager's windows, created as the program creates them, in a copy of the demo
// installation (its bin/ the working directory), with scripted boxes and shell.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "base/ScriptedPrompter.h"
#include "base/Shell.h"
#include "catalogue/ui/TFormInstrument.h"
#include "catalogue/ui/TFormIntro.h"
#include "catalogue/ui/TFormProgress.h"
#include "catalogue/ui/TKv740FormMain.h"
#include "console/ui/QtPollTimer.h"
#include "console/ui/TFormAbout.h"
#include "console/ui/TFormSavePack.h"
#include "console/ui/TFormSerialNumber.h"
#include "console/ui/TKv740FormComms.h"
#include "docs/ui/TFormHtml.h"
#include "editor/ui/TFormModels.h"
#include "editor/ui/TFormOptions.h"
#include "link/PosixPort.h"
#include "support/QtWait.h"
#include "support/TempDir.h"
#include "support/VirtualInstrument.h"

namespace kv::catalogue::ui::testing {

namespace fs = std::filesystem;
using kv::testing::Spin;
using kv::testing::WhenModal;

class RecordingShell : public base::Shell {
  public:
    std::vector<std::string> Opened;
    bool Open(const std::string& target) override {
        Opened.push_back(target);
        return true;
    }
};

class MainWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const auto& entry : fs::directory_iterator(KV740_DEMO_INSTALL))
            if (entry.path().filename() != "bin")
                fs::copy(entry.path(), Root / entry.path().filename(), fs::copy_options::recursive);
        fs::create_directories(Root / "bin");
        InBin.emplace(Bin());
    }
    void TearDown() override { Close(); }

    fs::path Bin() const { return Root / "bin"; }

    // Creates every window in the program's order and shows the main window; the start-up
    // runs then, and the introduction closes at once.
    void Start() {
        auto makeLink = [] {
            return std::make_unique<link::TComms>(std::make_unique<link::PosixPort>(),
                                                  std::make_unique<console::ui::QtPollTimer>());
        };
        Main = std::make_unique<TKv740FormMain>(TKv740FormMain::Services{Prompter, Shell});
        About = new console::ui::TFormAbout(Main.get());
        Instrument = new TFormInstrument(
            Main->Versions(), [this](const std::string& note) { Main->Docs().ShowNote(note); },
            Main.get());
        Progress = new TFormProgress(Main.get());
        Comms = std::make_unique<console::ui::TKv740FormComms>(
            console::ui::TKv740FormComms::Services{Prompter, Shell, makeLink, Bin()},
            std::vector<std::string>{});
        Intro = new TFormIntro(Main.get());
        Notes = std::make_unique<docs::ui::TFormHtml>(Main->Docs(), nullptr);
        SerialNumber = new console::ui::TFormSerialNumber(Prompter, Comms.get());
        SavePack = new console::ui::TFormSavePack(Comms.get());
        Options = new editor::ui::TFormOptions(Main.get());
        Models = new editor::ui::TFormModels(Main.get());
        Comms->SetDialogs(SerialNumber, About, SavePack);
        Main->SetWindows(Intro, Progress, Comms.get());
        Main->SetDialogs({About, Instrument, Notes.get(), Options, Models});
        Intro->TimerIntro->start(0);  // the ten seconds, shortened
        Main->show();
        Spin(50);
    }
    void Close() {
        Notes.reset();
        Main.reset();
        Comms.reset();
    }

    // The catalogue grid's rows, one field joined per row.
    std::vector<std::string> GridColumn(int column) const {
        std::vector<std::string> out;
        auto* model = Main->DBGridPacks->model();
        for (int r = 0; r < model->rowCount(); ++r)
            out.push_back(model->index(r, column).data().toString().toStdString());
        return out;
    }
    // Chooses a row of the grid as a click does.
    void ChooseRow(const std::string& pack, const std::string& code = "000000") {
        auto* model = Main->DBGridPacks->model();
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, 0).data().toString().toStdString() == pack &&
                model->index(r, 1).data().toString().toStdString() == code) {
                Main->DBGridPacks->selectionModel()->setCurrentIndex(
                    model->index(r, 0),
                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                Spin(30);
                return;
            }
        ADD_FAILURE() << "no row " << pack << " " << code;
    }

    kv::testing::TempDir Temp;
    fs::path Root = Temp.Path();
    std::optional<kv::testing::CurrentDir> InBin;
    base::ScriptedPrompter Prompter;
    RecordingShell Shell;
    std::unique_ptr<TKv740FormMain> Main;
    std::unique_ptr<console::ui::TKv740FormComms> Comms;
    console::ui::TFormAbout* About = nullptr;
    TFormProgress* Progress = nullptr;
    TFormIntro* Intro = nullptr;
    console::ui::TFormSerialNumber* SerialNumber = nullptr;
    console::ui::TFormSavePack* SavePack = nullptr;
    TFormInstrument* Instrument = nullptr;
    std::unique_ptr<docs::ui::TFormHtml> Notes;
    editor::ui::TFormOptions* Options = nullptr;
    editor::ui::TFormModels* Models = nullptr;
};

}  // namespace kv::catalogue::ui::testing
