#include "builder/Units.h"

#include <algorithm>
#include <cmath>

#include "builder/BuildError.h"
#include "builder/GeneratedSource.h"
#include "builder/NumberFormat.h"

namespace kv::builder {

const std::vector<UnitLine>& EngineeringUnitLines() {
    static const std::vector<UnitLine> lines = [] {
        std::vector<UnitLine> read;
        for (std::string_view line : assets::EngineeringUnits())
            read.push_back(assets::ReadUnitLine(line));
        return read;
    }();
    return lines;
}

const UnitLine& SeparatorLine() {
    static const UnitLine separator = assets::ReadUnitLine(assets::UnitSeparatorLine);
    return separator;
}

bool SameLine(const UnitLine& a, const UnitLine& b) {
    return a.Type == b.Type && a.Item == b.Item && a.Tag == b.Tag &&
           a.Coefficient == b.Coefficient && a.Description == b.Description;
}

std::string ValueConvert(const std::string& value, const std::string& coefficient,
                         const std::string& panel) {
    if (coefficient.empty()) return value;
    const auto x = ReadNumber(value);
    if (!x) return value;
    double result = *x;
    if (panel == "Parameters" || panel == "Units" || panel == "Tables") {
        if (coefficient == "GU_TEMPERATURE_DEG_K") {
            result = *x;
        } else if (coefficient == "GU_TEMPERATURE_DEG_C") {
            result = *x + 273.15;
        } else if (coefficient == "GU_TEMPERATURE_DEG_F") {
            result = (*x + 459.67) * (5.0 / 9.0);
        } else if (coefficient == "GU_TEMPERATURE_DEG_R") {
            result = *x * (5.0 / 9.0);
        } else {
            const auto c = ReadNumber(coefficient);
            if (!c || *c == 0) return value;
            result = *x / *c;
        }
    }
    if (!std::isfinite(result)) return value;
    return FormatNumber(result);
}

bool InFieldUnitsVisible(const Target& target) {
    const bool fgOrBc = target.Pack.starts_with("FG") || target.Pack.starts_with("BC");
    return !(IsModel746(target) && fgOrBc);
}

bool InFieldUnitsAllowed(const Target& target, bool inFieldUnitsPreference) {
    return !IsOriginalCard(target) && inFieldUnitsPreference && InFieldUnitsVisible(target);
}

void ListUnits::UpdateListUnits(const std::string& unitName, const std::vector<UnitLine>& units,
                                bool inFieldUnitsAllowed) {
    auto found = std::find_if(units.begin(), units.end(),
                              [&](const UnitLine& u) { return u.Item == unitName; });
    if (found == units.end())
        throw BuildError("The unit \"" + unitName + "\" is not in the engineering units list");
    if (Holds(*found)) return;
    if (!inFieldUnitsAllowed) {
        lines_.push_back(*found);
        return;
    }
    if (lines_.empty()) lines_.push_back(SeparatorLine());
    for (const UnitLine& u : units)
        if (u.Type == found->Type) lines_.push_back(u);
    lines_.push_back(SeparatorLine());
}

int ListUnits::IndexOf(const std::string& unitName) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].Item == unitName) return static_cast<int>(i);
    return -1;
}

void ListUnits::WriteUnitCoefs(GeneratedSource& source) const {
    for (const UnitLine& u : lines_) source.AddUnitCoef(u.Tag, u.Coefficient, u.Description);
}

bool ListUnits::Holds(const UnitLine& line) const {
    return std::any_of(lines_.begin(), lines_.end(),
                       [&](const UnitLine& held) { return SameLine(held, line); });
}

}  // namespace kv::builder
