// Speed of the accuracy figures: the design-error map and the error budget of a finished dial (the window
// computes them when its Accuracy page is shown). The counters give each dial's largest design error in
// minutes of time, for the figures quoted with the accuracy page: the mean-time dial at 52.5 N, 10 N and
// 33 S and the split dial at 52.5 N by each of its five methods.

#include "core/accuracy.h"
#include "core/driver.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "core/leap_cycle.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace umbrix;

namespace {

/// Case 0: the default dial. 1..3: the mean-time dial on the analemma at 52.5, 10 and -33 degrees.
/// 4..8: the split dial at 52.5 degrees by method 0..4.
std::unique_ptr<Model> DialOfCase(int which)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    if (which >= 1) {
        (void)SelectDialType(*m, 6);
        constexpr double kLatitudes[] = {52.5, 10, -33};
        m->params.latitude = which <= 3 ? kLatitudes[which - 1] : 52.5;
    }
    if (which >= 4) {
        m->params.marksMode = MarksMode::DoubleAnalemma;
        m->state.doubleAnalemmaActive = true;
        m->params.doubleAnalemmaMethod = static_cast<DoubleAnalemmaMethod>(which - 4);
    }
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

void BM_DesignErrorMap(benchmark::State& state)
{
    const auto m = DialOfCase(static_cast<int>(state.range(0)));
    DesignErrorMap map;
    for (auto _ : state) {
        map = ComputeDesignErrorMap(m->params, m->state, m->results);
        benchmark::DoNotOptimize(map.count);
    }
    state.counters["maxAbsMin"] = map.maxAbs.value_or(-1);
    state.counters["meanAbsMin"] = map.meanAbs.value_or(-1);
    state.counters["cells"] = map.count;
    state.counters["ambiguous"] = map.ambiguousCount;
}

void BM_ErrorBudget(benchmark::State& state)
{
    const auto m = DialOfCase(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeErrorBudget(m->params, m->state, m->results, 1000).hourPoints.size());
}

void BM_LeapCycleScatter(benchmark::State& state)
{
    const auto m = DialOfCase(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeLeapCycleScatter(m->params, m->results).size());
}

} // namespace

BENCHMARK(BM_DesignErrorMap)->DenseRange(0, 8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ErrorBudget)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeapCycleScatter)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
