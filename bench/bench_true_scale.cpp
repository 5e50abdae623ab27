// Speed of the true-scale outputs for the default dial: the SVG at 1:50, the true-size DXF through dxflib
// (its temporary file included), the setting-out rows with their CSV, the plan's pages and the template's
// sheets drawn on a recording surface (the layout without the PDF encoder).

#include "core/driver.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "export/true_size_dxf.h"
#include "graphics/full_size_template.h"
#include "graphics/recording_surface.h"
#include "graphics/setting_out.h"
#include "graphics/setting_out_pages.h"
#include "graphics/true_scale.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace umbrix;

namespace {

std::unique_ptr<Model> Dial(double semiMajorAxis)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    m->params.semiMajorAxis = semiMajorAxis;
    m->params.gnomonHeight = semiMajorAxis * 1.7 / 2.75;
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

struct Pages : PageFlow {
    RecordingSurface surface{2970, 4200, 254};
    int count = 1;
    Surface& page() override { return surface; }
    bool NewPage() override
    {
        surface.clear();
        ++count;
        return true;
    }
};

void TrueScaleSvgAt50(benchmark::State& state)
{
    auto m = Dial(2.75);
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawTrueScaleSvg(*m, LengthUnit::Metre, 50).document.size());
}
BENCHMARK(TrueScaleSvgAt50)->Unit(benchmark::kMillisecond);

void TrueSizeDxf(benchmark::State& state)
{
    auto m = Dial(2.75);
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteTrueSizeDxf(*m, LengthUnit::Metre).bytes.size());
}
BENCHMARK(TrueSizeDxf)->Unit(benchmark::kMillisecond);

void SettingOutCsvRows(benchmark::State& state)
{
    auto m = Dial(2.75);
    for (auto _ : state)
        benchmark::DoNotOptimize(SettingOutCsv(BuildSettingOutPlan(*m), LengthUnit::Metre).size());
}
BENCHMARK(SettingOutCsvRows)->Unit(benchmark::kMillisecond);

void SettingOutPlanPages(benchmark::State& state)
{
    auto m = Dial(2.75);
    for (auto _ : state) {
        Pages pages;
        benchmark::DoNotOptimize(DrawSettingOutDocument(BuildSettingOutDocument(*m, LengthUnit::Metre, 2.0), pages));
        state.counters["pages"] = pages.count;
    }
}
BENCHMARK(SettingOutPlanPages)->Unit(benchmark::kMillisecond);

/// The template of the default dial (in cm: a = 2.75 cm is too small, so a = 20 and 60 cm).
void TemplateSheets(benchmark::State& state)
{
    auto m = Dial(static_cast<double>(state.range(0)));
    for (auto _ : state) {
        Pages pages;
        benchmark::DoNotOptimize(DrawTemplate(*m, LengthUnit::Centimetre, {}, pages));
        state.counters["pages"] = pages.count;
    }
}
BENCHMARK(TemplateSheets)->Arg(20)->Arg(60)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
