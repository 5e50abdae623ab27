// The dial in three dimensions: the frame of every dial type against the program's hour-point and
// date-scale formulas and against its shadow path, and the inversion of the hour curve along a ray.

#include "core/date_scale.h"
#include "core/derived_geometry.h"
#include "core/dial_geometry.h"
#include "core/ephemeris.h"
#include "core/hour_marks.h"
#include "core/input_panel.h"
#include "core/numeric.h"
#include "core/shadow_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace umbrix;

namespace {

constexpr double kGeometryTol = 1e-9; // dial units: the same geometry by two routes, agreement to rounding

/// A dial of the type with angles that make every term of its formulas count.
DialParameters DialOfType(int type)
{
    Model m;
    InitDefaults(m);
    (void)SelectDialType(m, type);
    DialParameters& p = m.params;
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::MeanTime:
        break;
    case DialType::HorizontalTiltedGnomon:
    case DialType::FixedGnomon:
        p.gnomonInclination = 20;
        p.gnomonDeviation = 15;
        break;
    case DialType::InclinedPlane:
        p.planeInclination = 20;
        p.planeDeviation = -30;
        break;
    case DialType::InclinedPlaneGnomon:
        p.planeInclination = 30;
        p.gnomonInclination = 10;
        break;
    case DialType::VerticalSouth:
        p.gnomonInclination = 60;
        break;
    case DialType::VerticalDeclining:
        p.planeDeviation = 25;
        p.gnomonDeviation = 25;
        break;
    }
    return p;
}

Vec3 Plus(Vec3 a, Vec3 b)
{
    return {a.east + b.east, a.north + b.north, a.up + b.up};
}

class FrameOfEveryType : public ::testing::TestWithParam<int> {};

std::string TypeName(const ::testing::TestParamInfo<int>& info)
{
    return "Type" + std::to_string(info.param);
}

} // namespace

// The hour ellipse is the projection of the equatorial circle along the gnomon, the date scale that of the
// polar axis: the frame reproduces the program's own hour-point and date-scale formulas.
TEST_P(FrameOfEveryType, ProjectsTheEquatorOntoTheHourMarksAndThePolarAxisOntoTheDateScale)
{
    const DialParameters p = DialOfType(GetParam());
    const std::optional<DialFrame> frame = DialFrameOf(p);
    ASSERT_TRUE(frame);
    const double a = p.semiMajorAxis;
    for (const double declDeg : {-23.44, -11.5, 8.0, 23.44}) {
        const double t = std::tan(declDeg * degToRad);
        const DialPoint foot = ProjectAlongGnomon(*frame, PolarAxisPoint(p.latitude, a * t));
        if (p.type() == DialType::MeanTime) {
            EXPECT_NEAR(foot.y, DateScalePosition(p, declDeg, 0).y, kGeometryTol); // x carries the equation of time
        } else {
            EXPECT_NEAR(foot.x, DateScalePosition(p, declDeg, 0).x, kGeometryTol) << declDeg;
            EXPECT_NEAR(foot.y, DateScalePosition(p, declDeg, 0).y, kGeometryTol) << declDeg;
        }
        for (const double hDeg : {-105.0, -60.0, -15.0, 0.0, 37.5, 90.0}) {
            const Vec3 c = EquatorialCirclePoint(hDeg, p.latitude, a);
            if (p.type() == DialType::FixedGnomon) {
                // A date line's ellipse: f (C / a - tan d p) projected, for its own scale f.
                const double f = FixedGnomonEllipseAxis(p, declDeg);
                const DialPoint expected = FixedHourMarkPosition(p, f, declDeg, hDeg);
                const DialPoint mark = ProjectAlongGnomon(
                    *frame, Plus(EquatorialCirclePoint(hDeg, p.latitude, f), PolarAxisPoint(p.latitude, -f * t)));
                EXPECT_NEAR(mark.x, expected.x, kGeometryTol);
                EXPECT_NEAR(mark.y, expected.y, kGeometryTol);
            } else {
                const DialPoint mark = ProjectAlongGnomon(*frame, c);
                EXPECT_NEAR(mark.x, HourMarkPosition(p, hDeg).x, kGeometryTol) << hDeg;
                EXPECT_NEAR(mark.y, HourMarkPosition(p, hDeg).y, kGeometryTol) << hDeg;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DialGeometry, FrameOfEveryType, ::testing::Range(0, kDialTypeCount), TypeName);

// Second method: the shadow path computes its tips with its own plane and gnomon formulas. The frame, the
// shadow of a gnomon of gnomonHeight from the foot the shadow path uses, must land on the same points.
TEST(DialGeometry, ShadowTipsAgreeWithTheShadowPath)
{
    for (const int type : {0, 1, 3, 4, 6, 7}) {
        Model m;
        InitDefaults(m);
        (void)SelectDialType(m, type);
        m.params = DialOfType(type);
        const std::optional<ShadowPathResult> path = ComputeShadowPath(m, 2015, 5, 1);
        ASSERT_TRUE(path.has_value());
        const DialParameters& p = m.params;
        const std::optional<DialFrame> frame = DialFrameOf(p);
        ASSERT_TRUE(frame);
        const double noonDecl =
            SunAltAzAt(2015, DayOfYear(2015, 5, 1), p.longitude, p.longitude, p.latitude, 12, false).declinationDeg;
        int compared = 0;
        for (int s = 1; s <= path->count; ++s) {
            const ShadowPoint& sample = path->points[static_cast<std::size_t>(s)];
            if (sample.x < kShadowPresentLimit)
                continue;
            const SunAltAzResult sun =
                SunAltAzAt(2015, DayOfYear(2015, 5, 1), p.longitude, p.longitude, p.latitude, sample.t, false);
            const double alt = sun.altitudeDeg * degToRad;
            const double az = sun.azimuthDeg * degToRad;
            const Vec3 s3{-std::sin(az) * std::cos(alt), -std::cos(az) * std::cos(alt), std::sin(alt)};
            const std::optional<ShadowGeometry> shadow = ShadowOnDial(*frame, s3);
            ASSERT_TRUE(shadow) << "type " << type << " at " << sample.t;
            // Where the shadow path puts the foot: the noon date line, the sample's own declination for types
            // 1 and 4, the centre for type 7.
            DialPoint foot = DateScalePosition(p, noonDecl, 0);
            if (p.type() == DialType::HorizontalTiltedGnomon || p.type() == DialType::VerticalSouth)
                foot = DateScalePosition(p, sun.declinationDeg, 0);
            if (p.type() == DialType::FixedGnomon)
                foot = {0, 0};
            if (p.type() == DialType::MeanTime)
                foot.x = 0;
            EXPECT_NEAR(foot.x + p.gnomonHeight * shadow->tip.x, sample.x, 1e-7) << "type " << type << " " << sample.t;
            EXPECT_NEAR(foot.y + p.gnomonHeight * shadow->tip.y, sample.y, 1e-7) << "type " << type << " " << sample.t;
            ++compared;
        }
        EXPECT_GT(compared, 20) << "type " << type;
    }
}

// The inversion on the unit circle: a ray from outside meets it twice, nearest first, a ray from the
// centre once; a flat curve or a null direction has no crossing.
TEST(DialGeometry, RayCrossingsOfTheHourCurve)
{
    const HourCurve circle{{0, 0}, {1, 0}, {0, 1}};
    const RayCrossings outside = CrossHourCurve(circle, {0, 2}, {0, -1});
    ASSERT_EQ(outside.count, 2);
    EXPECT_NEAR(outside.crossings[0].distance, 1, 1e-15);
    EXPECT_NEAR(outside.crossings[0].hourAngleDeg, 0, 1e-12);
    EXPECT_NEAR(outside.crossings[1].distance, 3, 1e-15);
    EXPECT_NEAR(std::abs(outside.crossings[1].hourAngleDeg), 180, 1e-12);

    const HourCurve ellipse{{0.5, -0.2}, {2.75, 0}, {0.3, 2.0}};
    const RayCrossings inside = CrossHourCurve(ellipse, {0.4, 0.1}, {-0.6, -0.8});
    ASSERT_EQ(inside.count, 1);
    const DialPoint hit = HourCurvePoint(ellipse, inside.crossings[0].hourAngleDeg);
    EXPECT_NEAR(hit.x, 0.4 - 0.6 * inside.crossings[0].distance, 1e-12);
    EXPECT_NEAR(hit.y, 0.1 - 0.8 * inside.crossings[0].distance, 1e-12);

    EXPECT_EQ(CrossHourCurve({{0, 0}, {1, 0}, {2, 0}}, {0, 0}, {0, 1}).count, 0);
    EXPECT_EQ(CrossHourCurve(circle, {0, 0}, {0, 0}).count, 0);
    EXPECT_EQ(CrossHourCurve(circle, {0, 2}, {1, 0}).count, 0);
}
