#pragma once
// The preferences dialog: the switches the build reads, written into the flags when it closes.
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>

#include "catalogue/PreferenceFlags.h"
#include "editor/Preferences.h"

namespace kv::editor::ui {

class TFormOptions : public QDialog {
  public:
    explicit TFormOptions(QWidget* parent);

    // Shows the flags for the selected model and pack modally; when the dialog closes, by OK or
    // by the close box, `flags` holds what the boxes show.
    void Execute(catalogue::PreferenceFlags& flags, const std::string& model,
                 const std::string& pack);

    QCheckBox* CheckBoxStandardModel;
    QCheckBox* CheckBoxInFieldUnits;
    QCheckBox* CheckBoxClearTotals;
    QCheckBox* CheckBoxClearLogs;
    QPushButton* ButtonOk;

  private:
    void CoordinateCheckBoxes();
    OptionBoxes Boxes() const;
    void Show(const OptionBoxes& boxes);
};

}  // namespace kv::editor::ui
