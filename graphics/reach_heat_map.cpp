#include "graphics/reach_heat_map.h"

#include "core/length_unit.h"
#include "text/own_texts.h"

#include <string>

namespace umbrix {

HeatMap ReachHeatMap(const ReachMap& reach, const LanguageState& lang)
{
    std::string title(OwnTextOf(lang, OwnText::PlannerMapTitle));
    if (reach.coverage)
        title +=
            std::string(OwnTextOf(lang, OwnText::PlannerMapReached)) + FormatDecimals(*reach.coverage * 100, 1) + " %";
    HeatMap heat =
        DatesByHoursMap(std::move(title), std::string(OwnTextOf(lang, OwnText::DateHeading)), reach.dates, reach.hours);
    heat.values = reach.ratio;
    // High ratios (long shadows) take the low end of the palette, so that a shadow too short shows red.
    heat.scale = {kReachColourLimit, 1 / kReachColourLimit, true};
    heat.ticks = {0.25, 0.5, 1, 2, 4};
    heat.barCaption = std::string(OwnTextOf(lang, OwnText::PlannerMapRatio));
    heat.noValueLabel = std::string(OwnTextOf(lang, OwnText::PlannerMapNoValue));
    return heat;
}

} // namespace umbrix
