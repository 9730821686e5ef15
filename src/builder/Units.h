#pragma once
// Engineering units: value conversion to base units, the programmable-units predicates and
// the selected-units list that becomes the UnitCoefs table.
#include <string>
#include <vector>

#include "assets/EngineeringUnits.h"
#include "builder/Identity.h"

namespace kv::builder {

class GeneratedSource;

// One line of the engineering-units list, read by field name.
using UnitLine = assets::UnitRow;

// The engineering-units list, read once.
const std::vector<UnitLine>& EngineeringUnitLines();

// The line "-,-,-,0.0,-" that frames unit groups.
const UnitLine& SeparatorLine();

bool SameLine(const UnitLine& a, const UnitLine& b);

// The text to write for `value` given in the unit whose coefficient is `coefficient`; `panel`
// is the current item's page, and only "Parameters", "Units" and "Tables" values are scaled.
// A value or coefficient that cannot be used gives the value text unchanged.
std::string ValueConvert(const std::string& value, const std::string& coefficient,
                         const std::string& panel);

// Whether the preferences offer programmable units for the selection.
bool InFieldUnitsVisible(const Target& target);
// Whether a build carries whole unit groups and the engineering units item.
bool InFieldUnitsAllowed(const Target& target, bool inFieldUnitsPreference);

// `ListUnits`: the units a build uses, in order of first use.
class ListUnits {
  public:
    void Clear() { lines_.clear(); }

    // Adds a chosen unit (with programmable units its whole group, framed by separators).
    // Throws BuildError when the unit is not in `units`.
    void UpdateListUnits(const std::string& unitName, const std::vector<UnitLine>& units,
                         bool inFieldUnitsAllowed);

    // Position of the first line of the unit; -1 when absent.
    int IndexOf(const std::string& unitName) const;

    const std::vector<UnitLine>& Lines() const { return lines_; }

    // One UnitCoefs entry per line, in order.
    void WriteUnitCoefs(GeneratedSource& source) const;

  private:
    bool Holds(const UnitLine& line) const;
    std::vector<UnitLine> lines_;
};

}  // namespace kv::builder
