// Robustness sweep: seeded random parameter sets across every field's accepted range go through the whole
// chain - calculation, construction drawing, plot, DXF conversion - without a crash, a hang, or a value that
// is not finite in any table, grid, drawing operation or file. UMBRIX_SWEEP_COUNT sets the number of sets
// (5000 by default; `make soak` runs more).

#include "core/derived_geometry.h"
#include "core/driver.h"
#include "core/input_panel.h"
#include "core/parameters.h"
#include "export/hpgl_to_dxf.h"
#include "export/hpgl_writer.h"
#include "graphics/construction.h"
#include "graphics/recording_surface.h"
#include "tests/tools/random_dial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>

using namespace umbrix;
using umbrix::test::DrawParameters;
using umbrix::test::ParameterDraw;

namespace {

int SweepCount()
{
    const char* text = std::getenv("UMBRIX_SWEEP_COUNT");
    const int count = text ? std::atoi(text) : 0;
    return count > 0 ? count : 5000;
}

/// A host that only counts: the sweep cares that nothing breaks, not what is said.
struct CountingHost : Host {
    int messages = 0;
    void showMessage(std::string_view, std::string_view, MessageIcon) override { ++messages; }
    void progressBegin(int) override {}
    void progressStep() override {}
    void progressEnd() override {}
};

bool Finite(const tUmbrixPoint& pt)
{
    return std::isfinite(pt.declination) && std::isfinite(pt.equationOfTime) && std::isfinite(pt.x) &&
           std::isfinite(pt.y);
}

/// The first place a non-finite value or text shows, or empty.
std::string FirstNonFinite(const Model& m)
{
    const Results& r = m.results;
    for (const auto* table :
         {&r.dateMarks, &r.morningLoop, &r.afternoonLoop, &r.morningLoopOptimised, &r.afternoonLoopOptimised})
        for (const auto& pt : *table)
            if (!Finite(pt))
                return "loop/date table " + pt.label;
    for (const auto& hp : r.hourPoints)
        if (!std::isfinite(hp.x) || !std::isfinite(hp.y) || !std::isfinite(hp.time))
            return "hour points";
    for (const auto& sp : r.shadowPath)
        if (!std::isfinite(sp.x) || !std::isfinite(sp.y) || !std::isfinite(sp.t))
            return "shadow path";
    for (const auto& line : r.fixedHourPoints)
        for (const auto& fp : line)
            if (!std::isfinite(fp.x) || !std::isfinite(fp.y))
                return "fixed hour points";
    for (const auto& e : r.riseSetErrorCurve.points)
        if (!std::isfinite(e.error))
            return "rise/set error curve";
    if (!std::isfinite(r.riseSetPoint.x) || !std::isfinite(r.riseSetPoint.y))
        return "rise/set point";
    const Grids& g = m.grids;
    for (const StringGrid* grid :
         {&g.StrGridStd, &g.StrGridShad, &g.StrGridDat, &g.StrGrid8, &g.StrGrid8b, &g.StrGridEin, &g.StrMittel})
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int col = 0; col < grid->colCount(); ++col) {
                const std::string& cell = grid->cell(col, row);
                if (cell.find("NaN") != std::string::npos || cell.find("INF") != std::string::npos ||
                    cell.find("nan") != std::string::npos || cell.find("inf") != std::string::npos)
                    return "grid cell " + cell;
            }
    return {};
}

} // namespace

TEST(RobustnessSweep, RandomParameterSetsNeverBreakTheChain)
{
    const int count = SweepCount();
    ParameterDraw draw(20261208);
    int plotted = 0;
    for (int i = 0; i < count; ++i) {
        auto model = std::make_unique<Model>();
        InitDefaults(*model);
        DrawParameters(*model, draw);
        std::ostringstream where;
        where << "set " << i << ": type " << int(model->params.dialType) << " latitude " << model->params.latitude
              << " mode " << int(model->params.marksMode) << " method " << int(model->params.doubleAnalemmaMethod);

        CountingHost host;
        const std::uint8_t code = Recalculate(*model, host);
        ASSERT_EQ(FirstNonFinite(*model), "") << where.str();

        DrawingState state;
        RecordingSurface surface(1180, 674);
        RecordingSurface errorSurface(400, 240);
        DrawOptions options;
        options.errorSurface = &errorSurface;
        options.host = &host;
        StoreDrawing(*model, state, DrawConstruction(*model, state, surface, options));

        if (code == 0 && i % 4 == 0) { // the plot and its conversion for every fourth set
            ++plotted;
            PlotSettings settings;
            settings.axisOrZoom = draw.coin() ? 1.0 : 2.5;
            const PlotResult plot = WriteConstructionPlot(*model, host, settings);
            ASSERT_EQ(plot.text.find("nan"), std::string::npos) << where.str();
            ASSERT_EQ(plot.text.find('\n'), std::string::npos) << where.str();
            const DxfConversion dxf = ConvertHpglToDxf(plot.text);
            ASSERT_EQ(dxf.dxf.find("nan"), std::string::npos) << where.str();
            ASSERT_EQ(dxf.dxf.find("inf"), std::string::npos) << where.str();
        }
    }
    EXPECT_GT(plotted, 0);
}
