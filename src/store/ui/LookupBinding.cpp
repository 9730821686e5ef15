#include "store/ui/LookupBinding.h"

#include <QComboBox>
#include <QListView>

#include "store/ui/DatasetModel.h"

namespace kv::store::ui {

LookupBinding::LookupBinding(Dataset& list, std::string keyField, std::string listField,
                             QObject* control, LookupTarget target)
    : QObject(control),
      list_(&list),
      keyField_(std::move(keyField)),
      target_(std::move(target)),
      model_(new DatasetModel(list, {{std::move(listField)}}, this)) {
    // The model hears the list first (it connected first), so a choice is shown on fresh rows.
    connections_.emplace_back(
        list.OnViewChange.Connect([this](Dataset&, ViewChange) { ShowChoice(); }));
    connections_.emplace_back(list.OnDestroy.Connect([this](Dataset&) {
        list_ = nullptr;
        connections_.clear();
    }));
    if (target_.Data) {
        connections_.emplace_back(
            target_.Data->OnDataChange.Connect([this](Dataset&, Field* changed) {
                if (!changed || changed->FieldName() == target_.Field) ShowChoice();
            }));
        connections_.emplace_back(
            target_.Data->OnViewChange.Connect([this](Dataset&, ViewChange) { ShowChoice(); }));
        connections_.emplace_back(target_.Data->OnDestroy.Connect([this](Dataset&) {
            target_.Data = nullptr;
            connections_.clear();
        }));
    } else {
        connections_.emplace_back(list.OnDataChange.Connect([this](Dataset&, Field* changed) {
            if (!changed) ShowChoice();
        }));
    }
}

LookupBinding::LookupBinding(Dataset& list, std::string keyField, std::string listField,
                             QComboBox* box, LookupTarget target)
    : LookupBinding(list, std::move(keyField), std::move(listField), static_cast<QObject*>(box),
                    std::move(target)) {
    box_ = box;
    box->setModel(model_);
    box->setModelColumn(0);
    connect(box, &QComboBox::activated, this, [this](int row) { Choose(row); });
    ShowChoice();
}

LookupBinding::LookupBinding(Dataset& list, std::string keyField, std::string listField,
                             QListView* view, LookupTarget target)
    : LookupBinding(list, std::move(keyField), std::move(listField), static_cast<QObject*>(view),
                    std::move(target)) {
    view_ = view;
    if (!target_.Data) {
        model_->Attach(view);  // the model keeps the selection on the list's cursor
        return;
    }
    // With a target the selection shows the target's value: the view keeps a selection of its own.
    view->setModel(model_);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!showing_ && current.isValid()) Choose(current.row());
            });
    ShowChoice();
}

LookupBinding::~LookupBinding() = default;

int LookupBinding::RowOfTargetValue() const {
    if (!list_ || !list_->Active() || !target_.Data || !target_.Data->Active()) return -1;
    Field* key = list_->FindField(keyField_);
    Field* value = target_.Data->FindField(target_.Field);
    if (!key || !value || target_.Data->IsEmpty()) return -1;
    const std::string wanted = value->AsString();
    for (int row = 0, rows = list_->RecordCount(); row < rows; ++row)
        if (list_->ValueAt(row, key->Index()) == wanted) return row;
    return -1;
}

int LookupBinding::ChosenRow() const {
    if (box_) return box_->currentIndex();
    const QModelIndex current = view_->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void LookupBinding::SetShownRow(int row) {
    const bool was = std::exchange(showing_, true);
    if (box_) {
        box_->setCurrentIndex(row);
    } else if (row < 0) {
        view_->selectionModel()->clear();
    } else {
        view_->selectionModel()->setCurrentIndex(
            model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    showing_ = was;
}

void LookupBinding::ShowChoice() {
    if (showing_) return;
    if (target_.Data) return SetShownRow(RowOfTargetValue());
    if (view_) return;  // the model keeps the view on the cursor
    SetShownRow(list_ && list_->Active() ? list_->RecNo() - 1 : -1);
}

void LookupBinding::Choose(int row) {
    if (!list_ || !list_->Active() || row < 0 || row >= list_->RecordCount()) return;
    try {
        if (!target_.Data) {
            list_->SetRecNo(row + 1);
        } else if (target_.Data->CanModify() && !target_.Data->IsEmpty()) {
            const std::string key = list_->ValueAt(row, list_->FieldByName(keyField_).Index());
            if (target_.Data->State() == DatasetState::Browse) target_.Data->Edit();
            target_.Data->FieldByName(target_.Field).SetAsString(key);
        }
    } catch (const std::exception&) {
        // Refused by a value check or a failed post: the old choice stays.
    }
    ShowChoice();
}

}  // namespace kv::store::ui
