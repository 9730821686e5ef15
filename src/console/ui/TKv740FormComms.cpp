#include "TKv740FormComms.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "TFormAbout.h"
#include "TFormSavePack.h"
#include "TFormSerialNumber.h"
#include "console/Texts.h"

namespace kv::console::ui {

namespace {

// "Name (*.a;*.b)|*.a;*.b|..." as Qt's "Name (*.a *.b);;...".
QStringList QtFilters(const char* filter) {
    const QStringList parts = QString(filter).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].left(parts[i].indexOf('(')).trimmed();
        out << name + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    }
    return out;
}

}  // namespace

TKv740FormComms::TKv740FormComms(Services services, const std::vector<std::string>& arguments,
                                 QWidget* parent)
    : QMainWindow(parent),
      Rules({services.Prompter, services.Shell, *this, std::move(services.MakeLink),
             services.WorkDir, services.LaunchDir},
            text::UtilityTitle, arguments) {
    setObjectName(WindowClass);
    BuildWindow();
    Rules.OnRefresh = [this](bool immediate) { Refresh(immediate); };
    Rules.OnClose = [this] { close(); };
    // The application is idle when its event loop is about to wait.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [this] { Rules.ActionIdleUpdate(); });
    Refresh(false);
}

TKv740FormComms::~TKv740FormComms() = default;

void TKv740FormComms::SetDialogs(TFormSerialNumber* serialNumber, TFormAbout* about,
                                 TFormSavePack* savePack) {
    FormSerialNumber = serialNumber;
    FormAbout = about;
    FormSavePack = savePack;
}

void TKv740FormComms::BuildWindow() {
    setWindowTitle(QString::fromStdString(Rules.Caption));
    // The tool bar's commands carry icons; About, a menu bar item, shows its caption.
    const QStyle::StandardPixmap icons[CommandCount - 1] = {QStyle::SP_DialogOpenButton,
                                                            QStyle::SP_DialogSaveButton,
                                                            QStyle::SP_ArrowDown,
                                                            QStyle::SP_FileDialogDetailedView,
                                                            QStyle::SP_FileDialogContentsView,
                                                            QStyle::SP_DialogCloseButton};
    for (size_t i = 0; i < CommandCount; ++i) {
        const Command command = static_cast<Command>(i);
        const CommandText& t = TextOf(command);
        QAction* action = new QAction(t.Caption, this);
        if (command != Command::About) action->setIcon(style()->standardIcon(icons[i]));
        action->setStatusTip(t.Hint);
        action->setToolTip(t.Hint);
        Actions[i] = action;
    }
    connect(Action(Command::Open), &QAction::triggered, this,
            [this] { Rules.ActionOpenExecute(); });
    connect(Action(Command::Save), &QAction::triggered, this,
            [this] { Rules.ActionSaveExecute(); });
    connect(Action(Command::Download), &QAction::triggered, this,
            [this] { Rules.ActionDownloadExecute(); });
    connect(Action(Command::Report), &QAction::triggered, this,
            [this] { Rules.ActionReportExecute(); });
    connect(Action(Command::Manual), &QAction::triggered, this,
            [this] { Rules.ActionManualExecute(); });
    connect(Action(Command::Exit), &QAction::triggered, this,
            [this] { Rules.ActionExitExecute(); });
    connect(Action(Command::About), &QAction::triggered, this, [this] { ActionAboutExecute(); });

    QMenu* file = menuBar()->addMenu("&File");
    file->addActions({Action(Command::Open), Action(Command::Save), Action(Command::Download)});
    file->addSeparator();
    file->addActions({Action(Command::Report), Action(Command::Manual)});
    file->addSeparator();
    file->addAction(Action(Command::Exit));
    menuBar()->addAction(Action(Command::About));

    ToolBar = addToolBar("Commands");
    ToolBar->setObjectName("ToolBar");
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (Command c : {Command::Open, Command::Save, Command::Download, Command::Report,
                      Command::Manual, Command::Exit})
        ToolBar->addAction(Action(c));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    PanelInfo = new FitLabel(1.4, central);
    PanelInfo->setObjectName("PanelInfo");
    PanelInfo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelInfo->setAlignment(Qt::AlignCenter);
    PanelInfo->setMinimumHeight(36);
    ProgressBar = new QProgressBar(central);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setTextVisible(false);
    auto* mainPanel = new QFrame(central);
    mainPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* mainLayout = new QVBoxLayout(mainPanel);
    LabelWarning = new QLabel(text::BootUpWarning, mainPanel);
    LabelWarning->setObjectName("LabelWarning");
    LabelWarning->setAlignment(Qt::AlignCenter);
    LabelWarning->setWordWrap(true);
    LabelWarning->setStyleSheet("color: #b00000; font-weight: bold;");
    LabelWarning->hide();
    mainLayout->addWidget(LabelWarning);
    layout->addWidget(PanelInfo);
    layout->addWidget(ProgressBar);
    layout->addWidget(mainPanel, 1);
    setCentralWidget(central);

    StatusRevision = new QLabel(statusBar());
    StatusRevision->setObjectName("StatusRevision");
    StatusRevision->setFixedWidth(150);
    StatusHint = new QLabel(statusBar());
    StatusHint->setObjectName("StatusHint");
    for (QLabel* panel : {StatusRevision, StatusHint})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addWidget(StatusRevision);
    statusBar()->addWidget(StatusHint, 1);
    statusBar()->setSizeGripEnabled(false);

    // A fixed single border, 300 pixels high.
    setFixedSize(560, 300);
}

void TKv740FormComms::Refresh(bool immediate) {
    setWindowTitle(QString::fromStdString(Rules.Caption));
    PanelInfo->SetText(QString::fromStdString(Rules.PanelInfo));
    ProgressBar->setMaximum(std::max(1, Rules.ProgressMax));  // 0 would animate as "busy"
    ProgressBar->setValue(std::min(Rules.ProgressPosition, ProgressBar->maximum()));
    LabelWarning->setVisible(Rules.LabelWarningVisible);
    StatusRevision->setText(QString::fromStdString(Rules.StatusRevision));
    StatusHint->setText(QString::fromStdString(Rules.StatusHint));
    for (size_t i = 0; i < CommandCount; ++i)
        Actions[i]->setEnabled(Rules.Enabled(static_cast<Command>(i)));
    if (immediate && isVisible()) repaint();
}

void TKv740FormComms::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    HintsShown = true;
    Rules.FormShow();
}

void TKv740FormComms::closeEvent(QCloseEvent* event) {
    if (!Rules.CloseQuery()) {
        event->ignore();
        return;
    }
    Rules.FormClose();
    HintsShown = false;
    QMainWindow::closeEvent(event);
}

bool TKv740FormComms::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip && HintsShown) {
        Rules.ShowHint(static_cast<QStatusTipEvent*>(event)->tip().toStdString());
        return true;
    }
    return QMainWindow::event(event);
}

void TKv740FormComms::ActionAboutExecute() {
    if (!FormAbout) return;
    FormAbout->LabelProduct->setText(text::AboutProduct);
    FormAbout->LabelRevision->setText(StatusRevision->text());
    FormAbout->exec();
}

std::optional<std::filesystem::path> TKv740FormComms::ExecuteOpen() {
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(QtFilters(text::OpenFilter));
    dialog.setDefaultSuffix(text::OpenDefaultExtension);
    dialog.setDirectory(QString::fromStdString((Rules.WorkDir() / text::ApxDirectory).string()));
    dialog.selectFile(QString());
    // Wide enough for the size and date columns beside the long names of application files.
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(760, 460);
    if (auto* files = dialog.findChild<QTreeView*>("treeView")) {
        files->header()->setStretchLastSection(false);
        files->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

bool TKv740FormComms::ExecuteSerialNumber(SerialNumberForm& form) {
    return FormSerialNumber && FormSerialNumber->Execute(form);
}

bool TKv740FormComms::ExecuteSavePack(SavePackForm& form) {
    return FormSavePack && FormSavePack->Execute(form);
}

}  // namespace kv::console::ui
