#pragma once
// One item page of the "Configuration" page over the shared frame: the item's header, the
// options box (chooser, value field or factor grid, and the chosen option's description), the
// access box, "Display Tags" and the instrument's picture. What the page offers comes from its
// row of the page table; the fields are bound to the version's datasets.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <functional>

#include "editor/ItemEditor.h"
#include "editor/ItemPages.h"

namespace kv::editor::ui {

class KeyFilter;
class TFactorGrid;

// A chooser that tells when its list closes, chosen or not (DBComboCloseUp).
class TDBLookupCombo : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<void()> OnCloseUp;
    void hidePopup() override;
};

// The key filters of the pages, one for each kind of field.
struct PageKeys {
    KeyFilter* Value;
    KeyFilter* Tags;
    KeyFilter* Factors;
};

class TItemPage : public QWidget {
  public:
    TItemPage(const PageSpec& pageRow, ItemEditor& rules, const EditorDatasets& data, PageKeys keys,
              QWidget* parent);

    // Shows what the rules say beyond the bound fields.
    void Render(const std::string& signalLine);
    void SetPicture(const QPixmap& picture);

    const PageSpec& Spec;
    QLabel* DBTextItem;
    QGroupBox* GroupBoxOptions;
    TDBLookupCombo* DBLookupComboOptions = nullptr;  // the page's chooser (units on "Parameters")
    QLineEdit* DBEditDefaultValue = nullptr;
    TFactorGrid* DBGridFactors = nullptr;
    QLabel* LabelOptionDescription;
    QLabel* LabelSignal = nullptr;  // "Outputs"
    QGroupBox* GroupBoxAccess;
    TDBLookupCombo* DBLookupComboAccess;
    QGroupBox* GroupBoxTags;
    // Label and unit tags of the "Default:" and "User:" rows.
    QLineEdit* DBEditLabelTag1;
    QLineEdit* DBEditUnitTag1;
    QLineEdit* DBEditLabelTag2;
    QLineEdit* DBEditUnitTag2;
    QLabel* ImageInstrument;

  private:
    void BuildOptions(const EditorDatasets& data, PageKeys keys);
    void BuildAccess(const EditorDatasets& data);
    void BuildTags(const EditorDatasets& data, PageKeys keys);

    ItemEditor& Rules;
};

}  // namespace kv::editor::ui
