#pragma once
// A surface that writes a standalone SVG 1.1 document: integer coordinates, the pen, brush and font colours
// as RGB, text anchored at its top-left corner (the baseline is placed one ascent below the top), and text
// extents from the advance widths of Liberation Sans (metric-compatible with Arial), so that labels are
// placed as they will be rendered. Consecutive lines with the same pen are joined into one polyline.

#include "graphics/surface.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace umbrix {

class SvgSurface : public Surface {
public:
    SvgSurface(int widthPx, int heightPx);

    int width() const override { return width_; }
    int height() const override { return height_; }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;

    /// The complete document drawn so far, sized in pixels.
    std::string document() const;
    /// The same sized in millimetres, one surface unit being `mmPerUnit` mm: width and height in mm, and the
    /// viewBox in the same millimetres.
    std::string documentInMm(double mmPerUnit) const;

private:
    void flushPolyline();
    std::string wrapped(const std::string& svgAttributes, const std::string& body) const;
    std::string polylineText() const;
    /// True when the box lies wholly outside the band of kClipMargin around the surface.
    bool outsideBand(long long left, long long top, long long right, long long bottom) const;

    int width_;
    int height_;
    int currentX_ = 0;
    int currentY_ = 0;
    std::string body_;
    std::vector<std::pair<int, int>> polyline_;
    PenState polylinePen_;
};

/// Advance width of a text in Liberation Sans (regular or bold) at the given em height, in the same unit
/// as the height; characters outside Latin-1 count as an average digit, the zodiac signs as in DejaVu Sans.
[[nodiscard]] double TextAdvance(std::string_view text, double emHeight, bool bold);

/// Height of a line of text (ascent plus descent) for an em height.
[[nodiscard]] int TextLineHeight(int emHeight);

/// Distance from the top of a line of text to its baseline, for an em height.
[[nodiscard]] int TextAscent(int emHeight);

} // namespace umbrix
