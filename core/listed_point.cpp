#include "core/listed_point.h"

#include "core/fields.h"

#include <algorithm>

namespace umbrix {

namespace {

constexpr int kColumnGroups = 4;     // hour and shadow tables: time, x (or d1), y (or d2), a blank column
constexpr int kGroupWidth = 4;       // columns per group
constexpr int kFixedGnomonMarks = 6; // the fixed-gnomon dial lists every 10 minutes, two rows per hour

/// The column group of a time/x/y table that a click at `column` on `row` names: the group under the
/// column when its time cell is filled, else the first filled group of the row.
std::optional<int> FilledGroup(const StringGrid& grid, int column, int row)
{
    const auto filled = [&](int group) { return !grid.cell(kGroupWidth * group + 1, row).empty(); };
    const int under = std::clamp((column - 1) / kGroupWidth, 0, kColumnGroups - 1);
    if (column >= 1 && filled(under))
        return under;
    for (int group = 0; group < kColumnGroups; ++group)
        if (filled(group))
            return group;
    return std::nullopt;
}

std::optional<DialPoint> ShownPoint(const StringGrid& grid, int xColumn, int row)
{
    const RealParse x = ParseRealText(grid.cell(xColumn, row));
    const RealParse y = ParseRealText(grid.cell(xColumn + 1, row));
    if (x.error || y.error || !x.value || !y.value)
        return std::nullopt;
    return DialPoint{*x.value, *y.value};
}

/// The mark number (1 to 6) within its hour and the hour's index (from 1) of a group on a table row;
/// with two rows per hour marks 1 to 4 stand on the first row, 5 and 6 in groups 3 and 4 of the second.
struct MarkPlace {
    int hourIndex = 0;
    int mark = 0;
};
std::optional<MarkPlace> PlaceOf(int row, int group, int rowsPerHour)
{
    if (rowsPerHour == 1)
        return MarkPlace{row, group + 1};
    if (row % 2 == 1)
        return MarkPlace{(row + 1) / 2, group + 1};
    if (group < 2)
        return std::nullopt;
    return MarkPlace{row / 2, group + 3};
}

std::optional<DialPoint> HourMarkAt(const Model& model, int column, int row)
{
    const std::optional<int> group = FilledGroup(model.grids.StrGridStd, column, row);
    if (!group)
        return std::nullopt;
    const Results& r = model.results;
    if (model.params.type() == DialType::FixedGnomon) {
        const std::optional<MarkPlace> place = PlaceOf(row, *group, 2);
        if (!place || r.fixedDateLineCount < 1)
            return std::nullopt;
        const int entry = (place->hourIndex - 1) * kFixedGnomonMarks + place->mark;
        if (entry < 1 || entry > r.fixedHourPointCount)
            return std::nullopt;
        // The table lists the date line the hour-mark computation chose.
        const int line = std::clamp((model.params.marksPerMonth + 1) / 2, 1, r.fixedDateLineCount);
        const FixedHourPoint& point =
            r.fixedHourPoints[static_cast<std::size_t>(line)][static_cast<std::size_t>(entry)];
        return DialPoint{point.x, point.y};
    }
    const int lines = std::clamp<int>(model.params.linesPerHour, 1, 6);
    const std::optional<MarkPlace> place = PlaceOf(row, *group, lines <= 4 ? 1 : 2);
    if (!place || place->mark > lines)
        return std::nullopt;
    const int k = (place->hourIndex - 1) * lines + place->mark;
    if (k < 1 || k > r.hourPointCount)
        return std::nullopt;
    const HourPoint& point = r.hourPoints[static_cast<std::size_t>(k)];
    return DialPoint{point.x, point.y};
}

} // namespace

std::optional<ListedPoint> ListedPointAt(const Model& model, PointTable table, int column, int row)
{
    if (row < 1)
        return std::nullopt;
    const bool split = model.state.doubleAnalemmaActive && model.params.type() == DialType::MeanTime;
    const auto centreOf = [split](bool afternoon) {
        if (!split)
            return DrawingCentre::Single;
        return afternoon ? DrawingCentre::Afternoon : DrawingCentre::Morning;
    };
    switch (table) {
    case PointTable::Hours: {
        const std::optional<DialPoint> point = HourMarkAt(model, column, row);
        if (!point)
            return std::nullopt;
        // The split dial's hour ellipse changes to the afternoon centre a thirtieth of the axis east of noon.
        return ListedPoint{*point, centreOf(point->x > model.params.semiMajorAxis / 30)};
    }
    case PointTable::Shadow: {
        const StringGrid& grid = model.grids.StrGridShad;
        const std::optional<int> group = FilledGroup(grid, column, row);
        const std::optional<DialPoint> point = group ? ShownPoint(grid, kGroupWidth * *group + 2, row) : std::nullopt;
        if (!point)
            return std::nullopt;
        return ListedPoint{*point, centreOf(point->x > 0)};
    }
    case PointTable::Dates: {
        // The split dial lists its afternoon loop beside the morning loop.
        const StringGrid& grid = model.grids.StrGridDat;
        constexpr int kAfternoonX = 7;
        const bool afternoon = split && column >= kAfternoonX - 1;
        const std::optional<DialPoint> point = ShownPoint(grid, afternoon ? kAfternoonX : 1, row);
        if (!point)
            return std::nullopt;
        return ListedPoint{*point, centreOf(afternoon)};
    }
    case PointTable::MorningLoop:
    case PointTable::AfternoonLoop: {
        const StringGrid& grid = table == PointTable::MorningLoop ? model.grids.StrGrid8b : model.grids.StrGrid8;
        const std::optional<DialPoint> point = ShownPoint(grid, 1, row);
        if (!point)
            return std::nullopt;
        return ListedPoint{*point, centreOf(table == PointTable::AfternoonLoop)};
    }
    }
    return std::nullopt;
}

} // namespace umbrix
