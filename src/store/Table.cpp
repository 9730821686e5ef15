#include "store/Table.h"

#include <sys/stat.h>

#include "store/FileAccess.h"
#include "store/ParadoxFile.h"
#include "store/StoreError.h"
#include "store/TableFiles.h"

namespace kv::store {

Table::~Table() {
    Close();
}

void Table::Open() {
    if (Active()) return;
    if (tableName_.empty()) throw StoreError("", "no table name given");
    auto file = AcquireTable(tableName_);
    if (file->Keyed && !readOnly_)
        throw StoreError(tableName_,
                         "the table has a primary key and can only be opened read-only");
    file_ = file;
    try {
        Activate(file);
    } catch (...) {
        file_.reset();
        throw;
    }
}

void Table::Persist() {
    file_->Save();
}

void Table::Deactivate() {
    while (batchDepth_ > 0) {
        --batchDepth_;
        try {
            file_->EndBatch();
        } catch (...) {
            // Closing cannot report; the records fell back to what the file holds.
        }
    }
    file_.reset();
}

void Table::BeginBatch() {
    if (!Active()) Fail("Cannot perform this operation on a closed dataset");
    file_->BeginBatch();
    ++batchDepth_;
}

void Table::EndBatch() {
    if (batchDepth_ == 0) return;
    --batchDepth_;
    file_->EndBatch();
}

bool Table::Exists(std::string_view tableName) {
    struct stat st {};
    return ::stat(NativePath(tableName).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void Table::Create(std::string_view tableName, const FieldDefs& fields) {
    std::string file(tableName);
    std::string native = NativePath(tableName);
    if (TableInUse(native)) throw StoreError(file, "the table is open and cannot be replaced");
    std::string bytes;
    try {
        auto slash = native.rfind('/');
        bytes = EncodeTableFile(RecordLayout(fields), {},
                                slash == std::string::npos ? native : native.substr(slash + 1));
    } catch (const StoreError& e) {
        throw StoreError(file, e.Reason());
    }
    WriteFileAtomically(native, bytes, file);
}

void Table::DeleteTable(std::string_view tableName) {
    std::string native = NativePath(tableName);
    if (TableInUse(native))
        throw StoreError(std::string(tableName), "the table is open and cannot be deleted");
    RemoveFile(native, std::string(tableName));
}

}  // namespace kv::store
