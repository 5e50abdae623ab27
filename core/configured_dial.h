#pragma once
// What a configuration file sets, read in full before anything is taken over: the dial parameters, the
// shared state and the hours table of the split dial.

#include "core/model.h"

namespace umbrix {

struct ConfiguredDial {
    DialParameters params;
    SharedState state;
    StringGrid hours; // StrGridEin
};

/// The configured dial as the reading left it, starting from the model's own values.
[[nodiscard]] ConfiguredDial ConfiguredDialOf(const Model& model);

/// Takes a configuration that was read in full into the model, with the geometry it implies; the results stay
/// until the next calculation.
void ApplyConfiguredDial(Model& model, const ConfiguredDial& dial);

} // namespace umbrix
