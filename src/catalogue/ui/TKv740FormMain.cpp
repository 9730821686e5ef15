#include "catalogue/ui/TKv740FormMain.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "catalogue/ManagerVersionHost.h"
#include "catalogue/Texts.h"
#include "catalogue/VersionInfo.h"
#include "catalogue/ui/Pictures.h"
#include "catalogue/ui/TFormInstrument.h"
#include "catalogue/ui/TFormIntro.h"
#include "catalogue/ui/TFormProgress.h"
#include "console/ui/TFormAbout.h"
#include "console/ui/TKv740FormComms.h"
#include "docs/Documents.h"
#include "docs/ui/AboutBox.h"
#include "docs/ui/TFormHtml.h"
#include "editor/ui/TConfigurationEditor.h"
#include "editor/ui/TFormModels.h"
#include "editor/ui/TFormOptions.h"
#include "store/StoreError.h"
#include "store/ui/DatasetModel.h"
#include "store/ui/FieldBinding.h"

namespace kv::catalogue::ui {

TKv740FormMain::TKv740FormMain(Services services, QWidget* parent)
    : QMainWindow(parent),
      Env(services),
      Rules({services.Prompter, services.Shell}),
      VersionHost(std::make_unique<ManagerVersionHost>(Rules)),
      VersionRules(std::make_unique<VersionInfo>(services.Prompter, *VersionHost)),
      DocRules(std::make_unique<docs::Documents>(services.Prompter, services.Shell,
                                                 std::filesystem::current_path())),
      Links(docs::ReadWebLinks(base::SystemSettingsFile())) {
    setObjectName(WindowClass);
    setWindowTitle(text::ProductName);
    BuildCommands();
    BuildMenus();
    BuildToolBar();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    BuildHeading(central, layout);
    PageControlMain = new QTabWidget(central);
    PageControlMain->setObjectName("PageControlMain");
    PageControlMain->setAccessibleName("Pages");
    PageControlMain->addTab(BuildCataloguePage(), CaptionOf(Page::Instruments));
    QWidget* configuration = BuildItemPage(Page::Configuration, &EditAreas[0]);
    HostConfigurationEditor(configuration);
    PageControlMain->addTab(configuration, CaptionOf(Page::Configuration));
    PageControlMain->addTab(BuildItemPage(Page::Messages, &EditAreas[1]),
                            CaptionOf(Page::Messages));
    PageControlMain->addTab(BuildItemPage(Page::PrinterText, &EditAreas[2]),
                            CaptionOf(Page::PrinterText));
    HostDataPages();
    auto* developer = new QWidget;
    developer->setObjectName("TabSheetDeveloper");
    auto* pictures = new QHBoxLayout(developer);
    for (const QPixmap& picture : {IntroPicture(), InstrumentPicture(QSize(150, 200), "758")}) {
        auto* label = new QLabel(developer);
        label->setPixmap(picture);
        pictures->addWidget(label);
    }
    PageControlMain->addTab(developer, CaptionOf(Page::Developer));
    layout->addWidget(PageControlMain, 1);
    setCentralWidget(central);
    BuildStatusBar();
    BindDatasets();
    ConnectCore();
    ConnectDocuments();

    // The idle refresh runs when the event loop is about to wait: nothing runs while events
    // keep coming, and nothing at all while the window sleeps.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [this] { IdleRefresh(); });
    connect(PageControlMain, &QTabWidget::currentChanged, this,
            [this](int index) { PageChosen(index); });

    setFixedSize(800, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Render();
}

TKv740FormMain::~TKv740FormMain() {
    // The models and bindings let go of the core's datasets before those close.
    for (QPointer<QWidget>& page : DataPages) delete page.data();
    ConfigurationEditor.reset();
    delete PacksModel;
    delete UnitsModel;
    for (auto* binding : Bindings) delete binding;
}

void TKv740FormMain::SetWindows(TFormIntro* intro, TFormProgress* progress,
                                console::ui::TKv740FormComms* comms) {
    FormIntro = intro;
    FormProgress = progress;
    FormComms = comms;
}

void TKv740FormMain::SetDialogs(const Dialogs& dialogs) {
    Forms = dialogs;
    DocRules->Viewer = dialogs.Notes;
    OnOptions = [this] { ShowOptions(); };
    OnModels = [this] { ShowModels(); };
}

void TKv740FormMain::ShowOptions() {
    if (!Forms.Options) return;
    Forms.Options->Execute(Rules.Preferences, Rules.RecordField("Model"),
                           Rules.RecordField("Pack"));
    Render();  // the preference actions show the flags now; the title follows at the next idle
               // refresh
}

void TKv740FormMain::ShowModels() {
    if (!Forms.Models) return;
    Forms.Models->Execute({Rules.RecordField("Pack"), Rules.RecordField("Model"),
                           Rules.HeadingTitle, Rules.HeadingClass});
}

void TKv740FormMain::ShowAbout() {
    if (Forms.About)
        docs::ui::HelpAbout(*Forms.About, docs::AboutTexts(Rules.StatusRevision, Links));
}

void TKv740FormMain::ConnectDocuments() {
    auto on = [this](QAction* action, std::function<void()> handler) {
        connect(action, &QAction::triggered, this, [this, handler] { Run(handler); });
    };
    on(Action(Command::Brief),
       [this] { DocRules->ActionBriefExecute(Rules.FilterBox.Text(Slot::Brief)); });
    on(Action(Command::Manual),
       [this] { DocRules->ActionManualExecute(Rules.FilterBox.Text(Slot::Manual)); });
    on(Action(Command::Note), [this] {
        report::TFormPdf form(Env.Prompter);
        form.Source = Rules.ReportSource();
        DocRules->ActionNoteExecute(Rules.State(Command::Note).Caption,
                                    Rules.FilterBox.Text(Slot::Note), form);
    });
    for (size_t i = 0; i < HelpItemCount; ++i)
        on(HelpItems[i], [this, file = text::HelpFiles[i]] { DocRules->ShowDoc(file); });
    on(MenuItemAbout, [this] { ShowAbout(); });
    on(MenuItemHomePage, [this] { DocRules->ShowWeb(Links.HomePage); });
    on(MenuItemZerdanTool, [this] { DocRules->ShowWeb(Links.ZerdanTool); });
    Rules.OnCloseNotes = [this] { DocRules->CloseNotes(); };
}

QToolButton* TKv740FormMain::ModelButton(const std::string& model) const {
    for (QToolButton* b : SpeedButtonModels)
        if (b->text().toStdString() == model) return b;
    return nullptr;
}

void TKv740FormMain::BindDatasets() {
    PacksModel =
        new store::ui::DatasetModel(Rules.QueryPacks, {{"Pack", "Pack", Qt::AlignCenter},
                                                       {"Code", "Code", Qt::AlignCenter},
                                                       {"Title", "Title"},
                                                       {"CustomTitle", text::ColumnTitle}});
    PacksModel->Attach(DBGridPacks);
    UnitsModel =
        new store::ui::DatasetModel(Rules.TableVariables, {{"Item", "Item"}, {"UnitTag1", "Unit"}});
    UnitsModel->Attach(DBGridUnits);
    Bindings.push_back(
        new store::ui::FieldBinding(Rules.QueryPacks, "Description", DBMemoDescription));
    Bindings.push_back(
        new store::ui::FieldBinding(Rules.QueryPacks, "CustomDescription", DBMemoCustom));
    for (auto* binding : Bindings)
        binding->setParent(nullptr);  // deleted before the core's datasets
}

void TKv740FormMain::ConnectCore() {
    Rules.OnRefresh = [this](bool immediate) {
        Render();
        if (immediate && isVisible()) repaint();
    };
    // Closing from inside a handler (or from FormShow) waits until the handler has returned.
    Rules.OnClose = [this] { QTimer::singleShot(0, this, [this] { close(); }); };
    Rules.OnShowIntro = [this] {
        if (FormIntro) FormIntro->exec();
    };
    Rules.OnConsoleRevision = [this](const std::string& revision) {
        if (!FormComms) return;
        FormComms->Core().StatusRevision = revision;
        FormComms->StatusRevision->setText(QString::fromStdString(revision));
    };
    Rules.OnShowConsole = [this](const std::string& versionName) { ShowConsole(versionName); };
    Rules.OnShowProgress = [this](const std::string& caption) {
        if (FormProgress) FormProgress->ShowCaption(caption);
    };
    Rules.OnProgress = [this](int position, int max) {
        if (FormProgress) FormProgress->SetProgress(position, max);
    };
    Rules.OnCloseProgress = [this] {
        if (FormProgress) FormProgress->hide();
    };
    Rules.OnFocusRule = [this] { FocusRule(); };
    // The build waits for the toolchain on this thread; the windows keep painting meanwhile
    // (input waits until the build is over).
    Rules.Toolchain.WhileWaiting = [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

void TKv740FormMain::Run(const std::function<void()>& handler) {
    ++Busy;
    try {
        handler();
    } catch (const store::Abort&) {
        // Cancelled by a handler that has told the user why.
    } catch (const std::exception& e) {
        Env.Prompter.Error(e.what());
    }
    --Busy;
}

void TKv740FormMain::IdleRefresh() {
    if (!Started || Busy > 0 || !isVisible()) return;
    Run([this] { Rules.ActionIdleUpdate(); });
}

void TKv740FormMain::FocusRule() {
    QWidget* focused = QApplication::focusWidget();
    const auto* edit = qobject_cast<QLineEdit*>(focused);
    const auto* memo = qobject_cast<QPlainTextEdit*>(focused);
    if ((edit && edit->isReadOnly()) || (memo && memo->isReadOnly())) PageControlMain->setFocus();
}

void TKv740FormMain::ShowConsole(const std::string& versionName) {
    if (!FormComms) return;
    FormComms->Core().SetModeLite(false);
    FormComms->Core().SetVersion(versionName);
    FormComms->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    ConsoleLoop = &loop;
    FormComms->installEventFilter(this);
    FormComms->show();
    if (FormComms->isVisible()) loop.exec();
    ConsoleLoop = nullptr;
    FormComms->removeEventFilter(this);
    FormComms->setWindowModality(Qt::NonModal);
}

bool TKv740FormMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FormComms && event->type() == QEvent::Hide) {
        if (ConsoleLoop) ConsoleLoop->quit();  // the console was closed: its modal showing ends
    } else if (event->type() == QEvent::MouseButtonPress) {
        for (QWidget* area : EditAreas)
            if (watched == area->parentWidget() && !area->isEnabled())
                Run([this] { Rules.EditHintOnClick(); });
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == DBGridPacks->viewport())
            Action(Command::Show)->trigger();
        else if (watched == DBMemoDescription->viewport())
            Action(Command::Brief)->trigger();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TKv740FormMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (Started || event->spontaneous()) return;
    Started = true;
    Run([this] { Rules.FormShow(); });
    Render();
}

void TKv740FormMain::closeEvent(QCloseEvent* event) {
    bool may = true;
    Run([&] { may = Rules.FormClose(); });
    if (may)
        event->accept();
    else
        event->ignore();
}

bool TKv740FormMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip && Started) {
        const std::string tip = static_cast<QStatusTipEvent*>(event)->tip().toStdString();
        Run([&] { Rules.ShowHint(tip); });
        StatusHint->setText(QString::fromStdString(Rules.StatusHint));
        return true;
    }
    return QMainWindow::event(event);
}

void TKv740FormMain::PageChosen(int index) {
    if (Rendering) return;
    Run([&] { Rules.ChangePage(static_cast<Page>(index)); });
    Render();  // a refused change puts the old page back
}

}  // namespace kv::catalogue::ui
