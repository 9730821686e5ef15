#pragma once
// The PDF binding: pages drawn on a canvas become a PDF file with document information and
// outline entries. Operations in the order a document needs them: Filename, BeginDoc, then per
// page StartPage, drawing on Canvas, AddOutline, EndPage, and finally EndDoc.
#include <chrono>
#include <stdexcept>
#include <string>

#include "report/TCanvas.h"

struct _cairo_surface;

namespace kv::report {

// The binding's failures; the report catches every one of them.
class EPdfError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

namespace pdfmsg {
inline constexpr const char* NotInDocument =
    "StartPage is only allowed within StartDoc and EndDoc!";
inline constexpr const char* NoFilename = "No filename or memory stream was specified!";
inline constexpr const char* InitFailed = "Initialization of PDF Engine failed";
}  // namespace pdfmsg

struct TWPPDFExportInfo {
    std::string Author = "Morvane";
    std::string Title = "Instrument Configuration Report / Order Form";
    std::string Subject;
    std::string Keywords;
    // Creation and modification date of the document (the day only).
    std::chrono::year_month_day Date{};
};

class TWPPDFPrinter {
  public:
    TWPPDFPrinter() = default;
    ~TWPPDFPrinter();
    TWPPDFPrinter(const TWPPDFPrinter&) = delete;
    TWPPDFPrinter& operator=(const TWPPDFPrinter&) = delete;

    std::string Filename;
    TWPPDFExportInfo Info;

    // Creates the file and starts the document; a document still open is ended first.
    void BeginDoc();
    // A page of width by height points.
    void StartPage(int width, int height);
    // The canvas of the current page; drawing on it outside a page throws.
    TCanvas& Canvas() { return canvas_; }
    // One entry of the document outline pointing at height y of the current page.
    void AddOutline(const std::string& title, int y);
    // Does nothing outside a page.
    void EndPage();
    // Writes the rest of the file and closes it; does nothing outside a document.
    void EndDoc();

  private:
    bool InDocument() const { return surface_ != nullptr; }
    void CheckStatus() const;
    void Release();

    _cairo_surface* surface_ = nullptr;
    _cairo* cr_ = nullptr;
    TCanvas canvas_;
    bool inPage_ = false;
    int pageCount_ = 0;
};

}  // namespace kv::report
