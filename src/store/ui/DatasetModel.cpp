#include "store/ui/DatasetModel.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QTableView>
#include <QTreeView>

#include "store/StoreError.h"

namespace kv::store::ui {

DatasetModel::DatasetModel(Dataset& dataset, std::vector<ModelColumn> columns, QObject* parent)
    : QAbstractTableModel(parent),
      dataset_(&dataset),
      columns_(std::move(columns)),
      hidden_(columns_.size(), false),
      selection_(this) {
    connections_.emplace_back(
        dataset.OnViewChange.Connect([this](Dataset&, ViewChange change) { ViewChanged(change); }));
    connections_.emplace_back(dataset.OnDataChange.Connect([this](Dataset&, Field* field) {
        if (!field) FollowCursor();
    }));
    connections_.emplace_back(dataset.OnDestroy.Connect([this](Dataset&) {
        beginResetModel();
        dataset_ = nullptr;
        connections_.clear();
        endResetModel();
    }));
    connect(&selection_, &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { CurrentRowChosen(current); });
}

DatasetModel::~DatasetModel() = default;

int DatasetModel::FieldIndex(int column) const {
    if (!fieldsKnown_) {
        fieldIndex_.clear();
        for (const auto& c : columns_) {
            Field* f = dataset_ && dataset_->Active() ? dataset_->FindField(c.Field) : nullptr;
            fieldIndex_.push_back(f ? f->Index() : -1);
        }
        fieldsKnown_ = dataset_ && dataset_->Active();
    }
    return fieldIndex_[static_cast<size_t>(column)];
}

void DatasetModel::ViewChanged(ViewChange change) {
    if (change == ViewChange::Values) {
        if (int rows = rowCount(); rows > 0)
            emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
        return;
    }
    // The dataset has already changed; the views only need to read it again.
    beginResetModel();
    fieldsKnown_ = false;
    endResetModel();
    for (QAbstractItemView* view : views_) ApplyHidden(view);
    FollowCursor();
}

void DatasetModel::FollowCursor() {
    if (following_) return;
    const bool was = std::exchange(following_, true);
    const int row = dataset_ && dataset_->Active() ? dataset_->RecNo() - 1 : -1;
    if (row < 0 || row >= rowCount()) {
        selection_.clear();
    } else {
        const QModelIndex at = index(row, 0);
        selection_.setCurrentIndex(at,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        for (QAbstractItemView* view : views_) view->scrollTo(at);
    }
    following_ = was;
}

void DatasetModel::CurrentRowChosen(const QModelIndex& current) {
    if (following_ || !dataset_ || !dataset_->Active() || !current.isValid()) return;
    if (dataset_->RecNo() == current.row() + 1) return;
    try {
        dataset_->SetRecNo(current.row() + 1);
    } catch (const std::exception&) {
        // Leaving the record was refused (a value check or a failed post): stay on it.
    }
    FollowCursor();
}

void DatasetModel::SetColumnVisible(int column, bool visible) {
    hidden_[static_cast<size_t>(column)] = !visible;
    for (QAbstractItemView* view : views_) ApplyHidden(view);
}

void DatasetModel::ApplyHidden(QAbstractItemView* view) const {
    for (int c = 0; c < columnCount(); ++c) {
        if (auto* table = qobject_cast<QTableView*>(view))
            table->setColumnHidden(c, hidden_[static_cast<size_t>(c)]);
        else if (auto* tree = qobject_cast<QTreeView*>(view))
            tree->setColumnHidden(c, hidden_[static_cast<size_t>(c)]);
    }
}

void DatasetModel::Attach(QAbstractItemView* view) {
    view->setModel(this);
    QItemSelectionModel* own = view->selectionModel();
    view->setSelectionModel(&selection_);
    if (own && own != &selection_) own->deleteLater();
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    views_.push_back(view);
    connect(view, &QObject::destroyed, this, [this, view] { std::erase(views_, view); });
    ApplyHidden(view);
    FollowCursor();
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !dataset_ || !dataset_->Active()) return 0;
    return dataset_->RecordCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_[static_cast<size_t>(index.column())].Alignment);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const int field = FieldIndex(index.column());
    if (field < 0 || index.row() >= rowCount()) return {};
    return QString::fromStdString(dataset_->ValueAt(index.row(), field));
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const ModelColumn& c = columns_[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole)
        return c.Header.isEmpty() ? QString::fromStdString(c.Field) : c.Header;
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(c.Alignment);
    return {};
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !readOnly_ && dataset_ && dataset_->CanModify() &&
        FieldIndex(index.column()) >= 0)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    try {
        if (dataset_->RecNo() != index.row() + 1) dataset_->SetRecNo(index.row() + 1);
        dataset_->Edit();
        dataset_->Fields(FieldIndex(index.column())).SetAsString(value.toString().toStdString());
        dataset_->Post();
    } catch (const std::exception&) {
        dataset_->Cancel();  // the value was refused; the record keeps what it had
        return false;
    }
    return true;
}

}  // namespace kv::store::ui
