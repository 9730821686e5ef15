#include "report/TFormPdf.h"

#include <ctime>

#include "report/DataTableColumns.h"

namespace kv::report {

namespace {

constexpr int PageWidth = 595;
constexpr int PageHeight = 842;
constexpr int LeftX = 71;
constexpr int RightX = 553;
constexpr int HeaderY = 57;
constexpr int FooterRuleY = 780;
constexpr int FooterTextY = 785;
constexpr int RowsPerPage = 39;
// Outline entries point this far above the title they belong to.
constexpr int OutlineRise = 120;
// The table grid's inner width; each shown column gets an equal share less one point.
constexpr int GridClientWidth = 480;

// How a section finds its rows and title, and which templates draw it. The first kind whose
// words all occur in the section's name applies.
struct TSectionKind {
    enum class TitleFrom { Given, FirstItem, DataTable };
    std::vector<std::string> Contains;
    std::string FilterField;
    std::string FilterPrefix;
    TitleFrom Title;
    TListBox TReportLayout::*T;  // null: no title row
    TListBox TReportLayout::*H;
    TListBox TReportLayout::*C;
    bool TagInTitleCell;  // the third title cell ends with the first row's "LabelTag1"
};

const TSectionKind& KindOf(const std::string& name) {
    using L = TReportLayout;
    using T = TSectionKind::TitleFrom;
    static const std::vector<TSectionKind> kinds = {
        {{"Tables"}, "Panel", "", T::DataTable, nullptr, &L::ListBoxH6, &L::ListBoxC6, false},
        {{"Report"}, "Panel", "", T::Given, nullptr, &L::ListBoxH4, &L::ListBoxC4, false},
        {{"Messages"}, "Panel", "", T::Given, nullptr, &L::ListBoxH2, &L::ListBoxC2, false},
        {{"FACTORS", "FINP"},
         "ID",
         "",
         T::FirstItem,
         &L::ListBoxT3,
         &L::ListBoxH3,
         &L::ListBoxC3,
         false},
        {{"FACTORS", "AINP"},
         "ID",
         "",
         T::FirstItem,
         &L::ListBoxT4,
         &L::ListBoxH3,
         &L::ListBoxC3,
         false},
        {{"FACTORS", "PARAMETER"},
         "ID",
         "",
         T::FirstItem,
         &L::ListBoxT5,
         &L::ListBoxH5,
         &L::ListBoxC5,
         true},
        {{}, "Menu", "OP_MENU_", T::Given, &L::ListBoxT1, &L::ListBoxH1, &L::ListBoxC1, false},
    };
    for (const TSectionKind& kind : kinds) {
        bool all = true;
        for (const std::string& word : kind.Contains)
            all = all && name.find(word) != std::string::npos;
        if (all) return kind;
    }
    return kinds.back();  // not reached: the last kind has no words and takes any name
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::vector<TCell> CellsOf(const TListBox& box) {
    std::vector<TCell> cells;
    cells.reserve(box.Items.size());
    for (const std::string& item : box.Items) cells.push_back(ParseCell(item));
    return cells;
}

class TDatasetRow : public TRowSource {
  public:
    explicit TDatasetRow(kv::store::Dataset& dataset) : dataset_(dataset) {}
    std::string Value(const std::string& field) const override {
        kv::store::Field* found = dataset_.FindField(field);
        return found ? found->AsString() : std::string();
    }

  private:
    kv::store::Dataset& dataset_;
};

}  // namespace

std::string FooterDate(const std::chrono::year_month_day& date) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const unsigned day = static_cast<unsigned>(date.day());
    const unsigned month = static_cast<unsigned>(date.month());
    return std::string(day < 10 ? "0" : "") + std::to_string(day) + " " +
           months[(month + 11) % 12] + " " + std::to_string(static_cast<int>(date.year()));
}

std::chrono::year_month_day Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year{local.tm_year + 1900} /
           std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)) /
           std::chrono::day(static_cast<unsigned>(local.tm_mday));
}

TFormPdf::TFormPdf(kv::base::Prompter& prompter, std::chrono::year_month_day created)
    : prompter_(prompter) {
    PdfPrinter.Info.Date = created;
}

bool TFormPdf::CreateReport(const std::string& FileName) {
    reportDate_ = FooterDate(ReportDay());
    Layout.PanelHeader.Caption = Source.VersionLabel + ":  " + Source.Title;
    struct TClose {
        TFormPdf& Form;
        ~TClose() { Form.CloseTables(); }
    } close{*this};
    OpenTables();

    try {
        BuildLookups();
        PdfPrinter.Filename = FileName;
        PdfPrinter.BeginDoc();
        pageNumber_ = 1;
        DrawPage([this](TCanvas& canvas) { DrawIntroduction(canvas); });
        for (const TSectionRef& section : ReportSections()) DrawSection(section);
        PdfPrinter.EndDoc();
        return true;
    } catch (const std::exception&) {
        try {
            PdfPrinter.EndDoc();
        } catch (const std::exception&) {
            // The run has failed already; the file is as far as it got.
        }
        return false;
    }
}

void TFormPdf::OpenTables() {
    Table1.SetTableName(Source.VersionTable);
    Table2.SetTableName(Source.OptionTable);
    Table3.SetTableName(Source.VersionTable);
    for (kv::store::Table* table : {&Table1, &Table2, &Table3}) {
        table->SetReadOnly(true);
        table->Open();
    }
}

void TFormPdf::CloseTables() {
    for (kv::store::Table* table : {&Table1, &Table2, &Table3, &TableDataFactory, &TableDataUser})
        table->Close();
}

void TFormPdf::BuildLookups() {
    lookups_ = {};
    Table2.SetFiltered(false);
    for (Table2.First(); !Table2.Eof(); Table2.Next())
        lookups_.OptionTags.emplace(Table2.FieldByName("Item").AsString(),
                                    Table2.FieldByName("Tag").AsString());
    Table3.SetFilter("Menu = 'OP_MENU_VARIABLES'");
    Table3.SetFiltered(true);
    for (Table3.First(); !Table3.Eof(); Table3.Next())
        lookups_.AssignmentTags.emplace(Table3.FieldByName("ID").AsString(),
                                        Table3.FieldByName("LabelTag1").AsString());
}

void TFormPdf::AdvanceLines(TCanvas& canvas, int lines) {
    canvas.MoveTo(LeftX, canvas.PenPos.Y + lines * canvas.LineHeight());
}

void TFormPdf::DrawPage(const std::function<void(TCanvas&)>& body) {
    PdfPrinter.StartPage(PageWidth, PageHeight);
    TCanvas& canvas = PdfPrinter.Canvas();
    try {
        canvas.PenWidth = 2;
        canvas.Font = Layout.PanelHeader.Font;
        canvas.TextOut(LeftX, HeaderY, Layout.PanelHeader.Caption);
        const std::string revision = Source.SoftwareType + " " + Source.Revision;
        canvas.TextOut(RightX - canvas.TextWidth(revision), HeaderY, revision);
        AdvanceLines(canvas, 1);
        canvas.LineTo(RightX, canvas.PenPos.Y);
        AdvanceLines(canvas, 2);
        body(canvas);
    } catch (const std::exception& e) {
        prompter_.Information(e.what());
    }
    canvas.PenWidth = 2;
    canvas.MoveTo(LeftX, FooterRuleY);
    canvas.LineTo(RightX, FooterRuleY);
    canvas.Font = Layout.PanelFooter.Font;
    canvas.TextOut(LeftX, FooterTextY, Layout.PanelFooter.Caption);
    canvas.TextOut(canvas.PenPos.X, FooterTextY, "  (" + reportDate_ + ")");
    const std::string page = "Page " + std::to_string(pageNumber_);
    canvas.TextOut(RightX - canvas.TextWidth(page), FooterTextY, page);
    ++pageNumber_;
    PdfPrinter.EndPage();
}

void TFormPdf::DrawIntroduction(TCanvas& canvas) {
    canvas.Font = Layout.PanelTitleDoc.Font;
    const int top = canvas.PenPos.Y;
    canvas.TextOut(LeftX, top, Layout.PanelTitleDoc.Caption);
    PdfPrinter.AddOutline(Layout.PanelTitleDoc.Caption, top - OutlineRise);
    AdvanceLines(canvas, 2);
    for (const std::string& item : Layout.ListBoxIntro.Items) {
        const TIntroLine line = ParseIntroLine(item);
        canvas.Font = Layout.ListBoxIntro.Font;
        canvas.Font.Bold = line.Bold;
        canvas.TextOut(line.X, canvas.PenPos.Y, line.Text);
        if (line.Advance > 0) AdvanceLines(canvas, line.Advance);
    }
}

void TFormPdf::DrawSection(const TSectionRef& section) {
    const TSectionKind& kind = KindOf(section.Name);
    const std::string filter =
        kind.FilterField + " = " + Quoted(kind.FilterPrefix + section.Name + "*");
    Table1.SetFilter(filter);
    Table1.SetFiltered(true);
    Table1.First();

    std::string title = section.Title;
    if (kind.Title == TSectionKind::TitleFrom::FirstItem)
        title = Table1.Eof() ? std::string() : Table1.FieldByName("Item").AsString();
    if (kind.TagInTitleCell && Layout.ListBoxT5.Items.size() > 2) {
        std::string& cell = Layout.ListBoxT5.Items[2];
        cell = cell.substr(0, 5) +
               (Table1.Eof() ? std::string() : Table1.FieldByName("LabelTag1").AsString());
    }
    std::string dataType, dataName;
    if (kind.Title == TSectionKind::TitleFrom::DataTable) {
        const int n = std::stoi(section.Title);
        if (Table1.RecordCount() <= n) return;
        Table1.SetRecNo(n + 1);
        dataType = Table1.FieldByName("Type").AsString();
        dataName = Table1.FieldByName("DefaultValue").AsString();
        title = Table1.FieldByName("Item").AsString() + " (" + dataName + ")";
    }
    Table1.SetFilter(filter + " and Panel <> " + Quoted("Factors"));

    kv::store::Dataset* source = &Table1;
    if (kind.Title == TSectionKind::TitleFrom::DataTable) {
        source = PrepareDataTable(dataType, dataName);
        if (!source) return;
    }
    const TListBox* titleRow = kind.T ? &(Layout.*kind.T) : nullptr;
    const TListBox& headingRow = Layout.*kind.H;
    const TListBox& dataRow = Layout.*kind.C;
    const std::vector<TCell> dataCells = CellsOf(dataRow);
    const bool versionRows = source == &Table1;

    source->First();
    bool firstPage = true;
    while (!source->Eof()) {
        // The page's rows are read before it is drawn, so a page that fails to draw still
        // moves the section on.
        const TRows rows = TakeRows(*source, dataCells, versionRows, RowsPerPage);
        DrawPage([&](TCanvas& canvas) {
            Layout.PanelTitleTable.Caption = title;
            canvas.Font = Layout.PanelTitleTable.Font;
            const int top = canvas.PenPos.Y;
            canvas.TextOut(LeftX, top, title);
            if (firstPage) PdfPrinter.AddOutline(title, top - OutlineRise);
            AdvanceLines(canvas, 2);
            if (titleRow) DrawRow(canvas, *titleRow, CellCaptions(CellsOf(*titleRow)));
            DrawRow(canvas, headingRow, CellCaptions(CellsOf(headingRow)));
            for (const auto& values : rows) DrawRow(canvas, dataRow, values);
        });
        firstPage = false;
    }
}

TFormPdf::TRows TFormPdf::TakeRows(kv::store::Dataset& source, const std::vector<TCell>& cells,
                                   bool versionRows, int count) {
    TRows rows;
    const TDatasetRow row(source);
    for (int i = 0; i < count && !source.Eof(); ++i, source.Next()) {
        rows.push_back(CellValues(cells, row));
        if (versionRows) RewriteVersionRow(rows.back(), cells, row, lookups_);
    }
    return rows;
}

kv::store::Dataset* TFormPdf::PrepareDataTable(const std::string& type,
                                               const std::string& tableName) {
    // Without a user data file there is no user table to list.
    if (!kv::store::Table::Exists(Source.UserDataTable)) return nullptr;
    TableDataFactory.SetTableName(Source.FactoryDataTable);
    TableDataFactory.SetReadOnly(true);
    TableDataFactory.Open();
    TableDataUser.SetTableName(Source.UserDataTable);
    TableDataUser.SetReadOnly(true);
    TableDataUser.Open();

    const std::vector<TDataColumn> columns =
        DataTableColumns(type, tableName, TableDataFactory, &TableDataUser, Table2);
    Layout.ListBoxH6.Items.clear();
    Layout.ListBoxC6.Items.clear();
    if (!columns.empty()) {
        const int width = GridClientWidth / static_cast<int>(columns.size()) - 1;
        for (const TDataColumn& column : columns) {
            Layout.ListBoxH6.Items.push_back(CellItem(width, column.Title));
            Layout.ListBoxC6.Items.push_back(
                CellItem(width, "Data" + std::to_string(column.Number)));
        }
    }
    TableDataUser.SetFilter("Sort = " + Quoted("DATA") + " and Type = " + Quoted(type) +
                            " and Item = " + Quoted(tableName));
    TableDataUser.SetFiltered(true);
    return &TableDataUser;
}

void TFormPdf::DrawRow(TCanvas& canvas, const TListBox& box,
                       const std::vector<std::string>& values) {
    canvas.Font = box.Font;
    const int height = canvas.LineHeight() + 5;
    const int top = canvas.PenPos.Y;
    int left = LeftX;
    const std::vector<TCell> cells = CellsOf(box);
    for (size_t i = 0; i < cells.size(); ++i) {
        const TRect rect{left, top, left + cells[i].Width, top + height};
        canvas.Rectangle(rect);
        DrawCell(canvas, cells[i], rect, i < values.size() ? values[i] : std::string());
        left = rect.Right;
        canvas.MoveTo(left, top);
    }
    canvas.MoveTo(LeftX, top + height);
}

void TFormPdf::DrawCell(TCanvas& canvas, const TCell& cell, const TRect& rect,
                        const std::string& value) {
    if (value == NotAvailable) {
        const int middle = rect.Left + cell.Width / 2;
        canvas.MoveTo(middle - 5, rect.Top + 5);
        canvas.LineTo(middle + 5, rect.Bottom - 5);
        canvas.MoveTo(middle + 5, rect.Top + 5);
        canvas.LineTo(middle - 5, rect.Bottom - 5);
    } else if (value == Asterisk) {
        const TFont font = canvas.Font;
        canvas.Font.Size += 2;
        canvas.TextOut(rect.Right - 7, rect.Top + 2, "*");
        canvas.Font = font;
    } else {
        const int x = cell.Align == 'C' ? rect.Left + (cell.Width - canvas.TextWidth(value)) / 2
                                        : rect.Left + 5;
        canvas.TextRect(rect, x, rect.Top + 5, value);
    }
}

}  // namespace kv::report
