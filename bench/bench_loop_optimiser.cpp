// Speed of the optimising figure-eight methods (2: smallest largest error, 3: smallest weighted mean
// error, 4: smallest weighted root mean square) on the split dial for mean time, beside the kernel bound:
// a bare loop that performs exactly the hour-error evaluations of the same search and nothing else.
//
// Arguments of the cases: method, marks per month, fine search (0/1), hours per half (0 = the default
// lists 8..11 and 13..17, 20 = twenty hours per half from the table).

#include "core/ephemeris.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "core/loop_optimiser.h"
#include "core/loops.h"
#include "core/model.h"
#include "core/numeric.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <vector>

namespace {

using namespace umbrix;

/// The split dial of the default site with the given search settings.
Model SplitDial(int marksPerMonth, bool fineSearch, int hoursPerHalf)
{
    Model model;
    InitDefaults(model);
    (void)SelectDialType(model, 6);
    model.params.marksMode = MarksMode::DoubleAnalemma;
    model.state.doubleAnalemmaActive = true;
    model.params.marksPerMonth = static_cast<std::uint8_t>(marksPerMonth);
    model.state.fineSearch = fineSearch;
    model.state.useDefaultHours = hoursPerHalf == 0;
    // Hours with two decimals, so that the rewritten input table reads back the same values.
    for (int k = 0; k < hoursPerHalf; ++k) {
        model.grids.StrGridEin.setCell(1, k + 1, FormatFixed(6, 2, 4.0 + 0.4 * k));    // 4.00 .. 11.60
        model.grids.StrGridEin.setCell(3, k + 1, FormatFixed(6, 2, 12.45 + 0.45 * k)); // 12.45 .. 21.00
    }
    return model;
}

/// One searched row of one half, with the centre of each of its three passes as the real search found them.
struct ReplayRow {
    SearchRow row;
    SearchSteps steps;
    std::array<DialPoint, 3> centres{};
};

/// Runs the searches of both halves once, pass by pass, and keeps what the kernel bound must repeat.
std::vector<ReplayRow> RecordSearch(const Model& model, int item)
{
    std::vector<ReplayRow> rows;
    const DialParameters& p = model.params;
    const LoopGeometry g = MakeLoopGeometry(p, model.derived);
    const SearchHourInput input = ReadSearchHourInput(model);
    for (const HourList* list : {&input.morning, &input.afternoon}) {
        for (const LoopDate& date : LoopDates(p.marksPerMonth)) {
            const NoonSun sun = LoopNoonSun(p, date.month, date.day);
            DialPoint centre = AnalemmaPoint(g, p, sun.declinationDeg, sun.equationOfTimeDeg);
            if (InsideFlag(g, centre.y) == 0)
                continue;
            ReplayRow replay;
            replay.row = MakeSearchRow(g, *list, sun.declinationDeg, sun.equationOfTimeDeg);
            if (replay.row.count == 0)
                continue;
            replay.steps = GridSearchSteps(g.semiMajorAxis, model.state.fineSearch);
            double best = kNoCriterion;
            for (std::size_t pass = 0; pass < 3; ++pass) {
                replay.centres[pass] = centre;
                centre = GridSearchPass(replay.row, item, replay.steps.n, replay.steps.h, replay.steps.step[pass],
                                        centre, best);
            }
            rows.push_back(replay);
        }
    }
    return rows;
}

/// The kernel bound: every hour error of the recorded searches, summed so that none can be left out.
double KernelBound(const std::vector<ReplayRow>& rows)
{
    double sink = 0;
    for (const ReplayRow& r : rows) {
        const int n = r.steps.n;
        const int h = r.steps.h;
        for (std::size_t pass = 0; pass < 3; ++pass) {
            const double step = r.steps.step[pass];
            const DialPoint c = r.centres[pass];
            for (int i = 1; i <= n; ++i) {
                const double x = (i - h) * step + c.x;
                for (int j = 1; j <= n; ++j) {
                    const double y = (j - h) * step + c.y;
                    for (int k = 0; k < r.row.count; ++k)
                        sink += EvaluateHourError(r.row.date, r.row.hours[static_cast<std::size_t>(k)], x, y).errorDeg;
                }
            }
        }
    }
    return sink;
}

std::int64_t Evaluations(const std::vector<ReplayRow>& rows)
{
    std::int64_t count = 0;
    for (const ReplayRow& r : rows)
        count += 3LL * r.steps.n * r.steps.n * r.row.count;
    return count;
}

void BM_OptimisedLoops(benchmark::State& state)
{
    const int item = static_cast<int>(state.range(0));
    Model model = SplitDial(static_cast<int>(state.range(1)), state.range(2) != 0, static_cast<int>(state.range(3)));
    RecordingHost host;
    for (auto _ : state)
        benchmark::DoNotOptimize(OptimisedLoops(model, host, item));
    const std::int64_t evaluations = Evaluations(RecordSearch(model, item));
    state.counters["evaluations"] = static_cast<double>(evaluations);
    state.counters["evaluation_rate"] =
        benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_KernelBound(benchmark::State& state)
{
    const int item = static_cast<int>(state.range(0));
    const Model model =
        SplitDial(static_cast<int>(state.range(1)), state.range(2) != 0, static_cast<int>(state.range(3)));
    const std::vector<ReplayRow> rows = RecordSearch(model, item);
    for (auto _ : state)
        benchmark::DoNotOptimize(KernelBound(rows));
    const std::int64_t evaluations = Evaluations(rows);
    state.counters["evaluations"] = static_cast<double>(evaluations);
    state.counters["evaluation_rate"] =
        benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kIsIterationInvariantRate);
}

/// CPU time of the calling thread in seconds: other programs on the machine do not count.
double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

/// The whole method and its kernel bound timed alternately in the same run (thread CPU time); `ratio` is
/// the quotient of the summed times.
void BM_RatioToKernelBound(benchmark::State& state)
{
    const int item = static_cast<int>(state.range(0));
    Model model = SplitDial(static_cast<int>(state.range(1)), state.range(2) != 0, static_cast<int>(state.range(3)));
    const std::vector<ReplayRow> rows = RecordSearch(model, item);
    RecordingHost host;
    double methodSeconds = 0;
    double kernelSeconds = 0;
    for (auto _ : state) {
        const double t0 = ThreadSeconds();
        benchmark::DoNotOptimize(OptimisedLoops(model, host, item));
        const double t1 = ThreadSeconds();
        benchmark::DoNotOptimize(KernelBound(rows));
        const double t2 = ThreadSeconds();
        methodSeconds += t1 - t0;
        kernelSeconds += t2 - t1;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["method_ms"] = 1e3 * methodSeconds / iterations;
    state.counters["kernel_ms"] = 1e3 * kernelSeconds / iterations;
    state.counters["ratio"] = kernelSeconds > 0 ? methodSeconds / kernelSeconds : 0;
}

void Cases(benchmark::internal::Benchmark* b)
{
    for (int item : {2, 3, 4})
        for (int marks : {1, 6})
            for (int fine : {0, 1})
                b->Args({item, marks, fine, 0});
    b->Args({4, 6, 1, 20});
    b->ArgNames({"method", "marks", "fine", "hours"});
    b->Unit(benchmark::kMillisecond);
}

void RatioCases(benchmark::internal::Benchmark* b)
{
    b->Args({4, 6, 1, 0});
    b->Args({4, 6, 1, 20});
    b->ArgNames({"method", "marks", "fine", "hours"});
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_OptimisedLoops)->Apply(Cases);
BENCHMARK(BM_KernelBound)->Apply(Cases);
BENCHMARK(BM_RatioToKernelBound)->Apply(RatioCases);

BENCHMARK_MAIN();
