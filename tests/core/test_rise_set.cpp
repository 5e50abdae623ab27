// Reading error of the rise/set marks, the Lambert circle and its radius check, and the controls that
// switch between the date scale and the split dial.

#include "core/driver.h"
#include "core/ephemeris.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "core/model.h"
#include "core/numeric.h"
#include "core/rise_set.h"
#include "core/split_dial_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

using namespace umbrix;

TEST(RiseSetError, TwentyFourPointsVanishingAtTheMarksDeclination)
{
    const RiseSetErrorCurve curve = ComputeRiseSetErrorCurve(47.25, 20.2);
    EXPECT_EQ(curve.points[0].declination, 1);
    EXPECT_EQ(curve.points[22].declination, 23);
    EXPECT_EQ(curve.points[23].declination, 23.44);
    double lo = 0, hi = 0;
    for (const RiseSetErrorPoint& p : curve.points) {
        lo = std::min(lo, p.error);
        hi = std::max(hi, p.error);
    }
    EXPECT_EQ(curve.maxError, hi);
    EXPECT_EQ(curve.minError, lo);
    // The marks are exact on the day whose declination they were made for (identity of the two angles:
    // cos^2 rho - sin^2 L = cos^2 L - sin^2 rho), and the error changes sign there.
    const RiseSetErrorCurve at20 = ComputeRiseSetErrorCurve(47.25, 20);
    EXPECT_NEAR(at20.points[19].error, 0, 1e-12);
    EXPECT_LT(at20.points[18].error * at20.points[20].error, 0);
    EXPECT_EQ(RiseSetMaxErrorText(at20), FormatFixed(5, 2, std::max(-at20.minError, at20.maxError)));
    EXPECT_TRUE(RiseSetErrorGraphDrawn(at20));
}

TEST(RiseSetError, WithoutARealMarkTheErrorIsTheSunriseDirection)
{
    // sin L / cos rho > 1: A1 = 0 and the error is -A2, the angle of the sunrise azimuth from north.
    // Second method for A2: the sun's azimuth at the sunrise hour angle from the spherical triangle.
    constexpr double kTolDeg = 1e-9;
    const RiseSetErrorCurve curve = ComputeRiseSetErrorCurve(60, 40);
    for (const RiseSetErrorPoint& p : curve.points) {
        const double h0 = std::acos(-std::tan(60 * degToRad) * std::tan(p.declination * degToRad)) / degToRad;
        const double azimuthFromSouth = HorizontalCoordinates(-h0, p.declination, 60).azimuthDeg;
        EXPECT_NEAR(p.error, -(180 - std::abs(azimuthFromSouth)), kTolDeg) << p.declination;
    }
    EXPECT_EQ(curve.maxError, 0);
}

TEST(RiseSetError, AFlatCurveIsNotDrawnAndNothingIsEverNaN)
{
    const RiseSetErrorCurve pole = ComputeRiseSetErrorCurve(90, 20.2); // every radicand below zero
    EXPECT_FALSE(RiseSetErrorGraphDrawn(pole));
    for (double rho : {90.0, -270.0, 1e9})
        for (const RiseSetErrorPoint& p : ComputeRiseSetErrorCurve(0.005, rho).points)
            EXPECT_TRUE(std::isfinite(p.error));
    Model model;
    InitDefaults(model);
    EXPECT_EQ(RiseSetErrorCurveOf(model.params).points[23].declination, 23.44);
    EXPECT_EQ(RiseSetErrorCurveOf(model.params).maxError, ComputeRiseSetErrorCurve(47.25, 20.2).maxError);
    // A calculation stores the curve of its parameters.
    RecordingHost host;
    (void)Recalculate(model, host);
    EXPECT_EQ(model.results.riseSetErrorCurve.minError, ComputeRiseSetErrorCurve(47.25, 20.2).minError);
}

TEST(LambertCircle, PassesThroughTheGnomonAndTheSunrisePoint)
{
    // Second method: distances from the centre (0, c - r) to (0, c) and to the sunrise point of the hour
    // ellipse at hour angle H0 (cos H0 = -tan L tan d). For the common dial both radii agree.
    constexpr double kTol = 1e-12;
    Model model;
    InitDefaults(model);
    const DialParameters& p = model.params;
    for (double decl : {-20.0, -3.0, 12.0, 23.4}) {
        const LambertCircleResult circle = LambertCircle(p, model.derived, decl, p.latitude, 90);
        ASSERT_TRUE(circle.valid) << decl;
        const double h0 = std::acos(-std::tan(p.latitude * degToRad) * std::tan(decl * degToRad));
        const double sx = -p.semiMajorAxis * std::sin(h0);
        const double sy = model.derived.semiMinorAxis * std::cos(h0);
        const double centreY = circle.c - circle.radius;
        EXPECT_NEAR(std::hypot(sx, sy - centreY), std::abs(circle.radius), kTol * 1e3 * std::abs(circle.radius));
        EXPECT_NEAR(circle.c, p.semiMajorAxis * std::cos(p.latitude * degToRad) * std::tan(decl * degToRad), kTol);
        EXPECT_FALSE(circle.radiiDiffer) << circle.radius << " " << circle.secondRadius;
    }
}

TEST(LambertCircle, InvalidDaysDrawNothing)
{
    Model model;
    InitDefaults(model);
    const DialParameters& p = model.params;
    DerivedGeometry g = model.derived;
    EXPECT_FALSE(LambertCircle(p, g, 0, p.latitude, 90).valid); // declination 0: a straight line
    EXPECT_FALSE(LambertCircle(p, g, -23, 70, 90).valid);       // polar night
    EXPECT_FALSE(LambertCircle(p, g, 23, 70, 90).valid);        // midnight sun
    // c = ys: zPlus90 = L puts the gnomon at c = 0, a semi-minor axis of 0 the sunrise point at ys = 0.
    g.semiMinorAxis = 0;
    EXPECT_FALSE(LambertCircle(p, g, 10, p.latitude, p.latitude).valid);
}

TEST(LambertCircle, DifferingRadiiAreReportedOncePerCalculation)
{
    Model model;
    InitDefaults(model);
    const DialParameters& p = model.params;
    DerivedGeometry g = model.derived;
    g.semiMinorAxis *= 0.9; // another ellipse than the common dial's: the two radii disagree
    const LambertCircleResult circle = LambertCircle(p, g, 15, p.latitude, 90);
    ASSERT_TRUE(circle.valid);
    ASSERT_TRUE(circle.radiiDiffer);
    RecordingHost host;
    EXPECT_TRUE(ReportRadiusCheck(model, host, circle));
    // The drawing hands that on; the driver keeps it for the rest of the calculation.
    DrawingOutcome drawn;
    drawn.radiusCheckReported = ReportRadiusCheck(model, host, circle);
    ASSERT_TRUE(drawn.radiusCheckReported); // not yet kept: shown again
    StoreDrawing(model, model.drawing, drawn);
    EXPECT_TRUE(model.results.radiusCheckReported);
    EXPECT_FALSE(ReportRadiusCheck(model, host, circle));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text,
              "Radien verschieden: " + FormatFixed(5, 2, circle.radius) + "/" + FormatFixed(5, 2, circle.secondRadius));
    EXPECT_EQ(host.messages[0].caption, "UMBRIX.EXE  -  Information!");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Question);
    (void)Recalculate(model, host); // a new calculation
    EXPECT_FALSE(model.results.radiusCheckReported);
    EXPECT_TRUE(ReportRadiusCheck(model, host, circle));
    EXPECT_EQ(host.messages.size(), 3u);
}

namespace {

const ControlState* Find(const std::vector<ControlState>& states, std::string_view name)
{
    for (const ControlState& s : states)
        if (s.name == name)
            return &s;
    return nullptr;
}

} // namespace

TEST(SplitDialControls, ChoosingTheSplitDialShowsItsPagesAndDisablesTheRiseSetMarks)
{
    Model model;
    InitDefaults(model);
    (void)SelectDialType(model, 6);
    const std::vector<ControlState> split = rgTypClick(model, 1, true);
    EXPECT_EQ(static_cast<int>(model.params.marksMode), 2);
    EXPECT_TRUE(model.state.doubleAnalemmaActive);
    for (auto name : {"tsSlope", "pSplit", "pFehler"})
        EXPECT_EQ(Find(split, name)->visible, true) << name;
    EXPECT_EQ(Find(split, "eRiseSet")->enabled, false);
    EXPECT_EQ(Find(split, "ChBRiseSet")->enabled, false);
    EXPECT_EQ(Find(split, "StrGridEin")->enabled, true);
    EXPECT_EQ(Find(split, "Label22")->fontColour, kColourBlack);
    EXPECT_EQ(model.grids.StrMittel.cell(0, 1), " max. Fehler");
    EXPECT_EQ(model.grids.StrMittel.cell(2, 0), "ab 12 ");

    const std::vector<ControlState> single = rgTypClick(model, 0, true);
    EXPECT_FALSE(model.state.doubleAnalemmaActive);
    EXPECT_EQ(Find(single, "tsSlope")->visible, false);
    EXPECT_EQ(Find(single, "rgMittelwert")->fontColour, kColourButtonShadow);
    EXPECT_TRUE(model.grids.StrMittel.cell(0, 1).empty());

    // Not from the group: the variant stays.
    (void)rgTypClick(model, 1, false);
    EXPECT_EQ(static_cast<int>(model.params.marksMode), 1);
}

TEST(SplitDialControls, TheLoopStatisticsTitlesAreWrittenInTheLanguageAsked)
{
    StringGrid grid(3, 4); // the year, the maximum, the mean and the spread below; morning and afternoon across
    WriteLoopStatisticsTitles(grid, StateFor(Language::English));
    EXPECT_EQ(grid.cell(0, 0), "   for the whole year");
    EXPECT_EQ(grid.cell(0, 1), " max. Error ");
    EXPECT_EQ(grid.cell(0, 2), " Absolute Error Average");
    EXPECT_EQ(grid.cell(0, 3), " Deviation");
    EXPECT_EQ(grid.cell(1, 0), " a.m.");
    EXPECT_EQ(grid.cell(2, 0), " p.m.");
    EXPECT_TRUE(grid.cell(1, 1).empty());
}

TEST(SplitDialControls, MethodHintsMarksPerMonthAndTableEntry)
{
    Model model;
    InitDefaults(model);
    std::vector<ControlState> s = rgMittelwertClick(model, 2);
    EXPECT_EQ(static_cast<int>(model.params.doubleAnalemmaMethod), 2);
    EXPECT_EQ(Find(s, "Label4")->text, "Stunden mit \"Fehlergewichtung\"");
    EXPECT_EQ(Find(s, "chbGenau")->enabled, true);
    s = rgMittelwertClick(model, 0);
    EXPECT_EQ(Find(s, "lOptimier")->visible, false);
    EXPECT_EQ(Find(s, "chbGenau")->enabled, false);

    (void)SelectDialType(model, 7);
    s = rgAnzahlClick(model, 3);
    EXPECT_EQ(model.params.marksPerMonth, 3);
    EXPECT_EQ(Find(s, "rgAnzahl")->item, 2);

    model.grids.StrGrid8.setCell(1, 1, "x");
    model.state.useDefaultHours = true;
    s = StrGridEinEnter(model);
    EXPECT_FALSE(model.state.useDefaultHours);
    EXPECT_TRUE(model.grids.StrGrid8.cell(1, 1).empty());
    EXPECT_EQ(Find(s, "rgDefault")->item, 1);
}
