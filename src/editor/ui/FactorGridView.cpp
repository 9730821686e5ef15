#include "editor/ui/FactorGridView.h"

#include <QHeaderView>

#include "editor/ui/KeyFilter.h"

namespace kv::editor::ui {

namespace {

Qt::Alignment AlignmentOf(Alignment a) {
    switch (a) {
        case Alignment::Center:
            return Qt::AlignCenter;
        case Alignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

std::vector<store::ui::ModelColumn> ColumnsOf(const FactorGridSpec& layout) {
    std::vector<store::ui::ModelColumn> columns;
    for (const FactorColumn& c : layout.Columns)
        columns.emplace_back(c.Field, QString::fromStdString(c.Title), AlignmentOf(c.Align));
    return columns;
}

bool SameLayout(const FactorGridSpec& a, const FactorGridSpec& b) {
    if (a.Layout != b.Layout) return false;
    for (size_t i = 0; i < a.Columns.size(); ++i)
        if (a.Columns[i].Title != b.Columns[i].Title) return false;
    return true;
}

}  // namespace

FactorsModel::FactorsModel(store::Dataset& factors, const FactorGridSpec& layout, QObject* parent)
    : DatasetModel(factors, ColumnsOf(layout), parent), layout_(layout) {
    SetReadOnly(false);
}

Qt::ItemFlags FactorsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = DatasetModel::flags(index);
    if (index.isValid() && layout_.Columns[static_cast<size_t>(index.column())].ReadOnly)
        f &= ~Qt::ItemIsEditable;
    return f;
}

TFactorGrid::TFactorGrid(store::Dataset& factors, KeyFilter* keys, QWidget* parent)
    : QTableView(parent), factors_(&factors) {
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new FilteredDelegate(keys, this));
    keys->Watch(this);  // a refused key neither starts an edit nor reaches the cell
    connections_.emplace_back(
        factors.OnDataChange.Connect([this](store::Dataset&, store::Field* f) {
            if (!f) FollowCursor();
        }));
    connections_.emplace_back(
        factors.OnDestroy.Connect([this](store::Dataset&) { connections_.clear(); }));
}

TFactorGrid::~TFactorGrid() {
    delete model_;  // lets go of the dataset now
}

void TFactorGrid::LayOut(const FactorGridSpec& layout) {
    if (!model_ || !SameLayout(model_->Spec(), layout)) {
        FactorsModel* old = model_;
        QItemSelectionModel* oldSelection = selectionModel();
        model_ = new FactorsModel(*factors_, layout, nullptr);
        setModel(model_);
        if (oldSelection) oldSelection->deleteLater();
        connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this](const QModelIndex& current, const QModelIndex& previous) {
                    CurrentChanged(current, previous);
                });
        delete old;
        for (size_t i = 0; i < layout.Columns.size(); ++i)
            setColumnWidth(static_cast<int>(i), layout.Columns[i].Width);
    }
    const bool was = std::exchange(following_, true);
    selectionModel()->clearCurrentIndex();
    selectionModel()->clearSelection();
    following_ = was;
}

void TFactorGrid::CurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (following_ || !current.isValid()) return;
    if (factors_->Active() && factors_->RecNo() != current.row() + 1) {
        try {
            factors_->SetRecNo(current.row() + 1);
        } catch (const std::exception&) {
            // Leaving the row was refused: the error has been shown, the grid stays.
            FollowCursor();
            return;
        }
    }
    if (!previous.isValid() || previous.column() != current.column())
        if (OnColumnEnter) OnColumnEnter(current.column());
}

void TFactorGrid::FollowCursor() {
    if (following_ || !model_ || !factors_->Active()) return;
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return;  // no column entered: nothing to follow
    const int row = factors_->RecNo() - 1;
    if (row == current.row() || row < 0) return;
    const bool was = std::exchange(following_, true);
    setCurrentIndex(model_->index(row, current.column()));
    following_ = was;
}

QWidget* FilteredDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor) Filter->Watch(editor);
    return editor;
}

}  // namespace kv::editor::ui
