#pragma once
// The correction factor grid of the "Factors" page over the factor rows: the columns of the
// item's layout ("No." and the layout's read-only column cannot be edited), single cells
// entered and edited, the dataset's cursor on the grid's current row, and the grid's key filter.
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <vector>

#include "editor/FactorGrid.h"
#include "store/ui/DatasetModel.h"

namespace kv::editor::ui {

class KeyFilter;

class FactorsModel : public store::ui::DatasetModel {
  public:
    FactorsModel(store::Dataset& factors, const FactorGridSpec& layout, QObject* parent);
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    const FactorGridSpec& Spec() const { return layout_; }

  private:
    FactorGridSpec layout_;
};

class TFactorGrid : public QTableView {
  public:
    TFactorGrid(store::Dataset& factors, KeyFilter* keys, QWidget* parent);
    ~TFactorGrid() override;

    // Lays the grid out for the item (a new layout or title only); no column is entered then.
    void LayOut(const FactorGridSpec& layout);
    FactorsModel* Model() const { return model_; }
    // A column was entered (FrameOptionsFactorsDBGridFactorsColEnter).
    std::function<void(int column)> OnColumnEnter;

  private:
    void CurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void FollowCursor();

    store::Dataset* factors_;
    FactorsModel* model_ = nullptr;
    bool following_ = false;
    std::vector<store::ScopedConnection> connections_;
};

// Cell editors get the grid's key filter.
class FilteredDelegate : public QStyledItemDelegate {
  public:
    FilteredDelegate(KeyFilter* filter, QObject* parent)
        : QStyledItemDelegate(parent), Filter(filter) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  private:
    KeyFilter* Filter;
};

}  // namespace kv::editor::ui
