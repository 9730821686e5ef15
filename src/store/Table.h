#pragma once
// A dataset over one table file, named by a path relative to the current directory.
#include <memory>
#include <string>
#include <string_view>

#include "store/Dataset.h"

namespace kv::store {

struct TableFile;

class Table : public Dataset {
  public:
    Table() = default;
    explicit Table(std::string tableName) : tableName_(std::move(tableName)) {}
    ~Table() override;

    // Takes effect at the next Open.
    void SetTableName(std::string tableName) { tableName_ = std::move(tableName); }
    const std::string& TableName() const { return tableName_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool ReadOnly() const { return readOnly_; }

    // Reads the file (or joins the copy other datasets have open). A missing, damaged or
    // keyed file (when not read-only) gives a StoreError and the dataset stays closed.
    void Open() override;
    bool CanModify() const override { return Active() && !readOnly_; }
    std::string Name() const override { return tableName_; }
    bool Exists() const { return Exists(tableName_); }

    // Writes a new empty table with these fields in this order, replacing any file of that
    // name. Refused while a dataset has the table open.
    void CreateTable(const FieldDefs& fields) const { Create(tableName_, fields); }
    void DeleteTable() const { DeleteTable(tableName_); }

    static bool Exists(std::string_view tableName);
    static void Create(std::string_view tableName, const FieldDefs& fields);
    static void DeleteTable(std::string_view tableName);

    // Between BeginBatch and EndBatch posts only change memory; EndBatch writes the file
    // once (atomically, as always). If that write fails the records fall back to the file's.
    void BeginBatch();
    void EndBatch();

  protected:
    void Persist() override;
    void Deactivate() override;

  private:
    std::string tableName_;
    bool readOnly_ = false;
    int batchDepth_ = 0;
    std::shared_ptr<TableFile> file_;
};

// Ends the batch of a table when the scope is left.
class Batch {
  public:
    explicit Batch(Table& table) : table_(table) { table_.BeginBatch(); }
    ~Batch() noexcept(false) {
        if (std::uncaught_exceptions() > exceptions_) {
            try {
                table_.EndBatch();
            } catch (...) {
            }
        } else {
            table_.EndBatch();
        }
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

  private:
    Table& table_;
    int exceptions_ = std::uncaught_exceptions();
};

}  // namespace kv::store
