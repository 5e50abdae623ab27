#include "graphics/accuracy_heat_map.h"

#include "core/length_unit.h"
#include "text/own_texts.h"

namespace umbrix {

HeatMap DesignErrorHeatMap(const LanguageState& lang, const DesignErrorMap& map)
{
    HeatMap heat;
    heat.title = std::string(OwnTextOf(lang, OwnText::AccuracyMapTitle));
    if (map.maxAbs)
        heat.title +=
            std::string(OwnTextOf(lang, OwnText::LargestMagnitudeSuffix)) + FormatDecimals(*map.maxAbs, 2) + " min";
    heat.rowHeading = std::string(OwnTextOf(lang, OwnText::DateHeading));
    heat.rowLabels = map.dates;
    for (const int hour : map.hours)
        heat.columnLabels.push_back(std::to_string(hour));
    for (const auto& row : map.cells) {
        auto& values = heat.values.emplace_back();
        for (const DesignErrorCell& cell : row)
            values.push_back(cell.minutes);
    }
    const double limit = map.maxAbs && *map.maxAbs > 0 ? *map.maxAbs : 1.0;
    heat.scale = {-limit, limit, false};
    heat.ticks = {-limit, -limit / 2, 0, limit / 2, limit};
    heat.barCaption = "min";
    heat.noValueLabel = std::string(OwnTextOf(lang, OwnText::AccuracyNoValue));
    return heat;
}

} // namespace umbrix
