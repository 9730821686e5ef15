#include "editor/ui/MessagesPage.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "editor/Messages.h"
#include "editor/TableTexts.h"
#include "editor/ui/Heading.h"
#include "editor/ui/ItemList.h"
#include "editor/ui/KeyFilter.h"
#include "store/ui/DatasetModel.h"
#include "store/ui/FieldBinding.h"

namespace kv::editor::ui {

namespace {

KeyFilter* TextKeys(TextKind kind, base::Prompter& prompter, QObject* parent) {
    return new KeyFilter(
        [kind, &prompter](char key, QWidget*) {
            if (UserTextKeyPasses(kind, key)) return true;
            prompter.Beep();
            return false;
        },
        parent);
}

QPlainTextEdit* DescriptionMemo(QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName("DBMemoTextDescription");
    memo->setAccessibleName("Description");
    memo->setReadOnly(true);
    memo->setMaximumHeight(80);
    return memo;
}

// The instrument's display showing a message.
QPixmap DisplayPicture(const QString& message) {
    QPixmap picture(220, 90);
    picture.fill(QColor(0x50, 0x50, 0x58));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x9c, 0xc3, 0x5a));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 3));
    p.drawRoundedRect(QRect(12, 14, 196, 62), 6, 6);
    QFont font("Liberation Mono");
    font.setBold(true);
    font.setPixelSize(16);
    p.setFont(font);
    p.setPen(QColor(0x20, 0x28, 0x10));
    p.drawText(QRect(18, 18, 184, 54), Qt::AlignCenter | Qt::TextWordWrap,
               message.isEmpty() ? QString("- - -") : message);
    return picture;
}

// A printout with header lines, rows of values and footer lines.
QPixmap PrintoutPicture() {
    QPixmap picture(180, 240);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QPen(QColor(0x90, 0x90, 0x90)));
    p.setBrush(QColor(0xfb, 0xfb, 0xf4));
    p.drawRect(QRect(10, 4, 160, 232));
    p.setPen(QPen(QColor(0x30, 0x30, 0x90), 3));
    for (int y : {20, 30}) p.drawLine(30, y, 150, y);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 2));
    for (int y = 54; y <= 186; y += 12) p.drawLine(24, y, y % 24 ? 120 : 156, y);
    p.setPen(QPen(QColor(0x30, 0x30, 0x90), 3));
    for (int y : {208, 218}) p.drawLine(40, y, 140, y);
    return picture;
}

// The grid's model: the item's name is read only.
class PrintTextModel : public store::ui::DatasetModel {
  public:
    using DatasetModel::DatasetModel;
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = DatasetModel::flags(index);
        return index.column() == 0 ? f & ~Qt::ItemIsEditable : f;
    }
};

class PrintTextDelegate : public QStyledItemDelegate {
  public:
    PrintTextDelegate(KeyFilter* keys, QObject* parent) : QStyledItemDelegate(parent), Keys(keys) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            edit->setMaxLength(static_cast<int>(PrinterTextLength));
            Keys->Watch(edit);
        }
        return editor;
    }

  private:
    KeyFilter* Keys;
};

}  // namespace

TMessagesPage::TMessagesPage(TextPageHost host, QWidget* parent)
    : QWidget(parent), Host(std::move(host)) {
    setObjectName("FrameMessageText");
    setAccessibleName("Messages");
    store::Table& version = Host.TableVersion;
    ItemList = new TItemList("FrameGrid3", version, nullptr);
    ItemList->OnNavigate = [this](NavigateKey key) {
        Host.Run([&] {
            Host.PostingRule();
            Navigate(Host.TableVersion, key);
        });
    };

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    LabelItem = NewHeading(this, "LabelMessageItem");
    column->addWidget(LabelItem);

    auto* row = new QHBoxLayout;
    GroupBoxMessage = new QGroupBox(this);
    GroupBoxMessage->setObjectName("GroupBoxMessage");
    GroupBoxMessage->setAccessibleName("Message");
    auto* grid = new QGridLayout(GroupBoxMessage);
    auto* labelDefault = new QLabel(text::DefaultTextLabel, GroupBoxMessage);
    auto* labelUser = new QLabel(text::UserTextLabel, GroupBoxMessage);
    DBEditDefault = new QLineEdit(GroupBoxMessage);
    DBEditDefault->setObjectName("DBEditMessageDefault");
    DBEditDefault->setAccessibleName(QString(text::DefaultTextLabel).remove(':'));
    DBEditUser = new QLineEdit(GroupBoxMessage);
    DBEditUser->setObjectName("DBEditMessageUser");
    DBEditUser->setAccessibleName(QString(text::UserTextLabel).remove(':'));
    labelDefault->setBuddy(DBEditDefault);
    labelUser->setBuddy(DBEditUser);
    grid->addWidget(labelDefault, 0, 0);
    grid->addWidget(DBEditDefault, 0, 1);
    grid->addWidget(labelUser, 1, 0);
    grid->addWidget(DBEditUser, 1, 1);
    grid->setColumnMinimumWidth(1, 220);
    row->addWidget(GroupBoxMessage, 1);
    ImageMessage = new QLabel(this);
    ImageMessage->setObjectName("ImageMessage");
    ImageMessage->setAccessibleName("Display");
    row->addWidget(ImageMessage);
    column->addLayout(row);
    column->addStretch(1);
    DBMemoDescription = DescriptionMemo(this);
    column->addWidget(DBMemoDescription);

    TextKeys(TextKind::Message, Host.Prompter, this)->Watch(DBEditUser);
    Bindings = {new store::ui::FieldBinding(version, "Item", LabelItem),
                new store::ui::FieldBinding(version, "LowLimit", DBEditDefault),
                new store::ui::FieldBinding(version, "HighLimit", DBEditUser, true),
                new store::ui::FieldBinding(version, "Description", DBMemoDescription)};
    Connections.emplace_back(
        version.OnDataChange.Connect([this](store::Dataset&, store::Field*) { Render(); }));
    Connections.emplace_back(
        version.OnViewChange.Connect([this](store::Dataset&, store::ViewChange) { Render(); }));
    connect(DBEditUser, &QLineEdit::textEdited, this,
            [this](const QString& t) { ImageMessage->setPixmap(DisplayPicture(t)); });
    Render();
}

TMessagesPage::~TMessagesPage() {
    for (auto* binding : Bindings) delete binding;
    delete ItemList;
}

void TMessagesPage::Render() {
    // The user text takes what its field holds.
    if (const store::Field* user =
            Host.TableVersion.Active() ? Host.TableVersion.FindField("HighLimit") : nullptr)
        DBEditUser->setMaxLength(user->Size());
    const QString user = DBEditUser->text();
    ImageMessage->setPixmap(DisplayPicture(user.isEmpty() ? DBEditDefault->text() : user));
}

TPrinterTextPage::TPrinterTextPage(TextPageHost host, QWidget* parent)
    : QWidget(parent), Host(std::move(host)) {
    setObjectName("FramePrinterText");
    setAccessibleName("Printer Text");
    store::Table& version = Host.TableVersion;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    DBGridPrintText = new QTableView(this);
    DBGridPrintText->setObjectName("DBGridPrintText");
    DBGridPrintText->setAccessibleName("Printer text");
    DBGridPrintText->verticalHeader()->hide();
    DBGridPrintText->horizontalHeader()->setStretchLastSection(true);
    DBGridPrintText->setEditTriggers(QAbstractItemView::AllEditTriggers);
    Model = new PrintTextModel(version,
                               {{"Item", text::ListOfItems}, {"HighLimit", text::UserTextColumn}});
    Model->SetReadOnly(false);
    Model->Attach(DBGridPrintText);
    DBGridPrintText->setSelectionBehavior(QAbstractItemView::SelectItems);
    DBGridPrintText->setColumnWidth(0, 180);
    KeyFilter* keys = TextKeys(TextKind::PrinterLine, Host.Prompter, this);
    keys->Watch(DBGridPrintText);
    DBGridPrintText->setItemDelegate(new PrintTextDelegate(keys, this));
    DBGridPrintText->installEventFilter(this);
    connect(DBGridPrintText->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ColumnGuard(); });
    row->addWidget(DBGridPrintText, 1);
    ImagePrintout = new QLabel(this);
    ImagePrintout->setObjectName("ImagePrintout");
    ImagePrintout->setAccessibleName("Printout");
    ImagePrintout->setPixmap(PrintoutPicture());
    ImagePrintout->setAlignment(Qt::AlignTop);
    row->addWidget(ImagePrintout);
    column->addLayout(row, 1);
    DBMemoDescription = DescriptionMemo(this);
    column->addWidget(DBMemoDescription);
    Description = new store::ui::FieldBinding(version, "Description", DBMemoDescription);
}

TPrinterTextPage::~TPrinterTextPage() {
    delete Description;
    delete Model;
}

void TPrinterTextPage::ColumnGuard() {
    const QModelIndex current = DBGridPrintText->currentIndex();
    if (!current.isValid()) return;
    const int column = PrintTextColumnEnter(current.column());
    if (column != current.column())
        DBGridPrintText->setCurrentIndex(current.siblingAtColumn(column));
}

bool TPrinterTextPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGridPrintText && event->type() == QEvent::FocusIn) ColumnGuard();
    return QWidget::eventFilter(watched, event);
}

}  // namespace kv::editor::ui
