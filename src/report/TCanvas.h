#pragma once
// The drawing surface of one report page: integer coordinates in points from the page's top
// left, a pen that text and lines move, and fonts named as the layout names them.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

struct _cairo;
struct _cairo_font_face;

namespace kv::report {

struct TFont {
    std::string Name = "Arial";
    int Size = 9;  // points
    bool Bold = false;
    uint32_t Color = 0;  // 0xRRGGBB
};

struct TPoint {
    int X = 0;
    int Y = 0;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

class TCanvas {
  public:
    TCanvas() = default;
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont Font;
    int PenWidth = 1;
    TPoint PenPos;

    void MoveTo(int x, int y) { PenPos = {x, y}; }
    // A line from the pen to (x, y), which becomes the pen position.
    void LineTo(int x, int y);
    // The outline only: the brush is transparent.
    void Rectangle(const TRect& rect);
    // Text with its top at y; the pen moves to the end of the text.
    void TextOut(int x, int y, std::string_view text);
    // Text with its top left at (x, y), cut off at the edges of `clip`; the pen stays.
    void TextRect(const TRect& clip, int x, int y, std::string_view text);
    int TextWidth(std::string_view text);
    // The line height of the current font (ascent and descent): the height of any text,
    // "W" included.
    int LineHeight();

  private:
    friend class TWPPDFPrinter;
    void Attach(_cairo* cr);
    void Detach();
    void ApplyFont();
    int Ascent();
    void ShowText(int x, int y, std::string_view text);

    _cairo* cr_ = nullptr;
    std::map<std::pair<std::string, bool>, _cairo_font_face*> faces_;
};

}  // namespace kv::report
