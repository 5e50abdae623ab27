#include "graphics/guarded_surface.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace umbrix {

namespace {

int ToInt(double v)
{
    return static_cast<int>(v);
}

} // namespace

bool FitsPixel(double v)
{
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    return std::isfinite(v) && v >= kLowest && v <= kHighest;
}

double RoundPx(double v)
{
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless someone changed it.
    return std::nearbyint(v);
}

void GuardedSurface::MoveTo(double x, double y)
{
    currentValid_ = FitsPixel(x) && FitsPixel(y);
    if (currentValid_)
        surface.MoveTo(ToInt(x), ToInt(y));
    else
        ++skipped_;
}

void GuardedSurface::LineTo(double x, double y)
{
    if (!FitsPixel(x) || !FitsPixel(y)) {
        currentValid_ = false;
        ++skipped_;
        return;
    }
    if (currentValid_) {
        surface.LineTo(ToInt(x), ToInt(y));
    } else {
        surface.MoveTo(ToInt(x), ToInt(y));
        currentValid_ = true;
    }
}

void GuardedSurface::Ellipse(double x1, double y1, double x2, double y2)
{
    if (FitsPixel(x1) && FitsPixel(y1) && FitsPixel(x2) && FitsPixel(y2))
        surface.Ellipse(ToInt(x1), ToInt(y1), ToInt(x2), ToInt(y2));
    else
        ++skipped_;
}

void GuardedSurface::Rectangle(double x1, double y1, double x2, double y2)
{
    if (FitsPixel(x1) && FitsPixel(y1) && FitsPixel(x2) && FitsPixel(y2))
        surface.Rectangle(ToInt(x1), ToInt(y1), ToInt(x2), ToInt(y2));
    else
        ++skipped_;
}

void GuardedSurface::TextOut(double x, double y, std::string_view text)
{
    if (FitsPixel(x) && FitsPixel(y))
        surface.TextOut(ToInt(x), ToInt(y), text);
    else
        ++skipped_;
}

} // namespace umbrix
