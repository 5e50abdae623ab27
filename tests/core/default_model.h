#pragma once
// What many tests start from: a model at its start-up defaults, and the state a handler gives a control.

#include "core/fields.h"
#include "core/model.h"

#include <string_view>
#include <vector>

namespace umbrix::test {

/// A model with every parameter at its start-up default.
inline Model DefaultModel()
{
    Model m;
    InitDefaults(m);
    return m;
}

/// The state `states` give the control `name`, or nullptr when they leave it alone.
inline const ControlState* Find(const std::vector<ControlState>& states, std::string_view name)
{
    for (const auto& s : states)
        if (s.name == name)
            return &s;
    return nullptr;
}

} // namespace umbrix::test
