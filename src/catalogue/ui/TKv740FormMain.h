#pragma once
// The program manager's main window: renders the state of catalogue::Manager and hands every
// click to it. Its class name is also the name of the single-instance lock.
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "catalogue/Manager.h"
#include "docs/WebLinks.h"

class QEventLoop;
class QVBoxLayout;

namespace kv::console::ui {
class TFormAbout;
class TKv740FormComms;
}  // namespace kv::console::ui
namespace kv::docs {
class Documents;
}
namespace kv::docs::ui {
class TFormHtml;
}
namespace kv::editor::ui {
class TConfigurationEditor;
class TFormModels;
class TFormOptions;
}  // namespace kv::editor::ui
namespace kv::store::ui {
class DatasetModel;
class FieldBinding;
}  // namespace kv::store::ui

namespace kv::catalogue {
class ManagerVersionHost;
class VersionInfo;
}  // namespace kv::catalogue

namespace kv::catalogue::ui {

class TFormInstrument;
class TFormIntro;
class TFormProgress;

class TKv740FormMain : public QMainWindow {
  public:
    static constexpr const char* WindowClass = "TKv740FormMain";

    struct Services {
        base::Prompter& Prompter;
        base::Shell& Shell;
    };

    explicit TKv740FormMain(Services services, QWidget* parent = nullptr);
    ~TKv740FormMain() override;

    // The windows created after this one, handed to it before it is shown.
    void SetWindows(TFormIntro* intro, TFormProgress* progress,
                    console::ui::TKv740FormComms* comms);

    // The dialogs the commands open, created after the About box.
    struct Dialogs {
        console::ui::TFormAbout* About = nullptr;
        TFormInstrument* Instrument = nullptr;
        docs::ui::TFormHtml* Notes = nullptr;
        editor::ui::TFormOptions* Options = nullptr;
        editor::ui::TFormModels* Models = nullptr;
    };
    void SetDialogs(const Dialogs& dialogs);

    Manager& Core() { return Rules; }
    // The version information dialog's rules over this window's catalogue.
    VersionInfo& Versions() { return *VersionRules; }
    // Briefs, manuals, notes, help documents and web pages.
    docs::Documents& Docs() { return *DocRules; }
    QAction* Action(Command command) const { return Actions[static_cast<size_t>(command)]; }
    QToolButton* ModelButton(const std::string& model) const;
    // The "Configuration" page's item list, item pages and description box.
    editor::ui::TConfigurationEditor* Configuration() const { return ConfigurationEditor.get(); }

    // The preferences and product codes dialogs hang here (ActionOptions, ActionModels).
    std::function<void()> OnOptions;
    std::function<void()> OnModels;

    // Preference actions: state holders that the preferences dialog sets.
    QAction* ActionOriginal;
    QAction* ActionInFieldUnits;
    QAction* ActionClearTotals;
    QAction* ActionClearLogs;
    // Help menu and web links (their documents and addresses come with the documents' handlers).
    std::array<QAction*, HelpItemCount> HelpItems{};
    QAction* MenuItemAbout;
    QAction* MenuItemHomePage;
    QAction* MenuItemZerdanTool;

    QToolBar* ToolBar;
    std::array<QToolButton*, 2> SpeedButtonModels{};  // "746", "758"
    QLabel* LabelVersion;                             // the heading line: version, title, class
    QLabel* LabelTitle;
    QLabel* LabelClass;
    QTabWidget* PageControlMain;

    // "Instruments": the catalogue.
    std::array<QToolButton*, 8> CategoryButtons{};
    QToolButton* SpeedButtonApplications;
    QToolButton* SpeedButtonVersions;
    QTableView* DBGridPacks;
    QPlainTextEdit* DBMemoDescription;
    QStackedWidget* PageControlSide;  // "Image", "Custom"
    QLabel* ImageInstrument;
    QPlainTextEdit* DBMemoCustom;
    QTableView* DBGridUnits;

    // The category button columns of the other pages, and the areas their item pages fill,
    // enabled only in edit mode.
    std::array<QToolButton*, 8> ConfigurationButtons{};
    std::array<QToolButton*, 4> MessagesButtons{};
    std::array<QToolButton*, 2> PrinterButtons{};
    std::array<QWidget*, 3> EditAreas{};  // Configuration, Messages, Printer Text

    QLabel* StatusRevision;  // status bar panel 0
    QLabel* StatusHint;      // status bar panel 1

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildCommands();
    void BuildMenus();
    void BuildToolBar();
    void BuildHeading(QWidget* parent, QVBoxLayout* layout);
    QWidget* BuildCataloguePage();
    QWidget* BuildItemPage(Page page, QWidget** editArea);
    void HostConfigurationEditor(QWidget* sheet);
    // The "Tables" item page, the "Messages" and the "Printer Text" pages.
    void HostDataPages();
    void BuildStatusBar();
    void BindDatasets();
    void ConnectCore();

    // Runs a handler of the core; an error it lets through is shown as the default error display.
    void Run(const std::function<void()>& handler);
    void IdleRefresh();
    void Render();
    void RenderButtons();
    void PageChosen(int index);
    void FocusRule();
    void ShowConsole(const std::string& versionName);

    void ShowOptions();
    void ShowModels();
    void ShowAbout();
    void ConnectDocuments();

    Services Env;
    Manager Rules;
    std::unique_ptr<ManagerVersionHost> VersionHost;
    std::unique_ptr<VersionInfo> VersionRules;
    std::unique_ptr<docs::Documents> DocRules;
    std::unique_ptr<editor::ui::TConfigurationEditor> ConfigurationEditor;
    std::array<QPointer<QWidget>, 3> DataPages;  // Tables, Messages, Printer Text
    docs::TWebLinks Links;
    Dialogs Forms;
    std::array<QAction*, CommandCount> Actions{};
    TFormIntro* FormIntro = nullptr;
    TFormProgress* FormProgress = nullptr;
    console::ui::TKv740FormComms* FormComms = nullptr;
    store::ui::DatasetModel* PacksModel = nullptr;
    store::ui::DatasetModel* UnitsModel = nullptr;
    std::vector<store::ui::FieldBinding*> Bindings;
    QEventLoop* ConsoleLoop = nullptr;  // while the console is shown modally
    QString PictureModel;               // the model the instrument picture shows
    int Busy = 0;                       // core handlers running: the idle refresh waits for them
    bool Started = false;               // FormShow has run
    bool Rendering = false;             // page changes made by Render are not the user's
};

}  // namespace kv::catalogue::ui
