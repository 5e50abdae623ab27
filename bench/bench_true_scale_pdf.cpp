// Speed of the PDF documents of the true-scale outputs, Qt's PDF encoder included: the setting-out plan of
// the default dial, the full-size template of a 60 cm dial and that of a fixed-gnomon dial on 814 A3 sheets.

#include "core/driver.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "core/parameter_set.h"
#include "export/pdf_outputs.h"

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

/// A fixed-gnomon dial whose long Z distance spreads the construction over 814 A3 sheets: each sheet must
/// cost what lies on it, not the whole construction.
void TemplatePdfFixedGnomon814A3(benchmark::State& state)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    SetLanguage(*m, Language::English);
    (void)ConfigureInputPanel(*m);
    const SetOutcome set = SetParameters(
        *m, {{"dialType", "7"},           {"latitude", "49.863858"},          {"longitude", "1.20594"},
             {"zoneMeridian", "3.54401"}, {"gnomonInclination", "-42.47720"}, {"gnomonDeviation", "-85.05027"},
             {"gnomonHeight", "0.06"},    {"semiMajorAxis", "4.3727"},        {"year", "2005"},
             {"hourFrom", "9"},           {"hourTo", "13"},                   {"showZoneTime", "1"},
             {"distanceZ", "-1262.581"},  {"lengthUnit", "cm"}});
    if (set.status != SetStatus::Accepted) {
        state.SkipWithError("the dial's parameters were refused");
        return;
    }
    RecordingHost host;
    (void)Recalculate(*m, host);
    for (auto _ : state)
        benchmark::DoNotOptimize(TemplatePdf(*m, LengthUnit::Centimetre, {.paper = PaperSize::A3}).bytes.size());
}
BENCHMARK(TemplatePdfFixedGnomon814A3)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
