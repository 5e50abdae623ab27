#include "graphics/accuracy_heat_map.h"

#include "core/length_unit.h"
#include "text/own_texts.h"

namespace umbrix {

HeatMap DesignErrorHeatMap(const LanguageState& lang, const DesignErrorMap& map)
{
    std::string title(OwnTextOf(lang, OwnText::AccuracyMapTitle));
    if (map.maxAbs)
        title +=
            std::string(OwnTextOf(lang, OwnText::LargestMagnitudeSuffix)) + FormatDecimals(*map.maxAbs, 2) + " min";
    HeatMap heat =
        DatesByHoursMap(std::move(title), std::string(OwnTextOf(lang, OwnText::DateHeading)), map.dates, map.hours);
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
