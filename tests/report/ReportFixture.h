#pragma once
// A small installation made by hand through the table store: a version table, the option
// table and the two data table files, in a temporary directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "report/TFormPdf.h"
#include "support/TempDir.h"

namespace kv::report::test {

// One item of a version table; the fields the report reads, in table order.
struct TItem {
    std::string ID, Type, Item, Menu, Panel, Access, DefaultValue, LowLimit, HighLimit;
    std::string LabelTag1, LabelTag2, UnitTag1, UnitTag2;
};

struct TOption {
    std::string Type, Tag, Item;
};

// One row of a data table file: Type, Item, Sort, Data1..Data5.
using TDataRow = std::vector<std::string>;

class ReportFixture : public ::testing::Test {
  protected:
    void SetUp() override;

    std::string Path(const std::string& relative) const { return (root_ / relative).string(); }
    void WriteVersion(const std::vector<TItem>& items);
    void WriteOptions(const std::vector<TOption>& options);
    void WriteFactoryData(const std::vector<TDataRow>& rows);
    void WriteUserData(const std::vector<TDataRow>& rows);
    // The user pack table with one record, for the version "model-pack-code".
    void WriteUserPacks(const std::string& model, const std::string& pack, const std::string& code,
                        const std::string& title);
    // A report source over these files, dated 5 March 2024.
    TReportSource Source() const;
    // Runs the report into out.pdf; the result of CreateReport.
    bool Report(TFormPdf& form);
    std::string Pdf() const { return Path("bin/out.pdf"); }
    std::string Root() const { return root_.Path().string(); }

  private:
    kv::testing::TempDir root_;
};

}  // namespace kv::report::test
