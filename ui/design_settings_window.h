#pragma once
// The design settings the window's analyses and true-scale outputs read besides the dial's geometry: the
// same function umbrix-cli takes them from, so that the window and umbrix-cli show the same figures.

#include "core/design_settings.h"
#include "core/model.h"

namespace umbrix {

/// AnalysisSettingsOf the window's model.
[[nodiscard]] AnalysisSettings WindowAnalysisSettings(const Model& model);

/// TrueScaleSettingsOf the window's model.
[[nodiscard]] TrueScaleSettings WindowTrueScaleSettings(const Model& model);

} // namespace umbrix
