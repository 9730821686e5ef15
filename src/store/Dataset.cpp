#include "store/Dataset.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <optional>

#include "store/Cp1252.h"
#include "store/StoreError.h"

namespace kv::store {
namespace {

uint64_t HashRecord(const std::string& record) {
    uint64_t h = 1469598103934665603ULL;  // FNV-1a
    for (unsigned char c : record) h = (h ^ c) * 1099511628211ULL;
    return h;
}

const unsigned char* Bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

// Resets a member when the scope ends, also by an exception.
template <typename T>
class Restore {
  public:
    Restore(T& target, T value) : target_(target), old_(std::exchange(target, value)) {}
    ~Restore() { target_ = old_; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

  private:
    T& target_;
    T old_;
};

}  // namespace

std::string Field::AsString() const {
    return dataset_->ReadField(index_);
}

void Field::SetAsString(std::string_view text) {
    dataset_->WriteField(*this, text);
}

Dataset::Dataset() = default;

Dataset::~Dataset() {
    OnDestroy(*this);
}

void Dataset::Fail(const std::string& reason) const {
    throw StoreError(Name(), reason);
}

void Dataset::Activate(std::shared_ptr<RecordSet> set) {
    for (const FieldDef& want : required_) {
        int index = set->Layout.IndexOf(want.Name);
        const FieldDef* have = index < 0 ? nullptr : &set->Layout.Fields()[index];
        if (!have) Fail("the structure does not match: field '" + want.Name + "' is missing");
        if (have->Type != want.Type || have->Size != want.Size)
            Fail("the structure does not match: field '" + want.Name + "' is " +
                 TypeName(have->Type) +
                 (have->Size ? " " + std::to_string(have->Size) : std::string()) + ", expected " +
                 TypeName(want.Type) +
                 (want.Size ? " " + std::to_string(want.Size) : std::string()));
    }
    set_ = std::move(set);
    layoutVersion_ = set_->LayoutVersion;
    RebuildFields();
    if (filtered_ && !filter_.Empty()) {
        try {
            filter_.Bind(set_->Layout);
        } catch (const StoreError& e) {
            set_.reset();
            Fail(e.Reason());
        }
    }
    state_ = DatasetState::Browse;
    modified_ = false;
    currentId_ = 0;
    pos_ = 0;
    try {
        RebuildView();
    } catch (...) {
        state_ = DatasetState::Inactive;
        set_.reset();
        throw;
    }
    MoveTo(0);
    bof_ = true;
    eof_ = view_.empty();
    setChanged_ = set_->Changed.Connect([this] { AnnounceView(false); });
    AnnounceView(true);
    Scrolled();
}

void Dataset::Close() {
    if (!Active()) return;
    Deactivate();
    setChanged_ = {};
    state_ = DatasetState::Inactive;
    set_.reset();
    view_.clear();
    buffer_.clear();
    modified_ = false;
    currentId_ = 0;
    pos_ = 0;
    eof_ = bof_ = true;
    AnnounceView(true);
}

void Dataset::RebuildFields() {
    auto old = std::move(fields_);
    fields_.clear();
    const FieldDefs& defs = set_->Layout.Fields();
    for (size_t i = 0; i < defs.size(); ++i) {
        auto same = std::find_if(old.begin(), old.end(), [&](const auto& f) {
            return f && FoldCase(f->FieldName()) == FoldCase(defs[i].Name);
        });
        if (same != old.end()) {
            fields_.push_back(std::move(*same));
            fields_.back()->index_ = static_cast<int>(i);
            fields_.back()->def_ = defs[i];
        } else {
            fields_.push_back(
                std::unique_ptr<Field>(new Field(*this, static_cast<int>(i), defs[i])));
        }
    }
}

void Dataset::Sync() const {
    if (!set_ || probe_) return;
    if (set_->LayoutVersion != layoutVersion_) {
        // The file was replaced by one of another structure: a pending edit no longer fits.
        auto* self = const_cast<Dataset*>(this);
        self->layoutVersion_ = set_->LayoutVersion;
        if (state_ == DatasetState::Edit || state_ == DatasetState::Insert)
            self->state_ = DatasetState::Browse;
        self->RebuildFields();
    }
    if (set_->Version != viewVersion_) RebuildView();
}

void Dataset::RebuildView() const {
    const RecordSet& s = *set_;
    std::vector<int> bound;
    bool useFilter = filtered_ && !filter_.Empty();
    if (useFilter) bound = filter_.Bind(s.Layout);
    bool useTest = filtered_ && recordTest_;
    viewVersion_ = s.Version;
    view_.clear();
    for (size_t i = 0; i < s.Records.size(); ++i) {
        const unsigned char* raw = Bytes(s.Records[i]);
        if (useFilter && !filter_.Matches(s.Layout, bound, raw)) continue;
        if (useTest) {
            Restore<const unsigned char*> probe(probe_, raw);
            if (!recordTest_(const_cast<Dataset&>(*this))) continue;
        }
        view_.push_back(i);
    }
    // The cursor stays on its record when that record is still shown; look near the old
    // place and at the end (appends) before searching the whole view.
    int n = static_cast<int>(view_.size());
    auto shows = [&](int k) { return k >= 0 && k < n && s.Ids[view_[k]] == currentId_; };
    int found = -1;
    for (int k : {pos_, pos_ + 1, pos_ - 1, n - 1})
        if (found < 0 && shows(k)) found = k;
    for (int k = 0; found < 0 && k < n; ++k)
        if (shows(k)) found = k;
    if (found >= 0) {
        pos_ = found;
    } else {
        pos_ = std::clamp(pos_, 0, std::max(0, static_cast<int>(view_.size()) - 1));
        eof_ = bof_ = view_.empty();
    }
    currentId_ = view_.empty() ? 0 : s.Ids[view_[pos_]];
}

const unsigned char* Dataset::CurrentRecord() const {
    if (probe_) return probe_;
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert) return Bytes(buffer_);
    if (!set_) return nullptr;
    Sync();
    if (view_.empty()) return nullptr;
    return Bytes(set_->Records[view_[pos_]]);
}

std::string Dataset::ReadField(int index) const {
    if (!set_) return {};
    const RecordLayout& layout = set_->Layout;
    if (index >= layout.Count()) return {};
    if (validating_ == index) return DecodeField(layout.Fields()[index], Bytes(pending_));
    const unsigned char* raw = CurrentRecord();
    return raw ? DecodeField(layout.Fields()[index], raw + layout.Offset(index)) : std::string();
}

void Dataset::WriteField(Field& field, std::string_view text) {
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert)
        Fail("Dataset not in edit or insert mode");
    const RecordLayout& layout = set_->Layout;
    int index = field.Index();
    const FieldDef& def = layout.Fields()[index];
    std::string encoded(static_cast<size_t>(ByteSize(def)), '\0');
    try {
        EncodeField(def, text, reinterpret_cast<unsigned char*>(encoded.data()));
    } catch (const StoreError& e) {
        Fail(e.Reason());
    }
    if (field.OnValidate) {
        Restore<std::string> pending(pending_, encoded);
        Restore<int> validating(validating_, index);
        field.OnValidate(field);
    }
    std::memcpy(buffer_.data() + layout.Offset(index), encoded.data(), encoded.size());
    modified_ = true;
    OnDataChange(*this, &field);
}

Field& Dataset::Fields(int index) {
    if (index < 0 || index >= FieldCount())
        Fail("field number " + std::to_string(index) + " out of range");
    return *fields_[index];
}

Field* Dataset::FindField(std::string_view name) {
    for (auto& f : fields_)  // callers mostly spell names as the table does
        if (f->FieldName() == name) return f.get();
    std::string folded = FoldCase(name);
    for (auto& f : fields_)
        if (FoldCase(f->FieldName()) == folded) return f.get();
    return nullptr;
}

Field& Dataset::FieldByName(std::string_view name) {
    Field* f = FindField(name);
    if (!f) Fail("Field '" + std::string(name) + "' not found");
    return *f;
}

FieldDefs Dataset::GetFieldDefs() const {
    FieldDefs defs;
    for (const auto& f : fields_) defs.push_back(f->def_);
    return defs;
}

void Dataset::MoveTo(int pos) {
    pos_ = std::clamp(pos, 0, std::max(0, static_cast<int>(view_.size()) - 1));
    currentId_ = view_.empty() ? 0 : set_->Ids[view_[pos_]];
}

void Dataset::Scrolled() {
    AfterScroll(*this);
    OnDataChange(*this, nullptr);
}

void Dataset::AnnounceView(bool opened) {
    if (OnViewChange.Empty()) {
        announced_ = false;  // nobody to compare for; the next listener starts afresh
        return;
    }
    Sync();
    std::vector<uint64_t> ids;
    ids.reserve(view_.size());
    for (size_t i : view_) ids.push_back(set_->Ids[i]);
    const uint64_t version = set_ ? set_->Version : 0;
    std::optional<ViewChange> change;
    if (opened || !announced_ || ids != announcedIds_)
        change = ViewChange::Rows;
    else if (version != announcedVersion_)
        change = ViewChange::Values;
    announcedIds_ = std::move(ids);
    announcedVersion_ = version;
    announced_ = true;
    if (change) OnViewChange(*this, *change);
}

void Dataset::CheckBrowseMode() {
    if (!Active()) Fail("Cannot perform this operation on a closed dataset");
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert) {
        OnUpdateRecord(*this);
        if (modified_)
            Post();
        else
            Cancel();
    }
    Sync();
}

void Dataset::First() {
    CheckBrowseMode();
    MoveTo(0);
    bof_ = true;
    eof_ = view_.empty();
    Scrolled();
}

void Dataset::Next() {
    CheckBrowseMode();
    if (pos_ + 1 < static_cast<int>(view_.size())) {
        MoveTo(pos_ + 1);
        bof_ = eof_ = false;
        Scrolled();
    } else {
        eof_ = true;
    }
}

void Dataset::Prior() {
    CheckBrowseMode();
    if (pos_ > 0) {
        MoveTo(pos_ - 1);
        bof_ = eof_ = false;
        Scrolled();
    } else {
        bof_ = true;
    }
}

void Dataset::Last() {
    CheckBrowseMode();
    MoveTo(static_cast<int>(view_.size()) - 1);
    eof_ = true;
    bof_ = view_.empty();
    Scrolled();
}

bool Dataset::Eof() const {
    Sync();
    return eof_ || view_.empty();
}

bool Dataset::Bof() const {
    Sync();
    return bof_ || view_.empty();
}

int Dataset::RecordCount() const {
    Sync();
    return static_cast<int>(view_.size());
}

int Dataset::RecNo() const {
    Sync();
    return view_.empty() ? 0 : pos_ + 1;
}

void Dataset::SetRecNo(int recNo) {
    CheckBrowseMode();
    if (view_.empty()) return;
    MoveTo(recNo - 1);
    bof_ = eof_ = false;
    Scrolled();
}

std::string Dataset::ValueAt(int row, int field) const {
    Sync();
    if (!set_ || row < 0 || row >= static_cast<int>(view_.size()) || field < 0 ||
        field >= set_->Layout.Count())
        Fail("no value at row " + std::to_string(row) + ", field " + std::to_string(field));
    const RecordLayout& layout = set_->Layout;
    return DecodeField(layout.Fields()[field],
                       Bytes(set_->Records[view_[row]]) + layout.Offset(field));
}

std::string Dataset::GetBookmark() const {
    Sync();
    if (!set_ || view_.empty()) return {};
    size_t at = view_[pos_];
    uint64_t hash = HashRecord(set_->Records[at]);
    int occurrence = 0;
    for (size_t i = 0; i < at; ++i)
        if (HashRecord(set_->Records[i]) == hash) ++occurrence;
    char text[48];
    std::snprintf(text, sizeof text, "%016" PRIx64 ":%d", hash, occurrence);
    return text;
}

bool Dataset::GotoBookmark(std::string_view bookmark) {
    CheckBrowseMode();
    uint64_t hash = 0;
    int occurrence = 0;
    std::string text(bookmark);
    if (std::sscanf(text.c_str(), "%16" SCNx64 ":%d", &hash, &occurrence) != 2) return false;
    for (size_t i = 0; i < set_->Records.size(); ++i) {
        if (HashRecord(set_->Records[i]) != hash || occurrence-- > 0) continue;
        auto shown = std::lower_bound(view_.begin(), view_.end(), i);
        if (shown == view_.end() || *shown != i) return false;
        MoveTo(static_cast<int>(shown - view_.begin()));
        bof_ = eof_ = false;
        Scrolled();
        return true;
    }
    return false;
}

bool Dataset::Locate(std::string_view fieldNames, const std::vector<std::string>& values) {
    CheckBrowseMode();
    std::vector<int> fields;
    for (size_t start = 0; start <= fieldNames.size();) {
        size_t end = std::min(fieldNames.find(';', start), fieldNames.size());
        std::string_view name = fieldNames.substr(start, end - start);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        fields.push_back(FieldByName(name).Index());
        start = end + 1;
    }
    if (fields.size() != values.size())
        Fail("locate on " + std::to_string(fields.size()) + " fields with " +
             std::to_string(values.size()) + " values");
    std::vector<std::string> wanted;
    for (const auto& v : values) wanted.push_back(FoldCase(v));
    const RecordLayout& layout = set_->Layout;
    for (size_t k = 0; k < view_.size(); ++k) {
        const unsigned char* raw = Bytes(set_->Records[view_[k]]);
        bool all = true;
        for (size_t f = 0; f < fields.size() && all; ++f)
            all = FoldCase(DecodeField(layout.Fields()[fields[f]],
                                       raw + layout.Offset(fields[f]))) == wanted[f];
        if (all) {
            MoveTo(static_cast<int>(k));
            bof_ = eof_ = false;
            Scrolled();
            return true;
        }
    }
    return false;
}

void Dataset::SetFilter(std::string_view text) {
    FilterExpression parsed;
    try {
        parsed = FilterExpression::Parse(text);
        if (set_ && filtered_) parsed.Bind(set_->Layout);
    } catch (const StoreError& e) {
        Fail(e.Reason());
    }
    filterText_ = text;
    filter_ = std::move(parsed);
    if (Active() && filtered_) Refresh();
}

void Dataset::SetFiltered(bool on) {
    if (on && set_ && !filter_.Empty()) {
        try {
            filter_.Bind(set_->Layout);
        } catch (const StoreError& e) {
            Fail(e.Reason());
        }
    }
    filtered_ = on;
    if (Active()) Refresh();
}

void Dataset::SetOnFilterRecord(std::function<bool(Dataset&)> test) {
    recordTest_ = std::move(test);
    if (Active() && filtered_) Refresh();
}

void Dataset::Refresh() {
    CheckBrowseMode();
    RebuildView();
    MoveTo(0);
    bof_ = true;
    eof_ = view_.empty();
    AnnounceView(false);
    Scrolled();
}

void Dataset::RequireModifiable(const char* operation) const {
    if (!Active()) Fail(std::string("Cannot ") + operation + " a closed dataset");
    if (!CanModify()) Fail("Cannot modify a read-only dataset");
}

void Dataset::Edit() {
    RequireModifiable("edit");
    if (state_ != DatasetState::Browse) return;
    Sync();
    if (view_.empty()) return;  // nothing to edit; a later Post does nothing
    buffer_ = set_->Records[view_[pos_]];
    editId_ = currentId_;
    modified_ = false;
    state_ = DatasetState::Edit;
}

bool Dataset::Insert() {
    RequireModifiable("insert into");
    CheckBrowseMode();
    return StartInsert(view_.empty() ? 0 : currentId_);
}

bool Dataset::Append() {
    RequireModifiable("append to");
    CheckBrowseMode();
    return StartInsert(0);
}

bool Dataset::StartInsert(uint64_t beforeId) {
    try {
        BeforeInsert(*this);
    } catch (const Abort&) {
        return false;
    }
    buffer_ = set_->Layout.BlankRecord();
    insertBeforeId_ = beforeId;
    modified_ = false;
    state_ = DatasetState::Insert;
    try {
        AfterInsert(*this);
    } catch (const Abort&) {
        Cancel();
        return false;
    }
    OnDataChange(*this, nullptr);
    return true;
}

void Dataset::Post() {
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert) return;
    OnUpdateRecord(*this);
    RecordSet& s = *set_;
    uint64_t id = 0;
    if (state_ == DatasetState::Edit) {
        size_t at = s.IndexOfId(editId_);
        if (at == s.Records.size()) {
            Cancel();
            Fail("the record was deleted meanwhile");
        }
        // The posting rule posts on every change of page: an unchanged record costs no write.
        if (s.Records[at] != buffer_) {
            std::string old = std::exchange(s.Records[at], buffer_);
            ++s.Version;
            try {
                Persist();
            } catch (...) {
                s.Records[at] = std::move(old);
                ++s.Version;
                throw;
            }
        }
        id = editId_;
    } else {
        size_t at = insertBeforeId_ ? s.IndexOfId(insertBeforeId_) : s.Records.size();
        id = s.InsertAt(at, buffer_);
        try {
            Persist();
        } catch (...) {
            s.RemoveAt(s.IndexOfId(id));
            throw;
        }
    }
    state_ = DatasetState::Browse;
    modified_ = false;
    buffer_.clear();
    currentId_ = id;
    RebuildView();
    bof_ = eof_ = view_.empty();
    s.Changed();
    OnDataChange(*this, nullptr);
}

void Dataset::Cancel() {
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert) return;
    state_ = DatasetState::Browse;
    buffer_.clear();
    modified_ = false;
    OnDataChange(*this, nullptr);
}

bool Dataset::Delete() {
    RequireModifiable("delete from");
    if (state_ == DatasetState::Insert) {
        Cancel();
        return true;
    }
    Sync();
    if (view_.empty()) Fail("Cannot delete from an empty dataset");
    try {
        BeforeDelete(*this);
    } catch (const Abort&) {
        return false;
    }
    if (state_ == DatasetState::Edit) Cancel();
    Sync();
    if (view_.empty()) return false;
    RecordSet& s = *set_;
    size_t at = view_[pos_];
    uint64_t id = s.Ids[at];
    std::string old = s.Records[at];
    s.RemoveAt(at);
    try {
        Persist();
    } catch (...) {
        s.InsertAt(at, std::move(old), id);
        throw;
    }
    currentId_ = 0;
    RebuildView();
    bof_ = eof_ = view_.empty();
    MoveTo(pos_);
    s.Changed();
    Scrolled();
    return true;
}

void Dataset::AppendRecord(const std::vector<std::string>& values) {
    if (static_cast<int>(values.size()) > FieldCount() && Active())
        Fail(std::to_string(values.size()) + " values for " + std::to_string(FieldCount()) +
             " fields");
    if (!Append()) return;
    try {
        for (size_t i = 0; i < values.size(); ++i)
            Fields(static_cast<int>(i)).SetAsString(values[i]);
        Post();
    } catch (...) {
        Cancel();
        throw;
    }
}

void Dataset::CopyFields(const Dataset& source) {
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert)
        Fail("Dataset not in edit or insert mode");
    int n = std::min(FieldCount(), source.FieldCount());
    for (int i = 0; i < n; ++i) Fields(i).SetAsString(source.ReadField(i));
}

}  // namespace kv::store
