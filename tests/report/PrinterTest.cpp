#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>

#include "PdfTools.h"
#include "report/TWPPDFPrinter.h"
#include "support/TempDir.h"

namespace kv::report {
namespace {

std::string FailureOf(const std::function<void(TWPPDFPrinter&)>& steps) {
    TWPPDFPrinter printer;
    try {
        steps(printer);
    } catch (const EPdfError& e) {
        return e.what();
    }
    return "";
}

TEST(Printer, FailuresCarryTheEngineTexts) {
    const kv::testing::TempDir dir;
    const std::string pdf = dir / "failures.pdf";
    struct Case {
        const char* Name;
        std::function<void(TWPPDFPrinter&)> Steps;
        std::string Expected;
    } cases[] = {
        {"page before the document", [](TWPPDFPrinter& p) { p.StartPage(595, 842); },
         pdfmsg::NotInDocument},
        {"no file name", [](TWPPDFPrinter& p) { p.BeginDoc(); }, pdfmsg::NoFilename},
        {"file cannot be created",
         [](TWPPDFPrinter& p) {
             p.Filename = "/nonexistent-dir/report.pdf";
             p.BeginDoc();
         },
         pdfmsg::InitFailed},
        {"page after a failed start",
         [](TWPPDFPrinter& p) {
             p.Filename = "/nonexistent-dir/report.pdf";
             EXPECT_THROW(p.BeginDoc(), EPdfError);
             p.StartPage(595, 842);
         },
         pdfmsg::NotInDocument},
        {"page after the end",
         [&pdf](TWPPDFPrinter& p) {
             p.Filename = pdf;
             p.BeginDoc();
             p.EndDoc();
             p.StartPage(595, 842);
         },
         pdfmsg::NotInDocument},
        {"ending outside a document does nothing",
         [](TWPPDFPrinter& p) {
             p.EndPage();
             p.EndDoc();
         },
         ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FailureOf(c.Steps), c.Expected) << c.Name;
}

TEST(Printer, DrawingOutsideAPageIsRefused) {
    TWPPDFPrinter printer;
    EXPECT_THROW(printer.Canvas().TextOut(71, 57, "x"), std::logic_error);
    EXPECT_THROW(printer.Canvas().LineTo(553, 57), std::logic_error);
}

// Read back with pdfinfo and qpdf.
TEST(PrinterInterop, DocumentInformationPagesAndOutline) {
    const kv::testing::TempDir dir;
    const std::string pdf = dir / "outline.pdf";
    TWPPDFPrinter printer;
    printer.Filename = pdf;
    printer.Info.Date = std::chrono::year{2023} / 11 / 30;
    printer.BeginDoc();
    const std::string longTitle =
        std::string(254, 'a') + "\xC3\xA4";  // 256 bytes, the last character two
    for (const std::string& title :
         {std::string("First"), std::string("Zweite \xC3\x9C"), longTitle}) {
        printer.StartPage(595, 842);
        printer.Canvas().Font = {"Arial", 16, true, 0x009C66};
        printer.Canvas().TextOut(71, 87, title.substr(0, 20));
        printer.AddOutline(title, 87 - 120);
        printer.EndPage();
    }
    printer.EndDoc();

    EXPECT_EQ(test::InfoField(pdf, "Pages"), "3");
    EXPECT_EQ(test::InfoField(pdf, "Title"), "Instrument Configuration Report / Order Form");
    EXPECT_EQ(test::InfoField(pdf, "Author"), "Morvane");
    EXPECT_NE(test::InfoField(pdf, "CreationDate").find("Nov 30"), std::string::npos);
    EXPECT_NE(test::InfoField(pdf, "ModDate").find("2023"), std::string::npos);
    EXPECT_EQ(test::InfoField(pdf, "Page size"), "595 x 842 pts (A4)");
    int status = -1;
    test::RunTool("qpdf --check '" + pdf + "' >/dev/null 2>&1", &status);
    EXPECT_EQ(status, 0);

    const auto outline = test::Outline(pdf);
    ASSERT_EQ(outline.size(), 3u);
    EXPECT_EQ(outline[0].Title, "First");
    EXPECT_EQ(outline[0].Page, 1);
    EXPECT_EQ(outline[1].Title, "Zweite \xC3\x9C");
    EXPECT_EQ(outline[2].Title,
              std::string(254, 'a'));  // cut to 255 bytes without splitting the last character
    EXPECT_EQ(outline[2].Page, 3);

    // Opened with the outline shown and the first page fitted to the width; no temporary left.
    const std::string catalog = test::RunTool("qpdf --json --json-key=qpdf '" + pdf + "' 2>&1");
    EXPECT_TRUE(std::regex_search(catalog, std::regex(R"("/PageMode": "/UseOutlines")")))
        << catalog;
    EXPECT_TRUE(std::regex_search(
        catalog, std::regex(R"("/OpenAction": \[\s*"[0-9]+ 0 R",\s*"/FitH",\s*null\s*\])")))
        << catalog;
    EXPECT_FALSE(std::filesystem::exists(pdf + ".open.tmp"));
}

}  // namespace
}  // namespace kv::report
