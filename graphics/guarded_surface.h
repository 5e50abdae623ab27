#pragma once
// Pixel coordinates on their way to a surface. The construction computes them in double precision from
// model coordinates (exact for every integer up to 2^53); an element whose coordinate is not finite or does
// not fit the surface's 32-bit integers is skipped, and the rest of the drawing goes on.

#include "graphics/surface.h"

#include <string_view>

namespace umbrix {

/// True when v is finite and lies in the range of a 32-bit integer.
[[nodiscard]] bool FitsPixel(double v);

/// Round to the nearest integer, halves to even (the rounding of every model-to-pixel mapping).
[[nodiscard]] double RoundPx(double v);

/// Forwards drawing operations with double coordinates (integral values) to a surface, skipping every
/// element with a coordinate that FitsPixel rejects. A skipped MoveTo or LineTo leaves no valid current
/// point; the next LineTo then only moves there, so a polyline through one bad point shows a gap.
class GuardedSurface {
public:
    explicit GuardedSurface(Surface& target) : surface(target) {}

    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Ellipse(double x1, double y1, double x2, double y2);
    void Rectangle(double x1, double y1, double x2, double y2);
    void TextOut(double x, double y, std::string_view text);
    int TextWidth(std::string_view text) const { return surface.TextWidth(text); }
    int TextHeight(std::string_view text) const { return surface.TextHeight(text); }

    /// Number of elements skipped since construction.
    int skippedElements() const { return skipped_; }

    Surface& surface;

private:
    bool currentValid_ = false;
    int skipped_ = 0;
};

} // namespace umbrix
