#pragma once
// The catalogue query: factory and user pack records together, in order of pack and code.
#include <string>
#include <vector>

#include "catalogue/FilterBox.h"
#include "catalogue/VersionRules.h"

namespace kv::catalogue {

// The lines of the catalogue query; without the user's pack table, the factory part alone.
std::vector<std::string> CatalogueSql(bool withUserPacks = true);

// The records the record test of `filter` lists, in the query's order. Reads only: without a
// user pack table the factory records are listed. Throws StoreError when a table cannot be
// read or no longer has the catalogue's structure.
std::vector<PackRecord> ListCatalogue(const SelectionRecord& filter);

}  // namespace kv::catalogue
