// Fuzz target: any bytes (up to 8 KiB) as a configuration file whose parameters, once read, go through every
// output that needs no display: the true-size DXF, the setting-out CSV, the template's sheet layout, the
// analyses (design error, error budget, reach planner, correction table) and the construction at a scale.
// Nothing crashes, aborts or hangs, and no output holds a number that is not finite.

#include "cli/analysis_outputs.h"
#include "cli/cli_app.h"
#include "core/driver.h"
#include "core/host.h"
#include "export/config_file.h"
#include "export/true_size_dxf.h"
#include "graphics/construction_geometry.h"
#include "graphics/full_size_template.h"
#include "graphics/setting_out.h"
#include "graphics/true_scale.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kMaxInput = 8 * 1024; // a real configuration is under 2 KiB
    if (size > kMaxInput)
        return 0;
    static umbrix::Model* pristine = [] {
        auto* m = new umbrix::Model;
        umbrix::InitDefaults(*m);
        return m;
    }();
    static auto* model = new umbrix::Model;
    *model = *pristine;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const umbrix::ConfigurationRead read =
        umbrix::ReadConfigurationLines(*model, umbrix::SplitConfigurationLines(bytes));
    if (!read.dial)
        return 0;
    umbrix::ApplyConfiguredDial(*model, *read.dial);
    umbrix::RecordingHost host;
    if (umbrix::Recalculate(*model, host, umbrix::RecalcSource::None) != umbrix::kErrorNone)
        return 0;
    const umbrix::LengthUnit unit = model->params.lengthUnit;

    const umbrix::TrueSizeDxf dxf = umbrix::WriteTrueSizeDxf(*model, unit);
    Check(!dxf.ok || !umbrix::HoldsNonFiniteNumber(dxf.bytes));
    Check(!umbrix::HoldsNonFiniteNumber(umbrix::SettingOutCsv(umbrix::BuildSettingOutPlan(*model), unit)));

    const umbrix::ConstructionGeometry geometry = umbrix::BuildConstructionGeometry(*model);
    for (const umbrix::PaperSize paper : {umbrix::PaperSize::A4, umbrix::PaperSize::A3})
        Check(umbrix::LayoutTemplate(geometry.dial, umbrix::UnitSizeMm(unit), paper).sheets() >= 1);

    umbrix::AnalysisOptions options;
    options.accuracy = true;
    options.correction = true;
    umbrix::AnalysisOptions reach;
    reach.reach = true;
    options.reach = !umbrix::RefusedAnalysis(*model, reach); // the planner where the dial type has it
    const umbrix::AnalysisResults analyses = umbrix::ComputeAnalyses(*model, options);
    if (analyses.designError)
        Check(!umbrix::HoldsNonFiniteNumber(umbrix::AccuracyTableText(*model, *analyses.designError, true)));
    if (analyses.correction)
        Check(!umbrix::HoldsNonFiniteNumber(umbrix::CorrectionTableText(*model, *analyses.correction, true)));

    // The scale follows from the input's length, from full size to 1 : 10 000.
    const std::int64_t denominator = 1 + static_cast<std::int64_t>(size % 10000);
    const umbrix::TrueScaleSvg svg = umbrix::DrawTrueScaleSvg(*model, unit, denominator);
    Check(!svg.ok || !umbrix::HoldsNonFiniteNumber(svg.document));
    return 0;
}
