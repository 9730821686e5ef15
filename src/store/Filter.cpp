#include "store/Filter.h"

#include <cctype>

#include "store/StoreError.h"

namespace kv::store {
namespace {

class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool AtEnd() {
        SkipBlanks();
        return pos_ >= text_.size();
    }

    std::string Name() {
        SkipBlanks();
        size_t start = pos_;
        if (pos_ < text_.size() && (text_[pos_] == '"' || text_[pos_] == '[')) {
            char close = text_[pos_] == '"' ? '"' : ']';
            size_t end = text_.find(close, pos_ + 1);
            if (end == std::string_view::npos) Fail("unterminated field name");
            pos_ = end + 1;
            return std::string(text_.substr(start + 1, end - start - 1));
        }
        while (pos_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
            ++pos_;
        if (start == pos_) Fail("field name expected");
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string Operator() {
        SkipBlanks();
        for (std::string_view op : {"<>", "<=", "="}) {
            if (text_.substr(pos_, op.size()) == op) {
                pos_ += op.size();
                return std::string(op);
            }
        }
        Fail("operator =, <> or <= expected");
    }

    std::string Constant() {
        SkipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != '\'') Fail("quoted constant expected");
        std::string value;
        for (++pos_; pos_ < text_.size(); ++pos_) {
            if (text_[pos_] != '\'') {
                value += text_[pos_];
            } else if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                value += '\'';
                ++pos_;
            } else {
                ++pos_;
                return value;
            }
        }
        Fail("unterminated constant");
    }

    void And() {
        SkipBlanks();
        std::string_view word = text_.substr(pos_, 3);
        bool isAnd = word.size() == 3 && std::tolower(static_cast<unsigned char>(word[0])) == 'a' &&
                     std::tolower(static_cast<unsigned char>(word[1])) == 'n' &&
                     std::tolower(static_cast<unsigned char>(word[2])) == 'd';
        if (!isAnd ||
            (pos_ + 3 < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_ + 3]))))
            Fail("AND expected");
        pos_ += 3;
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw StoreError("", "filter \"" + std::string(text_) + "\": " + what + " at position " +
                                 std::to_string(pos_ + 1));
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

FilterExpression FilterExpression::Parse(std::string_view text) {
    FilterExpression out;
    Scanner s(text);
    if (s.AtEnd()) return out;
    for (;;) {
        Condition c;
        c.Field = s.Name();
        std::string op = s.Operator();
        c.Operator = op == "=" ? Op::Equal : op == "<>" ? Op::NotEqual : Op::LessOrEqual;
        c.Constant = s.Constant();
        if (c.Operator != Op::LessOrEqual && !c.Constant.empty() && c.Constant.back() == '*') {
            c.Constant.pop_back();
            c.Prefix = true;
        }
        out.conditions_.push_back(std::move(c));
        if (s.AtEnd()) return out;
        s.And();
    }
}

std::vector<int> FilterExpression::Bind(const RecordLayout& layout) const {
    std::vector<int> bound;
    for (const auto& c : conditions_) {
        int index = layout.IndexOf(c.Field);
        if (index < 0) throw StoreError("", "filter: field '" + c.Field + "' not found");
        bound.push_back(index);
    }
    return bound;
}

bool FilterExpression::Matches(const RecordLayout& layout, const std::vector<int>& bound,
                               const unsigned char* record) const {
    for (size_t i = 0; i < conditions_.size(); ++i) {
        const Condition& c = conditions_[i];
        int field = bound[i];
        std::string value = DecodeField(layout.Fields()[field], record + layout.Offset(field));
        bool equal = c.Prefix ? value.starts_with(c.Constant) : value == c.Constant;
        bool pass = c.Operator == Op::Equal      ? equal
                    : c.Operator == Op::NotEqual ? !equal
                                                 : value <= c.Constant;
        if (!pass) return false;
    }
    return true;
}

}  // namespace kv::store
