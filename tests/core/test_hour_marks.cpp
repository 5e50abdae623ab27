// Hour marks on the ellipse (types 0 to 6), the dial with a fixed gnomon (type 7), the hour table and the
// rise/set point.

#include "core/derived_geometry.h"
#include "core/driver.h"
#include "core/hour_marks.h"
#include "core/model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using namespace umbrix;

namespace {

std::unique_ptr<Model> DefaultModel()
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    return m;
}

constexpr double kGeometryTol = 1e-9; // pure geometry: agreement to rounding

/// A cell of the hour listing.
std::string TimeCell(const StringGrid& listing, int col, int row)
{
    return listing.cell(col, row);
}

} // namespace

// The classic horizontal dial: at apparent noon the mark is at the end of the minor axis, b = a sin L;
// at 6:00 at the west end of the major axis.
TEST(HourMarks, CommonDialNoonAndSixOClock)
{
    auto m = DefaultModel();
    HourMarksResult r = ComputeHourMarks(*m);
    const HourPoint& six = r.points[3]; // 5:00, 5:30, 6:00
    EXPECT_EQ(six.time, 6.0);
    EXPECT_NEAR(six.x, -2.75, kGeometryTol);
    EXPECT_NEAR(six.y, 0.0, kGeometryTol);
    const HourPoint& noon = r.points[15];
    EXPECT_EQ(noon.time, 12.0);
    EXPECT_NEAR(noon.x, 0.0, kGeometryTol);
    EXPECT_NEAR(noon.y, 2.0193869009, 1e-9); // 2.75 sin 47.25 deg
    EXPECT_EQ(r.listing.cell(1, 8), " 12:00");
    EXPECT_EQ(r.listing.cell(3, 8), "  2.019");
}

TEST(HourMarks, TwoLinesPerHourFromFiveToTwentyOne)
{
    auto m = DefaultModel();
    HourMarksResult r = ComputeHourMarks(*m);
    EXPECT_EQ(r.count, 33);
    EXPECT_EQ(r.points[33].time, 21.0);
    const StringGrid& g = r.listing;
    EXPECT_EQ(g.row(0),
              (std::vector<std::string>{" Nr. ", "Zeit", "   x   ", "   y   ", "", "Zeit", "   x   ", "   y   ", "",
                                        "Zeit", "   x   ", "   y   ", "", "Zeit", "   x   ", "   y   "}));
    EXPECT_EQ(g.cell(1, 1), "  5:00");
    EXPECT_EQ(g.cell(5, 1), "  5:30");
    EXPECT_EQ(g.cell(1, 17), " 21:00");
    EXPECT_EQ(g.cell(5, 17), ""); // the last hour has its full hour only
    EXPECT_EQ(g.cell(1, 18), "");
    EXPECT_EQ(g.cell(2, 2), " -2.750");
}

TEST(HourMarks, FiveAndSixLinesPerHourUseTwoRowsPerHour)
{
    auto m = DefaultModel();
    m->params.linesPerHour = 5;
    HourMarksResult r = ComputeHourMarks(*m);
    EXPECT_EQ(TimeCell(r.listing, 1, 1), "  5:00");
    EXPECT_EQ(TimeCell(r.listing, 5, 1), "  5:12");
    EXPECT_EQ(TimeCell(r.listing, 13, 1), "  5:36");
    EXPECT_EQ(TimeCell(r.listing, 9, 2), "  5:48"); // mark 5 in columns 9 to 11 of the hour's second row
    EXPECT_EQ(TimeCell(r.listing, 1, 2), "");
    EXPECT_EQ(TimeCell(r.listing, 13, 2), "");
    EXPECT_EQ(TimeCell(r.listing, 1, 3), "  6:00");
    EXPECT_EQ(r.count, 16 * 5 + 1);

    m->params.linesPerHour = 6;
    r = ComputeHourMarks(*m);
    EXPECT_EQ(TimeCell(r.listing, 9, 2), "  5:40");
    EXPECT_EQ(TimeCell(r.listing, 13, 2), "  5:50");

    m->params.linesPerHour = 4;
    r = ComputeHourMarks(*m);
    EXPECT_EQ(TimeCell(r.listing, 13, 1), "  5:45");
    EXPECT_EQ(TimeCell(r.listing, 1, 2), "  6:00");
}

TEST(HourMarks, WidestRangeFillsAllSlotsAndListsWhatTheGridHolds)
{
    auto m = DefaultModel();
    m->state.hourFrom = 0;
    m->state.hourTo = 24;
    m->params.linesPerHour = 6;
    HourMarksResult r = ComputeHourMarks(*m);
    EXPECT_EQ(r.count, 145);
    EXPECT_EQ(r.points[145].time, 24.0);
    EXPECT_EQ(TimeCell(r.listing, 1, 41), " 20:00"); // row 41 is the last one shown
}

// Zone time at longitude 9.59 E with zone meridian 15 E: at 12:00 zone time the mean sun has not yet
// reached the site's meridian, H = -5.41 degrees.
TEST(HourMarks, ZoneTimeShiftsTheMarksByTheLongitudeDifference)
{
    auto m = DefaultModel();
    m->params.showZoneTime = true;
    HourMarksResult r = ComputeHourMarks(*m);
    const HourPoint& noon = r.points[15];
    EXPECT_NEAR(noon.x, 2.75 * std::sin(-5.41 * 0.0174532925199433), kGeometryTol);
    EXPECT_NEAR(noon.x, -0.259276, 1e-6);
    EXPECT_NEAR(noon.y, 2.010392, 1e-6);
}

TEST(HourMarks, DistancesToTheEndsOfTheMinorAxis)
{
    auto m = DefaultModel();
    m->state.coordinatesAsXY = false;
    HourMarksResult r = ComputeHourMarks(*m);
    const StringGrid& g = r.listing;
    EXPECT_EQ(g.cell(2, 0), "  d1   ");
    EXPECT_EQ(g.cell(3, 0), "  d2   ");
    // 6:00 lies on the major axis: both tapes have the same length, sqrt(a^2 + b^2) = 3.412.
    EXPECT_EQ(g.cell(2, 2), g.cell(3, 2));
    EXPECT_EQ(g.cell(2, 2), "  3.412");
    // Noon is the north end of the minor axis: 0 and 2 b.
    EXPECT_EQ(g.cell(2, 8), "  0.000");
    EXPECT_EQ(g.cell(3, 8), "  4.039");
}

TEST(RiseSetPoint, DefaultsHandComputedAndLabel)
{
    // q = sin 47.25 / cos 20.2 = 0.78245; x = sqrt(1 - q^2) a cos 47.25 = 1.16242; y = a cos 47.25 tan 20.2.
    auto m = DefaultModel();
    HourMarksResult r = ComputeHourMarks(*m);
    EXPECT_NEAR(r.riseSetPoint.x, 1.162424, 1e-6);
    EXPECT_NEAR(r.riseSetPoint.y, 0.686813, 1e-6);
    EXPECT_TRUE(r.riseSetPointReal);
    EXPECT_EQ(r.riseSetLabel, "(\u00b1 1.162/0.00)");
}

TEST(RiseSetPoint, NoRealPositionGivesZeroAndAnEmptyLabel)
{
    auto m = DefaultModel();
    m->params.latitude = 80; // sin 80 > cos 20.2
    HourMarksResult r = ComputeHourMarks(*m);
    EXPECT_FALSE(r.riseSetPointReal);
    EXPECT_EQ(r.riseSetPoint.x, 0.0);
    EXPECT_TRUE(std::isfinite(r.riseSetPoint.y));
    EXPECT_EQ(r.riseSetLabel, "");

    m->params.latitude = 47.25;
    m->params.riseSetDeclination = 0;
    r = ComputeHourMarks(*m);
    EXPECT_EQ(m->params.riseSetDeclination, 0.0); // the computation leaves the parameters alone
    EXPECT_GT(r.riseSetPoint.y, 0.0);             // the marks of 1e-9 degrees, just north of the centre line

    // The driver keeps the declination the marks were computed with, and stores the marks.
    RecordingHost host;
    Redraw none;
    RecalculateHourMarks(*m, host, RecalcSource::None, none);
    EXPECT_EQ(m->params.riseSetDeclination, 1e-9);
    EXPECT_EQ(m->results.riseSetPoint.y, r.riseSetPoint.y);
    EXPECT_EQ(m->results.hourPointCount, r.count);
    EXPECT_EQ(m->results.hourPoints[7].x, r.points[7].x);
    EXPECT_EQ(m->grids.StrGridStd.row(4), r.listing.row(4));
    EXPECT_EQ(m->grids.lKoordAufUnter, r.riseSetLabel);
}

TEST(HourMarks, VerticalSouthDialStaysFiniteWithAVerticalGnomon)
{
    auto m = DefaultModel();
    m->params.dialType = DialType::VerticalSouth;
    m->params.planeInclination = 89.995;
    m->params.gnomonInclination = 0;
    HourMarksResult r = ComputeHourMarks(*m);
    for (int k = 1; k <= r.count; ++k)
        EXPECT_TRUE(std::isfinite(r.points[k].y)) << k;
}

TEST(FixedGnomon, SixMarksPerMonthUseNineteenLinesAndListLineThree)
{
    auto m = DefaultModel();
    m->params.dialType = DialType::FixedGnomon;
    m->params.marksPerMonth = 6;
    auto f = std::make_unique<FixedGnomonMarksResult>(ComputeFixedGnomonMarks(*m));
    EXPECT_EQ(f->lineCount, 19);
    EXPECT_EQ(f->pointCount, 15 * 6 + 1);
    const FixedHourPoint& first = f->points[3][1];
    EXPECT_EQ(first.hourAngle, -105.0); // 5:00
    const StringGrid& g = f->listing;
    EXPECT_EQ(g.cell(1, 1), " -7:00");
    EXPECT_EQ(g.cell(5, 1), " -6:50");
    EXPECT_EQ(g.cell(9, 2), " -6:20");
    EXPECT_EQ(g.cell(1, 5), " -5:00"); // 7 o'clock
    EXPECT_NE(g.cell(2, 1), "");
    EXPECT_EQ(g.cell(1, 31), "  8:00"); // 20:00, the last hour index, with one mark
    EXPECT_EQ(g.cell(5, 31), "");
}

// Hand computation: the equinox line (declination 0) has the scale of the hour ellipse itself, a; its half
// day arc is 90 degrees. At the winter solstice at 47.25 N: arccos(tan 23.44 tan 47.25) = 62.03 degrees
// (a day of 8 h 16 min).
TEST(FixedGnomon, ScalesAndHalfDayArcs)
{
    auto m = DefaultModel();
    m->params.dialType = DialType::FixedGnomon;
    m->params.marksPerMonth = 1;
    auto f = std::make_unique<FixedGnomonMarksResult>(ComputeFixedGnomonMarks(*m));
    EXPECT_NEAR(f->scales[4], 2.75, kGeometryTol);
    EXPECT_NEAR(f->halfDayArcs[4], 90.0, kGeometryTol);
    EXPECT_NEAR(f->halfDayArcs[1], 62.0286, 1e-4);
    EXPECT_NEAR(f->halfDayArcs[7], 180 - 62.0286, 1e-4);
    // With Z on the negative side (distanceZ -3) the largest ellipse is the winter solstice's, line 1.
    const DerivedGeometry derived = DeriveGeometry(m->params, m->state.obliquity, m->state.roundedObliquity);
    EXPECT_NEAR(derived.fixedGnomonReach, f->scales[1], kGeometryTol);
    // On the equinox line with a vertical gnomon, noon lies at the north end of the minor axis, a sin L.
    const FixedHourPoint& noon = f->points[4][(12 - 5) * 6 + 1];
    EXPECT_EQ(noon.hourAngle, 0.0);
    EXPECT_NEAR(noon.x, 0.0, kGeometryTol);
    EXPECT_NEAR(noon.y, 2.0193869009, 1e-9);
}

TEST(FixedGnomon, PolarSiteAndGnomonOnADateLineStayFinite)
{
    auto m = DefaultModel();
    m->params.dialType = DialType::FixedGnomon;
    m->params.latitude = 80;
    auto f = std::make_unique<FixedGnomonMarksResult>(ComputeFixedGnomonMarks(*m));
    EXPECT_NEAR(f->halfDayArcs[1], 0.0, kGeometryTol);    // winter: the sun does not rise
    EXPECT_NEAR(f->halfDayArcs[19], 180.0, kGeometryTol); // summer: it does not set
    EXPECT_NEAR(f->halfDayArcs[10], 90.0, kGeometryTol);

    // Z placed where the scale of the winter line would be infinite: Zd = tan(decl) * cos L * a.
    m->params.latitude = 47.25;
    m->params.distanceZ = std::tan(-m->state.roundedObliquity * 0.0174532925199433) *
                          std::cos(47.25 * 0.0174532925199433) * m->params.semiMajorAxis;
    *f = ComputeFixedGnomonMarks(*m);
    for (int n = 1; n <= f->lineCount; ++n) {
        EXPECT_TRUE(std::isfinite(f->scales[n])) << n;
        for (int e = 1; e <= f->pointCount; ++e) {
            EXPECT_TRUE(std::isfinite(f->points[n][e].x));
            EXPECT_TRUE(std::isfinite(f->points[n][e].y));
        }
    }
    EXPECT_TRUE(
        std::isfinite(DeriveGeometry(m->params, m->state.obliquity, m->state.roundedObliquity).fixedGnomonReach));
}

TEST(FixedGnomon, ZodiacEllipseAxisMatchesTheDateLineOfTheSameDeclination)
{
    auto m = DefaultModel();
    m->params.dialType = DialType::FixedGnomon;
    m->params.marksPerMonth = 3;
    auto f = std::make_unique<FixedGnomonMarksResult>(ComputeFixedGnomonMarks(*m));
    // Line s uses zodiac entry 2 (s - 1), i.e. table index i = 2 s - 1.
    for (int s = 1; s <= 19; ++s)
        EXPECT_DOUBLE_EQ(ZodiacEllipseAxis(*m, 2 * s - 1), f->scales[s]) << s;
    EXPECT_DOUBLE_EQ(ZodiacEllipseAxis(*m, 0), ZodiacEllipseAxis(*m, 1));
}
