#pragma once
// The programming console window: binds tool bar, menus, panels and dialogs to the console's rules.
// Its class name is also the name of the single-instance lock (see base/ui/SingleInstance.h).
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "FitLabel.h"
#include "console/Console.h"

namespace kv::console::ui {

class TFormAbout;
class TFormSavePack;
class TFormSerialNumber;

class TKv740FormComms : public QMainWindow, public ConsoleDialogs {
  public:
    static constexpr const char* WindowClass = "TKv740FormComms";

    struct Services {
        base::Prompter& Prompter;
        base::Shell& Shell;
        LinkFactory MakeLink;
        std::filesystem::path WorkDir;
        std::filesystem::path LaunchDir = {};  // see ConsoleServices
    };

    // `arguments`: the command line without the program name.
    TKv740FormComms(Services services, const std::vector<std::string>& arguments,
                    QWidget* parent = nullptr);
    ~TKv740FormComms() override;

    // The dialogs are created after the console and handed to it here.
    void SetDialogs(TFormSerialNumber* serialNumber, TFormAbout* about, TFormSavePack* savePack);

    Console& Core() { return Rules; }
    QAction* Action(Command command) const { return Actions[static_cast<size_t>(command)]; }

    QToolBar* ToolBar;
    FitLabel* PanelInfo;
    QProgressBar* ProgressBar;
    QLabel* LabelWarning;
    QLabel* StatusRevision;  // status bar panel 0
    QLabel* StatusHint;      // status bar panel 1

    std::optional<std::filesystem::path> ExecuteOpen() override;
    bool ExecuteSerialNumber(SerialNumberForm& form) override;
    bool ExecuteSavePack(SavePackForm& form) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void BuildWindow();
    void Refresh(bool immediate);
    void ActionAboutExecute();

    Console Rules;
    std::array<QAction*, CommandCount> Actions{};
    TFormSerialNumber* FormSerialNumber = nullptr;
    TFormAbout* FormAbout = nullptr;
    TFormSavePack* FormSavePack = nullptr;
    bool HintsShown = false;  // the hint handler is ours between FormShow and FormClose
};

}  // namespace kv::console::ui
