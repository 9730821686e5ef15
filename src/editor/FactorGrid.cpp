#include "editor/FactorGrid.h"

#include "editor/Texts.h"

namespace kv::editor {

FactorLayout LayoutOfFactors(std::string_view id) {
    if (id <= std::string_view("ID_AINP9")) return FactorLayout::InputOutput;
    if (id <= std::string_view("ID_FINP9")) return FactorLayout::HertzKFactor;
    return FactorLayout::ItemValue;
}

FactorGridSpec FactorGridOf(std::string_view id, std::string_view labelTag1) {
    const FactorColumn number{"No.", "DefaultValue", 30, Alignment::Left, "", true};
    const FactorLayout layout = LayoutOfFactors(id);
    switch (layout) {
        case FactorLayout::InputOutput:
            return {layout,
                    {number,
                     {"Input", "LowLimit", 72, Alignment::Center, "", false},
                     {"Output", "HighLimit", 72, Alignment::Left, "", false}}};
        case FactorLayout::HertzKFactor:
            return {layout,
                    {number,
                     {"Hertz", "LowLimit", 72, Alignment::Center, "9999", false},
                     {"K-Factor", "HighLimit", 72, Alignment::Left, "", false}}};
        case FactorLayout::ItemValue:
            break;
    }
    return {layout,
            {number,
             {"Item", "Item", 94, Alignment::Left, "", true},
             {std::string(labelTag1), "HighLimit", 50, Alignment::Left, "", false}}};
}

std::string PointsIdOf(std::string_view factorsId) {
    const size_t at = factorsId.find("_FACTORS");
    const std::string_view head =
        at == std::string_view::npos ? factorsId : factorsId.substr(0, at + 1);
    return std::string(head) + "POINTS";
}

std::string RowCountOf(std::optional<std::string> pointsValue) {
    if (!pointsValue || pointsValue->empty()) return "99";
    if (pointsValue->size() == 1) return "0" + *pointsValue;
    return *pointsValue;
}

std::string PointsFilter(std::string_view pointsId) {
    return "ID = '" + std::string(pointsId) + "'";
}

std::string FactorRowsFilter(std::string_view factorsId, std::string_view rowCount) {
    return "Menu = 'OP_MENU_FACTORS' and ID = '" + std::string(factorsId) +
           "' and DefaultValue <= '" + std::string(rowCount) + "'";
}

std::string RangeLine(std::string_view lowLimit, std::string_view highLimit) {
    return text::RangePrefix + std::string(lowLimit.substr(0, 8)) + "..." +
           std::string(highLimit.substr(0, 8));
}

std::string FactorColumnHeader(const FactorColumn& column, std::string_view lowLimit,
                               std::string_view highLimit) {
    if (column.ReadOnly) return text::TableOfValues;
    if (column.Title == "Hertz") return text::HertzRange;
    if (column.Title == "K-Factor") return text::KFactorRange;
    return RangeLine(lowLimit, highLimit);
}

}  // namespace kv::editor
