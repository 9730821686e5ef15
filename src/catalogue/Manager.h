#pragma once
// The program manager's rules: start-up and exit, the catalogue and its selection record, the
// command states, the idle refresh, the page change, edit mode, the version tables bound to
// the selected version and the Download command. The main window owns one and renders its
// public state; tests drive it the same way.
//
//   Manager manager({prompter, shell});
//   manager.OnRefresh = [&](bool immediate) { window.Render(immediate); };
//   manager.FormShow();                       // when the window is first shown
//   manager.QueryPacks.SetRecNo(row + 1);     // a grid click: SourcePacksDataChange follows
//   manager.ActionIdleUpdate();               // whenever the event queue empties
//   if (manager.FormClose()) window.close();  // the close box
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/Prompter.h"
#include "base/Shell.h"
#include "builder/Identity.h"
#include "builder/Toolchain.h"
#include "catalogue/Commands.h"
#include "catalogue/FilterBox.h"
#include "catalogue/PreferenceFlags.h"
#include "report/TFormPdf.h"
#include "store/Query.h"
#include "store/Table.h"

namespace kv::catalogue {

// What caused a catalogue update.
enum class UpdateCause {
    ModelButton,
    ApplicationsButton,
    CategoryButton,
    VersionsButton,
    Deletion
};

enum class SidePage { Image, Custom };

// Which grid columns of the catalogue are shown.
struct GridColumns {
    bool Pack = true;
    bool Code = true;
    bool Title = true;
    bool CustomTitle = true;
};

struct ManagerServices {
    base::Prompter& Prompter;
    base::Shell& Shell;
};

class Manager {
  public:
    explicit Manager(ManagerServices services);
    ~Manager();
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    // Start-up and exit, run in the installation's bin directory.
    void FormShow();
    // The exit sequence; true when the window may close.
    bool FormClose();
    void ActionExitExecute();
    void ShowHint(const std::string& hint);

    // Catalogue.
    void SpeedButtonModelClick(const std::string& model);            // "746" or "758"
    void FrameButtons1SpeedButtonClick(const std::string& caption);  // "FLOW", ...
    void SpeedButtonApplicationsClick(UpdateCause cause = UpdateCause::ApplicationsButton);
    void SpeedButtonVersionsClick();
    void QueryPacksUpdate(UpdateCause cause);
    bool QueryPacksFilterRecord(store::Dataset& record) const;
    // The selected catalogue record changed; connected to QueryPacks, callable by hand.
    void SourcePacksDataChange();

    // Refresh and commands.
    void ActionIdleUpdate();
    void ActionUpdate();
    // Toggles edit mode; while it is on (EditMode) the item pages are enabled.
    void ActionEditExecute();
    void EditHintOnClick();
    // Before the main page changes: false refuses the change.
    bool PageControlMainChanging();
    // After it changed.
    void PageControlMainChange(Page page);
    // Both, as a tab click does; true when the page changed.
    bool ChangePage(Page page);
    // A left press on a model button or a Configuration category button.
    void SpeedButtonsMouseDown();
    // A category button of the Configuration, Messages or Printer Text page: the item list
    // shows that category.
    void SelectItemCategory(Page page, const std::string& caption);
    void ActionDownloadExecute();

    // What the configuration report of the selected version is made from.
    report::TReportSource ReportSource();
    // A field of the selected catalogue record; empty when there is none.
    std::string RecordField(const char* name);

    // The version table switch and the posting rule.
    void TablesUpdate();
    void TablesPost();

    // What the window shows.
    std::string Title;
    std::string StatusRevision;  // status bar panel 0
    std::string StatusHint;      // status bar panel 1
    std::string Revision758;     // panel 0's text at start-up
    bool Closing = false;
    SelectionRecord FilterBox;
    PreferenceFlags Preferences;

    const CommandState& State(Command command) const {
        return Commands[static_cast<size_t>(command)];
    }
    bool EditMode() const { return State(Command::Edit).Checked; }
    std::array<CommandState, CommandCount> Commands;
    std::array<bool, HelpItemCount> HelpEnabled{};

    std::array<ButtonState, 2> ModelButtons;  // "746", "758"
    CatalogueButtons CategoryButtons;
    ConfigurationButtons ConfigurationCategories;
    MessagesButtons MessagesCategories;
    PrinterButtons PrinterCategories;
    ButtonState ApplicationsButton;
    ButtonState VersionsButton;
    bool ApplicationsView = false;  // the view flag
    GridColumns Columns;
    SidePage Side = SidePage::Image;

    Page ActivePage = Page::Instruments;
    bool PrinterTextTabVisible = true;
    bool DeveloperPageVisible = true;
    // Set by the item pages while the "Outputs" page is the one shown.
    bool OutputsPageShown = false;
    std::string OutputSignal;

    std::string HeadingVersion;
    std::string HeadingTitle;
    std::string HeadingClass;

    // Datasets, with the filter texts of the manager.
    store::Query QueryPacks;
    store::Table TableUserPacks;
    store::Table TableVersion;
    store::Table TableVariables;
    store::Table TableOutputs;
    store::Table TableRates;
    store::Table TableTotals;
    store::Table TableFactors;
    store::Table TablePoints;
    store::Query QueryOptions;
    store::Table TableAccess;
    store::Table TableDataUser;
    store::Query QueryDataTables;
    store::Query QueryDataTitles;
    store::Query QueryDataUnits;
    store::Query QueryDataLimits;
    store::Query QueryDataOptions;

    // The build's toolchain (the installation's toolchain/bin comes first on the search path).
    builder::ToolchainSettings Toolchain;

    // What only the window can do; every hook may be left empty.
    // The state above changed; `immediate` asks for a repaint before returning.
    std::function<void(bool immediate)> OnRefresh;
    // The window closes (it then calls FormClose).
    std::function<void()> OnClose;
    // The introduction window, shown modally.
    std::function<void()> OnShowIntro;
    // The console: panel 0 of its status bar.
    std::function<void(const std::string& revision)> OnConsoleRevision;
    // The console in manager mode with this version name, shown modally.
    std::function<void(const std::string& versionName)> OnShowConsole;
    // The progress window: shown with a caption (again to change it), advanced, closed.
    std::function<void(const std::string& caption)> OnShowProgress;
    std::function<void(int position, int max)> OnProgress;
    std::function<void()> OnCloseProgress;
    // The notes viewer closes before the page changes.
    std::function<void()> OnCloseNotes;
    // Idle refresh: move the focus off a read-only memo or edit field.
    std::function<void()> OnFocusRule;
    // The value check of the editor, installed on each newly bound version.
    std::function<void(store::Table& version, store::Table& factors)> OnInstallValueChecks;

  private:
    void Refresh(bool immediate = false);
    void OpenCatalogue();
    void OpenUserData();
    void EnableModelButtons();
    void EnableCategoryButtons();
    void EnableItemCategories();
    void SwitchTables();
    bool HandleTooLong(const std::exception& error);
    // The selected version and hardware choice, as the build and the title see them.
    builder::Target CurrentTarget() const;
    std::vector<store::Table*> VersionViews();

    ManagerServices Services;
    std::string SavedPosition;
    std::vector<store::ScopedConnection> Connections;
};

}  // namespace kv::catalogue
