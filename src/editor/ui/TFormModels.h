#pragma once
// The product codes page: one page per model (tabs hidden), radio groups for the hardware
// choices and a read-only summary with the resulting order code.
#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <vector>

#include "editor/ProductCodes.h"

namespace kv::editor::ui {

class TFormModels : public QDialog {
  public:
    explicit TFormModels(QWidget* parent);

    // Shows the page of the selected application's model modally. The choices are kept for
    // the next showing while the pack stays the same.
    void Execute(const ProductSelection& selection);

    // The radio group of a page by its tag (3 to 8), and the page's summary.
    QGroupBox* RadioGroup(int page, int tag) const {
        return Pages[page].Groups[tag - ProductCodesPage::FirstTag];
    }
    QButtonGroup* Buttons(int page, int tag) const {
        return Pages[page].Buttons[tag - ProductCodesPage::FirstTag];
    }
    QPlainTextEdit* Memo(int page) const { return Pages[page].Memo; }

    QTabWidget* PageControlModels;
    ProductCodes Codes;

  private:
    struct PageWidgets {
        QPlainTextEdit* Memo = nullptr;
        std::vector<QGroupBox*> Groups;
        std::vector<QButtonGroup*> Buttons;
    };

    QWidget* MakePage(int page);
    void RadioGroupClick(int page, int tag, int itemIndex);
    void Render(int page);

    std::vector<PageWidgets> Pages;
};

}  // namespace kv::editor::ui
