#pragma once
// The values a data row of the report shows: each cell's field of the current record, and the
// rewrites that turn a version table item into what the printed form shows.
#include <string>
#include <unordered_map>
#include <vector>

#include "report/ReportLayout.h"

namespace kv::report {

// Values drawn as marks instead of text.
inline constexpr const char* NotAvailable = "Not Available";  // a cross
inline constexpr const char* Asterisk = "Asterisk";           // "*": choose from the options

// The current record of a row source, read by field name.
class TRowSource {
  public:
    virtual ~TRowSource() = default;
    // "" when the source has no such field.
    virtual std::string Value(const std::string& field) const = 0;
};

// Texts that follow an item's "DefaultValue": the option's "Tag" (`DBLookupOption`) and the
// assigned variable's "LabelTag1" (`DBLookupAssignment`). Unknown keys show "".
struct TRowLookups {
    std::unordered_map<std::string, std::string> OptionTags;
    std::unordered_map<std::string, std::string> AssignmentTags;
};

// The field each cell names, read from the row.
std::vector<std::string> CellValues(const std::vector<TCell>& cells, const TRowSource& row);
// The captions of a title or heading row.
std::vector<std::string> CellCaptions(const std::vector<TCell>& cells);

// The rewrites of an item of the version table, applied in place to its cell values.
void RewriteVersionRow(std::vector<std::string>& values, const std::vector<TCell>& cells,
                       const TRowSource& row, const TRowLookups& lookups);

}  // namespace kv::report
