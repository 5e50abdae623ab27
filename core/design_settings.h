#pragma once
// The settings of a design that the analyses and the true-scale outputs read, taken from the parameters in
// one place, so that umbrix-cli and the window compute from the same values.

#include "core/length_unit.h"
#include "core/model.h"
#include "core/reach_planner.h"
#include "core/summer_time.h"

#include <optional>

namespace umbrix {

/// What the analyses (design error, simulation, planner, correction table) read besides the dial.
struct AnalysisSettings {
    LengthUnit lengthUnit = LengthUnit::Metre; // lengthUnit: the unit of the dial's lengths
    DstOptions dst;                            // dstRing, dstOffsetHours, dstRingScale, dstStart, dstEnd
    ReachOptions reach;                        // bodyHeight in effect (gnomonHeight until set), reachCoverage
};
[[nodiscard]] AnalysisSettings AnalysisSettingsOf(const Model& model);

/// What the true-scale outputs (true-scale SVG, true-size DXF, setting-out plan, template) read besides the
/// dial: the unit of its lengths and the magnetic declination at the site (degrees, east positive - unlike
/// the program's longitudes; none when it is 0, and the plan then gives no compass bearing).
struct TrueScaleSettings {
    LengthUnit lengthUnit = LengthUnit::Metre;
    std::optional<double> magneticDeclinationDeg;
};
[[nodiscard]] TrueScaleSettings TrueScaleSettingsOf(const Model& model);

} // namespace umbrix
