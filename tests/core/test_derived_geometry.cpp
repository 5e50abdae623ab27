// The geometry derived from the parameters: axes and extents per dial type, the guarded plane/gnomon
// cosine, the fixed gnomon's reach, and the driver that stores them.

#include "core/derived_geometry.h"
#include "core/driver.h"
#include "core/input_panel.h"
#include "core/numeric.h"
#include "tests/core/calculated_dial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace umbrix;

// Reference values worked out by hand from the ellipse of the horizontal dial:
// b = a sin L, extentY = max(b, a tan(eps) cos L).
TEST(DerivedGeometry, HorizontalDialWithVerticalGnomon)
{
    const auto m = DefaultDial();
    const double a = 2.75;
    const double L = 47.25 * degToRad;
    const double te = std::tan(m->state.obliquity * degToRad);
    const DerivedGeometry& g = m->derived;
    EXPECT_NEAR(g.semiMinorAxis, a * std::sin(L), 1e-12);
    EXPECT_NEAR(g.semiMinorAxis, 2.0193, 1e-4);
    EXPECT_EQ(g.extentX, a);
    EXPECT_NEAR(g.extentY, std::max(a * std::sin(L), a * te * std::cos(L)), 1e-12);
    EXPECT_EQ(g.cosPlaneGnomon, 1);
}

// Near the equator the date scale reaches farther north than the ellipse: extentY = a tan(eps) cos L.
TEST(DerivedGeometry, LowLatitudeExtentIsTheDateScale)
{
    DialParameters p;
    p.latitude = 10;
    const DerivedGeometry g = DeriveAxes(p, 23.44, 0);
    EXPECT_NEAR(g.semiMinorAxis, 2.75 * std::sin(10 * degToRad), 1e-12);
    EXPECT_NEAR(g.extentY, 2.75 * std::tan(23.44 * degToRad) * std::cos(10 * degToRad), 1e-12);
}

TEST(DerivedGeometry, GuardsTheCosineOfAGnomonLyingInThePlane)
{
    DialParameters p;
    p.dialType = DialType::InclinedPlaneGnomon;
    p.planeInclination = 60;
    p.gnomonInclination = -30; // 90 degrees between them
    const DerivedGeometry g = DeriveAxes(p, 23.44, 0);
    EXPECT_NEAR(std::abs(g.cosPlaneGnomon), 1.5e-5, 1e-5);
    EXPECT_GE(std::abs(g.cosPlaneGnomon), 0.5 * kPlaneGnomonCosineGuard);
    // The drawing's scale fit keeps the cosine only a hundred times closer to zero.
    EXPECT_GE(std::abs(g.drawingScaleCosine), 0.5 * kDrawingScaleCosineGuard);
    EXPECT_LT(std::abs(g.drawingScaleCosine), 1e-5);
}

TEST(DerivedGeometry, BothCosinesAgreeAwayFromTheGuards)
{
    DialParameters p;
    p.dialType = DialType::InclinedPlaneGnomon;
    p.planeInclination = 30;
    p.gnomonInclination = 10;
    const DerivedGeometry g = DeriveAxes(p, 23.44, 0);
    EXPECT_EQ(g.cosPlaneGnomon, std::cos(20 * degToRad));
    EXPECT_EQ(g.drawingScaleCosine, g.cosPlaneGnomon);
}

TEST(DerivedGeometry, FixedGnomonUsesTheLargestEllipse)
{
    const auto m = DefaultDial();
    (void)SelectDialType(*m, 7);
    // Z at -3 (south), vertical gnomon: the winter-solstice ellipse is the largest,
    // a |Zd| / (|Zd| - tan(eps_r) cos L a) = 3.765, larger than a itself.
    const double expected = 2.75 * 3 / (3 - std::tan(23.44 * degToRad) * std::cos(47.25 * degToRad) * 2.75);
    EXPECT_NEAR(m->derived.fixedGnomonReach, expected, 1e-12);
    EXPECT_NEAR(expected, 3.765, 1e-3);
    EXPECT_EQ(m->derived.extentX, m->derived.fixedGnomonReach);
    // Z on the north side gives the same reach at the summer solstice.
    m->params.distanceZ = 3;
    EXPECT_NEAR(FixedGnomonReach(m->params, m->state.roundedObliquity), expected, 1e-12);
}

TEST(DerivedGeometry, TheAxesKeepAReachDerivedEarlier)
{
    DialParameters p;
    p.dialType = DialType::FixedGnomon;
    const DerivedGeometry fresh = DeriveGeometry(p, 23.44, 23.44);
    const DerivedGeometry kept = DeriveAxes(p, 23.44, 5.0);
    EXPECT_EQ(kept.fixedGnomonReach, 5.0);
    EXPECT_EQ(kept.extentX, 5.0);
    EXPECT_EQ(fresh.extentX, fresh.fixedGnomonReach);
    EXPECT_EQ(fresh.fixedGnomonReach, FixedGnomonReach(p, 23.44));
}

TEST(DerivedGeometryDriver, AFieldChangeStoresTheGeometryOfTheNewParameters)
{
    const auto m = DefaultDial();
    ASSERT_TRUE(ValidateField(*m, Field::eBreit, "30", true).accepted);
    const DerivedGeometry expected = DeriveGeometry(m->params, m->state.obliquity, m->state.roundedObliquity);
    EXPECT_EQ(m->derived.semiMinorAxis, expected.semiMinorAxis);
    EXPECT_NEAR(m->derived.semiMinorAxis, 2.75 * 0.5, 1e-12);
    EXPECT_EQ(m->derived.fixedGnomonReach, expected.fixedGnomonReach);
}

// The obliquity changes with every sun position: after a calculation the extents belong to the
// obliquity the calculation left, whatever was drawn.
TEST(DerivedGeometryDriver, ACalculationLeavesTheGeometryOfItsLastObliquity)
{
    const auto m = DefaultDial();
    m->params.latitude = 10; // the extent depends on the obliquity
    RecordingHost host;
    (void)Recalculate(*m, host);
    const DerivedGeometry expected = DeriveAxes(m->params, m->state.obliquity, m->derived.fixedGnomonReach);
    EXPECT_EQ(m->derived.extentY, expected.extentY);
    EXPECT_EQ(m->derived.cosPlaneGnomon, expected.cosPlaneGnomon);
}
