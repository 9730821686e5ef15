#pragma once
// Read-only results of the query forms the manager uses, given as lines of text:
//   SELECT * FROM 'file' [WHERE Field = :Param]
//   [UNION SELECT * FROM 'file' [WHERE Field = :Param]]
//   [ORDER BY Field [, Field]]
// UNION drops duplicate records and needs the same field types in the same order. A
// parameter takes the same-named field of the data source's current record (or a value set
// with SetParam); with no value nothing matches.
#include <map>
#include <string>
#include <vector>

#include "store/Dataset.h"

namespace kv::store {

class Query : public Dataset {
  public:
    Query() = default;
    ~Query() override;

    // Closes the query; the lines are joined with line breaks.
    void SetSQL(std::vector<std::string> lines);
    const std::vector<std::string>& SQL() const { return sql_; }
    void SetParam(const std::string& name, std::string value);
    // Runs the query again whenever the source's current record changes; null unbinds.
    void SetDataSource(Dataset* source);
    Dataset* DataSource() const { return source_; }

    void Open() override;
    bool CanModify() const override { return false; }
    std::string Name() const override;

  private:
    std::vector<std::string> sql_;
    std::map<std::string, std::string> params_;
    Dataset* source_ = nullptr;
    ScopedConnection sourceChanged_;
    ScopedConnection sourceGone_;
};

}  // namespace kv::store
