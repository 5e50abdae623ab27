#pragma once
// A view of a surface through an axis-parallel scale and shift: x' = x sx + dx, y' = y sy + dy (rounded to
// the nearest unit). The full-size template draws the whole construction through it onto each sheet, with
// the printer's correction factors as sx and sy. Font heights follow sy, pen widths the smaller factor;
// text extents are reported back in the view's units.

#include "graphics/surface.h"

namespace umbrix {

class ScaledSurface : public Surface {
public:
    ScaledSurface(Surface& target, double sx, double sy, double dx, double dy, int widthUnits, int heightUnits)
        : target_(target), sx_(sx), sy_(sy), dx_(dx), dy_(dy), width_(widthUnits), height_(heightUnits)
    {
    }

    int width() const override { return width_; }
    int height() const override { return height_; }
    int pixelsPerInch() const override { return target_.pixelsPerInch(); }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;

private:
    int X(int x) const;
    int Y(int y) const;
    void pass() const; // hands pen, brush and font to the target

    Surface& target_;
    double sx_;
    double sy_;
    double dx_;
    double dy_;
    int width_;
    int height_;
};

} // namespace umbrix
