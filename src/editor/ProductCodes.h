#pragma once
// The product codes page: per model six choice groups whose first characters make the order
// code of the hardware, and a nine-line summary. It stores nothing beyond the run.
#include <string>
#include <vector>

namespace kv::editor {

// One radio group. Its tag is the summary line it fills; its character goes to position
// tag - 3 of the six-character code.
struct ChoiceGroup {
    int Tag = 0;
    std::string Caption;
    std::vector<std::string> Choices;
    int Default = 0;
    int ItemIndex = 0;
    bool Enabled = true;

    char CodeCharacter() const { return Choices[ItemIndex][0]; }
    // The code characters the group accepts now: all while enabled, else only the chosen one.
    std::string ValidCharacters() const;
};

struct ProductCodesPage {
    std::string Model;                 // the tab caption, "746" or "758"
    std::vector<ChoiceGroup> Groups;   // tags 3 to 8, in that order
    std::vector<std::string> Summary;  // lines 0 to 8

    ChoiceGroup& Group(int tag) { return Groups.at(tag - FirstTag); }
    const ChoiceGroup& Group(int tag) const { return Groups.at(tag - FirstTag); }

    static constexpr int FirstTag = 3;
    static constexpr int EnclosureTag = 3;
    static constexpr int OptionsTag = 4;
    static constexpr int RelayTag = 5;  // "Relay Type" on 758, "Extra Options" on 746
};

// What the page is shown for: the selected record's pack, model and title, and the class
// text of the main window's heading ("Class 02").
struct ProductSelection {
    std::string Pack;
    std::string Model;
    std::string Title;
    std::string ClassText;
};

// The state of `TFormModels` for the whole run.
class ProductCodes {
  public:
    ProductCodes();  // both pages at their defaults, summaries with their starting lines

    // Resets both pages when the pack differs from the remembered one (always the first time),
    // remembers the selection and recomputes both pages. Returns the index of the page whose
    // model is the selection's, or -1.
    int FormShow(const ProductSelection& selection);

    // A choice of a group changed: takes it and recomputes that page.
    void RadioGroupClick(ProductCodesPage& page, int tag, int itemIndex);

    // Chooses by code character; false (and nothing changes) when the group does not accept it.
    bool ChooseCharacter(ProductCodesPage& page, int tag, char code);

    // Fills the summary from the choices; the 758 options "0" fix the relay type to "1".
    void Recompute(ProductCodesPage& page) const;

    // "746.112ESN-FC01" from a page's current choices.
    std::string OrderCode(const ProductCodesPage& page) const;

    std::vector<ProductCodesPage> Pages;  // "746", then "758"
    const ProductSelection& Remembered() const { return remembered_; }

  private:
    ProductSelection remembered_;
    bool shown_ = false;
};

}  // namespace kv::editor
