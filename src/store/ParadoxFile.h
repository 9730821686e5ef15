#pragma once
// The Paradox 7 table file: header, field descriptors and a chain of data blocks.
#include <string>
#include <string_view>
#include <vector>

#include "store/RecordLayout.h"

namespace kv::store {

struct TableContents {
    RecordLayout Layout;
    std::vector<std::string> Records;  // raw records, in the order of the block chain
    bool Keyed = false;                // the table has a primary key (and an index we do not keep)
};

// Checks everything the header claims against the bytes; a damaged file gives a StoreError
// naming `file` and the fault.
TableContents DecodeTableFile(std::string_view bytes, const std::string& file);

// A complete file: fresh header, records packed into blocks in order.
std::string EncodeTableFile(const RecordLayout& layout, const std::vector<std::string>& records,
                            std::string_view tableName);

}  // namespace kv::store
