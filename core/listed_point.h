#pragma once
// The dial point behind a row of the hour, shadow-path, date-mark and loop tables, so that the window can
// show it in the drawing.

#include "core/model.h"

#include <cstdint>
#include <optional>

namespace umbrix {

/// The tables whose rows name points of the drawing.
enum class PointTable : std::uint8_t {
    Hours,         // StrGridStd: up to four marks per row, in column groups of four
    Shadow,        // StrGridShad: the same layout for the samples of the shadow path
    Dates,         // StrGridDat: one date mark per row; the split dial's afternoon loop in columns 7 and 8
    MorningLoop,   // StrGrid8b
    AfternoonLoop, // StrGrid8
};

/// Which centre of the drawing a point belongs to: the split dial draws its morning half around a centre
/// left of the middle and its afternoon half around one right of it; every other dial has one centre.
enum class DrawingCentre : std::uint8_t { Single, Morning, Afternoon };

struct ListedPoint {
    DialPoint point; // dial units, x east, y north
    DrawingCentre centre = DrawingCentre::Single;
};

/// The point listed in cell (column, row) of `table` (grid addressing, header row 0). In the tables with
/// column groups the group under `column` is taken, or the first filled group of the row when that one is
/// empty (a click on the row's number). Hour marks come from the result tables, so that they are found
/// when the table shows distances instead of coordinates; the other tables' points are read from the
/// coordinates they show. Nothing for the header, an empty row, a sample without shadow ("*") or a text
/// that is no number.
[[nodiscard]] std::optional<ListedPoint> ListedPointAt(const Model& model, PointTable table, int column, int row);

} // namespace umbrix
