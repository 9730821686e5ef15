#include "editor/ui/ItemList.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QStyle>
#include <QVBoxLayout>

#include "store/ui/DatasetModel.h"

namespace kv::editor::ui {

namespace {

struct NavigatorKey {
    const char* Name;
    const char* Hint;
    QStyle::StandardPixmap Icon;
};
constexpr NavigatorKey Keys[4] = {
    {"First", "First record", QStyle::SP_MediaSkipBackward},
    {"Prior", "Prior record", QStyle::SP_MediaSeekBackward},
    {"Next", "Next record", QStyle::SP_MediaSeekForward},
    {"Last", "Last record", QStyle::SP_MediaSkipForward},
};

}  // namespace

void Navigate(store::Dataset& items, NavigateKey key) {
    if (!items.Active()) return;
    switch (key) {
        case NavigateKey::First:
            return items.First();
        case NavigateKey::Prior:
            return items.Prior();
        case NavigateKey::Next:
            return items.Next();
        case NavigateKey::Last:
            return items.Last();
    }
}

TItemList::TItemList(const QString& frame, store::Dataset& items, QWidget* parent)
    : QWidget(parent), Model(new store::ui::DatasetModel(items, {{"Item", "Item"}})) {
    setObjectName(frame);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    DBGrid = new QTableView(this);
    DBGrid->setObjectName(frame + "DBGrid");
    DBGrid->setAccessibleName("Items");
    DBGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid->verticalHeader()->hide();
    DBGrid->verticalHeader()->setDefaultSectionSize(DBGrid->fontMetrics().height() + 6);
    DBGrid->horizontalHeader()->setStretchLastSection(true);
    DBGrid->horizontalHeader()->setHighlightSections(false);
    DBGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGrid->setWordWrap(false);
    Model->Attach(DBGrid);
    column->addWidget(DBGrid, 1);

    auto* navigator = new QWidget(this);
    navigator->setObjectName(frame + "DBNavigator");
    navigator->setAccessibleName("Navigator");
    auto* keys = new QHBoxLayout(navigator);
    keys->setContentsMargins(0, 0, 0, 0);
    keys->setSpacing(1);
    for (size_t i = 0; i < DBNavigator.size(); ++i) {
        auto* button = DBNavigator[i] = new QToolButton(navigator);
        button->setObjectName(frame + "DBNavigator" + Keys[i].Name);
        button->setAccessibleName(Keys[i].Name);
        button->setToolTip(Keys[i].Hint);
        button->setStatusTip(Keys[i].Hint);
        button->setIcon(style()->standardIcon(Keys[i].Icon));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        keys->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, i] {
            if (OnNavigate) OnNavigate(static_cast<NavigateKey>(i));
        });
    }
    column->addWidget(navigator);
}

TItemList::~TItemList() {
    delete Model;  // before the dataset it watches, which may outlive this list's children
}

}  // namespace kv::editor::ui
