#pragma once
// The correction factor grid of the "Factors" page: its rows (the version's factor records of
// one item, as many as the points item says) and its three layouts.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kv::editor {

enum class FactorLayout {
    InputOutput,   // analogue input tables: ID up to "ID_AINP9"
    HertzKFactor,  // frequency input tables: above "ID_AINP9", up to "ID_FINP9"
    ItemValue,     // anything above "ID_FINP9": the row's Item and one value
};

enum class Alignment { Left, Center, Right };

struct FactorColumn {
    std::string Title;
    const char* Field;  // DefaultValue, Item, LowLimit or HighLimit
    int Width;          // pixels
    Alignment Align;
    std::string EditMask;  // "9999" for the Hertz column
    bool ReadOnly;
};

struct FactorGridSpec {
    FactorLayout Layout;
    std::array<FactorColumn, 3> Columns;  // "No.", then the two of the layout
};

// The layout by plain text comparison of the whole ID.
FactorLayout LayoutOfFactors(std::string_view id);
// The columns; the third column of ItemValue is titled with the item's LabelTag1.
FactorGridSpec FactorGridOf(std::string_view id, std::string_view labelTag1);

// The points item of a factors item: its ID up to and including the "_" before "FACTORS",
// then "POINTS" ("ID_AINP1_CORRECTION_FACTORS" -> "ID_AINP1_CORRECTION_POINTS").
std::string PointsIdOf(std::string_view factorsId);
// The row count as the filter compares it: "99" without a value, a leading "0" for one digit.
std::string RowCountOf(std::optional<std::string> pointsValue);
// "ID = '...'" for the points view.
std::string PointsFilter(std::string_view pointsId);
// "Menu = 'OP_MENU_FACTORS' and ID = '...' and DefaultValue <= '..'".
std::string FactorRowsFilter(std::string_view factorsId, std::string_view rowCount);

// The options header when a column is entered (FrameOptionsFactorsDBGridFactorsColEnter).
std::string FactorColumnHeader(const FactorColumn& column, std::string_view lowLimit,
                               std::string_view highLimit);
// "Range: " with the first 8 characters of each limit.
std::string RangeLine(std::string_view lowLimit, std::string_view highLimit);

}  // namespace kv::editor
