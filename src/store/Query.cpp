#include "store/Query.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <unordered_set>

#include "store/Cp1252.h"
#include "store/StoreError.h"
#include "store/TableFiles.h"

namespace kv::store {
namespace {

struct Select {
    std::string File;
    std::string WhereField;  // empty: no WHERE
    std::string Param;
};

struct Statement {
    std::vector<Select> Selects;
    std::vector<std::string> OrderBy;
};

class Parser {
  public:
    Parser(std::string_view text, std::string name) : text_(text), name_(std::move(name)) {}

    Statement Run() {
        Statement s;
        s.Selects.push_back(ParseSelect());
        while (Keyword("UNION")) s.Selects.push_back(ParseSelect());
        if (Keyword("ORDER")) {
            Expect("BY");
            do s.OrderBy.push_back(Word("field name"));
            while (Symbol(','));
        }
        SkipBlanks();
        if (pos_ < text_.size())
            Fail("unexpected text at '" + std::string(text_.substr(pos_, 20)) + "'");
        return s;
    }

  private:
    Select ParseSelect() {
        Select s;
        Expect("SELECT");
        if (!Symbol('*')) Fail("only SELECT * is supported");
        Expect("FROM");
        s.File = FileName();
        if (Keyword("WHERE")) {
            s.WhereField = Word("field name");
            if (!Symbol('=')) Fail("= expected after " + s.WhereField);
            if (!Symbol(':')) Fail("a parameter (:Name) expected");
            s.Param = Word("parameter name");
        }
        return s;
    }

    void SkipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }

    bool Symbol(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::string Word(const char* what) {
        SkipBlanks();
        size_t start = pos_;
        while (pos_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
            ++pos_;
        if (start == pos_) Fail(std::string(what) + " expected");
        return std::string(text_.substr(start, pos_ - start));
    }

    bool Keyword(const char* keyword) {
        SkipBlanks();
        size_t save = pos_;
        size_t start = pos_;
        while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        std::string word(text_.substr(start, pos_ - start));
        std::transform(word.begin(), word.end(), word.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        if (word == keyword) return true;
        pos_ = save;
        return false;
    }

    void Expect(const char* keyword) {
        if (!Keyword(keyword)) Fail(std::string(keyword) + " expected");
    }

    std::string FileName() {
        SkipBlanks();
        if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '"')) {
            size_t end = text_.find(text_[pos_], pos_ + 1);
            if (end == std::string_view::npos) Fail("unterminated file name");
            std::string name(text_.substr(pos_ + 1, end - pos_ - 1));
            pos_ = end + 1;
            return name;
        }
        size_t start = pos_;
        while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
        if (start == pos_) Fail("file name expected");
        return std::string(text_.substr(start, pos_ - start));
    }

    [[noreturn]] void Fail(const std::string& reason) const {
        throw StoreError(name_, "query: " + reason);
    }

    std::string_view text_;
    std::string name_;
    size_t pos_ = 0;
};

// Each select's records, laid out like the result.
std::vector<std::string> Widen(const RecordLayout& from, const RecordLayout& to,
                               std::vector<std::string> records) {
    if (from.RecordSize() == to.RecordSize()) return records;
    for (auto& r : records) {
        std::string wide = to.BlankRecord();
        for (int f = 0; f < from.Count(); ++f)
            std::memcpy(&wide[to.Offset(f)], &r[from.Offset(f)], ByteSize(from.Fields()[f]));
        r = std::move(wide);
    }
    return records;
}

}  // namespace

Query::~Query() {
    Close();
}

void Query::SetSQL(std::vector<std::string> lines) {
    Close();
    sql_ = std::move(lines);
}

void Query::SetParam(const std::string& name, std::string value) {
    params_[FoldCase(name)] = std::move(value);
}

void Query::SetDataSource(Dataset* source) {
    sourceChanged_ = {};
    sourceGone_ = {};
    source_ = source;
    if (!source_) return;
    sourceChanged_ = source_->OnDataChange.Connect([this](Dataset&, Field* field) {
        if (field || !Active()) return;
        Close();
        Open();
    });
    sourceGone_ = source_->OnDestroy.Connect([this](Dataset&) {
        source_ = nullptr;
        sourceChanged_ = {};
    });
}

std::string Query::Name() const {
    std::string text;
    for (const auto& line : sql_) {
        std::string_view l = line;
        while (!l.empty() && std::isspace(static_cast<unsigned char>(l.back()))) l.remove_suffix(1);
        text += (text.empty() ? "" : " ") + std::string(l);
    }
    return text;
}

void Query::Open() {
    if (Active()) return;
    std::string joined;
    for (const auto& line : sql_) joined += line + "\n";
    Statement statement = Parser(joined, Name()).Run();

    RecordLayout result;
    std::vector<std::string> records;
    std::vector<std::pair<RecordLayout, std::vector<std::string>>> parts;
    for (const Select& select : statement.Selects) {
        auto table = AcquireTable(select.File);
        const RecordLayout& layout = table->Layout;
        std::optional<std::string> value;
        int where = -1;
        if (!select.WhereField.empty()) {
            where = layout.IndexOf(select.WhereField);
            if (where < 0)
                throw StoreError(select.File, "Field '" + select.WhereField + "' not found");
            Field* field = source_ && source_->Active() && !source_->IsEmpty()
                               ? source_->FindField(select.Param)
                               : nullptr;
            auto given = params_.find(FoldCase(select.Param));
            if (field)
                value = field->AsString();
            else if (given != params_.end())
                value = given->second;
        }
        std::vector<std::string> kept;
        for (const auto& r : table->Records) {
            if (where >= 0) {
                auto* raw = reinterpret_cast<const unsigned char*>(r.data()) + layout.Offset(where);
                if (!value || DecodeField(layout.Fields()[where], raw) != *value) continue;
            }
            kept.push_back(r);
        }
        parts.emplace_back(layout, std::move(kept));
    }

    // UNION needs the same types in the same order; alphanumeric fields take the widest size.
    FieldDefs fields = parts.front().first.Fields();
    for (size_t p = 1; p < parts.size(); ++p) {
        const FieldDefs& other = parts[p].first.Fields();
        bool same = other.size() == fields.size();
        for (size_t f = 0; same && f < fields.size(); ++f) same = other[f].Type == fields[f].Type;
        if (!same)
            throw StoreError(
                statement.Selects[p].File,
                "the structure does not match '" + statement.Selects.front().File + "' for UNION");
        for (size_t f = 0; f < fields.size(); ++f)
            fields[f].Size = std::max(fields[f].Size, other[f].Size);
    }
    result = RecordLayout(fields);
    for (auto& [layout, kept] : parts)
        for (auto& r : Widen(layout, result, std::move(kept))) records.push_back(std::move(r));
    if (parts.size() > 1) {
        std::unordered_set<std::string> seen;
        std::erase_if(records, [&](const std::string& r) { return !seen.insert(r).second; });
    }

    // Stored values compare in value order byte by byte, blanks first.
    std::vector<int> order;
    for (const auto& name : statement.OrderBy) {
        int index = result.IndexOf(name);
        if (index < 0) throw StoreError(Name(), "ORDER BY: field '" + name + "' not found");
        order.push_back(index);
    }
    if (!order.empty()) {
        std::stable_sort(records.begin(), records.end(),
                         [&](const std::string& a, const std::string& b) {
                             for (int f : order) {
                                 int c = std::memcmp(&a[result.Offset(f)], &b[result.Offset(f)],
                                                     ByteSize(result.Fields()[f]));
                                 if (c != 0) return c < 0;
                             }
                             return false;
                         });
    }

    auto set = std::make_shared<RecordSet>();
    set->Assign(std::move(result), std::move(records));
    Activate(std::move(set));
}

}  // namespace kv::store
