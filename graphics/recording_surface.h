#pragma once
// A surface that keeps every operation with the pen, brush and font it was drawn with: the construction is
// tested on it. Its text metrics are fixed and simple, so positions that depend on them can be worked out
// by hand: every character (UTF-8 code point) is half the font height wide, rounded down, and a text is
// exactly the font height high.

#include "graphics/surface.h"

#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

enum class SurfaceOp : std::uint8_t { MoveTo, LineTo, Ellipse, Rectangle, TextOut };

struct RecordedOp {
    SurfaceOp op = SurfaceOp::MoveTo;
    int x1 = 0; // MoveTo, LineTo, TextOut: the point; Ellipse, Rectangle: the first corner
    int y1 = 0;
    int x2 = 0; // LineTo: the start point (the current point before the line); Ellipse, Rectangle: second corner
    int y2 = 0;
    std::string text;
    PenState pen;
    BrushState brush;
    FontState font;
};

class RecordingSurface : public Surface {
public:
    RecordingSurface(int widthPx, int heightPx, int pixelsPerInchValue = 96)
        : width_(widthPx), height_(heightPx), ppi_(pixelsPerInchValue)
    {
    }

    int width() const override { return width_; }
    int height() const override { return height_; }
    int pixelsPerInch() const override { return ppi_; }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;

    /// Every operation in the order drawn.
    std::vector<RecordedOp> ops;

    /// The operations of one kind, in order.
    std::vector<RecordedOp> opsOf(SurfaceOp kind) const;
    /// The TextOut operations whose text equals `text`.
    std::vector<RecordedOp> textsEqualTo(std::string_view text) const;
    void clear() { ops.clear(); }

private:
    RecordedOp make(SurfaceOp kind, int x1, int y1, int x2, int y2) const;

    int width_;
    int height_;
    int ppi_;
    int currentX_ = 0;
    int currentY_ = 0;
};

/// Number of UTF-8 code points of a text (bytes that do not continue a sequence).
[[nodiscard]] int CodePointCount(std::string_view text);

} // namespace umbrix
