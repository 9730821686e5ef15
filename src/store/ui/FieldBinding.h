#pragma once
// A field of a dataset's current record shown in a line edit, a memo or a label. Edits go through
// the dataset: typing puts it into edit state, and the text is written to the field when the
// control loses the focus, on Enter, or when the record is posted or left (the field's value
// check runs then; a refused value keeps the control's text and focus).
#include <QObject>
#include <QPointer>
#include <string>
#include <vector>

#include "store/Dataset.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace kv::store::ui {

class FieldBinding : public QObject {
  public:
    // Read only unless `editable`; a dataset that cannot be modified also keeps it read only.
    FieldBinding(Dataset& dataset, std::string field, QLineEdit* edit, bool editable = false);
    FieldBinding(Dataset& dataset, std::string field, QPlainTextEdit* memo, bool editable = false);
    FieldBinding(Dataset& dataset, std::string field, QLabel* label);
    ~FieldBinding() override;

    // Writes a pending edit into the field; throws what the field's value check throws.
    void Commit();
    bool Pending() const { return pending_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FieldBinding(Dataset& dataset, std::string field, QWidget* control, bool editable);
    void Show();
    void Edited();
    void CommitOrStay();
    QString Text() const;
    void SetText(const QString& text);
    void SetReadOnly(bool readOnly);

    Dataset* dataset_;
    std::string field_;
    QPointer<QWidget> control_;
    bool editable_;
    bool pending_ = false;
    bool showing_ = false;
    std::vector<ScopedConnection> connections_;
};

}  // namespace kv::store::ui
