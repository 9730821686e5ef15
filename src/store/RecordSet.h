#pragma once
// Records in memory, shared by every dataset open on the same table.
#include <cstdint>
#include <string>
#include <vector>

#include "store/RecordLayout.h"
#include "store/Signal.h"

namespace kv::store {

struct RecordSet {
    RecordLayout Layout;
    std::vector<std::string> Records;  // raw records in table order
    std::vector<uint64_t> Ids;         // stable identity of each record while in memory
    uint64_t NextId = 1;
    uint64_t Version = 0;        // changes with every change of the records
    uint64_t LayoutVersion = 0;  // changes when the structure is replaced
    // Raised once a change of the records is complete, so that every dataset showing them can
    // tell its views.
    Signal<> Changed;

    void Assign(RecordLayout layout, std::vector<std::string> records) {
        Layout = std::move(layout);
        Records = std::move(records);
        Ids.resize(Records.size());
        for (auto& id : Ids) id = NextId++;
        ++Version;
        ++LayoutVersion;
    }
    uint64_t InsertAt(size_t at, std::string record, uint64_t id = 0) {
        if (id == 0) id = NextId++;
        Records.insert(Records.begin() + static_cast<long>(at), std::move(record));
        Ids.insert(Ids.begin() + static_cast<long>(at), id);
        ++Version;
        return id;
    }
    void RemoveAt(size_t at) {
        Records.erase(Records.begin() + static_cast<long>(at));
        Ids.erase(Ids.begin() + static_cast<long>(at));
        ++Version;
    }
    // Index of a record by identity; Records.size() when it is gone.
    size_t IndexOfId(uint64_t id) const {
        for (size_t i = 0; i < Ids.size(); ++i)
            if (Ids[i] == id) return i;
        return Records.size();
    }
};

}  // namespace kv::store
