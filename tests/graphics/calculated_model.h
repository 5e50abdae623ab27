#pragma once
// A calculated model for the drawing tests: a dial type with its presets, adjusted, its derived values
// shown as the input panel shows them, then calculated.

#include "../core/calculated_dial.h"

#include "core/input_panel.h"

namespace umbrix::test {

/// A model of the given dial type with its presets, changed by `adjust`, then calculated (its messages
/// and error code are not looked at; tests that care calculate themselves).
inline std::unique_ptr<Model> Calculated(int dialType, const std::function<void(Model&)>& adjust = {})
{
    return CalculatedDial(dialType, [&adjust](Model& m) {
        if (adjust)
            adjust(m);
        (void)ShowParameters(m);
    });
}

} // namespace umbrix::test
