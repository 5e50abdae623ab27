#include "core/configured_dial.h"

#include "core/driver.h"

namespace umbrix {

ConfiguredDial ConfiguredDialOf(const Model& model)
{
    return {model.params, model.state, model.grids.StrGridEin};
}

void ApplyConfiguredDial(Model& model, const ConfiguredDial& dial)
{
    model.params = dial.params;
    model.state = dial.state;
    model.grids.StrGridEin = dial.hours;
    RefreshDerivedGeometry(model);
}

} // namespace umbrix
