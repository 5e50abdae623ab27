#include "graphics/scaled_surface.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace umbrix {

namespace {

int ToInt(double v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(
        std::lround(std::clamp<double>(v, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2)));
}

} // namespace

int ScaledSurface::X(int x) const
{
    return ToInt(x * sx_ + dx_);
}

int ScaledSurface::Y(int y) const
{
    return ToInt(y * sy_ + dy_);
}

void ScaledSurface::pass() const
{
    target_.pen = pen;
    target_.pen.width = std::max(1, ToInt(pen.width * std::min(sx_, sy_)));
    target_.brush = brush;
    target_.font = font;
    target_.font.height = std::max(1, ToInt(font.height * sy_));
}

void ScaledSurface::MoveTo(int x, int y)
{
    target_.MoveTo(X(x), Y(y));
}

void ScaledSurface::LineTo(int x, int y)
{
    pass();
    target_.LineTo(X(x), Y(y));
}

void ScaledSurface::Ellipse(int x1, int y1, int x2, int y2)
{
    pass();
    target_.Ellipse(X(x1), Y(y1), X(x2), Y(y2));
}

void ScaledSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    pass();
    target_.Rectangle(X(x1), Y(y1), X(x2), Y(y2));
}

void ScaledSurface::TextOut(int x, int y, std::string_view text)
{
    pass();
    target_.TextOut(X(x), Y(y), text);
}

int ScaledSurface::TextWidth(std::string_view text) const
{
    pass();
    return ToInt(target_.TextWidth(text) / sx_);
}

int ScaledSurface::TextHeight(std::string_view text) const
{
    pass();
    return ToInt(target_.TextHeight(text) / sy_);
}

} // namespace umbrix
