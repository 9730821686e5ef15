// The main window's controls: commands, menus, tool bar, heading, pages and status bar, and how
// the core's state is rendered on them.
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include "catalogue/ManagerVersionHost.h"
#include "catalogue/Texts.h"
#include "catalogue/ui/Pictures.h"
#include "catalogue/ui/TFormInstrument.h"
#include "catalogue/ui/TKv740FormMain.h"
#include "editor/ui/TConfigurationEditor.h"
#include "store/ui/DatasetModel.h"

namespace kv::catalogue::ui {

namespace {

// Menu titles and the items whose handlers come with the documents.
constexpr const char* MenuInstrument = "&Instrument ";
constexpr const char* MenuHelp = "&Help ";
constexpr const char* MenuWebLinks = "Web &Links";
constexpr const char* WebLinksHint = "Morvane Web Links";
struct MenuText {
    const char* Object;
    const char* Caption;
    const char* Hint;
};
constexpr MenuText HelpTexts[HelpItemCount] = {
    {"MenuItemUserGuide", "&User Guide", "740-Series Program Manager User Guide"},
    {"MenuItemReleaseNotes", "Wh&at's New...", ""},
    {"MenuItemOverview746", "Model 74&6 Overview",
     "Model 746 General Overview, Specifications, etc."},
    {"MenuItemOverview758", "Model 75&8 Overview",
     "Model 758 General Overview, Specifications, etc."},
};
constexpr MenuText AboutText = {"MenuItemAbout", "&About...", "About 740-Series Program Manager"};
constexpr MenuText HomePageText = {"MenuItemHomePage", "Home &Page", "Morvane Web Home Page"};
constexpr MenuText ZerdanToolText = {"MenuItemZerdanTool", "&Zerdan Tool",
                                     "Link to 740-Series Data Collection and Reporting Tool"};
constexpr MenuText PreferenceTexts[4] = {
    {"ActionOriginal", "&Original", "Original/Standard Model 758 Hardware"},
    {"ActionInFieldUnits", "Programmable Units of Measurement",
     "Programmable Units of Measurement"},
    {"ActionClearTotals", "Clear Totals on Downloading", "Clear Totals on Downloading"},
    {"ActionClearLogs", "Clear Logs/Tags on Downloading", "Clear Logs/Tags on Downloading"},
};

// "TIME_LOG" as "TimeLog", for object names.
QString Camel(const char* caption) {
    QString out;
    bool upper = true;
    for (const QChar c : QString(caption)) {
        if (c == '_' || c == ' ') {
            upper = true;
            continue;
        }
        out += upper ? c.toUpper() : c.toLower();
        upper = false;
    }
    return out;
}

QAction* NewAction(QObject* parent, const MenuText& t) {
    auto* action = new QAction(t.Caption, parent);
    action->setObjectName(t.Object);
    action->setStatusTip(t.Hint);
    action->setToolTip(*t.Hint ? t.Hint : QString(t.Caption).remove('&'));
    return action;
}

QToolButton* NewButton(QWidget* parent, const ButtonState& state, const QString& objectName,
                       int height) {
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setText(state.Caption);
    button->setAccessibleName(state.Caption);
    button->setToolTip(state.Hint);
    button->setStatusTip(state.Hint);
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setFixedHeight(height);
    return button;
}

void Show(QToolButton* button, const ButtonState& state) {
    button->setEnabled(state.Enabled);
    button->setChecked(state.Down);
}

// A column of buttons in a sunken frame, top to bottom.
QFrame* ButtonColumn(QWidget* parent, const char* objectName) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(objectName);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setFixedWidth(112);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);
    return frame;
}

QPlainTextEdit* Memo(QWidget* parent, const char* objectName, const char* name) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(objectName);
    memo->setAccessibleName(name);
    memo->setReadOnly(true);
    return memo;
}

QTableView* Grid(QWidget* parent, const char* objectName, const char* name) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(objectName);
    grid->setAccessibleName(name);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setWordWrap(false);
    return grid;
}

}  // namespace

void TKv740FormMain::BuildCommands() {
    const QStyle::StandardPixmap icons[] = {QStyle::SP_FileIcon,
                                            QStyle::SP_FileDialogDetailedView,
                                            QStyle::SP_TrashIcon,
                                            QStyle::SP_ArrowDown,
                                            QStyle::SP_FileDialogContentsView,
                                            QStyle::SP_FileDialogInfoView,
                                            QStyle::SP_DialogHelpButton,
                                            QStyle::SP_DialogCloseButton};
    for (size_t i = 0; i < CommandCount; ++i) {
        const Command command = static_cast<Command>(i);
        const CommandState& state = Rules.State(command);
        auto* action = new QAction(QString::fromStdString(state.Caption), this);
        action->setObjectName(ObjectName(command));
        action->setStatusTip(QString::fromStdString(state.Hint));
        action->setToolTip(QString::fromStdString(state.Hint));
        if (i < std::size(icons)) action->setIcon(style()->standardIcon(icons[i]));
        Actions[i] = action;
    }
    Action(Command::Edit)->setCheckable(true);
    connect(Action(Command::Edit), &QAction::triggered, this,
            [this] { Run([this] { Rules.ActionEditExecute(); }); });
    connect(Action(Command::Download), &QAction::triggered, this,
            [this] { Run([this] { Rules.ActionDownloadExecute(); }); });
    connect(Action(Command::Exit), &QAction::triggered, this,
            [this] { Run([this] { Rules.ActionExitExecute(); }); });
    connect(Action(Command::New), &QAction::triggered, this, [this] {
        if (Forms.Instrument)
            Run([this] { Forms.Instrument->ActionNewExecute(Rules.StatusRevision); });
    });
    connect(Action(Command::Show), &QAction::triggered, this, [this] {
        if (Forms.Instrument)
            Run([this] {
                Forms.Instrument->ActionShowExecute(Rules.EditMode(), Rules.StatusRevision);
            });
    });
    connect(Action(Command::Delete), &QAction::triggered, this, [this] {
        if (Forms.Instrument)
            Run([this] {
                Forms.Instrument->ActionDeleteExecute(SelectedVersion(Rules.FilterBox));
            });
    });
    connect(Action(Command::Options), &QAction::triggered, this, [this] {
        if (OnOptions) Run(OnOptions);
    });
    connect(Action(Command::Models), &QAction::triggered, this, [this] {
        if (OnModels) Run(OnModels);
    });

    QAction** preferences[] = {&ActionOriginal, &ActionInFieldUnits, &ActionClearTotals,
                               &ActionClearLogs};
    bool PreferenceFlags::*flags[] = {&PreferenceFlags::Original, &PreferenceFlags::InFieldUnits,
                                      &PreferenceFlags::ClearTotals, &PreferenceFlags::ClearLogs};
    for (size_t i = 0; i < 4; ++i) {
        QAction* action = *preferences[i] = NewAction(this, PreferenceTexts[i]);
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, [this, flag = flags[i]](bool on) {
            if (!Rendering) Rules.Preferences.*flag = on;
        });
    }
}

void TKv740FormMain::BuildMenus() {
    QMenu* instrument = menuBar()->addMenu(MenuInstrument);
    instrument->setObjectName("MenuInstrument");
    instrument->addActions({Action(Command::New), Action(Command::Edit), Action(Command::Delete),
                            Action(Command::Download)});
    instrument->addSeparator();
    instrument->addActions(
        {Action(Command::Note), Action(Command::Brief), Action(Command::Manual)});
    instrument->addSeparator();
    instrument->addAction(Action(Command::Exit));
    menuBar()->addAction(Action(Command::Options));
    menuBar()->addAction(Action(Command::Models));

    for (size_t i = 0; i < HelpItemCount; ++i) HelpItems[i] = NewAction(this, HelpTexts[i]);
    MenuItemAbout = NewAction(this, AboutText);
    MenuItemHomePage = NewAction(this, HomePageText);
    MenuItemZerdanTool = NewAction(this, ZerdanToolText);
    QMenu* help = menuBar()->addMenu(MenuHelp);
    help->setObjectName("MenuHelp");
    help->addAction(HelpItems[static_cast<size_t>(HelpItem::UserGuide)]);
    help->addSeparator();
    help->addActions({HelpItems[static_cast<size_t>(HelpItem::Overview746)],
                      HelpItems[static_cast<size_t>(HelpItem::Overview758)]});
    help->addSeparator();
    help->addAction(MenuItemAbout);
    QMenu* links = menuBar()->addMenu(MenuWebLinks);
    links->setObjectName("MenuWebLinks");
    links->menuAction()->setStatusTip(WebLinksHint);
    links->addActions({MenuItemHomePage, MenuItemZerdanTool});
    menuBar()->addAction(HelpItems[static_cast<size_t>(HelpItem::ReleaseNotes)]);
}

void TKv740FormMain::BuildToolBar() {
    ToolBar = addToolBar("Commands");
    ToolBar->setObjectName("ToolBar");
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (Command c : {Command::New, Command::Edit, Command::Delete, Command::Download,
                      Command::Note, Command::Brief, Command::Manual, Command::Exit})
        ToolBar->addAction(Action(c));
    auto* gap = new QWidget(ToolBar);
    gap->setFixedWidth(24);
    ToolBar->addWidget(gap);
    for (size_t i = 0; i < 2; ++i) {
        const ButtonState& state = Rules.ModelButtons[i];
        QToolButton* button =
            NewButton(ToolBar, state, QString("SpeedButtonModel") + state.Caption, 40);
        QFont bold = button->font();
        bold.setBold(true);
        bold.setPointSizeF(bold.pointSizeF() * 1.3);
        button->setFont(bold);
        button->setFixedWidth(64);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        SpeedButtonModels[i] = button;
        ToolBar->addWidget(button);
        const std::string model = state.Caption;
        connect(button, &QToolButton::pressed, this,
                [this] { Run([this] { Rules.SpeedButtonsMouseDown(); }); });
        connect(button, &QToolButton::clicked, this, [this, model] {
            Run([&] { Rules.SpeedButtonModelClick(model); });
            Render();
        });
    }
}

void TKv740FormMain::BuildHeading(QWidget* parent, QVBoxLayout* layout) {
    auto* heading = new QFrame(parent);
    heading->setObjectName("PanelHeading");
    heading->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* line = new QHBoxLayout(heading);
    line->setContentsMargins(8, 2, 8, 2);
    QFont bold = heading->font();
    bold.setBold(true);
    const std::pair<QLabel**, const char*> labels[] = {
        {&LabelVersion, "Version"}, {&LabelTitle, "Title"}, {&LabelClass, "Class"}};
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (size_t i = 0; i < 3; ++i) {
        QLabel* label = *labels[i].first = new QLabel(heading);
        label->setObjectName(QString("Label") + labels[i].second);
        label->setAccessibleName(labels[i].second);
        label->setFont(bold);
        label->setAlignment(alignments[i] | Qt::AlignVCenter);
        line->addWidget(label, i == 1 ? 2 : 1);
    }
    layout->addWidget(heading);
}

QWidget* TKv740FormMain::BuildCataloguePage() {
    auto* page = new QWidget;
    page->setObjectName("TabSheetInstruments");
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(4, 4, 4, 4);

    QFrame* frame = ButtonColumn(page, "FrameButtons1");
    auto* column = static_cast<QVBoxLayout*>(frame->layout());
    for (size_t i = 0; i < CategoryButtons.size(); ++i) {
        const ButtonState& state = Rules.CategoryButtons[i];
        QToolButton* button = CategoryButtons[i] =
            NewButton(frame, state, "SpeedButton" + Camel(state.Caption), 30);
        column->addWidget(button);
        const std::string caption = state.Caption;
        connect(button, &QToolButton::clicked, this, [this, caption] {
            Run([&] { Rules.FrameButtons1SpeedButtonClick(caption); });
            Render();
        });
    }
    column->addStretch(1);
    SpeedButtonApplications =
        NewButton(frame, Rules.ApplicationsButton, "SpeedButtonApplications", 30);
    SpeedButtonVersions = NewButton(frame, Rules.VersionsButton, "SpeedButtonVersions", 30);
    column->addWidget(SpeedButtonApplications);
    column->addWidget(SpeedButtonVersions);
    connect(SpeedButtonApplications, &QToolButton::clicked, this, [this] {
        Run([this] { Rules.SpeedButtonApplicationsClick(); });
        Render();
    });
    connect(SpeedButtonVersions, &QToolButton::clicked, this, [this] {
        Run([this] { Rules.SpeedButtonVersionsClick(); });
        Render();
    });
    row->addWidget(frame);

    auto* middle = new QVBoxLayout;
    DBGridPacks = Grid(page, "DBGridPacks", "Catalogue");
    DBGridPacks->setToolTip(text::GridHint);
    DBGridPacks->setStatusTip(text::GridHint);
    DBGridPacks->viewport()->installEventFilter(this);
    // Pack and Code are short; the title shown takes the rest of the width.
    DBGridPacks->horizontalHeader()->setDefaultSectionSize(72);
    DBGridPacks->horizontalHeader()->setStretchLastSection(true);
    middle->addWidget(DBGridPacks, 1);
    auto* description = new QGroupBox(text::DescriptionHeader, page);
    description->setObjectName("GroupBoxDescription");
    auto* descriptionLayout = new QVBoxLayout(description);
    descriptionLayout->setContentsMargins(4, 2, 4, 4);
    DBMemoDescription = Memo(description, "DBMemoDescription", text::DescriptionHeader);
    DBMemoDescription->setToolTip(text::DescriptionHint);
    DBMemoDescription->setStatusTip(text::DescriptionHint);
    DBMemoDescription->viewport()->installEventFilter(this);
    descriptionLayout->addWidget(DBMemoDescription);
    description->setFixedHeight(118);
    middle->addWidget(description);
    row->addLayout(middle, 1);

    PageControlSide = new QStackedWidget(page);
    PageControlSide->setObjectName("PageControlSide");
    PageControlSide->setFixedWidth(236);
    auto* imagePage = new QWidget;
    imagePage->setObjectName("TabSheetImage");
    auto* imageLayout = new QVBoxLayout(imagePage);
    ImageInstrument = new QLabel(imagePage);
    ImageInstrument->setObjectName("ImageInstrument");
    ImageInstrument->setAccessibleName("Image");
    ImageInstrument->setAlignment(Qt::AlignCenter);
    imageLayout->addWidget(ImageInstrument);
    PageControlSide->addWidget(imagePage);

    auto* customPage = new QWidget;
    customPage->setObjectName("TabSheetCustom");
    auto* customLayout = new QVBoxLayout(customPage);
    customLayout->setContentsMargins(0, 0, 0, 0);
    auto* versionBox = new QGroupBox(text::VersionDescriptionHeader, customPage);
    auto* versionLayout = new QVBoxLayout(versionBox);
    versionLayout->setContentsMargins(4, 2, 4, 4);
    DBMemoCustom = Memo(versionBox, "DBMemoCustom", text::VersionDescriptionHeader);
    versionLayout->addWidget(DBMemoCustom);
    versionBox->setFixedHeight(132);
    auto* unitsBox = new QGroupBox(text::VersionUnitsHeader, customPage);
    auto* unitsLayout = new QVBoxLayout(unitsBox);
    unitsLayout->setContentsMargins(4, 2, 4, 4);
    DBGridUnits = Grid(unitsBox, "DBGridUnits", text::VersionUnitsHeader);
    DBGridUnits->horizontalHeader()->setDefaultSectionSize(130);
    DBGridUnits->horizontalHeader()->setStretchLastSection(true);
    DBGridUnits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    unitsLayout->addWidget(DBGridUnits);
    customLayout->addWidget(versionBox);
    customLayout->addWidget(unitsBox, 1);
    PageControlSide->addWidget(customPage);
    row->addWidget(PageControlSide);
    return page;
}

QWidget* TKv740FormMain::BuildItemPage(Page page, QWidget** editArea) {
    auto* sheet = new QWidget;
    sheet->setObjectName("TabSheet" + Camel(CaptionOf(page)));
    auto* row = new QHBoxLayout(sheet);
    row->setContentsMargins(4, 4, 4, 4);
    const char* frames[] = {"", "FrameButtons2", "FrameButtons3", "FrameButtons4"};
    QFrame* frame = ButtonColumn(sheet, frames[static_cast<size_t>(page)]);
    auto* column = static_cast<QVBoxLayout*>(frame->layout());
    auto add = [&](QToolButton*& slot, const ButtonState& state) {
        slot = NewButton(frame, state, "SpeedButton" + Camel(state.Caption), 30);
        column->addWidget(slot);
        const std::string caption = state.Caption;
        if (page == Page::Configuration)
            connect(slot, &QToolButton::pressed, this,
                    [this] { Run([this] { Rules.SpeedButtonsMouseDown(); }); });
        connect(slot, &QToolButton::clicked, this, [this, page, caption] {
            Run([&] { Rules.SelectItemCategory(page, caption); });
            Render();
        });
    };
    if (page == Page::Configuration)
        for (size_t i = 0; i < ConfigurationButtons.size(); ++i)
            add(ConfigurationButtons[i], Rules.ConfigurationCategories[i]);
    if (page == Page::Messages)
        for (size_t i = 0; i < MessagesButtons.size(); ++i)
            add(MessagesButtons[i], Rules.MessagesCategories[i]);
    if (page == Page::PrinterText)
        for (size_t i = 0; i < PrinterButtons.size(); ++i)
            add(PrinterButtons[i], Rules.PrinterCategories[i]);
    column->addStretch(1);
    row->addWidget(frame);

    // The item pages fill the area; a click on it outside edit mode reaches the frame around it.
    auto* around = new QFrame(sheet);
    around->setObjectName("PanelItems" + Camel(CaptionOf(page)));
    around->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    around->installEventFilter(this);
    auto* aroundLayout = new QVBoxLayout(around);
    aroundLayout->setContentsMargins(2, 2, 2, 2);
    *editArea = new QWidget(around);
    (*editArea)->setObjectName("EditArea" + Camel(CaptionOf(page)));
    (*editArea)->setAccessibleName(CaptionOf(page));
    (*editArea)->setLayout(new QVBoxLayout);
    aroundLayout->addWidget(*editArea);
    row->addWidget(around, 1);
    return sheet;
}

void TKv740FormMain::BuildStatusBar() {
    StatusRevision = new QLabel(statusBar());
    StatusRevision->setObjectName("StatusRevision");
    StatusRevision->setAccessibleName("Revision");
    StatusRevision->setFixedWidth(150);
    StatusHint = new QLabel(statusBar());
    StatusHint->setObjectName("StatusHint");
    StatusHint->setAccessibleName("Hint");
    for (QLabel* panel : {StatusRevision, StatusHint})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addWidget(StatusRevision);
    statusBar()->addWidget(StatusHint, 1);
    statusBar()->setSizeGripEnabled(false);
}

void TKv740FormMain::Render() {
    const bool was = std::exchange(Rendering, true);
    setWindowTitle(
        QString::fromStdString(Rules.Title.empty() ? std::string(text::ProductName) : Rules.Title));
    StatusRevision->setText(QString::fromStdString(Rules.StatusRevision));
    StatusHint->setText(QString::fromStdString(Rules.StatusHint));
    for (size_t i = 0; i < CommandCount; ++i) {
        const CommandState& state = Rules.Commands[i];
        QAction* action = Actions[i];
        action->setText(QString::fromStdString(state.Caption));
        action->setStatusTip(QString::fromStdString(state.Hint));
        action->setToolTip(QString::fromStdString(state.Hint));
        action->setEnabled(state.Enabled);
        if (action->isCheckable()) action->setChecked(state.Checked);
    }
    const PreferenceFlags& flags = Rules.Preferences;
    ActionOriginal->setEnabled(flags.OriginalEnabled);
    ActionOriginal->setChecked(flags.Original);
    ActionInFieldUnits->setChecked(flags.InFieldUnits);
    ActionClearTotals->setChecked(flags.ClearTotals);
    ActionClearLogs->setChecked(flags.ClearLogs);
    for (size_t i = 0; i < HelpItemCount; ++i) HelpItems[i]->setEnabled(Rules.HelpEnabled[i]);
    RenderButtons();

    PacksModel->SetColumnVisible(0, Rules.Columns.Pack);
    PacksModel->SetColumnVisible(1, Rules.Columns.Code);
    PacksModel->SetColumnVisible(2, Rules.Columns.Title);
    PacksModel->SetColumnVisible(3, Rules.Columns.CustomTitle);
    PageControlSide->setCurrentIndex(Rules.Side == SidePage::Image ? 0 : 1);
    const QString model = Rules.FilterBox.Flag(Slot::Model)
                              ? QString::fromStdString(Rules.FilterBox.Text(Slot::Model))
                              : QString();
    if (ImageInstrument->pixmap().isNull() || model != PictureModel) {
        PictureModel = model;
        ImageInstrument->setPixmap(InstrumentPicture(QSize(210, 280), model));
        ConfigurationEditor->SetPicture(InstrumentPicture(QSize(120, 160), model));
    }
    ConfigurationEditor->SetSignalLine(Rules.OutputSignal);
    LabelVersion->setText(QString::fromStdString(Rules.HeadingVersion));
    LabelTitle->setText(QString::fromStdString(Rules.HeadingTitle));
    LabelClass->setText(QString::fromStdString(Rules.HeadingClass));

    PageControlMain->setTabVisible(static_cast<int>(Page::PrinterText),
                                   Rules.PrinterTextTabVisible);
    PageControlMain->setTabVisible(static_cast<int>(Page::Developer), Rules.DeveloperPageVisible);
    PageControlMain->setCurrentIndex(static_cast<int>(Rules.ActivePage));
    for (QWidget* area : EditAreas) area->setEnabled(Rules.EditMode());
    Rendering = was;
}

void TKv740FormMain::RenderButtons() {
    for (size_t i = 0; i < 2; ++i) Show(SpeedButtonModels[i], Rules.ModelButtons[i]);
    for (size_t i = 0; i < CategoryButtons.size(); ++i)
        Show(CategoryButtons[i], Rules.CategoryButtons[i]);
    Show(SpeedButtonApplications, Rules.ApplicationsButton);
    Show(SpeedButtonVersions, Rules.VersionsButton);
    for (size_t i = 0; i < ConfigurationButtons.size(); ++i)
        Show(ConfigurationButtons[i], Rules.ConfigurationCategories[i]);
    for (size_t i = 0; i < MessagesButtons.size(); ++i)
        Show(MessagesButtons[i], Rules.MessagesCategories[i]);
    for (size_t i = 0; i < PrinterButtons.size(); ++i)
        Show(PrinterButtons[i], Rules.PrinterCategories[i]);
}

}  // namespace kv::catalogue::ui
