#include "report/TWPPDFPrinter.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>

#include "report/OpenSettings.h"

namespace kv::report {

namespace {

constexpr size_t MaxOutlineTitle = 255;

// At most `max` bytes of UTF-8 text, never splitting a character.
std::string CutUtf8(const std::string& text, size_t max) {
    if (text.size() <= max) return text;
    size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

std::string IsoDate(const std::chrono::year_month_day& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT00:00:00", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

}  // namespace

TWPPDFPrinter::~TWPPDFPrinter() {
    Release();
}

void TWPPDFPrinter::Release() {
    canvas_.Detach();
    inPage_ = false;
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
    cr_ = nullptr;
    surface_ = nullptr;
}

void TWPPDFPrinter::CheckStatus() const {
    cairo_status_t status = cr_ ? cairo_status(cr_) : CAIRO_STATUS_SUCCESS;
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface_);
    if (status != CAIRO_STATUS_SUCCESS)
        throw EPdfError(std::string("PDF output failed: ") + cairo_status_to_string(status));
}

void TWPPDFPrinter::BeginDoc() {
    if (InDocument()) EndDoc();
    if (Filename.empty()) throw EPdfError(pdfmsg::NoFilename);
    surface_ = cairo_pdf_surface_create(Filename.c_str(), 595, 842);
    if (cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS) cr_ = cairo_create(surface_);
    if (!cr_ || cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        Release();
        throw EPdfError(pdfmsg::InitFailed);
    }
    const std::string date = IsoDate(Info.Date);
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, Info.Title.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_AUTHOR, Info.Author.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_SUBJECT, Info.Subject.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_KEYWORDS, Info.Keywords.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATE_DATE, date.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_MOD_DATE, date.c_str());
    pageCount_ = 0;
}

void TWPPDFPrinter::StartPage(int width, int height) {
    if (!InDocument()) throw EPdfError(pdfmsg::NotInDocument);
    if (inPage_) EndPage();
    cairo_pdf_surface_set_size(surface_, width, height);
    cairo_save(cr_);
    canvas_.Attach(cr_);
    inPage_ = true;
    ++pageCount_;
}

void TWPPDFPrinter::AddOutline(const std::string& title, int y) {
    if (!inPage_) throw EPdfError(pdfmsg::NotInDocument);
    // Positions above the page top would send readers off the page.
    const std::string target =
        "page=" + std::to_string(pageCount_) + " pos=[0 " + std::to_string(std::max(0, y)) + "]";
    cairo_pdf_surface_add_outline(surface_, CAIRO_PDF_OUTLINE_ROOT,
                                  CutUtf8(title, MaxOutlineTitle).c_str(), target.c_str(),
                                  static_cast<cairo_pdf_outline_flags_t>(0));
}

void TWPPDFPrinter::EndPage() {
    if (!inPage_) return;
    canvas_.Detach();
    inPage_ = false;
    cairo_restore(cr_);
    cairo_show_page(cr_);
    CheckStatus();
}

void TWPPDFPrinter::EndDoc() {
    if (!InDocument()) return;
    try {
        EndPage();
        cairo_destroy(cr_);
        cr_ = nullptr;
        cairo_surface_finish(surface_);
        CheckStatus();
    } catch (...) {
        Release();
        throw;
    }
    Release();
    SetOpenSettings(Filename);
}

}  // namespace kv::report
