#pragma once
// The serial number dialog: shows a SerialNumberForm and closes with OK only when its checks pass.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "base/Prompter.h"
#include "console/SerialNumberForm.h"

namespace kv::console::ui {

class TFormSerialNumber : public QDialog {
  public:
    TFormSerialNumber(base::Prompter& prompter, QWidget* parent);

    // Shows the form's values modally; on OK the form holds what was entered.
    bool Execute(SerialNumberForm& form);

    QLineEdit* MaskEditNumber;
    QLineEdit* MaskEditTag;
    QPushButton* ButtonOk;
    QPushButton* ButtonCancel;

    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    base::Prompter& Prompter;
    SerialNumberForm* Form = nullptr;
};

}  // namespace kv::console::ui
