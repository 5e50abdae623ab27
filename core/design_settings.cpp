#include "core/design_settings.h"

namespace umbrix {

AnalysisSettings AnalysisSettingsOf(const Model& model)
{
    const DialParameters& p = model.params;
    AnalysisSettings settings;
    settings.lengthUnit = p.lengthUnit;
    settings.dst = p.dst;
    settings.reach.bodyHeight = p.bodyHeightOrGnomon();
    settings.reach.reachCoverage = p.reachCoverage;
    return settings;
}

TrueScaleSettings TrueScaleSettingsOf(const Model& model)
{
    const DialParameters& p = model.params;
    TrueScaleSettings settings;
    settings.lengthUnit = p.lengthUnit;
    if (p.magneticDeclination != 0)
        settings.magneticDeclinationDeg = p.magneticDeclination;
    return settings;
}

} // namespace umbrix
