#pragma once
// A cursor over the records of a table or a query result, with the filter, the record test,
// locate, bookmarks, editing and the events the manager's windows hang their rules on.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/FieldDef.h"
#include "store/Filter.h"
#include "store/RecordSet.h"
#include "store/Signal.h"

namespace kv::store {

class Dataset;

class Field {
  public:
    const std::string& FieldName() const { return def_.Name; }
    FieldType DataType() const { return def_.Type; }
    int Size() const { return def_.Size; }  // characters of an alphanumeric field, 0 for the others
    int Index() const { return index_; }
    Dataset& DataSet() const { return *dataset_; }

    // The current record's value as text ("" when blank or when there is no record). Inside
    // OnValidate it is the value being put.
    std::string AsString() const;
    bool IsNull() const { return AsString().empty(); }
    // Needs the dataset in edit or insert state. Runs OnValidate first: an exception thrown
    // there refuses the value and reaches the caller. A text that does not fit or cannot be
    // encoded is refused with a StoreError.
    void SetAsString(std::string_view text);

    // Kept while the dataset is closed and opened again on a structure with this field.
    std::function<void(Field&)> OnValidate;
    std::string EditMask;

  private:
    friend class Dataset;
    Field(Dataset& dataset, int index, FieldDef def)
        : dataset_(&dataset), index_(index), def_(std::move(def)) {}
    Dataset* dataset_;
    int index_;
    FieldDef def_;
};

enum class DatasetState { Inactive, Browse, Edit, Insert };

// What a view over a dataset must show again. Rows: other records or another order (also after
// open and close); Values: the same records in the same order, some of whose values may differ.
enum class ViewChange { Values, Rows };

class Dataset {
  public:
    Dataset();
    virtual ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    // Opening an open dataset does nothing; closing drops a pending edit.
    virtual void Open() = 0;
    void Close();
    bool Active() const { return state_ != DatasetState::Inactive; }
    DatasetState State() const { return state_; }
    virtual bool CanModify() const = 0;
    // The table path or query text errors are reported with.
    virtual std::string Name() const = 0;

    // Fields of the open dataset.
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    Field& Fields(int index);
    Field& FieldByName(std::string_view name);  // throws StoreError when there is no such field
    Field* FindField(std::string_view name);
    FieldDefs GetFieldDefs() const;
    // Fields the program was written for: Open fails with a StoreError when the file lacks
    // one of them or holds it with another type or size, as with a table of an older release.
    void SetRequiredFields(FieldDefs fields) { required_ = std::move(fields); }

    // Cursor over the records that pass the filter. Eof is true after Next on the last
    // record, after Last, and on an empty dataset; Bof after First and Prior on the first.
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const;
    bool Bof() const;
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecordCount() const;
    int RecNo() const;  // 1-based; 0 when empty
    void SetRecNo(int recNo);
    // A row's value without moving the cursor (for grids); row 0 is the first.
    std::string ValueAt(int row, int field) const;

    // Bookmarks name a record by its content, so they stay valid when the dataset is closed
    // and opened again. GotoBookmark is false (and the cursor stays) when the record is gone
    // or filtered out.
    std::string GetBookmark() const;
    bool GotoBookmark(std::string_view bookmark);
    // First record whose fields (names separated by ";") equal the values, ignoring case,
    // whole values only. False, with the cursor unmoved, when none does.
    bool Locate(std::string_view fieldNames, const std::vector<std::string>& values);

    // Filtering applies the filter text and the record test together, while Filtered is on.
    void SetFilter(std::string_view text);  // throws StoreError on bad syntax
    const std::string& Filter() const { return filterText_; }
    void SetFiltered(bool on);
    bool Filtered() const { return filtered_; }
    // The test reads the candidate record through the dataset's fields.
    void SetOnFilterRecord(std::function<bool(Dataset&)> test);
    // Applies the filter and the record test again and goes to the first record.
    void Refresh();

    // Editing. Insert and Append start a blank record (before the current one, or at the
    // end); Post writes it. Edit and Post do nothing on an empty dataset. Insert, Append and Delete
    // return false when a handler of the Before event threw Abort. Moving the cursor posts a
    // modified record first.
    void Edit();
    bool Insert();
    bool Append();
    void Post();
    void Cancel();
    bool Delete();
    bool Modified() const { return modified_; }
    // Append, then values by position (missing ones stay blank), then Post.
    void AppendRecord(const std::vector<std::string>& values);
    // Copies all values of the source's current record to the same positions of this one,
    // which must be in edit or insert state.
    void CopyFields(const Dataset& source);

    Signal<Dataset&> BeforeInsert;
    Signal<Dataset&> AfterInsert;
    Signal<Dataset&> BeforeDelete;
    Signal<Dataset&> AfterScroll;
    // The current record changed (field is null) or one of its fields did.
    Signal<Dataset&, Field*> OnDataChange;
    Signal<Dataset&> OnDestroy;
    // A record in edit or insert state is about to be posted or left: controls bound to its
    // fields write what they hold. A handler throwing refuses the post and reaches the caller.
    Signal<Dataset&> OnUpdateRecord;
    // The records the cursor goes over changed: after open, close, refresh and filtering, and
    // after a post or delete by this or any other dataset of the same table. Raised before the
    // current-record events of the same operation, once the dataset is consistent again.
    Signal<Dataset&, ViewChange> OnViewChange;

  protected:
    // Shows the records of `set` and goes to the first one.
    void Activate(std::shared_ptr<RecordSet> set);
    // Writes the records after a change; the change is undone when this throws.
    virtual void Persist() {}
    // Called by Close before the records are let go.
    virtual void Deactivate() {}
    [[noreturn]] void Fail(const std::string& reason) const;
    const RecordSet* Records() const { return set_.get(); }

  private:
    friend class Field;

    std::string ReadField(int index) const;
    void WriteField(Field& field, std::string_view text);
    const unsigned char* CurrentRecord() const;
    void Sync() const;
    void RebuildFields();
    void RebuildView() const;
    void MoveTo(int pos);
    void CheckBrowseMode();
    void RequireModifiable(const char* operation) const;
    bool StartInsert(uint64_t beforeId);
    void Scrolled();
    void AnnounceView(bool opened);

    std::shared_ptr<RecordSet> set_;
    std::vector<std::unique_ptr<Field>> fields_;
    DatasetState state_ = DatasetState::Inactive;

    // The view: indices of the records that pass the filter, and the cursor in it.
    mutable std::vector<size_t> view_;
    mutable uint64_t viewVersion_ = 0;
    mutable uint64_t currentId_ = 0;
    mutable int pos_ = 0;
    mutable bool eof_ = true;
    mutable bool bof_ = true;
    mutable const unsigned char* probe_ = nullptr;  // the candidate while the record test runs
    uint64_t layoutVersion_ = 0;

    FieldDefs required_;
    std::string filterText_;
    FilterExpression filter_;
    bool filtered_ = false;
    std::function<bool(Dataset&)> recordTest_;

    // The view as OnViewChange last told it (valid only while someone listens).
    std::vector<uint64_t> announcedIds_;
    uint64_t announcedVersion_ = 0;
    bool announced_ = false;
    ScopedConnection setChanged_;

    // Editing.
    std::string buffer_;
    uint64_t editId_ = 0;          // record being edited
    uint64_t insertBeforeId_ = 0;  // 0: append
    bool modified_ = false;
    int validating_ = -1;  // field whose OnValidate runs
    std::string pending_;  // the value being validated, encoded
};

}  // namespace kv::store
