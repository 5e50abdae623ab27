#pragma once
// A drawing kept as its operations, each with the box it covers, so that it can be drawn again onto many
// small windows, each getting only the operations that reach into it: the full-size template draws the
// construction once and hands every sheet the part that lies on it. Text extents are asked of another
// surface (the one the drawing will finally land on), so that a layout that measures its texts comes out
// as it would there.

#include "graphics/surface.h"

#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// An axis-parallel box in surface units, x1 <= x2 and y1 <= y2.
struct UnitBox {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    [[nodiscard]] bool meets(const UnitBox& other) const
    {
        return x1 <= other.x2 && other.x1 <= x2 && y1 <= other.y2 && other.y1 <= y2;
    }
};

class RecordedDrawing : public Surface {
public:
    /// `metrics`: the surface that measures texts; width and height are those of the drawing.
    RecordedDrawing(Surface& metrics, int widthUnits, int heightUnits)
        : metrics_(metrics), width_(widthUnits), height_(heightUnits)
    {
    }

    int width() const override { return width_; }
    int height() const override { return height_; }
    int pixelsPerInch() const override { return metrics_.pixelsPerInch(); }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;
    void BeginPart(DrawingPart part) override;

    /// Draws onto `target`, in the recorded order and with the recorded pen, brush and font, every operation
    /// whose box meets `window`; a line is started anew where the one before it was left out.
    void ReplayWithin(Surface& target, const UnitBox& window) const;

    /// How many operations were recorded.
    [[nodiscard]] std::size_t size() const { return ops_.size(); }

private:
    enum class Kind : std::uint8_t { Line, Ellipse, Rectangle, Text, Part };
    struct Op {
        Kind kind = Kind::Line;
        int x1 = 0; // a line's start, a box's first corner, a text's top-left corner
        int y1 = 0;
        int x2 = 0; // a line's end, a box's second corner
        int y2 = 0;
        UnitBox box;
        std::string text;
        DrawingPart part = DrawingPart::Dial;
        PenState pen;
        BrushState brush;
        FontState font;
    };
    Op make(Kind kind, int x1, int y1, int x2, int y2, double reach) const;

    Surface& metrics_; // only its font changes while a text is measured, and it is put back
    int width_;
    int height_;
    int currentX_ = 0;
    int currentY_ = 0;
    std::vector<Op> ops_;
};

} // namespace umbrix
