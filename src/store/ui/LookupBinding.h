#pragma once
// A choice list over one field of a dataset (the list), in a combo box or a list view.
// With a target field, the row whose key equals the target's value is shown as chosen, and a
// choice writes the row's key into the target (through its value check); a target that cannot
// be modified keeps its value. Without a target, the list follows and moves the list dataset's
// cursor, as a grid does.
#include <QObject>
#include <string>
#include <vector>

#include "store/Dataset.h"

class QComboBox;
class QListView;

namespace kv::store::ui {

class DatasetModel;

struct LookupTarget {
    Dataset* Data = nullptr;
    std::string Field;
};

class LookupBinding : public QObject {
  public:
    LookupBinding(Dataset& list, std::string keyField, std::string listField, QComboBox* box,
                  LookupTarget target = {});
    LookupBinding(Dataset& list, std::string keyField, std::string listField, QListView* view,
                  LookupTarget target = {});
    ~LookupBinding() override;

    DatasetModel* Model() const { return model_; }
    // The list row shown as chosen; -1 for none.
    int ChosenRow() const;

  private:
    LookupBinding(Dataset& list, std::string keyField, std::string listField, QObject* control,
                  LookupTarget target);
    void Choose(int row);
    void ShowChoice();
    int RowOfTargetValue() const;
    void SetShownRow(int row);

    Dataset* list_;
    std::string keyField_;
    LookupTarget target_;
    QComboBox* box_ = nullptr;
    QListView* view_ = nullptr;
    DatasetModel* model_;
    bool showing_ = false;
    std::vector<ScopedConnection> connections_;
};

}  // namespace kv::store::ui
