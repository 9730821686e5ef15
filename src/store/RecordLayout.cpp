#include "store/RecordLayout.h"

#include "store/Cp1252.h"
#include "store/StoreError.h"

namespace kv::store {
namespace {

constexpr int MaxFields = 255;
constexpr int MaxNameLength = 25;
constexpr int MaxAlphaSize = 255;
// The largest block holds 32 KiB less its six-byte head; one record must fit.
constexpr int MaxRecordSize = 32 * 1024 - 6;

}  // namespace

RecordLayout::RecordLayout(FieldDefs fields) : fields_(std::move(fields)) {
    if (fields_.empty()) throw StoreError("", "a table needs at least one field");
    if (static_cast<int>(fields_.size()) > MaxFields)
        throw StoreError("", "a table holds at most 255 fields");
    for (size_t i = 0; i < fields_.size(); ++i) {
        const FieldDef& f = fields_[i];
        auto encoded = Utf8ToCp1252(f.Name);
        if (f.Name.empty() || !encoded || encoded->find('\0') != std::string::npos)
            throw StoreError("", "field " + std::to_string(i + 1) + " has no valid name");
        if (static_cast<int>(encoded->size()) > MaxNameLength)
            throw StoreError("", "field name '" + f.Name + "' is too long (at most 25 characters)");
        if (IndexOf(f.Name) != -1)
            throw StoreError("", "field name '" + f.Name + "' is used twice");
        if (f.Type == FieldType::Alpha && (f.Size < 1 || f.Size > MaxAlphaSize))
            throw StoreError("", "field '" + f.Name + "' needs a size from 1 to 255");
        foldedNames_.push_back(FoldCase(f.Name));
        offsets_.push_back(recordSize_);
        recordSize_ += ByteSize(f);
    }
    if (recordSize_ > MaxRecordSize)
        throw StoreError("", "records of " + std::to_string(recordSize_) + " bytes are too long");
}

int RecordLayout::IndexOf(std::string_view name) const {
    std::string folded = FoldCase(name);
    // foldedNames_ grows with the fields checked so far, so the constructor can use this too.
    for (size_t i = 0; i < foldedNames_.size(); ++i)
        if (foldedNames_[i] == folded) return static_cast<int>(i);
    return -1;
}

}  // namespace kv::store
