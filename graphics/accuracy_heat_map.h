#pragma once
// The design-error map as a heat map: dates down, full hours across, the minutes of each cell coloured on a
// scale symmetric about 0 (limits +-maxAbs, so that equal errors of either sign get equally strong colours),
// grey where there is no reading. The same picture for umbrix-cli --svg-accuracy and the window's page.

#include "core/accuracy.h"
#include "graphics/heat_map.h"
#include "text/language.h"

namespace umbrix {

/// The heat map of `map` with its texts in the language of `lang`.
[[nodiscard]] HeatMap DesignErrorHeatMap(const LanguageState& lang, const DesignErrorMap& map);

} // namespace umbrix
