#pragma once
// A Qt table model over a dataset: chosen fields as columns, the dataset's view as rows, and the
// dataset's current record as the selection of the views attached to it. It follows the dataset's
// OnViewChange and cursor events, so grids stay in step without polling.
#include <QAbstractTableModel>
#include <QItemSelectionModel>
#include <string>
#include <vector>

#include "store/Dataset.h"

class QAbstractItemView;

namespace kv::store::ui {

struct ModelColumn {
    ModelColumn(std::string field, QString header = {},
                Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
        : Field(std::move(field)), Header(std::move(header)), Alignment(alignment) {}
    std::string Field;
    QString Header;  // the field's name when empty
    Qt::Alignment Alignment;
};

class DatasetModel : public QAbstractTableModel {
  public:
    DatasetModel(Dataset& dataset, std::vector<ModelColumn> columns, QObject* parent = nullptr);
    ~DatasetModel() override;

    // Read only unless asked; editing also needs a dataset that can be modified.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Shows the column or hides it in every view attached.
    void SetColumnVisible(int column, bool visible);
    bool ColumnVisible(int column) const { return !hidden_[static_cast<size_t>(column)]; }

    // Makes the view show this model with whole-row single selection kept on the current record;
    // choosing a row in the view moves the dataset there.
    void Attach(QAbstractItemView* view);
    QItemSelectionModel* Selection() { return &selection_; }
    Dataset* Source() const { return dataset_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  private:
    void ViewChanged(ViewChange change);
    void FollowCursor();
    void CurrentRowChosen(const QModelIndex& current);
    void ApplyHidden(QAbstractItemView* view) const;
    int FieldIndex(int column) const;

    Dataset* dataset_;
    std::vector<ModelColumn> columns_;
    std::vector<bool> hidden_;
    mutable std::vector<int> fieldIndex_;  // per column, -1 when the dataset lacks the field
    mutable bool fieldsKnown_ = false;
    bool readOnly_ = true;
    bool following_ = false;  // the selection is being set from the cursor
    QItemSelectionModel selection_;
    std::vector<QAbstractItemView*> views_;
    std::vector<ScopedConnection> connections_;
};

}  // namespace kv::store::ui
