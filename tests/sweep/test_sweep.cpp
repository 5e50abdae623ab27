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

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>

using namespace umbrix;

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

class ParameterDraw {
public:
    explicit ParameterDraw(unsigned seed) : random_(seed) {}

    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random_); }
    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    bool coin() { return integer(0, 1) == 1; }

    /// A latitude from the whole range, with extra weight on the equator, the tropics and the poles.
    double latitude()
    {
        switch (integer(0, 5)) {
        case 0:
            return 0.005;
        case 1:
            return (coin() ? 1 : -1) * uniform(22, 25);
        case 2:
            return (coin() ? 1 : -1) * uniform(89, 89.99);
        default:
            return uniform(-89.99, 89.99);
        }
    }

    std::mt19937& engine() { return random_; }

private:
    std::mt19937 random_;
};

/// Applies a random but accepted parameter set through the same setters the window uses.
void DrawParameters(Model& m, ParameterDraw& draw)
{
    DialParameters& p = m.params;
    SharedState& s = m.state;
    p.marksMode = static_cast<MarksMode>(draw.integer(1, 2));
    p.doubleAnalemmaMethod = static_cast<DoubleAnalemmaMethod>(draw.integer(0, 4));
    (void)SelectDialType(m, draw.integer(0, 7));
    p.latitude = draw.latitude();
    p.longitude = draw.uniform(-195, 195);
    p.zoneMeridian = draw.uniform(-195, 195);
    if (p.dialType == DialType::InclinedPlane || p.dialType == DialType::InclinedPlaneGnomon)
        p.planeInclination = draw.uniform(-90, 110);
    if (p.dialType == DialType::InclinedPlane || p.dialType == DialType::VerticalDeclining)
        p.planeDeviation = draw.uniform(-180, 180);
    if (p.dialType == DialType::HorizontalTiltedGnomon || p.dialType == DialType::InclinedPlaneGnomon ||
        p.dialType == DialType::VerticalSouth || p.dialType == DialType::FixedGnomon)
        p.gnomonInclination = draw.uniform(p.dialType == DialType::FixedGnomon ? -70 : -150,
                                           p.dialType == DialType::FixedGnomon ? 70 : 150);
    if (p.dialType == DialType::HorizontalTiltedGnomon || p.dialType == DialType::FixedGnomon)
        p.gnomonDeviation = draw.uniform(-180, 180);
    if (p.dialType == DialType::VerticalDeclining)
        p.gnomonDeviation = p.planeDeviation;
    p.gnomonInclinationPlus90 = p.gnomonInclination + 90;
    p.gnomonHeight = draw.uniform(0.051, 10);
    // Log-uniform over the whole accepted range: as many garden dials as dials of a kilometre and more.
    p.semiMajorAxis = std::exp(draw.uniform(std::log(1.01), std::log(ParameterOf(Field::eHalb).bounds.hi)));
    p.riseSetDeclination = draw.uniform(-90, 90);
    (void)SetMarksPerMonthItem(m, draw.integer(0, 3));
    p.linesPerHour = static_cast<std::uint8_t>(draw.integer(1, 6));
    p.showZoneTime = draw.coin();
    p.year = draw.integer(1700, 2100);
    p.showLambertCircle = draw.coin();
    p.distanceZ = (draw.coin() ? 1 : -1) * draw.uniform(0.5, 30);
    s.hourFrom = static_cast<std::int16_t>(draw.integer(0, 20));
    s.hourTo = static_cast<std::int16_t>(draw.integer(5, 24));
    s.errorHourFrom = static_cast<std::int16_t>(draw.integer(4, 11));
    s.errorHourTo = static_cast<std::int16_t>(draw.integer(13, 21));
    s.shadowMonth = static_cast<std::int16_t>(draw.integer(1, 12));
    s.shadowDay = static_cast<std::int16_t>(draw.integer(1, 28));
    s.showShadowPath = draw.coin();
    s.markRiseSet = draw.coin();
    s.coordinatesAsXY = draw.coin();
    s.useDefaultHours = draw.coin();
    s.fineSearch = false; // the fine search only multiplies the same evaluations; it has its own tests
    const char* hours[] = {"8", "9.5", "10", "11", "13", "14.5", "16", "17.5", "x", ""};
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 4; ++r)
            m.grids.StrGridEin.setCell(c, r, hours[draw.integer(0, 9)]);
    // Z outside the date scale, as the field check keeps it.
    const double reach = DateScaleFactor(p) * p.semiMajorAxis;
    if (std::abs(p.distanceZ) <= reach)
        p.distanceZ = (p.distanceZ < 0 ? -1 : 1) * (reach + 0.01) * 1.5;
    RefreshAxes(m);
}

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
