#pragma once
// The save dialog: three boxes bound to a SavePackForm; its caption names the kind of file.
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>

#include "console/SavePackForm.h"

namespace kv::console::ui {

class TFormSavePack : public QDialog {
  public:
    explicit TFormSavePack(QWidget* parent);

    // Shows the form modally; every click goes through the form's rules.
    bool Execute(SavePackForm& form);

    QCheckBox* CheckBoxBinary;
    QCheckBox* CheckBoxReport;
    QCheckBox* CheckBoxManual;
    QPushButton* ButtonOk;
    QPushButton* ButtonCancel;

  private:
    void CheckBoxClick(SavePackForm::Box box);
    void Show();
    QCheckBox* Boxes[3];
    SavePackForm* Form = nullptr;
};

}  // namespace kv::console::ui
