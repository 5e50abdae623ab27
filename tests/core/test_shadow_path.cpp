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

} // namespace

TEST(ShadowPath, SamplesRunTwoHoursBeyondTheHourRangeInQuarterHours)
{
    auto m = DefaultModel();
    m->state.hourFrom = 7;
    m->state.hourTo = 16;
    m->params.linesPerHour = 2;
    ComputeShadowPath(*m, 2015, 5, 1);
    const Results& r = m->results;
    EXPECT_EQ(r.shadowPathCount, 53);
    EXPECT_EQ(r.shadowPath[1].t, 5.0);
    EXPECT_EQ(r.shadowPath[2].t, 5.25);
    EXPECT_EQ(r.shadowPath[53].t, 18.0);
    EXPECT_EQ(r.shadowPath[54].t, -1.0);

    const StringGrid& g = m->grids.StrGridShad;
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
    ComputeShadowPath(*m, 2015, 5, 1);
    EXPECT_EQ(m->results.shadowPathCount, (21 - 5 + 4) * 5 + 1);
    const StringGrid& g = m->grids.StrGridShad;
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
    ComputeShadowPath(*m, 2015, 5, 1);
    EXPECT_EQ(m->results.shadowPathCount, 169);
    EXPECT_EQ(m->results.shadowPath[169].t, 26.0);
    EXPECT_EQ(m->grids.StrGridShad.cell(1, 57), " 26:00");
    EXPECT_EQ(m->grids.StrGridShad.cell(13, 56), " 25:50");
}

TEST(ShadowPath, NightSamplesHaveNoShadowAndShowStars)
{
    auto m = DefaultModel();
    ComputeShadowPath(*m, 2015, 5, 1);
    const ShadowPoint& night = m->results.shadowPath[1]; // 3:00
    EXPECT_EQ(night.x, kNoShadow);
    EXPECT_EQ(night.y, kNoShadow);
    EXPECT_EQ(m->grids.StrGridShad.cell(2, 1), "  *");
    EXPECT_EQ(m->grids.StrGridShad.cell(3, 1), "  *");
    const ShadowPoint& noon = m->results.shadowPath[(12 - 3) * 4 + 1];
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
    ComputeHourMarks(*m);
    ComputeShadowPath(*m, 2015, 6, 21);
    ComputeDateMark(*m, 1, 2015, 6, 21);
    const double footY = m->results.dateMarks[1].y;
    int compared = 0;
    for (int s = 1; s <= m->results.shadowPathCount; ++s) {
        const ShadowPoint& tip = m->results.shadowPath[s];
        if (!Present(tip))
            continue;
        for (int k = 1; k <= m->results.hourPointCount; ++k) {
            const HourPoint& mark = m->results.hourPoints[k];
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
    reference->params.dialType = 3;
    reference->params.gnomonInclination = 30;
    reference->params.planeInclination = 89.96; // just outside the guard band
    ComputeShadowPath(*reference, 2015, 6, 21);
    EXPECT_EQ(reference->params.planeInclination, 89.96);

    auto m = DefaultModel();
    m->params.dialType = 3;
    m->params.gnomonInclination = 30;
    m->params.planeInclination = 89.99;
    ComputeShadowPath(*m, 2015, 6, 21);
    EXPECT_EQ(m->params.planeInclination, 89.97);
    const int noon = (12 - 3) * 4 + 1;
    ASSERT_TRUE(Present(m->results.shadowPath[noon]));
    EXPECT_NEAR(m->results.shadowPath[noon].x, reference->results.shadowPath[noon].x, kNoonTol);
    EXPECT_NEAR(m->results.shadowPath[noon].y, reference->results.shadowPath[noon].y, kNoonTol);
    for (int s = 1; s <= m->results.shadowPathCount; ++s) {
        if (Present(m->results.shadowPath[s])) {
            EXPECT_LT(std::abs(m->results.shadowPath[s].y), 100.0) << s;
        }
    }

    m->params.planeInclination = 90.01;
    ComputeShadowPath(*m, 2015, 6, 21);
    EXPECT_EQ(m->params.planeInclination, 90.03);
}

TEST(ShadowPath, DialTypesTwoAndFiveLeaveTableAndGridUntouched)
{
    for (const int type : {2, 5}) {
        auto m = DefaultModel();
        m->params.dialType = static_cast<std::uint8_t>(type);
        m->grids.StrGridShad.setCell(2, 3, "kept");
        m->results.shadowPath[1] = {1.0, 2.0, 3.0};
        ComputeShadowPath(*m, 2015, 5, 1);
        EXPECT_EQ(m->grids.StrGridShad.cell(2, 3), "kept");
        EXPECT_EQ(m->grids.StrGridShad.cell(0, 0), "");
        EXPECT_EQ(m->results.shadowPath[1].t, 3.0);
        EXPECT_EQ(m->results.shadowPathCount, 0);
    }
}

TEST(ShadowPath, VerticalSouthDialHasNoShadowWithTheSunNearItsPlane)
{
    auto m = DefaultModel();
    m->params.dialType = 4;
    m->params.planeInclination = 89.995;
    m->params.gnomonInclination = 90;
    ComputeShadowPath(*m, 2015, 6, 21);
    const int dayOfYear = DayOfYear(2015, 6, 21);
    int present = 0;
    for (int s = 1; s <= m->results.shadowPathCount; ++s) {
        const ShadowPoint& p = m->results.shadowPath[s];
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
            m->params.dialType = static_cast<std::uint8_t>(type);
            m->params.latitude = c.latitude;
            RefreshAxes(*m);
            ComputeShadowPath(*m, 2015, c.month, 21);
            const Results& r = m->results;
            ASSERT_EQ(r.shadowPathCount, (21 - 5 + 4) * 4 + 1);
            int present = 0;
            for (int s = 1; s <= r.shadowPathCount; ++s)
                present += Present(r.shadowPath[s]) ? 1 : 0;
            EXPECT_EQ(present, c.sunUp ? r.shadowPathCount : 0) << c.latitude << " " << c.month << " type " << type;
            for (int row = 0; row < m->grids.StrGridShad.rowCount(); ++row)
                for (const std::string& cell : m->grids.StrGridShad.row(row))
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
