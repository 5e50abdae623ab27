#include "export/hpgl_clip.h"

#include "export/dxf_records.h"

#include <utility>

namespace umbrix::hpgl {

void ClipWindow::set(double x1, double y1, double x2, double y2)
{
    xMin_ = x1;
    yMin_ = y1;
    xMax_ = x2;
    yMax_ = y2;
    if (xMin_ > xMax_)
        std::swap(xMin_, xMax_);
    if (yMin_ > yMax_)
        std::swap(yMin_, yMax_);
}

int ClipWindow::code(PointValue p) const
{
    if (p.x < xMin_)
        return 1;
    if (p.x > xMax_)
        return 2;
    if (p.y < yMin_)
        return 3;
    if (p.y > yMax_)
        return 4;
    return 0;
}

PointText ClipWindow::towards(PointValue outside, PointValue inside) const
{
    for (int move = 0; move < 4; ++move) {
        const int crossed = code(outside);
        if (crossed == 0)
            break;
        const bool alongX = crossed == 1 || crossed == 2;
        const double bound = crossed == 1 ? xMin_ : crossed == 2 ? xMax_ : crossed == 3 ? yMin_ : yMax_;
        const double from = alongX ? outside.x : outside.y;
        const double to = alongX ? inside.x : inside.y;
        const double t = (bound - from) / (to - from);
        if (alongX) {
            outside.y += t * (inside.y - outside.y);
            outside.x = bound;
        } else {
            outside.x += t * (inside.x - outside.x);
            outside.y = bound;
        }
    }
    return {dxf::ConverterFixed(11, 4, outside.x), dxf::ConverterFixed(11, 4, outside.y)};
}

} // namespace umbrix::hpgl
