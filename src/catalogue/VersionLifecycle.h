#pragma once
// Custom versions come and go: the rules for a new code, making a version from another one,
// changing its catalogue record and deleting it. The dialog and the command line both use them.
#include <chrono>
#include <string>

#include "catalogue/VersionRules.h"
#include "store/Dataset.h"

namespace kv::catalogue {

inline constexpr size_t CodeLength = 6;
// The version description the dialog takes (the field holds 255).
inline constexpr size_t CustomDescriptionLength = 230;

// The message that refuses `version` as a new custom version, or "" when it may be made: a code
// shorter than six characters; "000000"; a version whose table or user catalogue record exists.
std::string NewVersionRefusal(const VersionName& version);

// A date as the table store writes it, "yyyy-mm-dd".
std::string DateText(const std::chrono::year_month_day& day);

// Puts the values into the current record of a pack table dataset, which must be in edit or
// insert state (fields by name; ReadPackRecord reads them back).
void WritePackRecord(store::Dataset& record, const PackRecord& values);

// Makes the custom version `record` names (Model, Pack, Code): its record in the user pack
// table and, as its item table, a byte-for-byte copy of `itemTable`. The copy is made under a
// temporary name first, the record appended, then the copy renamed into place; a failure at any
// step undoes the earlier ones, so that either the whole version exists or nothing of it.
// Throws StoreError or std::filesystem::filesystem_error.
void CreateVersion(const PackRecord& record, const std::string& itemTable);

// Copies every field of `record` into the user pack table's record of the same version; the
// item table is not touched. False when the user pack table holds no such record.
bool UpdateVersionRecord(const PackRecord& record);

// Deletion, in two steps so that the catalogue can let go of the table in between: the record
// first (false when there is none), then the table file.
bool DeleteVersionRecord(const VersionName& version);
void DeleteVersionTable(const VersionName& version);

}  // namespace kv::catalogue
