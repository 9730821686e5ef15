#include "editor/ui/TItemPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "editor/Texts.h"
#include "editor/ui/FactorGridView.h"
#include "editor/ui/KeyFilter.h"
#include "editor/ui/PageTexts.h"
#include "store/ui/FieldBinding.h"
#include "store/ui/LookupBinding.h"

namespace kv::editor::ui {

namespace {

// The rows a chooser lists: the dataset, the key it stores and the field it shows.
struct ChoiceList {
    store::Dataset* List;
    const char* Key;
    const char* Shown;
};

ChoiceList ListOf(ChoiceRows rows, const EditorDatasets& d) {
    switch (rows) {
        case ChoiceRows::Options:
            return {&d.QueryOptions, "Item", "Tag"};
        case ChoiceRows::Outputs:
            return {&d.TableOutputs, "ID", "Item"};
        case ChoiceRows::Rates:
            return {&d.TableRates, "ID", "Item"};
        case ChoiceRows::Totals:
            return {&d.TableTotals, "ID", "Item"};
        case ChoiceRows::Variables:
            return {&d.TableVariables, "ID", "Item"};
        case ChoiceRows::None:
            break;
    }
    return {nullptr, nullptr, nullptr};
}

QLineEdit* TagEdit(QWidget* parent, const char* objectName, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setAccessibleName(name);
    edit->setReadOnly(true);
    edit->setMaxLength(8);
    // Eight capitals, the widest a tag gets.
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("MMMMMMMM") * 3 / 4 + 14);
    return edit;
}

}  // namespace

void TDBLookupCombo::hidePopup() {
    QComboBox::hidePopup();
    if (OnCloseUp) OnCloseUp();
}

TItemPage::TItemPage(const PageSpec& pageRow, ItemEditor& rules, const EditorDatasets& data,
                     PageKeys keys, QWidget* parent)
    : QWidget(parent), Spec(pageRow), Rules(rules) {
    setObjectName(QString("TabSheet") + pageRow.Caption);
    setAccessibleName(pageRow.Caption);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(4);

    DBTextItem = new QLabel(this);
    DBTextItem->setObjectName("DBTextItem");
    DBTextItem->setAccessibleName("Item");
    DBTextItem->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    DBTextItem->setAlignment(Qt::AlignCenter);
    QFont bold = DBTextItem->font();
    bold.setBold(true);
    DBTextItem->setFont(bold);
    DBTextItem->setMinimumHeight(DBTextItem->fontMetrics().height() + 8);
    new store::ui::FieldBinding(data.TableVersion, "Item", DBTextItem);
    page->addWidget(DBTextItem);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    auto* left = new QVBoxLayout;
    GroupBoxOptions = new QGroupBox(pageRow.OptionsHeader, this);
    GroupBoxOptions->setObjectName("GroupBoxOptions");
    GroupBoxAccess = new QGroupBox(pageRow.AccessHeader, this);
    GroupBoxAccess->setObjectName("GroupBoxAccess");
    left->addWidget(GroupBoxOptions, 1);
    left->addWidget(GroupBoxAccess);
    row->addLayout(left, 1);
    BuildOptions(data, keys);
    BuildAccess(data);

    auto* right = new QVBoxLayout;
    GroupBoxTags = new QGroupBox(editor::text::DisplayTags, this);
    GroupBoxTags->setObjectName("GroupBoxTags");
    GroupBoxTags->setAccessibleName(editor::text::DisplayTags);
    BuildTags(data, keys);
    right->addWidget(GroupBoxTags);
    ImageInstrument = new QLabel(this);
    ImageInstrument->setObjectName("ImageInstrument");
    ImageInstrument->setAccessibleName("Image");
    ImageInstrument->setAlignment(Qt::AlignCenter);
    right->addWidget(ImageInstrument, 1);
    row->addLayout(right);
    page->addLayout(row, 1);
}

void TItemPage::BuildOptions(const EditorDatasets& data, PageKeys keys) {
    auto* box = new QVBoxLayout(GroupBoxOptions);
    box->setContentsMargins(6, 4, 6, 6);
    box->setSpacing(4);
    const QString name = Spec.OptionsHeader;
    QHBoxLayout* line = nullptr;
    if (Spec.ValueField) {
        line = new QHBoxLayout;
        DBEditDefaultValue = new QLineEdit(GroupBoxOptions);
        DBEditDefaultValue->setObjectName("DBEditDefaultValue");
        DBEditDefaultValue->setAccessibleName(name);
        new store::ui::FieldBinding(data.TableVersion, "DefaultValue", DBEditDefaultValue, true);
        keys.Value->Watch(DBEditDefaultValue);
        line->addWidget(DBEditDefaultValue, 1);
        box->addLayout(line);
    }
    if (const ChoiceList list = ListOf(Spec.Choices, data); list.List) {
        DBLookupComboOptions = new TDBLookupCombo(GroupBoxOptions);
        DBLookupComboOptions->setObjectName(Spec.ValueField ? "DBLookupComboUnits"
                                                            : "DBLookupComboOptions");
        DBLookupComboOptions->setAccessibleName(name);
        DBLookupComboOptions->setEnabled(Spec.ChooserEditable);
        new store::ui::LookupBinding(*list.List, list.Key, list.Shown, DBLookupComboOptions,
                                     {&data.TableVersion, Spec.ChoiceField});
        if (line)
            line->addWidget(DBLookupComboOptions, 1);
        else
            box->addWidget(DBLookupComboOptions);
    }
    if (Spec.FactorGrid) {
        DBGridFactors = new TFactorGrid(data.TableFactors, keys.Factors, GroupBoxOptions);
        DBGridFactors->setObjectName("DBGridFactors");
        DBGridFactors->setAccessibleName(name);
        box->addWidget(DBGridFactors, 1);
    }
    LabelOptionDescription = new QLabel(GroupBoxOptions);
    LabelOptionDescription->setObjectName("LabelOptionDescription");
    LabelOptionDescription->setAccessibleName("Option Description");
    LabelOptionDescription->setWordWrap(true);
    LabelOptionDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->addWidget(LabelOptionDescription, Spec.FactorGrid ? 0 : 1);
    if (Spec.SignalLine) {
        LabelSignal = new QLabel(GroupBoxOptions);
        LabelSignal->setObjectName("LabelSignal");
        LabelSignal->setAccessibleName("Output Signal");
        box->addWidget(LabelSignal);
    }
}

void TItemPage::BuildAccess(const EditorDatasets& data) {
    auto* box = new QVBoxLayout(GroupBoxAccess);
    box->setContentsMargins(6, 4, 6, 6);
    DBLookupComboAccess = new TDBLookupCombo(GroupBoxAccess);
    DBLookupComboAccess->setObjectName("DBLookupComboAccess");
    DBLookupComboAccess->setAccessibleName(Spec.AccessHeader);
    new store::ui::LookupBinding(data.TableAccess, "Item", "Description", DBLookupComboAccess,
                                 {&data.TableVersion, "Access"});
    box->addWidget(DBLookupComboAccess);
    GroupBoxAccess->setEnabled(Spec.Access == AccessBox::Enabled);
}

void TItemPage::BuildTags(const EditorDatasets& data, PageKeys keys) {
    auto* grid = new QGridLayout(GroupBoxTags);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(4);
    grid->addWidget(new QLabel(text::LabelColumn, GroupBoxTags), 0, 1);
    grid->addWidget(new QLabel(text::UnitColumn, GroupBoxTags), 0, 2);
    grid->addWidget(new QLabel(text::DefaultRow, GroupBoxTags), 1, 0);
    grid->addWidget(new QLabel(text::UserRow, GroupBoxTags), 2, 0);
    const QString def = QString(text::DefaultRow).remove(':');
    const QString user = QString(text::UserRow).remove(':');
    const QString label = QString(text::LabelColumn).remove(':');
    const QString unit = QString(text::UnitColumn).remove(':');
    DBEditLabelTag1 = TagEdit(GroupBoxTags, "DBEditLabelTag1", def + " " + label);
    DBEditUnitTag1 = TagEdit(GroupBoxTags, "DBEditUnitTag1", def + " " + unit);
    DBEditLabelTag2 = TagEdit(GroupBoxTags, "DBEditLabelTag2", user + " " + label);
    DBEditUnitTag2 = TagEdit(GroupBoxTags, "DBEditUnitTag2", user + " " + unit);
    grid->addWidget(DBEditLabelTag1, 1, 1);
    grid->addWidget(DBEditUnitTag1, 1, 2);
    grid->addWidget(DBEditLabelTag2, 2, 1);
    grid->addWidget(DBEditUnitTag2, 2, 2);

    // The item's own label tags are bound; a chosen variable's or a factor row's are shown.
    if (Spec.Labels == LabelSource::Item) {
        new store::ui::FieldBinding(data.TableVersion, "LabelTag1", DBEditLabelTag1);
        new store::ui::FieldBinding(data.TableVersion, "LabelTag2", DBEditLabelTag2,
                                    Spec.UserLabelEditable);
    }
    new store::ui::FieldBinding(data.TableVersion, "UnitTag1", DBEditUnitTag1);
    new store::ui::FieldBinding(data.TableVersion, "UnitTag2", DBEditUnitTag2,
                                Spec.UserUnitEditable);
    if (Spec.UserLabelEditable) keys.Tags->Watch(DBEditLabelTag2);
    if (Spec.UserUnitEditable) keys.Tags->Watch(DBEditUnitTag2);
}

void TItemPage::Render(const std::string& signalLine) {
    GroupBoxOptions->setTitle(QString::fromStdString(Rules.OptionsHeader));
    GroupBoxOptions->setAccessibleName(GroupBoxOptions->title());
    const std::optional<Choice> choice = Rules.CurrentChoice();
    LabelOptionDescription->setText(choice ? QString::fromStdString(choice->Description)
                                           : QString());
    if (LabelSignal) LabelSignal->setText(QString::fromStdString(signalLine));
    GroupBoxAccess->setEnabled(Spec.Access == AccessBox::Enabled && Rules.AccessEnabled);
    if (Spec.Labels != LabelSource::Item) {
        DBEditLabelTag1->setText(QString::fromStdString(Rules.LabelTagDefault));
        DBEditLabelTag2->setText(QString::fromStdString(Rules.LabelTagUser));
    }
}

void TItemPage::SetPicture(const QPixmap& picture) {
    ImageInstrument->setPixmap(picture);
}

}  // namespace kv::editor::ui
