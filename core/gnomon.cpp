#include "core/gnomon.h"

#include "core/numeric.h"

#include <cmath>

namespace umbrix {

GnomonLines GnomonDirectionLines(const Model& model)
{
    const DialParameters& p = model.params;
    const tUmbrixPoint& first = model.results.dateMarks[1];
    GnomonLines lines;
    lines.length = 1.5 * std::hypot(first.x, first.y);
    const double d = p.gnomonDeviation * degToRad;
    const double dz = (p.gnomonDeviation - p.gnomonInclination) * degToRad;
    lines.foot = {std::sin(d) * lines.length, std::cos(d) * lines.length};
    lines.tip = {-std::cos(dz) * lines.length, std::sin(dz) * lines.length};
    return lines;
}

std::optional<DialPoint> FixedGnomonPointZ(const Model& model)
{
    const tUmbrixPoint& first = model.results.dateMarks[1];
    const double length = std::hypot(first.x, first.y);
    if (!(length > 0))
        return std::nullopt;
    const double k = -model.params.distanceZ / length;
    return DialPoint{first.x * k, first.y * k};
}

} // namespace umbrix
