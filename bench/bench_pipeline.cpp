// Speed of the whole chain for each dial type: the calculation, the construction drawing of a 1920 x 1080
// window (on the recording surface, so the figure is the drawing code's own cost), their sum as one redraw
// while the user drags, and the plot and DXF exports.

#include "core/driver.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "export/hpgl_to_dxf.h"
#include "export/hpgl_writer.h"
#include "graphics/construction.h"
#include "graphics/recording_surface.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace umbrix;

namespace {

std::unique_ptr<Model> DialOfType(int type)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    (void)SelectDialType(*m, type);
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

void BM_Recalculate(benchmark::State& state)
{
    auto m = DialOfType(static_cast<int>(state.range(0)));
    RecordingHost host;
    for (auto _ : state)
        benchmark::DoNotOptimize(Recalculate(*m, host));
}

void BM_DrawConstruction(benchmark::State& state)
{
    auto m = DialOfType(static_cast<int>(state.range(0)));
    RecordingSurface errorSurface(400, 290);
    for (auto _ : state) {
        RecordingSurface surface(1920, 1080);
        DrawOptions options;
        options.errorSurface = &errorSurface;
        StoreDrawing(*m, m->drawing, DrawConstruction(*m, m->drawing, surface, options));
        benchmark::DoNotOptimize(surface.ops.data());
    }
}

/// One redraw as the window does it while the view changes: calculation and drawing.
void BM_RecalculateAndDraw(benchmark::State& state)
{
    auto m = DialOfType(static_cast<int>(state.range(0)));
    RecordingHost host;
    RecordingSurface errorSurface(400, 290);
    for (auto _ : state) {
        (void)Recalculate(*m, host);
        RecordingSurface surface(1920, 1080);
        DrawOptions options;
        options.errorSurface = &errorSurface;
        StoreDrawing(*m, m->drawing, DrawConstruction(*m, m->drawing, surface, options));
        benchmark::DoNotOptimize(surface.ops.data());
    }
}

void BM_PlotExport(benchmark::State& state)
{
    auto m = DialOfType(static_cast<int>(state.range(0)));
    RecordingHost host;
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteConstructionPlot(*m, host, {.axisOrZoom = 1.0}).text.size());
}

void BM_PlotAndDxfExport(benchmark::State& state)
{
    auto m = DialOfType(static_cast<int>(state.range(0)));
    RecordingHost host;
    for (auto _ : state) {
        const PlotResult plot = WriteConstructionPlot(*m, host, {.axisOrZoom = 1.0});
        benchmark::DoNotOptimize(ConvertHpglToDxf(plot.text).dxf.size());
    }
}

} // namespace

BENCHMARK(BM_Recalculate)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawConstruction)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecalculateAndDraw)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlotExport)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlotAndDxfExport)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
