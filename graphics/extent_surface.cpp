#include "graphics/extent_surface.h"

#include <algorithm>

namespace umbrix {

void PixelBox::add(std::int64_t x, std::int64_t y)
{
    if (empty) {
        left = right = x;
        top = bottom = y;
        empty = false;
        return;
    }
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
}

void PixelBox::include(const PixelBox& other)
{
    if (other.empty)
        return;
    add(other.left, other.top);
    add(other.right, other.bottom);
}

bool PixelBox::inside(int width, int height) const
{
    return empty || (left >= 0 && top >= 0 && right < width && bottom < height);
}

void ExtentSurface::add(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    PixelBox& b = boxes_[static_cast<std::size_t>(part_)];
    b.add(x1, y1);
    b.add(x2, y2);
}

void ExtentSurface::MoveTo(int x, int y)
{
    currentX_ = x;
    currentY_ = y;
}

void ExtentSurface::LineTo(int x, int y)
{
    add(currentX_, currentY_, x, y);
    currentX_ = x;
    currentY_ = y;
}

void ExtentSurface::Ellipse(int x1, int y1, int x2, int y2)
{
    const int halfPen = std::max(pen.width, 1) / 2;
    add(std::min(x1, x2) - halfPen, std::min(y1, y2) - halfPen, std::max(x1, x2) + halfPen, std::max(y1, y2) + halfPen);
}

void ExtentSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    Ellipse(x1, y1, x2, y2);
}

void ExtentSurface::TextOut(int x, int y, std::string_view text)
{
    add(x, y, static_cast<std::int64_t>(x) + TextWidth(text), static_cast<std::int64_t>(y) + TextHeight(text));
}

int ExtentSurface::TextWidth(std::string_view text) const
{
    metrics_.font = font;
    return metrics_.TextWidth(text);
}

int ExtentSurface::TextHeight(std::string_view text) const
{
    metrics_.font = font;
    return metrics_.TextHeight(text);
}

} // namespace umbrix
