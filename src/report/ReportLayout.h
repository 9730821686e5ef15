#pragma once
// The report window's layout as data: fonts, fixed texts, row templates, introduction lines
// and the sections of a report.
#include <string>
#include <string_view>
#include <vector>

#include "report/TCanvas.h"

namespace kv::report {

inline constexpr uint32_t clNavy = 0x000080;
inline constexpr uint32_t clTitleGreen = 0x009C66;

// A font with a list of texts: row templates and the introduction lines.
struct TListBox {
    TFont Font;
    std::vector<std::string> Items;
};

struct TPanel {
    TFont Font;
    std::string Caption;
};

// One cell of a row template, written "WWWA name": width in points, alignment "L" or "C",
// and the caption (title and heading rows) or field name (data rows).
struct TCell {
    int Width = 0;
    char Align = 'L';
    std::string Name;
};
TCell ParseCell(std::string_view item);
// "WWWC name": the form of the cells built for user data tables.
std::string CellItem(int width, const std::string& name);

// One introduction line, written "PSN text": position, style ("B" or "R"), lines to advance.
struct TIntroLine {
    int X = 0;
    bool Bold = false;
    int Advance = 0;
    std::string Text;
};
TIntroLine ParseIntroLine(std::string_view item);

struct TReportLayout {
    TPanel PanelHeader{{"Arial", 9, true, 0}, ""};
    TPanel PanelTitleDoc{{"Arial", 21, true, 0}, "Instrument Configuration Report / Order Form"};
    TPanel PanelTitleTable{{"Arial", 16, true, clTitleGreen}, ""};
    TPanel PanelFooter{{"Arial", 9, true, 0}, "Instrument Configuration Report / Order Form"};
    TListBox ListBoxIntro;

    TListBox ListBoxT1;
    TListBox ListBoxT3;
    TListBox ListBoxT4;
    TListBox ListBoxT5;
    TListBox ListBoxH1, ListBoxH2, ListBoxH3, ListBoxH4, ListBoxH5, ListBoxH6;
    TListBox ListBoxC1, ListBoxC2, ListBoxC3, ListBoxC4, ListBoxC5, ListBoxC6;

    TReportLayout();
};

// A section of the report: a name that selects its rows and a title.
struct TSectionRef {
    std::string Name;
    std::string Title;
};
// Every section, in the order of the report.
const std::vector<TSectionRef>& ReportSections();

}  // namespace kv::report
