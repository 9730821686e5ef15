#pragma once
// The configuration report of one version: an introduction page that doubles as an order form,
// then one block of pages per menu, the messages, the printer texts, the correction factor
// tables and the user data tables.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "base/Prompter.h"
#include "report/ReportLayout.h"
#include "report/RowValues.h"
#include "report/TWPPDFPrinter.h"
#include "store/Table.h"

namespace kv::report {

// What the report reads, with paths relative to the current directory.
struct TReportSource {
    std::string VersionLabel;  // the version name, "758-FP01-000000"
    std::string Title;         // the application's "Title"
    std::string VersionTable;  // the version's table, "..\dbs\default\758-FP01-000000.db"
    std::string OptionTable = "740-opts.db";
    std::string FactoryDataTable = "..\\dbs\\default\\740-data.db";
    std::string UserDataTable = "..\\dbs\\user\\740-data.db";
    std::string SoftwareType;  // "740-PM Software"
    std::string Revision;      // the firmware revision, "Revision: 3.0.201"
};

// "dd mmm yyyy", English month names: the footer's date.
std::string FooterDate(const std::chrono::year_month_day& date);
std::chrono::year_month_day Today();

class TFormPdf {
  public:
    // Boxes for failures while a page is drawn go to `prompter`. The document information
    // carries the creation day of the form.
    explicit TFormPdf(kv::base::Prompter& prompter, std::chrono::year_month_day created = Today());

    TReportSource Source;
    // The day the report is dated with; asked once per report.
    std::function<std::chrono::year_month_day()> ReportDay = Today;

    // Writes the whole report to FileName. False when anything failed after the tables were
    // opened (the file then holds the pages drawn so far); the document is ended and the tables
    // closed either way. A table that cannot be opened throws kv::store::StoreError.
    bool CreateReport(const std::string& FileName);

    TReportLayout Layout;
    TWPPDFPrinter PdfPrinter;

  private:
    using TRows = std::vector<std::vector<std::string>>;

    void OpenTables();
    void CloseTables();
    void BuildLookups();
    void DrawPage(const std::function<void(TCanvas&)>& body);
    void DrawIntroduction(TCanvas& canvas);
    void DrawSection(const TSectionRef& section);
    // Reads up to `count` rows of the source from its current record on.
    TRows TakeRows(kv::store::Dataset& source, const std::vector<TCell>& cells, bool versionRows,
                   int count);
    // Sets up the data templates for a user data table and filters its rows; null when there
    // is no user data file.
    kv::store::Dataset* PrepareDataTable(const std::string& type, const std::string& tableName);
    void DrawRow(TCanvas& canvas, const TListBox& box, const std::vector<std::string>& values);
    void DrawCell(TCanvas& canvas, const TCell& cell, const TRect& rect, const std::string& value);
    void AdvanceLines(TCanvas& canvas, int lines);

    kv::base::Prompter& prompter_;
    kv::store::Table Table1;  // the version's items, filtered per section
    kv::store::Table Table2;  // the option table
    kv::store::Table Table3;  // the version's variables
    kv::store::Table TableDataFactory;
    kv::store::Table TableDataUser;
    TRowLookups lookups_;
    std::string reportDate_;
    int pageNumber_ = 1;
};

}  // namespace kv::report
