#include "editor/ProductCodes.h"

#include <algorithm>

namespace kv::editor {

namespace {

const std::vector<std::string> Enclosures = {
    "1 - Panel mount enclosure",
    "2 - Field mount enclosure (NEMA 4X / IP66)",
    "3 - Explosion proof 'Ex d' enclosure with metric glands",
    "4 - Explosion proof 'Ex d' enclosure with NPT glands",
    "5 - Explosion proof 'Ex d' enclosure with metric glands and heater",
    "6 - Explosion proof 'Ex d' enclosure with NPT glands and heater",
};
const std::vector<std::string> Displays = {
    "S - Standard option (now with backlight and LCD backup)"};
const std::vector<std::string> Coatings = {
    "C - Conformal coating - required for maximum environmental operating range",
    "N - No coating - suitable for normal climatic conditions up to Class B2, IEC 654-1",
};

ChoiceGroup Group(int tag, std::string caption, std::vector<std::string> choices,
                  int defaultIndex) {
    return {tag, std::move(caption), std::move(choices), defaultIndex, defaultIndex, true};
}

const std::vector<std::string> StartingSummary = {"Instrument",   "",        "Model",
                                                  "Enclosure",    "Options", "Relay Type",
                                                  "Power Supply", "Display", "PCB Protection"};

ProductCodesPage Page746() {
    return {
        "746",
        {Group(3, "Enclosure", Enclosures, 0),
         Group(4, "Options",
               {"0 - 1 logic input, 2 pulse outputs, 2 relays, RS232/RS485",
                "1 - 1 logic input, 2 pulse outputs, 2 relays, RS232/RS485, RTC logging, 4-20 mA "
                "output"},
               1),
         Group(5, "Extra Options", {"2 - DB9 connector for RS232 port"}, 0),
         Group(6, "Power Supply",
               {"A - Inputs for 12-28 VDC and 110/120 VAC",
                "E - Inputs for 12-28 VDC and 220/240 VAC", "D - Input for 12-28 VDC power only"},
               1),
         Group(7, "Display", Displays, 0), Group(8, "PCB Protection", Coatings, 1)},
        StartingSummary};
}

ProductCodesPage Page758() {
    return {
        "758",
        {Group(3, "Enclosure", Enclosures, 0),
         Group(
             4, "Options",
             {"0 - 4 logic inputs, 1 isolated output, 2 relays, RS232 port",
              "1 - 4 logic inputs, 2 isolated outputs, 4 relays, RTC logging, RS232 and RS485 "
              "ports",
              "2 - 4 logic inputs, 2 isolated outputs, 4 relays, RTC logging, RS232 and Ethernet "
              "ports",
              "3 - 4 logic inputs, 2 isolated outputs, 4 relays, RTC logging, RS232 and RF ports"},
             1),
         Group(5, "Relay Type",
               {"1 - Electromechanical relays only",
                "2 - Electromechanical (2) and solid state (2) relays",
                "3 - Solid state relays only"},
               0),
         Group(6, "Power Supply",
               {"U - Inputs for 12-28 VDC and 100-240 VAC (replaces: A - 110 /120 VAC and E - "
                "220/240 VAC)",
                "D - Input for 12-28 VDC power only"},
               0),
         Group(7, "Display", Displays, 0), Group(8, "PCB Protection", Coatings, 1)},
        StartingSummary};
}

void Reset(ProductCodesPage& page) {
    for (ChoiceGroup& group : page.Groups) {
        group.ItemIndex = group.Default;
        group.Enabled = true;
    }
}

std::string Code(const ProductCodesPage& page) {
    std::string code = "XXXXXX";
    for (const ChoiceGroup& group : page.Groups)
        code[group.Tag - ProductCodesPage::FirstTag] = group.CodeCharacter();
    return code;
}

}  // namespace

std::string ChoiceGroup::ValidCharacters() const {
    if (!Enabled) return std::string(1, CodeCharacter());
    std::string valid;
    for (const std::string& choice : Choices) valid += choice[0];
    return valid;
}

ProductCodes::ProductCodes() : Pages{Page746(), Page758()} {}

int ProductCodes::FormShow(const ProductSelection& selection) {
    if (!shown_ || selection.Pack != remembered_.Pack)
        for (ProductCodesPage& page : Pages) Reset(page);
    shown_ = true;
    remembered_ = selection;
    for (ProductCodesPage& page : Pages) Recompute(page);
    const auto shown = std::find_if(Pages.begin(), Pages.end(), [&](const ProductCodesPage& page) {
        return page.Model == selection.Model;
    });
    return shown == Pages.end() ? -1 : static_cast<int>(shown - Pages.begin());
}

void ProductCodes::RadioGroupClick(ProductCodesPage& page, int tag, int itemIndex) {
    ChoiceGroup& group = page.Group(tag);
    if (group.Enabled && itemIndex >= 0 && itemIndex < static_cast<int>(group.Choices.size()))
        group.ItemIndex = itemIndex;
    Recompute(page);
}

bool ProductCodes::ChooseCharacter(ProductCodesPage& page, int tag, char code) {
    const ChoiceGroup& group = page.Group(tag);
    const auto at = group.ValidCharacters().find(code);
    if (at == std::string::npos) return false;
    const auto choice = std::find_if(group.Choices.begin(), group.Choices.end(),
                                     [&](const std::string& text) { return text[0] == code; });
    RadioGroupClick(page, tag, static_cast<int>(choice - group.Choices.begin()));
    return true;
}

void ProductCodes::Recompute(ProductCodesPage& page) const {
    // The smallest 758 (options "0") has only electromechanical relays.
    ChoiceGroup& relay = page.Group(ProductCodesPage::RelayTag);
    relay.Enabled =
        !(page.Model == "758" && page.Group(ProductCodesPage::OptionsTag).CodeCharacter() == '0');
    if (!relay.Enabled) relay.ItemIndex = 0;

    page.Summary[0] = page.Model + "-" + remembered_.Pack + " Instrument    \"" +
                      remembered_.Title + "\"    (" + remembered_.ClassText + ")";
    for (const ChoiceGroup& group : page.Groups) {
        std::string line = group.Caption + ":";
        line += line.size() < 10 ? "\t\t" : "\t";
        page.Summary[group.Tag] = line + group.Choices[group.ItemIndex];
    }
    page.Summary[2] = "Model:\t\t" + OrderCode(page);
}

std::string ProductCodes::OrderCode(const ProductCodesPage& page) const {
    return page.Model + "." + Code(page) + "-" + remembered_.Pack;
}

}  // namespace kv::editor
