#include "report/TCanvas.h"

#include <cairo.h>

#include <cmath>
#include <stdexcept>

namespace kv::report {

namespace {

// The Windows fonts of the layout and their metric-compatible stand-ins.
std::string FamilyOf(const std::string& name) {
    if (name == "Arial") return "Liberation Sans";
    if (name == "Times New Roman") return "Liberation Serif";
    return name;
}

}  // namespace

TCanvas::~TCanvas() {
    for (auto& [key, face] : faces_) cairo_font_face_destroy(face);
}

void TCanvas::Attach(cairo_t* cr) {
    cr_ = cr;
    Font = TFont();
    PenWidth = 1;
    PenPos = {};
}

void TCanvas::Detach() {
    cr_ = nullptr;
}

void TCanvas::ApplyFont() {
    if (!cr_) throw std::logic_error("Drawing outside a page");
    auto key = std::make_pair(Font.Name, Font.Bold);
    auto found = faces_.find(key);
    if (found == faces_.end()) {
        cairo_font_face_t* face = cairo_toy_font_face_create(
            FamilyOf(Font.Name).c_str(), CAIRO_FONT_SLANT_NORMAL,
            Font.Bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        found = faces_.emplace(key, face).first;
    }
    cairo_set_font_face(cr_, found->second);
    cairo_set_font_size(cr_, Font.Size);
    cairo_set_source_rgb(cr_, ((Font.Color >> 16) & 0xFF) / 255.0,
                         ((Font.Color >> 8) & 0xFF) / 255.0, (Font.Color & 0xFF) / 255.0);
}

int TCanvas::Ascent() {
    ApplyFont();
    cairo_font_extents_t extents;
    cairo_font_extents(cr_, &extents);
    return static_cast<int>(std::lround(extents.ascent));
}

int TCanvas::LineHeight() {
    ApplyFont();
    cairo_font_extents_t extents;
    cairo_font_extents(cr_, &extents);
    return static_cast<int>(std::lround(extents.ascent) + std::lround(extents.descent));
}

int TCanvas::TextWidth(std::string_view text) {
    ApplyFont();
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, std::string(text).c_str(), &extents);
    return static_cast<int>(std::lround(extents.x_advance));
}

void TCanvas::ShowText(int x, int y, std::string_view text) {
    const int ascent = Ascent();  // also applies the font
    cairo_move_to(cr_, x, y + ascent);
    cairo_show_text(cr_, std::string(text).c_str());
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    ShowText(x, y, text);
    PenPos = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& clip, int x, int y, std::string_view text) {
    if (!cr_) throw std::logic_error("Drawing outside a page");
    cairo_save(cr_);
    cairo_rectangle(cr_, clip.Left, clip.Top, clip.Right - clip.Left, clip.Bottom - clip.Top);
    cairo_clip(cr_);
    ShowText(x, y, text);
    cairo_restore(cr_);
}

void TCanvas::LineTo(int x, int y) {
    if (!cr_) throw std::logic_error("Drawing outside a page");
    cairo_set_source_rgb(cr_, 0, 0, 0);
    cairo_set_line_width(cr_, PenWidth);
    cairo_move_to(cr_, PenPos.X, PenPos.Y);
    cairo_line_to(cr_, x, y);
    cairo_stroke(cr_);
    PenPos = {x, y};
}

void TCanvas::Rectangle(const TRect& rect) {
    if (!cr_) throw std::logic_error("Drawing outside a page");
    cairo_set_source_rgb(cr_, 0, 0, 0);
    cairo_set_line_width(cr_, PenWidth);
    cairo_rectangle(cr_, rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    cairo_stroke(cr_);
}

}  // namespace kv::report
