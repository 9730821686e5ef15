#include "editor/ItemPages.h"

#include <algorithm>

#include "editor/Texts.h"

namespace kv::editor {

namespace {

constexpr const char* Access = text::AccessLevelHeader;
constexpr const char* Printout = text::PrintoutHeader;

// Pages that pick a variable and show its tags.
constexpr PageSpec VariablePage(ItemPage page, const char* caption, ChoiceRows rows) {
    return {page,
            caption,
            true,
            text::OptionsHeader,
            false,
            false,
            rows,
            "DefaultValue",
            true,
            false,
            false,
            LabelSource::ChosenVariable,
            false,
            true,
            AccessBox::Enabled,
            Access};
}

constexpr std::array<PageSpec, ItemPageCount> Pages{{
    {ItemPage::Units, "Units", true, text::UnitsHeader, false, false, ChoiceRows::Options,
     "Coefficient", true, true, false, LabelSource::Item, true, false, AccessBox::Enabled,
     Printout},
    {ItemPage::Options, "Options", true, text::OptionsHeader, false, false, ChoiceRows::Options,
     "DefaultValue", true, false, false, LabelSource::Item, true, true, AccessBox::Enabled, Access},
    {ItemPage::Outputs, "Outputs", true, text::OptionsHeader, false, false, ChoiceRows::Outputs,
     "DefaultValue", true, false, true, LabelSource::ChosenVariable, false, true,
     AccessBox::Enabled, Access},
    {ItemPage::Values, "Values", true, text::DefaultValueHeader, true, false, ChoiceRows::None,
     nullptr, false, false, false, LabelSource::Item, true, true, AccessBox::Enabled, Access},
    {ItemPage::Password, "Password", true, text::DefaultValueHeader, true, false, ChoiceRows::None,
     nullptr, false, false, false, LabelSource::Item, true, true, AccessBox::Disabled, Access},
    {ItemPage::Parameters, "Parameters", true, text::ValueAndUnitsHeader, true, false,
     ChoiceRows::Options, "Coefficient", true, true, false, LabelSource::Item, true, false,
     AccessBox::Enabled, Access},
    {ItemPage::Tags, "Tags", true, text::NoOptionsHeader, false, false, ChoiceRows::None, nullptr,
     false, false, false, LabelSource::Item, true, true, AccessBox::Disabled, Access},
    VariablePage(ItemPage::Alarms, "Alarms", ChoiceRows::Rates),
    VariablePage(ItemPage::Totals, "Totals", ChoiceRows::Totals),
    VariablePage(ItemPage::Rates, "Rates", ChoiceRows::Rates),
    VariablePage(ItemPage::Variables, "Variables", ChoiceRows::Variables),
    {ItemPage::Inputs, "Inputs", true, text::OptionsHeader, false, false, ChoiceRows::Variables,
     "DefaultValue", false, false, false, LabelSource::ChosenVariable, false, true,
     AccessBox::Disabled, Access},
    {ItemPage::Factors, "Factors", true, text::FactorsHeader, false, true, ChoiceRows::None,
     nullptr, false, false, false, LabelSource::FactorRows, false, true, AccessBox::Enabled,
     Access},
    {ItemPage::VarTags, "VarTags", true, text::NoOptionsHeader, false, false, ChoiceRows::None,
     nullptr, false, false, false, LabelSource::Item, true, true, AccessBox::Enabled, Printout},
    {ItemPage::Tables, "Tables", false, "", false, false, ChoiceRows::None, nullptr, false, false,
     false, LabelSource::Item, false, false, AccessBox::Disabled, ""},
}};

}  // namespace

const std::array<PageSpec, ItemPageCount>& PageTable() {
    return Pages;
}

const PageSpec& Spec(ItemPage page) {
    return Pages[static_cast<size_t>(page)];
}

std::optional<ItemPage> PageOfPanel(std::string_view panel) {
    auto it = std::find_if(Pages.begin(), Pages.end(),
                           [&](const PageSpec& pageRow) { return panel == pageRow.Caption; });
    if (it == Pages.end()) return std::nullopt;
    return it->Page;
}

}  // namespace kv::editor
