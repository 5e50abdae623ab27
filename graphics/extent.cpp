// The extent of a set of dial points.

#include "graphics/construction_geometry.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

void Extent::add(DialPoint p)
{
    // A point off to infinity (an hour line parallel to the axis) or undefined widens nothing.
    if (!std::isfinite(p.x) || !std::isfinite(p.y))
        return;
    if (empty) {
        min = max = p;
        empty = false;
        return;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y)};
}

void Extent::include(const Extent& other)
{
    if (other.empty)
        return;
    add(other.min);
    add(other.max);
}

} // namespace umbrix
