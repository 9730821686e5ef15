#pragma once
// The translation of a version table into the entries of the generated source.
#include <functional>
#include <vector>

#include "builder/Identity.h"
#include "builder/Lookups.h"
#include "builder/Units.h"

namespace kv::store {
class Table;
}

namespace kv::builder {

class GeneratedSource;

// The download preferences besides the hardware choice (which lives in the Target).
struct Preferences {
    bool InFieldUnits = true;  // "Programmable Units of Measurement"
    bool ClearTotals = true;   // "Clear Totals on Downloading"
    bool ClearLogs = true;     // "Clear Logs/Tags on Downloading"
};

struct TranslationInputs {
    const OptionRows& Options;           // rows of "740-opts.db"
    const DataTables& Data;              // both "740-data.db"
    const std::vector<UnitLine>& Units;  // the engineering-units list
};

// Visits every record of the open version table in table order (its filter is switched off
// meanwhile and restored after), writes the normalised values back when the table can be
// modified, fills `source` and `units`, closes InfoItems and writes UnitCoefs. `progress`
// gets each record's ordinal (from 0) once that record is done, and the number of records. Throws
// BuildError when a chosen unit is not in the units list; nothing is saved then.
void Translate(store::Table& version, const Target& target, const Preferences& preferences,
               const TranslationInputs& inputs, GeneratedSource& source, ListUnits& units,
               const std::function<void(int position, int records)>& progress = {});

}  // namespace kv::builder
