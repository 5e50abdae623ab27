#pragma once
// A dial of one type, adjusted and fully calculated by the real driver, for the tests.

#include "core/driver.h"
#include "core/input_panel.h"
#include "core/model.h"

#include <functional>
#include <memory>

namespace umbrix {

/// The program's default parameters, not yet calculated.
inline std::unique_ptr<Model> DefaultDial()
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    return m;
}

inline std::unique_ptr<Model> CalculatedDial(int type, const std::function<void(Model&)>& adjust = {})
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    (void)SelectDialType(*m, type);
    if (adjust)
        adjust(*m);
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

/// The split dial (mean-time dial with two loops) at latitude 52.5 by loop method `method`.
inline std::unique_ptr<Model> CalculatedSplitDial(int method = 0)
{
    return CalculatedDial(6, [method](Model& m) {
        m.params.latitude = 52.5;
        m.params.marksMode = MarksMode::DoubleAnalemma;
        m.state.doubleAnalemmaActive = true;
        m.params.doubleAnalemmaMethod = static_cast<DoubleAnalemmaMethod>(method);
    });
}

} // namespace umbrix
