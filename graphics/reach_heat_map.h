#pragma once
// The body-height planner's map as a heat map: one cell per date mark and hour, coloured by the ratio of
// the shadow's length to the distance it must reach.

#include "core/reach_planner.h"
#include "graphics/heat_map.h"
#include "text/language.h"

namespace umbrix {

/// Ratios from 1/kReachColourLimit to kReachColourLimit take the palette; 1 (the shadow just reaches) is
/// its centre.
constexpr double kReachColourLimit = 4;

/// The heat map of `reach` with its texts in the language of `lang`: the ratios on a logarithmic scale about
/// 1, short shadows red and long ones blue, grey while the sun is down; the title gives the share of cells
/// reached when there is one.
[[nodiscard]] HeatMap ReachHeatMap(const ReachMap& reach, const LanguageState& lang);

} // namespace umbrix
