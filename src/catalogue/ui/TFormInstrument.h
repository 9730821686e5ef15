#pragma once
// The version information dialog over the rules of VersionInfo: the selected version's
// catalogue record in view, edit or new mode. The main window wires its commands here:
//   ActionShow   -> ActionShowExecute(editMark, panel0)
//   ActionNew    -> ActionNewExecute(panel0)
//   ActionDelete -> ActionDeleteExecute(selected version)
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

#include "catalogue/VersionInfo.h"

namespace kv::catalogue::ui {

class TFormInstrument : public QDialog {
  public:
    // `showNote` opens a note in the notes viewer (the "Version Code" label's help).
    TFormInstrument(VersionInfo& rules, std::function<void(const std::string&)> showNote,
                    QWidget* parent);

    // Shows the dialog modally in `mode`; QDialog::Accepted after an OK that was taken.
    int Show(InfoMode mode, const std::string& revisionText);
    int ActionShowExecute(bool editMark, const std::string& revisionText) {
        return Show(editMark ? InfoMode::Edit : InfoMode::View, revisionText);
    }
    int ActionNewExecute(const std::string& revisionText) {
        return Show(InfoMode::New, revisionText);
    }
    void ActionDeleteExecute(const VersionName& selected) { Rules.ActionDeleteExecute(selected); }

    void BitBtnOKClick();
    void LabelCodeClick();

    QLineEdit* DBEditTitle;
    QLineEdit* DBEditModel;
    QLineEdit* DBEditPack;
    QPlainTextEdit* DBMemoDescription;
    QLineEdit* DBEditCreator;
    QLineEdit* DBEditDate;
    QLineEdit* DBEditCode;
    QLineEdit* DBEditCustomTitle;
    QPlainTextEdit* DBMemoCustomDescription;
    QLabel* LabelCode;
    QPushButton* BitBtnOK;
    QPushButton* BitBtnCancel;

  protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SetControls(const std::vector<QWidget*>& panel, bool enabled);
    void Render();
    void ApplyFocus();

    VersionInfo& Rules;
    std::function<void(const std::string&)> ShowNote;
};

}  // namespace kv::catalogue::ui
