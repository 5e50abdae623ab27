// Shadow path: sampling, listing, the samples without shadow, the plane guard, and the geometry against
// the hour marks.

#include "core/date_scale.h"
#include "core/driver.h"
#include "core/ephemeris.h"
#include "core/hour_marks.h"
#include "core/shadow_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <utility>

using namespace umbrix;

namespace {

std::unique_ptr<Model> DefaultModel()
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    return m;
}

bool Present(const ShadowPoint& p)
{
    return p.x >= kShadowPresentLimit || p.y >= kShadowPresentLimit;
}

/// The shadow path of a dial type that has one.
ShadowPathResult PathOf(const Model& m, int year, int month, int day)
{
    const std::optional<ShadowPathResult> path = ComputeShadowPath(m, year, month, day);
    EXPECT_TRUE(path.has_value());
    return path.value_or(ShadowPathResult{});
}

} // namespace

TEST(ShadowPath, SamplesRunTwoHoursBeyondTheHourRangeInQuarterHours)
{
    auto m = DefaultModel();
    m->state.hourFrom = 7;
    m->state.hourTo = 16;
    m->params.linesPerHour = 2;
    const ShadowPathResult r = PathOf(*m, 2015, 5, 1);
    EXPECT_EQ(r.count, 53);
    EXPECT_EQ(r.points[1].t, 5.0);
    EXPECT_EQ(r.points[2].t, 5.25);
    EXPECT_EQ(r.points[53].t, 18.0);
    EXPECT_EQ(r.points[54].t, -1.0);

    const StringGrid& g = r.listing;
    EXPECT_EQ(g.row(0), (std::vector<std::string>{" Nr. ", "Zeit", "  x  ", "  y  ", "", "Zeit", "  x  ", "  y  ", "",
                                                  "Zeit", "  x  ", "  y  ", "", "Zeit", "  x  ", "  y  "}));
    EXPECT_EQ(g.cell(1, 1), "  5:00");
    EXPECT_EQ(g.cell(5, 1), "  5:15");
    EXPECT_EQ(g.cell(13, 1), "  5:45");
    EXPECT_EQ(g.cell(1, 14), " 18:00");
    EXPECT_EQ(g.cell(5, 14), "");
    EXPECT_EQ(g.cell(1, 15), "");
}

TEST(ShadowPath, FiveSamplesPerHourUseTwoRows)
{
    auto m = DefaultModel();
    m->params.linesPerHour = 5;
    const ShadowPathResult r = PathOf(*m, 2015, 5, 1);
    EXPECT_EQ(r.count, (21 - 5 + 4) * 5 + 1);
    const StringGrid& g = r.listing;
    EXPECT_EQ(g.cell(1, 1), "  3:00");
    EXPECT_EQ(g.cell(5, 1), "  3:12");
    EXPECT_EQ(g.cell(13, 1), "  3:36");
    EXPECT_EQ(g.cell(9, 2), "  3:48");
    EXPECT_EQ(g.cell(1, 2), "");
    EXPECT_EQ(g.cell(1, 3), "  4:00");
}

TEST(ShadowPath, WidestSamplingFitsTheTable)
{
    auto m = DefaultModel();
    m->state.hourFrom = 0;
    m->state.hourTo = 24;
    m->params.linesPerHour = 6;
    const ShadowPathResult r = PathOf(*m, 2015, 5, 1);
    EXPECT_EQ(r.count, 169);
    EXPECT_EQ(r.points[169].t, 26.0);
    EXPECT_EQ(r.listing.cell(1, 57), " 26:00");
    EXPECT_EQ(r.listing.cell(13, 56), " 25:50");
}

TEST(ShadowPath, NightSamplesHaveNoShadowAndShowStars)
{
    auto m = DefaultModel();
    const ShadowPathResult r = PathOf(*m, 2015, 5, 1);
    const ShadowPoint& night = r.points[1]; // 3:00
    EXPECT_EQ(night.x, kNoShadow);
    EXPECT_EQ(night.y, kNoShadow);
    EXPECT_EQ(r.listing.cell(2, 1), "  *");
    EXPECT_EQ(r.listing.cell(3, 1), "  *");
    const ShadowPoint& noon = r.points[(12 - 3) * 4 + 1];
    EXPECT_EQ(noon.t, 12.0);
    EXPECT_TRUE(Present(noon));
}

// Second method: on an analemmatic dial the shadow of a vertical gnomon standing on its date mark passes
// through the hour mark of the same hour angle. With zone time the hour marks and the sampled sun share
// the hour angle (T - 12) 15 + (zoneMeridian - longitude); near the solstice the declination hardly moves
// during the day, so the bearings agree closely.
TEST(ShadowPath, CommonDialShadowPointsAtTheHourMark)
{
    constexpr double kBearingTolDeg = 0.01; // half a millimetre at the rim of a 2.75 m dial
    auto m = DefaultModel();
    m->params.showZoneTime = true;
    const HourMarksResult marks = ComputeHourMarks(*m);
    const ShadowPathResult path = PathOf(*m, 2015, 6, 21);
    const double footY = ComputeDateMark(m->params, m->state, 2015, 6, 21).mark.y;
    int compared = 0;
    for (int s = 1; s <= path.count; ++s) {
        const ShadowPoint& tip = path.points[s];
        if (!Present(tip))
            continue;
        for (int k = 1; k <= marks.count; ++k) {
            const HourPoint& mark = marks.points[k];
            if (mark.time != tip.t)
                continue;
            const double shadowBearing = std::atan2(tip.x, tip.y - footY) / 0.0174532925199433;
            const double markBearing = std::atan2(mark.x, mark.y - footY) / 0.0174532925199433;
            EXPECT_NEAR(shadowBearing, markBearing, kBearingTolDeg) << tip.t;
            ++compared;
        }
    }
    EXPECT_GT(compared, 20);
}

TEST(ShadowPath, NearlyVerticalPlaneIsMovedToTheEdgeOfTheGuardBand)
{
    constexpr double kNoonTol = 0.01; // 1 cm on a 2.75 m dial for a 0.03-degree change of the plane
    auto reference = DefaultModel();
    reference->params.dialType = DialType::InclinedPlaneGnomon;
    reference->params.gnomonInclination = 30;
    reference->params.planeInclination = 89.96; // just outside the guard band
    const ShadowPathResult outside = PathOf(*reference, 2015, 6, 21);

    auto m = DefaultModel();
    m->params.dialType = DialType::InclinedPlaneGnomon;
    m->params.gnomonInclination = 30;
    m->params.planeInclination = 89.99;
    const ShadowPathResult inside = PathOf(*m, 2015, 6, 21);
    EXPECT_EQ(m->params.planeInclination, 89.99); // the computation leaves the parameters alone
    const int noon = (12 - 3) * 4 + 1;
    ASSERT_TRUE(Present(inside.points[noon]));
    EXPECT_NEAR(inside.points[noon].x, outside.points[noon].x, kNoonTol);
    EXPECT_NEAR(inside.points[noon].y, outside.points[noon].y, kNoonTol);
    for (int s = 1; s <= inside.count; ++s) {
        if (Present(inside.points[s])) {
            EXPECT_LT(std::abs(inside.points[s].y), 100.0) << s;
        }
    }
    m->params.planeInclination = 89.97;
    EXPECT_EQ(PathOf(*m, 2015, 6, 21).points[noon].y, inside.points[noon].y);

    // The driver keeps the inclination the path was computed with, on either side of the vertical.
    RecordingHost host;
    Redraw none;
    for (const auto& [entered, kept] : {std::pair{89.96, 89.96}, {89.99, 89.97}, {90.01, 90.03}}) {
        m->params.planeInclination = entered;
        RecalculateHourMarks(*m, host, RecalcSource::None, none);
        EXPECT_EQ(m->params.planeInclination, kept) << entered;
    }
}

TEST(ShadowPath, TheDriverStoresThePathOfTheShadowDateButNotItsObliquity)
{
    auto m = DefaultModel();
    RecordingHost host;
    Redraw none;
    RecalculateHourMarks(*m, host, RecalcSource::None, none);
    const ShadowPathResult path = PathOf(*m, m->params.year, m->state.shadowMonth, m->state.shadowDay);
    EXPECT_EQ(m->results.shadowPathCount, path.count);
    EXPECT_EQ(m->results.shadowPath[30].x, path.points[30].x);
    EXPECT_EQ(m->grids.StrGridShad.row(9), path.listing.row(9));
    EXPECT_NE(m->state.obliquity, path.obliquityDeg);
    EXPECT_EQ(m->state.obliquity, DesignYearObliquity(m->params.year));
}

TEST(ShadowPath, DialTypesTwoAndFiveLeaveTableAndGridUntouched)
{
    for (const int type : {2, 5}) {
        auto m = DefaultModel();
        m->params.dialType = static_cast<DialType>(type);
        m->grids.StrGridShad.setCell(2, 3, "kept");
        m->results.shadowPath[1] = {1.0, 2.0, 3.0};
        EXPECT_FALSE(ComputeShadowPath(*m, 2015, 5, 1).has_value());
        RecordingHost host;
        Redraw none;
        RecalculateHourMarks(*m, host, RecalcSource::None, none);
        EXPECT_EQ(m->grids.StrGridShad.cell(2, 3), "kept");
        EXPECT_EQ(m->grids.StrGridShad.cell(0, 0), "");
        EXPECT_EQ(m->results.shadowPath[1].t, 3.0);
        EXPECT_EQ(m->results.shadowPathCount, 0);
    }
}

TEST(ShadowPath, VerticalSouthDialHasNoShadowWithTheSunNearItsPlane)
{
    auto m = DefaultModel();
    m->params.dialType = DialType::VerticalSouth;
    m->params.planeInclination = 89.995;
    m->params.gnomonInclination = 90;
    const ShadowPathResult path = PathOf(*m, 2015, 6, 21);
    const int dayOfYear = DayOfYear(2015, 6, 21);
    int present = 0;
    for (int s = 1; s <= path.count; ++s) {
        const ShadowPoint& p = path.points[s];
        const SunAltAzResult sun = SunAltAzAt(2015, dayOfYear, -9.59, -9.59, 47.25, p.t, false);
        if (std::abs(sun.azimuthDeg) >= 87) {
            EXPECT_FALSE(Present(p)) << p.t;
        }
        if (Present(p)) {
            ++present;
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        }
    }
    EXPECT_GT(present, 10);
}

// Beyond the polar circles around the solstices the sun stays up (or down) all day: at 70 degrees on
// 21 June its lowest altitude is 70 - 90 + 23.44 = 3.4 degrees, at 89.9 it circles at 23.3 degrees. Every
// sample of such a day casts a shadow; on the opposite solstice none does. Nothing is reported either way.
TEST(ShadowPath, PolarDayHasAShadowAtEverySampleAndPolarNightNone)
{
    struct PolarCase {
        double latitude;
        int month; // 6 or 12
        bool sunUp;
    };
    for (const PolarCase c :
         {PolarCase{70, 6, true}, PolarCase{-70, 12, true}, PolarCase{89.9, 6, true}, PolarCase{-89.9, 12, true},
          PolarCase{70, 12, false}, PolarCase{-70, 6, false}, PolarCase{89.9, 12, false}, PolarCase{-89.9, 6, false}}) {
        for (int type : {0, 1, 6, 7}) {
            auto m = DefaultModel();
            m->params.dialType = static_cast<DialType>(type);
            m->params.latitude = c.latitude;
            RefreshAxes(*m);
            const ShadowPathResult r = PathOf(*m, 2015, c.month, 21);
            ASSERT_EQ(r.count, (21 - 5 + 4) * 4 + 1);
            int present = 0;
            for (int s = 1; s <= r.count; ++s)
                present += Present(r.points[s]) ? 1 : 0;
            EXPECT_EQ(present, c.sunUp ? r.count : 0) << c.latitude << " " << c.month << " type " << type;
            for (int row = 0; row < r.listing.rowCount(); ++row)
                for (const std::string& cell : r.listing.row(row))
                    EXPECT_EQ(cell.find("NaN"), std::string::npos) << c.latitude << " " << c.month;
        }
    }
}

// Hand computation: at the equator on the equinox the day is 12 h; at 47.25 N on the summer solstice the
// half day arc is 180 - 62.0286 = 117.9714 degrees = 7.86476 h. A sun that never sets is up 12 h either side
// of noon, one that never rises 0 h.
TEST(HalfDayLength, HandValuesAndPolarCases)
{
    constexpr double kHoursTol = 1e-4; // 0.4 s
    EXPECT_NEAR(HalfDayLength(0, 0), 6.0, 1e-12);
    EXPECT_NEAR(HalfDayLength(47.25, 23.44), 7.86476, kHoursTol);
    EXPECT_NEAR(HalfDayLength(47.25, -23.44), 12 - 7.86476, kHoursTol);
    EXPECT_EQ(HalfDayLength(80, 23.44), 12.0);
    EXPECT_EQ(HalfDayLength(-80, -23.44), 12.0);
    EXPECT_EQ(HalfDayLength(80, -23.44), 0.0);
    EXPECT_EQ(HalfDayLength(-80, 23.44), 0.0);
    EXPECT_EQ(HalfDayLength(89.9999999, 0.001), 12.0);
    EXPECT_NEAR(HalfDayLength(90, 0), 6.0, 1e-9); // guarded tangent at the pole, sun on the horizon
}
