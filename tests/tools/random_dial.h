#pragma once
// Seeded random parameter sets across every field's accepted range, applied through the same setters the
// window uses: for the robustness sweep and the renderer-agreement test.

#include "core/derived_geometry.h"
#include "core/input_panel.h"
#include "core/model.h"
#include "core/parameters.h"

#include <cmath>
#include <random>

namespace umbrix::test {

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
inline void DrawParameters(Model& m, ParameterDraw& draw)
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

} // namespace umbrix::test
