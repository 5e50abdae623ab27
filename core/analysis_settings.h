#pragma once
// The design settings the analyses and the true-scale outputs read besides the dial's parameters: the unit
// of its lengths, the summer-time options, the body-height planner's options and the magnetic declination
// at the site. Plain data; each front end fills them in one place.

#include "core/length_unit.h"
#include "core/reach_planner.h"
#include "core/summer_time.h"

#include <optional>

namespace umbrix {

/// What the design-error map, the error budget, the simulation, the planner and the correction table read.
struct AnalysisSettings {
    LengthUnit lengthUnit = LengthUnit::Metre;
    DstOptions dst;     // offset 1 h, the European period
    ReachOptions reach; // bodyHeight = gnomonHeight, reachCoverage 0.9
};

/// What the true-scale outputs read: the unit of the design's lengths and the magnetic declination at the
/// site (degrees, east positive - unlike the program's longitudes; none when it is 0).
struct TrueScaleSettings {
    LengthUnit lengthUnit = LengthUnit::Metre;
    std::optional<double> magneticDeclinationDeg;
};

} // namespace umbrix
