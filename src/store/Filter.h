#pragma once
// The filter language of datasets: conditions `Field = 'text'`, `Field <> 'text'` and
// `Field <= 'text'` joined by AND (or "and"). A constant ending in "*" makes = and <> test
// whether the value begins with the text before the "*". Comparisons are case-sensitive
// comparisons of the texts.
#include <string>
#include <string_view>
#include <vector>

#include "store/RecordLayout.h"

namespace kv::store {

class FilterExpression {
  public:
    // An empty or blank text keeps every record. Throws StoreError (without a file) on bad syntax.
    static FilterExpression Parse(std::string_view text);

    bool Empty() const { return conditions_.empty(); }
    // Field numbers of the conditions; throws StoreError (without a file) for an unknown field.
    std::vector<int> Bind(const RecordLayout& layout) const;
    bool Matches(const RecordLayout& layout, const std::vector<int>& bound,
                 const unsigned char* record) const;

  private:
    enum class Op { Equal, NotEqual, LessOrEqual };
    struct Condition {
        std::string Field;
        Op Operator = Op::Equal;
        std::string Constant;
        bool Prefix = false;  // the constant ended in "*"
    };
    std::vector<Condition> conditions_;
};

}  // namespace kv::store
