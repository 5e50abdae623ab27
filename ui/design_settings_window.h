#pragma once
// The design settings the window's analyses and true-scale outputs read besides the dial's parameters
// (core/analysis_settings.h). The window has no controls for them yet: they take the same values a
// command-line run takes without options, so that the window and umbrix-cli show the same figures.

#include "core/analysis_settings.h"
#include "core/model.h"

namespace umbrix {

/// Metres, summer time one hour ahead in the European period, the planner's body as tall as the gnomon
/// and a coverage of 0.9.
[[nodiscard]] AnalysisSettings WindowAnalysisSettings(const Model& model);

/// The unit of WindowAnalysisSettings, and no magnetic declination (true north only).
[[nodiscard]] TrueScaleSettings WindowTrueScaleSettings(const Model& model);

} // namespace umbrix
