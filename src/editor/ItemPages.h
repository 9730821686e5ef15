#pragma once
// The fifteen item pages of the "Configuration" page: what each offers and where it stores what
// the user picks. The page of an item is chosen by its Panel alone.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace kv::editor {

enum class ItemPage {
    Units,
    Options,
    Outputs,
    Values,
    Password,
    Parameters,
    Tags,
    Alarms,
    Totals,
    Rates,
    Variables,
    Inputs,
    Factors,
    VarTags,
    Tables
};
inline constexpr size_t ItemPageCount = 15;

// The rows a page's chooser offers.
enum class ChoiceRows {
    None,
    Options,    // QueryOptions (the item Type's option or unit rows), shown by Tag, keyed by Item
    Outputs,    // TableOutputs, shown by Item, keyed by ID
    Rates,      // TableRates
    Totals,     // TableTotals
    Variables,  // TableVariables
};

// Where the label tags of the "Display Tags" box come from.
enum class LabelSource {
    Item,            // the item's own LabelTag1 / LabelTag2
    ChosenVariable,  // the variable whose ID is the item's DefaultValue, read only
    FactorRows,      // the factor row's tags of the entered column, read only
};

// The access box: the access choices (levels or printout, chosen per item) or disabled.
enum class AccessBox { Enabled, Disabled };

struct PageSpec {
    ItemPage Page;
    const char* Caption;        // equals the Panel of the items it edits
    bool OptionsFrame;          // every page but "Tables"
    const char* OptionsHeader;  // before a range line or "Table Of Values" replaces it
    bool ValueField;            // DefaultValue typed; the header becomes the range line
    bool FactorGrid;            // the correction factor grid
    ChoiceRows Choices;
    const char* ChoiceField;  // field of the item the chooser stores; nullptr without a chooser
    bool ChooserEditable;     // false: the choice is shown only ("Inputs")
    bool SetsUnitTags;        // choosing copies the option's Tag into UnitTag1 and UnitTag2
    bool SignalLine;          // the "Outputs" page's output signal line
    LabelSource Labels;
    bool UserLabelEditable;  // LabelTag2
    bool UserUnitEditable;   // UnitTag2
    AccessBox Access;
    const char* AccessHeader;
};

const std::array<PageSpec, ItemPageCount>& PageTable();
const PageSpec& Spec(ItemPage page);
// The page whose caption equals the Panel; nullopt when none does (the previous page stays).
std::optional<ItemPage> PageOfPanel(std::string_view panel);

}  // namespace kv::editor
