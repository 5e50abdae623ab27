// The point behind a table row, checked against what the table itself shows: coordinates to the three
// decimals listed, distances to the two ends of the minor axis recomputed from the point.

#include "calculated_dial.h"
#include "core/fields.h"
#include "core/listed_point.h"

#include <gtest/gtest.h>

#include <cmath>

namespace umbrix {
namespace {

constexpr double kListedTol = 0.0005; // the tables show three decimals

double Shown(const StringGrid& grid, int column, int row)
{
    const RealParse parsed = ParseRealText(grid.cell(column, row));
    EXPECT_TRUE(parsed.value.has_value()) << "cell " << column << "/" << row << ": " << grid.cell(column, row);
    return parsed.value.value_or(NAN);
}

/// Every filled mark of the hour table names the point its cells show; returns the marks checked.
int CheckHourTable(const Model& m)
{
    const StringGrid& grid = m.grids.StrGridStd;
    const double b = m.derived.semiMinorAxis;
    int checked = 0;
    for (int row = 1; row < grid.rowCount(); ++row)
        for (int group = 0; group < 4; ++group) {
            const int column = 4 * group + 1;
            if (grid.cell(column, row).empty())
                continue;
            const std::optional<ListedPoint> listed = ListedPointAt(m, PointTable::Hours, column + 1, row);
            EXPECT_TRUE(listed) << "row " << row << " group " << group;
            if (!listed)
                continue;
            const DialPoint p = listed->point;
            const double first = m.state.coordinatesAsXY ? p.x : std::hypot(b - p.y, p.x);
            const double second = m.state.coordinatesAsXY ? p.y : std::hypot(-b - p.y, p.x);
            EXPECT_NEAR(first, Shown(grid, column + 1, row), kListedTol) << "row " << row << " group " << group;
            EXPECT_NEAR(second, Shown(grid, column + 2, row), kListedTol) << "row " << row << " group " << group;
            ++checked;
        }
    return checked;
}

TEST(ListedPoint, EveryHourMarkOfTheTableIsFoundInCoordinatesAndInDistances)
{
    for (const int lines : {1, 4, 6})
        for (const bool xy : {true, false}) {
            const auto m = CalculatedDial(0, [&](Model& d) {
                d.params.linesPerHour = static_cast<std::uint8_t>(lines);
                d.state.coordinatesAsXY = xy;
            });
            SCOPED_TRACE(testing::Message() << lines << " lines per hour, xy " << xy);
            const int hours = m->state.hourTo - m->state.hourFrom;
            EXPECT_EQ(CheckHourTable(*m), hours * lines + 1);
        }
}

TEST(ListedPoint, TheFixedGnomonDialListsItsChosenDateLine)
{
    const auto m = CalculatedDial(7);
    EXPECT_GT(CheckHourTable(*m), 6);
}

TEST(ListedPoint, ARowNumberNamesTheRowsFirstMarkAndHeadersOrEmptyRowsNothing)
{
    const auto m = CalculatedDial(0, [](Model& d) { d.params.linesPerHour = 6; });
    // Two rows per hour: the second row holds marks 5 and 6 in the third and fourth column group.
    const std::optional<ListedPoint> second = ListedPointAt(*m, PointTable::Hours, 0, 2);
    const std::optional<ListedPoint> mark5 = ListedPointAt(*m, PointTable::Hours, 10, 2);
    ASSERT_TRUE(second && mark5);
    EXPECT_EQ(second->point.x, mark5->point.x);
    EXPECT_EQ(second->point.y, mark5->point.y);
    EXPECT_FALSE(ListedPointAt(*m, PointTable::Hours, 2, 0));
    EXPECT_FALSE(ListedPointAt(*m, PointTable::Hours, 2, m->grids.StrGridStd.rowCount() - 1));
    EXPECT_FALSE(ListedPointAt(*m, PointTable::Dates, 1, 0));
    EXPECT_FALSE(ListedPointAt(*m, PointTable::Shadow, 1, -3));
}

TEST(ListedPoint, ShadowSamplesWithoutShadowNameNoPoint)
{
    // Before sunrise in winter the gnomon casts no shadow; those samples are listed as "*".
    const auto m = CalculatedDial(0, [](Model& d) {
        d.state.hourFrom = 4;
        d.state.shadowDay = 21;
        d.state.shadowMonth = 12;
        d.state.showShadowPath = true;
    });
    const StringGrid& grid = m->grids.StrGridShad;
    int stars = 0;
    int points = 0;
    for (int row = 1; row < grid.rowCount(); ++row)
        for (int group = 0; group < 4; ++group) {
            const int column = 4 * group + 1;
            if (grid.cell(column, row).empty())
                continue;
            const std::optional<ListedPoint> listed = ListedPointAt(*m, PointTable::Shadow, column, row);
            if (grid.cell(column + 1, row).find('*') != std::string::npos) {
                EXPECT_FALSE(listed) << "row " << row;
                ++stars;
                continue;
            }
            ASSERT_TRUE(listed) << "row " << row;
            EXPECT_NEAR(listed->point.x, Shown(grid, column + 1, row), kListedTol);
            EXPECT_NEAR(listed->point.y, Shown(grid, column + 2, row), kListedTol);
            EXPECT_EQ(listed->centre, DrawingCentre::Single);
            ++points;
        }
    EXPECT_GT(points, 0);
    EXPECT_GT(stars, 0);
}

TEST(ListedPoint, TheSplitDialsLoopsBelongToTheirOwnHalfCentre)
{
    const auto m = CalculatedSplitDial();
    const std::optional<ListedPoint> morning = ListedPointAt(*m, PointTable::Dates, 1, 1);
    const std::optional<ListedPoint> afternoon = ListedPointAt(*m, PointTable::Dates, 8, 1);
    ASSERT_TRUE(morning && afternoon);
    EXPECT_EQ(morning->centre, DrawingCentre::Morning);
    EXPECT_EQ(afternoon->centre, DrawingCentre::Afternoon);
    EXPECT_NEAR(afternoon->point.x, Shown(m->grids.StrGridDat, 7, 1), kListedTol);
    const std::optional<ListedPoint> loop = ListedPointAt(*m, PointTable::AfternoonLoop, 3, 1);
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->centre, DrawingCentre::Afternoon);
    EXPECT_NEAR(loop->point.y, Shown(m->grids.StrGrid8, 2, 1), kListedTol);
    // The same columns of a dial with one centre.
    const auto single = CalculatedDial(0);
    const std::optional<ListedPoint> date = ListedPointAt(*single, PointTable::Dates, 8, 1);
    ASSERT_TRUE(date);
    EXPECT_EQ(date->centre, DrawingCentre::Single);
    EXPECT_NEAR(date->point.y, Shown(single->grids.StrGridDat, 2, 1), kListedTol);
}

} // namespace
} // namespace umbrix
