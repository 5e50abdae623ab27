#include "ui/design_settings_window.h"

namespace umbrix {

AnalysisSettings WindowAnalysisSettings(const Model& model)
{
    AnalysisSettings settings;
    settings.reach.bodyHeight = model.params.gnomonHeight;
    return settings;
}

TrueScaleSettings WindowTrueScaleSettings(const Model& model)
{
    TrueScaleSettings settings;
    settings.lengthUnit = WindowAnalysisSettings(model).lengthUnit;
    return settings;
}

} // namespace umbrix
