// Speed of what a school or garden dial's pages compute from a finished dial: one simulated instant (the
// Simulation page's Play draws one every 200 ms), the body-height planner's map, the daylight-saving ring
// and the plaque's correction table. The planner's counters give the default dial's coverage for a 1.70 m
// body and its recommended semi-major axis.

#include "core/correction_table.h"
#include "core/driver.h"
#include "core/dst_ring.h"
#include "core/input_panel.h"
#include "core/reach_planner.h"
#include "core/simulation.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace umbrix;

namespace {

/// Case 0: the default dial; 1: the mean-time dial; 2: the split dial at 52.5 N; 3: the fixed gnomon.
std::unique_ptr<Model> DialOfCase(int which)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    constexpr int kTypes[] = {0, 6, 6, 7};
    (void)SelectDialType(*m, kTypes[which]);
    if (which == 2) {
        m->params.latitude = 52.5;
        m->params.marksMode = MarksMode::DoubleAnalemma;
        m->state.doubleAnalemmaActive = true;
    }
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

void BM_SimulateInstant(benchmark::State& state)
{
    const auto m = DialOfCase(static_cast<int>(state.range(0)));
    Instant instant{2015, 8, 15, 6};
    for (auto _ : state) {
        const std::optional<Simulation> sim = Simulate(m->params, m->state, m->results, instant, DstOptions{});
        benchmark::DoNotOptimize(sim);
        instant.zoneHours = instant.zoneHours < 20 ? instant.zoneHours + 5 / 60.0 : 6; // Play's 5-minute steps
    }
}
BENCHMARK(BM_SimulateInstant)->DenseRange(0, 3);

void BM_ReachMap(benchmark::State& state)
{
    const auto m = DialOfCase(static_cast<int>(state.range(0)));
    ReachMap map;
    for (auto _ : state) {
        map = ComputeReachMap(m->params, m->state, m->results, {1.7, 0.9});
        benchmark::DoNotOptimize(map.count);
    }
    state.counters["coverage"] = map.coverage.value_or(-1);
    state.counters["recommendedA"] = map.recommendedSemiMajorAxis.value_or(-1);
    state.counters["cells"] = map.count;
}
BENCHMARK(BM_ReachMap)->DenseRange(0, 2);

void BM_DstRingAndCorrectionTable(benchmark::State& state)
{
    const auto m = DialOfCase(0);
    DstOptions dst;
    dst.ring = DstRingKind::InnerRing;
    for (auto _ : state) {
        const std::optional<DstRing> ring = ComputeDstRing(m->params, m->state, m->results, dst);
        const CorrectionTable table = ComputeCorrectionTable(m->params, m->results, dst);
        benchmark::DoNotOptimize(ring);
        benchmark::DoNotOptimize(table.rows.size());
    }
}
BENCHMARK(BM_DstRingAndCorrectionTable);

} // namespace

BENCHMARK_MAIN();
