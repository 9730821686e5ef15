#include "store/ui/FieldBinding.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace kv::store::ui {

FieldBinding::FieldBinding(Dataset& dataset, std::string field, QWidget* control, bool editable)
    : QObject(control),
      dataset_(&dataset),
      field_(std::move(field)),
      control_(control),
      editable_(editable) {
    // Back in browse state (posted, cancelled, moved, closed) nothing is pending any more.
    auto browsing = [this] {
        if (dataset_->State() == DatasetState::Browse || !dataset_->Active()) pending_ = false;
    };
    connections_.emplace_back(
        dataset.OnDataChange.Connect([this, browsing](Dataset&, Field* changed) {
            if (!changed) browsing();
            if (!changed || changed->FieldName() == field_) Show();
        }));
    connections_.emplace_back(dataset.OnViewChange.Connect([this, browsing](Dataset&, ViewChange) {
        browsing();
        Show();
    }));
    connections_.emplace_back(dataset.OnUpdateRecord.Connect([this](Dataset&) { Commit(); }));
    connections_.emplace_back(dataset.OnDestroy.Connect([this](Dataset&) {
        dataset_ = nullptr;
        connections_.clear();
        Show();
    }));
}

FieldBinding::FieldBinding(Dataset& dataset, std::string field, QLineEdit* edit, bool editable)
    : FieldBinding(dataset, std::move(field), static_cast<QWidget*>(edit), editable) {
    connect(edit, &QLineEdit::textEdited, this, [this] { Edited(); });
    connect(edit, &QLineEdit::editingFinished, this, [this] { CommitOrStay(); });
    Show();
}

FieldBinding::FieldBinding(Dataset& dataset, std::string field, QPlainTextEdit* memo, bool editable)
    : FieldBinding(dataset, std::move(field), static_cast<QWidget*>(memo), editable) {
    connect(memo, &QPlainTextEdit::textChanged, this, [this] {
        if (!showing_) Edited();
    });
    memo->installEventFilter(this);
    Show();
}

FieldBinding::FieldBinding(Dataset& dataset, std::string field, QLabel* label)
    : FieldBinding(dataset, std::move(field), static_cast<QWidget*>(label), false) {
    Show();
}

FieldBinding::~FieldBinding() = default;

bool FieldBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == control_ && event->type() == QEvent::FocusOut) CommitOrStay();
    return QObject::eventFilter(watched, event);
}

QString FieldBinding::Text() const {
    if (auto* edit = qobject_cast<QLineEdit*>(control_)) return edit->text();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(control_)) return memo->toPlainText();
    return {};
}

void FieldBinding::SetText(const QString& text) {
    const bool was = std::exchange(showing_, true);
    if (auto* edit = qobject_cast<QLineEdit*>(control_)) {
        if (edit->text() != text) edit->setText(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control_)) {
        if (memo->toPlainText() != text) memo->setPlainText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control_)) {
        label->setText(text);
    }
    showing_ = was;
}

void FieldBinding::SetReadOnly(bool readOnly) {
    if (auto* edit = qobject_cast<QLineEdit*>(control_))
        edit->setReadOnly(readOnly);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(control_))
        memo->setReadOnly(readOnly);
}

void FieldBinding::Show() {
    if (!control_ || pending_) return;
    Field* field = dataset_ && dataset_->Active() ? dataset_->FindField(field_) : nullptr;
    SetText(field ? QString::fromStdString(field->AsString()) : QString());
    SetReadOnly(!editable_ || !field || !dataset_->CanModify());
    if (auto* edit = qobject_cast<QLineEdit*>(control_))
        edit->setMaxLength(field && field->Size() > 0 ? field->Size() : 32767);
}

void FieldBinding::Edited() {
    if (!dataset_ || !editable_ || !dataset_->CanModify() || !dataset_->FindField(field_)) return;
    if (dataset_->State() == DatasetState::Browse) dataset_->Edit();
    pending_ = dataset_->State() == DatasetState::Edit || dataset_->State() == DatasetState::Insert;
}

void FieldBinding::Commit() {
    if (!pending_ || !dataset_) return;
    Field& field = dataset_->FieldByName(field_);
    field.SetAsString(Text().toStdString());  // a refused value leaves the edit pending
    pending_ = false;
}

void FieldBinding::CommitOrStay() {
    try {
        Commit();
    } catch (const std::exception&) {
        // The value check has told the user why; the control keeps the text and the focus.
        if (control_) control_->setFocus();
    }
}

}  // namespace kv::store::ui
