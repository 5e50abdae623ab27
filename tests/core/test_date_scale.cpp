// Date scale: which dates get a mark, their labels, the gnomon positions and the listing in StrGridDat.

#include "core/date_scale.h"
#include "core/driver.h"
#include "core/ephemeris.h"
#include "core/model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

std::unique_ptr<Model> DefaultModel(Language language = Language::German)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    SetLanguage(*m, language);
    return m;
}

std::vector<std::string> Labels(const DateMarkTable& marks)
{
    std::vector<std::string> out;
    for (int s = 1; s <= kDateMarkSlots && !marks[s].label.empty(); ++s)
        out.push_back(marks[s].label);
    return out;
}

std::vector<std::string> GridColumn(const StringGrid& g, int col)
{
    std::vector<std::string> out;
    for (int r = 1; r < g.rowCount() && !g.cell(col, r).empty(); ++r)
        out.push_back(g.cell(col, r));
    return out;
}

} // namespace

TEST(DateMarks, OneMarkPerMonthGivesFourteenGermanAndEnglishLabels)
{
    auto m = DefaultModel();
    m->params.marksPerMonth = 1;
    const DateScaleResult d = ComputeDateMarks(*m);
    const std::vector<std::string> german = {"21.Dez ", "01.Jan ", "01.Feb ", "01.Mrz ", "01.Apr ",
                                             "01.Mai ", "01.Jun ", "21.Jun ", "01.Jul ", "01.Aug ",
                                             "01.Sep ", "01.Okt ", "01.Nov ", "01.Dez "};
    EXPECT_EQ(Labels(d.marks), german);
    EXPECT_EQ(GridColumn(d.listing, 0), german);

    auto e = DefaultModel(Language::English);
    e->params.marksPerMonth = 1;
    const std::vector<std::string> english = {"21.Dec ", "01.Jan ", "01.Feb ", "01.Mar ", "01.Apr ",
                                              "01.May ", "01.Jun ", "21.Jun ", "01.Jul ", "01.Aug ",
                                              "01.Sep ", "01.Oct ", "01.Nov ", "01.Dec "};
    EXPECT_EQ(Labels(ComputeDateMarks(*e).marks), english);
}

TEST(DateMarks, CountsAndOrderForTwoThreeAndSixMarksPerMonth)
{
    auto m = DefaultModel();
    m->params.marksPerMonth = 2;
    std::vector<std::string> labels = Labels(ComputeDateMarks(*m).marks);
    ASSERT_EQ(labels.size(), 26u);
    EXPECT_EQ(labels[11], "01.Jun ");
    EXPECT_EQ(labels[12], "15.Jun ");
    EXPECT_EQ(labels[13], "21.Jun ");
    EXPECT_EQ(labels[25], "15.Dez ");

    m->params.marksPerMonth = 3;
    labels = Labels(ComputeDateMarks(*m).marks);
    ASSERT_EQ(labels.size(), 36u);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "21.Jun "), 1);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "21.Dez "), 1);
    EXPECT_EQ(labels.front(), "21.Dez ");
    EXPECT_EQ(labels.back(), "11.Dez ");

    m->params.marksPerMonth = 6;
    const DateScaleResult six = ComputeDateMarks(*m);
    labels = Labels(six.marks);
    ASSERT_EQ(labels.size(), 72u);
    EXPECT_EQ(labels[0], "21.Dez ");
    EXPECT_EQ(labels[1], "26.Dez ");
    EXPECT_EQ(labels[2], "01.Jan ");
    EXPECT_EQ(labels[71], "16.Dez ");
    EXPECT_EQ(GridColumn(six.listing, 0).size(), 72u);
}

TEST(DateMarks, FewerMarksLeaveNoStaleRows)
{
    auto m = DefaultModel();
    m->params.marksPerMonth = 6;
    ComputeDateScale(*m);
    m->params.marksPerMonth = 1;
    ComputeDateScale(*m);
    EXPECT_EQ(Labels(m->results.dateMarks).size(), 14u);
    EXPECT_EQ(m->grids.StrGridDat.cell(1, 15), "");
}

TEST(DateMarks, TheDriverStoresTheMarksAndTheirListingButNotTheirObliquity)
{
    auto m = DefaultModel();
    m->grids.StrGrid8.setCell(1, 1, "stale");
    m->grids.StrGrid8b.setCell(1, 1, "stale");
    const DateScaleResult d = ComputeDateMarks(*m);
    ASSERT_TRUE(d.obliquityDeg.has_value());
    const double designYear = m->state.obliquity;
    EXPECT_EQ(designYear, DesignYearObliquity(m->params.year));
    EXPECT_NE(*d.obliquityDeg, designYear); // the true obliquity of the last date differs from the year's mean
    ComputeDateScale(*m);
    EXPECT_EQ(m->state.obliquity, designYear);
    EXPECT_EQ(Labels(m->results.dateMarks), Labels(d.marks));
    EXPECT_EQ(m->results.dateMarks[5].y, d.marks[5].y);
    EXPECT_EQ(m->grids.StrGridDat.row(3), d.listing.row(3));
    // The loop grids belong to the split dial.
    EXPECT_EQ(m->grids.StrGrid8.cell(1, 1), "");
    EXPECT_EQ(m->grids.StrGrid8b.cell(1, 1), "");
}

// Almanac: 21 December 2015 the sun stands 23.43 degrees south (solstice 22 Dec 04:48 UT). Horizontal dial
// with vertical gnomon: y = a tan(decl) cos(latitude) = 2.75 tan(-23.43) cos(47.25) = -0.8090.
TEST(DateMarks, WinterSolsticeMarkOfTheCommonDial)
{
    constexpr double kDeclTolDeg = 0.01;
    constexpr double kPositionTol = 0.0005; // 0.5 mm on a 2.75 m ellipse
    auto m = DefaultModel();
    const DateScaleResult d = ComputeDateMarks(*m);
    const tUmbrixPoint& mark = d.marks[1];
    EXPECT_NEAR(mark.declination, -23.43, kDeclTolDeg);
    EXPECT_EQ(mark.x, 0.0);
    EXPECT_NEAR(mark.y, -0.8090, kPositionTol);
    // Every mark of this dial lies on the noon line.
    for (int s = 1; s <= 36; ++s)
        EXPECT_EQ(d.marks[s].x, 0.0) << s;
}

// 21 March 2015, 12:00 local time at 9.59 degrees east: about 12.6 hours after the equinox, the sun
// stands about 0.2 degrees north, inside the 0.3-degree band that counts as the equator.
TEST(DateMarks, MarkNearTheEquinoxHasDeclinationAndOffsetExactlyZero)
{
    auto m = DefaultModel();
    const DateScaleResult d = ComputeDateMarks(*m);
    const std::vector<std::string> labels = Labels(d.marks);
    const auto it = std::find(labels.begin(), labels.end(), "21.Mrz ");
    ASSERT_NE(it, labels.end());
    const int slot = static_cast<int>(it - labels.begin()) + 1;
    EXPECT_EQ(d.marks[slot].declination, 0.0);
    EXPECT_EQ(d.marks[slot].y, 0.0);
    EXPECT_EQ(d.listing.cell(2, slot), "  0.0000");
    EXPECT_EQ(d.listing.cell(4, slot), "   0.000");
    // Ten days earlier the sun is well south.
    EXPECT_LT(d.marks[slot - 1].y, -0.1);
}

// Mean-time dial: around 1 November the sundial runs about 16.4 minutes ahead of the clock (equation of
// time +4.1 degrees); the gnomon stands that far west: x = -a * 4.1 deg in radians = -0.197.
TEST(DateMarks, MeanTimeDialShiftsTheGnomonByTheEquationOfTime)
{
    constexpr double kPositionTol = 0.002; // 2 mm on a 2.75 m ellipse, about 10 s of time
    auto m = DefaultModel();
    m->params.dialType = DialType::MeanTime;
    m->params.marksPerMonth = 1;
    const DateScaleResult d = ComputeDateMarks(*m);
    const tUmbrixPoint& nov = d.marks[13];
    ASSERT_EQ(nov.label, "01.Nov ");
    EXPECT_NEAR(nov.x, -2.75 * 16.4 / 4 * 0.0174532925199433, kPositionTol);
    EXPECT_GT(nov.equationOfTime, 4.0);
    EXPECT_EQ(d.listing.cell(5, 13).substr(0, 4), " 16:");
}

TEST(DateMarks, VerticalSouthDialKeepsTheGnomonOffItsSingularInclination)
{
    auto m = DefaultModel();
    m->params.dialType = DialType::VerticalSouth;
    m->params.planeInclination = 89.995;
    m->params.gnomonInclination = 0;
    const DateScaleResult d = ComputeDateMarks(*m);
    EXPECT_EQ(m->params.gnomonInclination, 0.0); // the computation leaves the parameters alone
    for (int s = 1; s <= 36; ++s)
        EXPECT_TRUE(std::isfinite(d.marks[s].y)) << s;
    // The driver keeps the inclination the marks were computed with.
    ComputeDateScale(*m);
    EXPECT_EQ(m->params.gnomonInclination, 0.01);
    EXPECT_EQ(m->results.dateMarks[20].y, d.marks[20].y);
}

TEST(DateMarks, FixedGnomonRowsUseTheZodiacDeclinations)
{
    auto m = DefaultModel();
    m->params.dialType = DialType::FixedGnomon;
    m->params.marksPerMonth = 1;
    const DateScaleResult one = ComputeDateMarks(*m);
    EXPECT_EQ(Labels(one.marks),
              (std::vector<std::string>{"Zeile 1", "Zeile 2", "Zeile 3", "Zeile 4", "Zeile 5", "Zeile 6", "Zeile 7"}));
    EXPECT_EQ(one.marks[1].declination, -m->state.roundedObliquity);
    EXPECT_EQ(one.marks[4].declination, 0.0);
    EXPECT_EQ(one.marks[7].declination, m->state.roundedObliquity);
    EXPECT_FALSE(one.obliquityDeg.has_value()); // no noon data

    m->params.marksPerMonth = 6;
    const std::vector<std::string> labels = Labels(ComputeDateMarks(*m).marks);
    ASSERT_EQ(labels.size(), 19u);
    EXPECT_EQ(labels[0], "21. Dez");
    EXPECT_EQ(labels[1], "Zeile 2");
    EXPECT_EQ(labels[6], "21. Feb");
    EXPECT_EQ(labels[12], "21. Apr");
    EXPECT_EQ(labels[18], "21. Jun");

    m->params.marksPerMonth = 2;
    const DateScaleResult two = ComputeDateMarks(*m);
    EXPECT_EQ(Labels(two.marks)[2], "21. Jan");
    EXPECT_EQ(Labels(two.marks)[12], "21. Jun");
    // The equation of time is not used and shows its marker value through the ordinary formatting.
    EXPECT_EQ(two.marks[1].equationOfTime, 9999.0);
    EXPECT_EQ(two.listing.cell(5, 1), "39996:00");
}

TEST(DateMarks, FixedGnomonMarksOfOppositeDeclinationsAreMirrored)
{
    constexpr double kTol = 1e-12;
    auto m = DefaultModel();
    m->params.dialType = DialType::FixedGnomon;
    m->params.gnomonInclination = 30;
    m->params.gnomonDeviation = 20;
    const DateMarkTable marks = ComputeDateMarks(*m).marks;
    for (int s = 1; s <= 19; ++s) {
        const tUmbrixPoint& a = marks[s];
        const tUmbrixPoint& b = marks[20 - s];
        EXPECT_NEAR(a.x, -b.x, kTol) << s;
        EXPECT_NEAR(a.y, -b.y, kTol) << s;
    }
    EXPECT_NE(marks[1].x, 0.0);
}

TEST(PointTable, HeadersAndCellWidths)
{
    auto m = DefaultModel();
    const StringGrid g = ComputeDateMarks(*m).listing;
    EXPECT_EQ(g.row(0),
              (std::vector<std::string>{"Datum  ", " x-li. ", " y-li. ", "", " Dekl.  ", "  EoT  ", "", "", ""}));
    EXPECT_EQ(g.cell(1, 1), "  0.0000");
    EXPECT_EQ(g.cell(2, 1).size(), 8u);
    EXPECT_EQ(g.cell(3, 1), "");
    EXPECT_EQ(g.cell(4, 1), " -23.433");

    auto e = DefaultModel(Language::English);
    EXPECT_EQ(ComputeDateMarks(*e).listing.row(0),
              (std::vector<std::string>{" Date  ", " x_left ", " y_left ", "", " decl. ", "  EoT  ", "", "", ""}));
}

TEST(PointTable, RightColumnsModeAndLoopWidths)
{
    auto m = DefaultModel();
    DateMarkTable table{};
    table[1] = {"01.Jan ", -23.0, 1.0, 0.123456, -1.5};
    table[2] = {"15.Jan ", -21.0, 2.0, 0.5, 0.25};
    StringGrid g(9, 73);
    ShowPointTable(g, table, 73, PointTableMode::RightColumns, m->state.language);
    EXPECT_EQ(g.row(0), (std::vector<std::string>{"", " x-li. ", " y-li. ", "", "", "", "", "  x-re. ", " y-re. "}));
    EXPECT_EQ(g.cell(7, 1), "  0.1235");
    EXPECT_EQ(g.cell(8, 1), " -1.5000");
    EXPECT_EQ(g.cell(0, 1), "");
    EXPECT_EQ(g.cell(7, 3), "");

    StringGrid loops(16, 73);
    ShowPointTable(loops, table, 73, PointTableMode::Full, m->state.language, kLoopGridColumns);
    EXPECT_EQ(loops.cell(1, 1), "  0.123");
    EXPECT_EQ(loops.cell(5, 2), "  8:00");

    // The row limit stops the listing.
    StringGrid limited(9, 73);
    ShowPointTable(limited, table, 2, PointTableMode::Full, m->state.language);
    EXPECT_EQ(limited.cell(0, 1), "01.Jan ");
    EXPECT_EQ(limited.cell(0, 2), "");

    ClearGrid(loops);
    EXPECT_EQ(loops.cell(1, 1), "");
    EXPECT_EQ(loops.rowCount(), 73);
    EXPECT_EQ(loops.colCount(), 16);
}
