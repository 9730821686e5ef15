#pragma once
// Where each field lies in a stored record.
#include <string>
#include <string_view>
#include <vector>

#include "store/FieldDef.h"

namespace kv::store {

class RecordLayout {
  public:
    RecordLayout() = default;
    // Throws StoreError (without a file) for a structure a Paradox 7 table cannot hold.
    explicit RecordLayout(FieldDefs fields);

    const FieldDefs& Fields() const { return fields_; }
    int Count() const { return static_cast<int>(fields_.size()); }
    int Offset(int field) const { return offsets_[field]; }
    int RecordSize() const { return recordSize_; }
    // Index of a field by name, ignoring case; -1 when there is none.
    int IndexOf(std::string_view name) const;
    std::string BlankRecord() const { return std::string(recordSize_, '\0'); }

  private:
    FieldDefs fields_;
    std::vector<std::string> foldedNames_;
    std::vector<int> offsets_;
    int recordSize_ = 0;
};

}  // namespace kv::store
