#include "editor/ui/TConfigurationEditor.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "editor/ValueEntry.h"
#include "editor/ui/FactorGridView.h"
#include "editor/ui/ItemList.h"
#include "editor/ui/KeyFilter.h"
#include "editor/ui/PageTexts.h"
#include "editor/ui/TItemPage.h"
#include "store/StoreError.h"
#include "store/ui/FieldBinding.h"

namespace kv::editor::ui {

namespace {

// A refusal whose warning and error text have been shown: handlers that show what reaches
// them let it pass silently, others repeat the error text.
class ShownRefusal : public store::Abort {
  public:
    explicit ShownRefusal(std::string text) : Text(std::move(text)) {}
    const char* what() const noexcept override { return Text.c_str(); }

  private:
    std::string Text;
};

}  // namespace

TConfigurationEditor::TConfigurationEditor(ConfigurationHost host)
    : Host(std::move(host)),
      Rules(std::make_unique<ItemEditor>(
          Host.Data,
          EditorServices{Host.Prompter, Host.FileExists, Host.BatchOrLoad, Host.PostingRule})) {
    ValueKeys = new KeyFilter(
        [this](char key, QWidget* control) {
            auto* edit = qobject_cast<QLineEdit*>(control);
            if (!edit) return true;
            const int selected = static_cast<int>(edit->selectedText().size());
            const int caret =
                edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
            return Rules->ValueKeyPress(key, edit->text().toStdString(), caret, selected);
        },
        this);
    ValueKeys->OnEnter = [this](QWidget*) { Commit(); };
    TagKeys = new KeyFilter([this](char key, QWidget*) { return Rules->TagKeyPress(key); }, this);
    FactorKeys =
        new KeyFilter([this](char key, QWidget*) { return Rules->FactorKeyPress(key); }, this);

    Rules->OnRefresh = [this] {
        if (!Changing) Render();
    };
    Rules->OnShowNote = [this](const std::string& path) {
        if (Host.UpdateNote) Host.UpdateNote(path);
    };
    Rules->OnCloseNotes = [this] {
        if (Host.CloseNotes) Host.CloseNotes();
    };

    ItemList = new TItemList("FrameGrid2", Host.Data.TableVersion, nullptr);
    ItemList->OnNavigate = [this](NavigateKey key) {
        Host.Run([&] {
            Rules->Post();  // FrameGrid2DBNavigatorBeforeAction
            Navigate(Host.Data.TableVersion, key);
        });
    };
    BuildPages();
    BuildDescription();

    store::Table& version = Host.Data.TableVersion;
    Connections.emplace_back(version.OnDataChange.Connect([this](store::Dataset&, store::Field* f) {
        if (!f)
            ItemChanged();
        else
            Render();  // a choice changed the item's value or tags
    }));
    Connections.emplace_back(
        version.OnViewChange.Connect([this](store::Dataset&, store::ViewChange c) {
            if (c == store::ViewChange::Rows) ItemChanged();
        }));
    Connections.emplace_back(
        Host.Data.TableFactors.OnDataChange.Connect([this](store::Dataset&, store::Field* f) {
            if (!f) Render();  // the factor row's tags
        }));
    for (store::Dataset* d : {static_cast<store::Dataset*>(&version),
                              static_cast<store::Dataset*>(&Host.Data.TableFactors)})
        Connections.emplace_back(
            d->OnDestroy.Connect([this](store::Dataset&) { Connections.clear(); }));
}

TConfigurationEditor::~TConfigurationEditor() {
    Connections.clear();
    // The widgets and their bindings go before the rules they call.
    delete ItemList;
    delete PageControlItems;
    delete GroupBoxDescription;
}

void TConfigurationEditor::BuildPages() {
    PageControlItems = new QStackedWidget;
    PageControlItems->setObjectName("PageControlItems");
    PageControlItems->setAccessibleName("Item Pages");
    const PageKeys keys{ValueKeys, TagKeys, FactorKeys};
    for (const PageSpec& pageRow : PageTable()) {
        QWidget* page;
        if (pageRow.OptionsFrame) {
            auto* item = new TItemPage(pageRow, *Rules, Host.Data, keys, PageControlItems);
            Pages[static_cast<size_t>(pageRow.Page)] = item;
            page = item;
            // A choice stores by the text shown (a unit sets both unit tags); closing the
            // list, chosen or not, applies the posting rule (DBComboCloseUp).
            if (TDBLookupCombo* box = item->DBLookupComboOptions)
                connect(box, &QComboBox::activated, this, [this, box](int row) {
                    Host.Run([&] { Rules->Choose(box->itemText(row).toStdString()); });
                });
            TDBLookupCombo* access = item->DBLookupComboAccess;
            connect(access, &QComboBox::activated, this, [this, access](int row) {
                Host.Run([&] { Rules->ChooseAccess(access->itemText(row).toStdString()); });
            });
            for (TDBLookupCombo* box : {item->DBLookupComboOptions, access})
                if (box) box->OnCloseUp = [this] { Commit(); };
            if (item->DBGridFactors)
                item->DBGridFactors->OnColumnEnter = [this](int column) {
                    Rules->FactorColumnEnter(column);
                };
        } else {
            page = TabSheetTables = new QWidget(PageControlItems);
            page->setObjectName(QString("TabSheet") + pageRow.Caption);
            page->setAccessibleName(pageRow.Caption);
        }
        PageControlItems->addWidget(page);
    }
    // Until an item with a known page is shown, no page is.
    auto* none = new QWidget(PageControlItems);
    none->setObjectName("TabSheetNone");
    PageControlItems->addWidget(none);
    PageControlItems->setCurrentWidget(none);
}

void TConfigurationEditor::BuildDescription() {
    GroupBoxDescription = new QGroupBox(text::DescriptionBox);
    GroupBoxDescription->setObjectName("GroupBoxItemDescription");
    auto* layout = new QVBoxLayout(GroupBoxDescription);
    layout->setContentsMargins(4, 2, 4, 4);
    DBMemoItemDescription = new QPlainTextEdit(GroupBoxDescription);
    DBMemoItemDescription->setObjectName("DBMemoItemDescription");
    DBMemoItemDescription->setAccessibleName(text::DescriptionBox);
    DBMemoItemDescription->setReadOnly(true);
    DescriptionViewport = DBMemoItemDescription->viewport();
    DescriptionViewport->installEventFilter(this);
    new store::ui::FieldBinding(Host.Data.TableVersion, "Description", DBMemoItemDescription);
    layout->addWidget(DBMemoItemDescription);
    GroupBoxDescription->setFixedHeight(76);
}

TItemPage* TConfigurationEditor::PageOf(ItemPage page) const {
    return Pages[static_cast<size_t>(page)];
}

void TConfigurationEditor::SetTablesPage(QWidget* page) {
    const int at = PageControlItems->indexOf(TabSheetTables);
    const bool current = PageControlItems->currentIndex() == at;
    PageControlItems->insertWidget(at, page);
    PageControlItems->removeWidget(TabSheetTables);
    delete TabSheetTables;
    TabSheetTables = page;
    if (current) PageControlItems->setCurrentWidget(page);
}

void TConfigurationEditor::InstallValueChecks(store::Table& version, store::Table& factors) {
    Rules->InstallValueChecks(version, factors);
    // The general error display: the error text follows the check's warning, on every road a
    // value takes into the table (the bindings keep a refused value without a word). One user
    // action can try the same value twice (the field losing the focus, then the click that took
    // it): the second try is refused without telling the user again.
    for (store::Field* field : {version.FindField("DefaultValue"), factors.FindField("LowLimit"),
                                factors.FindField("HighLimit")}) {
        if (!field || !field->OnValidate) continue;
        field->OnValidate = [check = field->OnValidate, this](store::Field& f) {
            if (Refused && Refused->Field == &f && Refused->Value == f.AsString())
                throw ShownRefusal(Refused->Error);
            try {
                check(f);
            } catch (const ValueError& e) {
                Host.Prompter.Error(e.what());
                Refused = Refusal{&f, f.AsString(), e.what()};
                QTimer::singleShot(0, this, [this] { Refused.reset(); });
                throw ShownRefusal(e.what());
            }
        };
    }
}

void TConfigurationEditor::SetSignalLine(const std::string& line) {
    if (line == SignalLine) return;
    SignalLine = line;
    Render();
}

void TConfigurationEditor::SetPicture(const QPixmap& picture) {
    for (TItemPage* page : Pages)
        if (page) page->SetPicture(picture);
}

void TConfigurationEditor::Commit() {
    Host.Run([this] { Rules->Post(); });
}

void TConfigurationEditor::ItemChanged() {
    // Without an item (no version bound yet) the pages keep what they show.
    if (Changing || !Host.Data.TableVersion.Active() || Host.Data.TableVersion.IsEmpty()) return;
    const bool was = std::exchange(Changing, true);
    Host.Run([this] { Rules->SourceVersionDataChange(); });
    Changing = was;
    if (Rules->Page == ItemPage::Factors)
        PageOf(ItemPage::Factors)->DBGridFactors->LayOut(Rules->Grid);
    if (Host.SetNoteSlot) Host.SetNoteSlot(Rules->NotePath, Rules->NoteExists);
    if (Host.OutputsPageShown) Host.OutputsPageShown(Rules->Page == ItemPage::Outputs);
    Render();
}

void TConfigurationEditor::Render() {
    if (Rules->Page) {
        const auto at = static_cast<size_t>(*Rules->Page);
        PageControlItems->setCurrentIndex(static_cast<int>(at));
        if (TItemPage* page = Pages[at]) page->Render(SignalLine);
    }
    const QString hint = QString::fromStdString(Rules->DescriptionHint);
    DBMemoItemDescription->setToolTip(hint);
    DBMemoItemDescription->setStatusTip(hint);
    DBMemoItemDescription->viewport()->setCursor(Rules->HelpCursor ? Qt::WhatsThisCursor
                                                                   : Qt::ArrowCursor);
}

bool TConfigurationEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DescriptionViewport && event->type() == QEvent::MouseButtonDblClick &&
        Host.ShowNote)
        Host.ShowNote();  // ActionNoteExecute
    return QObject::eventFilter(watched, event);
}

}  // namespace kv::editor::ui
