#pragma once
// How right the dial is: the design error of every date mark and full hour, and what setting-out errors
// cost in time. Everything is read with ReadDial (reading.h) from the finished dial: the date marks (or the
// loops of the split dial) and the hour curve as the last calculation left them.
//
// The reading error of a date mark at dial time h: the sun at h on the mark's date (its declination and
// equation of time at that instant), the gnomon on the mark, the time read minus h, in minutes of time. The
// split dial reads with the morning loop up to 12 h and with the afternoon loop after it. Dial type 7 stands
// for each date line on the day (of the dial's year, between the winter and the summer solstice) whose noon
// declination is the line's; the solstice lines, which the sun's declination may miss by a few thousandths of
// a degree, on the solstice itself.

#include "core/model.h"
#include "core/reading.h"

#include <optional>
#include <string>
#include <vector>

namespace umbrix {

/// One row of the accuracy tables: a date mark, or a date of the split dial's loops.
struct AccuracyRow {
    std::string label;
    double dayOfYear = 1;      // of the dial's year; with a fraction for type 7 (see SunAtUniversalTime)
    GnomonPlacement morning;   // read up to 12 h
    GnomonPlacement afternoon; // read after 12 h; the same as morning except on the split dial
};

/// The rows of the dial: the DateMarkTable slots up to the first empty label (dated by CalendarMarkDates;
/// type 7: its fixed declinations), or the rows of the split dial's current loop pair (dated by LoopDates).
[[nodiscard]] std::vector<AccuracyRow> AccuracyRows(const DialParameters& p, const Results& r);

/// The placement read at dial time dialHours: morning up to 12 h, afternoon after it.
[[nodiscard]] const GnomonPlacement& PlacementAt(const AccuracyRow& row, double dialHours);

// --- design-error map ---

struct DesignErrorCell {
    ReadingStatus status = ReadingStatus::NoShadow; // why a cell has no value
    std::optional<double> minutes;                  // reading - h, minutes of time; with Read only
    bool ambiguous = false; // the shadow crosses the hour curve twice (the gnomon outside the ellipse)
};

struct DesignErrorWorst {
    std::string date; // the row's label
    int hour = 0;
    double minutes = 0; // signed
};

/// Rows per date mark, columns per full hour.
struct DesignErrorMap {
    std::vector<int> hours;                          // hourFrom .. hourTo
    std::vector<std::string> dates;                  // the row labels
    std::vector<std::vector<DesignErrorCell>> cells; // cells[row][column]
    int count = 0;                                   // cells with a value
    int ambiguousCount = 0;                          // of them, cells read where the shadow crosses twice
    std::optional<double> maxAbs;                    // minutes; none when no cell has a value
    std::optional<double> meanAbs;
    std::optional<DesignErrorWorst> worst; // the first cell (row by row) of largest |minutes|
};

/// The design error of every row and full hour of the hour range. Empty when the dial has no frame.
[[nodiscard]] DesignErrorMap ComputeDesignErrorMap(const DialParameters& p, const SharedState& s, const Results& r);

// --- error budget ---

/// What setting-out errors at one hour point cost, minutes of time per unit, the largest magnitude over the
/// rows whose shadow reads that time; none where no row does.
struct HourPointBudget {
    double time = 0;                                     // dial hours of the hour point
    std::optional<double> minutesPerMmAlong;             // the mark moved along the hour curve
    std::optional<double> minutesPerMmAcross;            // the mark moved across it
    std::optional<double> minutesPerDegreeTiltNS;        // the gnomon's tip moved towards north
    std::optional<double> minutesPerDegreeTiltEW;        // towards east
    std::optional<double> minutesPerTenthDegreeLatitude; // the dial standing 0.1 degrees off its latitude
};

/// What an error of the gnomon's position on a date mark costs, the largest magnitude over the full hours.
struct DateMarkBudget {
    std::string label;
    std::optional<double> minutesPerMmNS; // along the dial's y axis (north-south on a level dial)
    std::optional<double> minutesPerMmEW; // along its x axis (east-west)
};

struct BudgetWorstHour {
    double time = 0;
    double value = 0;
};
struct BudgetWorstDate {
    std::string label;
    double value = 0;
};
struct ErrorBudgetWorst {
    std::optional<BudgetWorstHour> along;
    std::optional<BudgetWorstHour> across;
    std::optional<BudgetWorstHour> tiltNS;
    std::optional<BudgetWorstHour> tiltEW;
    std::optional<BudgetWorstHour> latitude;
    std::optional<BudgetWorstDate> ns;
    std::optional<BudgetWorstDate> ew;
};

struct ErrorBudget {
    std::vector<HourPointBudget> hourPoints; // every hour mark: hourFrom .. hourTo, 60 / linesPerHour minutes apart
    std::vector<DateMarkBudget> dateMarks;   // every row of AccuracyRows
    ErrorBudgetWorst worst;
};

/// The error budget by central differences of ReadDial: positions moved by +-0.1 mm, the gnomon turned by
/// +-0.05 degrees, the site moved by +-0.05 degrees of latitude (the sun seen from a latitude off the
/// design's costs what the design computed for a latitude off the site's, to first order). The reading is
/// smooth in each: the differences' truncation error is about (step / size)^2, 1e-6 of the value, the
/// rounding error about 1e-13 h / step, below 1e-8 minutes. Tilts: "north-south" turns the gnomon's tip
/// towards north, "east-west" towards east (a gnomon lying along that direction is turned in its vertical
/// plane). lengthUnitMm: millimetres per length unit (m 1000, cm 10, mm 1, in 25.4, ft 304.8); a value that
/// is not positive and finite gives no millimetre figures.
[[nodiscard]] ErrorBudget ComputeErrorBudget(const DialParameters& p, const SharedState& s, const Results& r,
                                             double lengthUnitMm);

} // namespace umbrix
