#pragma once
// Where the gnomon's direction lines and the fixed gnomon's point Z lie: both are drawn on the screen and
// in the plot from the first date mark.

#include "core/model.h"

#include <optional>

namespace umbrix {

/// The gnomon's direction lines (dial types 1, 3 and 7), dial units: length = 1.5 |first date mark|;
/// foot = (sin D, cos D) length, drawn through the centre to its reflection; tip =
/// (-cos(D - z), sin(D - z)) length, drawn to the centre. D gnomon deviation, z gnomon inclination.
struct GnomonLines {
    double length = 0;
    DialPoint foot{};
    DialPoint tip{};
};
[[nodiscard]] GnomonLines GnomonDirectionLines(const Model& model);

/// The fixed gnomon's point Z (dial type 7): distanceZ from the centre along the line of the first date mark,
/// on the side opposite that mark for a positive distance. None when the first mark lies on the centre.
[[nodiscard]] std::optional<DialPoint> FixedGnomonPointZ(const Model& model);

} // namespace umbrix
