#include "ui/design_settings_window.h"

namespace umbrix {

AnalysisSettings WindowAnalysisSettings(const Model& model)
{
    return AnalysisSettingsOf(model);
}

TrueScaleSettings WindowTrueScaleSettings(const Model& model)
{
    return TrueScaleSettingsOf(model);
}

} // namespace umbrix
