// Speed of the PDF documents of the true-scale outputs, Qt's PDF encoder included: the setting-out plan of
// the default dial and the full-size template of a 60 cm dial.

#include "core/driver.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "ui/print/true_scale_pdf.h"

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

void SettingOutPlanPdf(benchmark::State& state)
{
    auto m = Dial(2.75);
    const SettingOutDocument document = BuildSettingOutDocument(*m, LengthUnit::Metre, std::nullopt);
    for (auto _ : state)
        benchmark::DoNotOptimize(SettingOutPdf(document).bytes.size());
}
BENCHMARK(SettingOutPlanPdf)->Unit(benchmark::kMillisecond);

void TemplatePdf60cm(benchmark::State& state)
{
    auto m = Dial(60);
    for (auto _ : state)
        benchmark::DoNotOptimize(TemplatePdf(*m, LengthUnit::Centimetre, {}).bytes.size());
}
BENCHMARK(TemplatePdf60cm)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
