#pragma once
// The marks of the current dial as they stand on the ground: hour marks (on every date line's ellipse for
// the fixed-gnomon dial), date marks, the loops of the split dial. Dial units, x east, y north (up the
// plane), origin at the centre P(0/0). The split dial is built as two halves whose centres lie a / 10 west
// (morning) and east (afternoon) of P; every point of a half is given with its half's offset applied.

#include "core/model.h"

#include <string>
#include <vector>

namespace umbrix {

/// Which part of a dial a point belongs to: the whole dial, or the morning or afternoon half of a split dial.
enum class DialHalf : std::uint8_t { Whole, Morning, Afternoon };

/// x of the centre of a half, dial units: 0 for the whole dial, -a / 10 and +a / 10 for the halves.
[[nodiscard]] double HalfCentreX(const DialParameters& p, DialHalf half);

/// Number of hour marks: (hourTo - hourFrom) linesPerHour + 1, within the hour table.
[[nodiscard]] int HourMarkCount(const Model& model);
/// Marks per hour, brought into 1..6.
[[nodiscard]] int LinesPerHourOf(const DialParameters& p);
/// Whether mark j (1-based) is a full hour's mark.
[[nodiscard]] bool IsFullHourMark(int j, int linesPerHour);
/// Hour angle of mark j (1-based), degrees, the zone correction included.
[[nodiscard]] double MarkHourAngleDeg(const Model& model, int j);
/// The zone correction of the hour angle: zoneMeridian - longitude with showZoneTime, else 0 (degrees).
[[nodiscard]] double ZoneCorrectionDeg(const DialParameters& p);

/// Number of hour curves of the fixed-gnomon dial: 6 m + 1 for m = 1, 2, 3 marks per month, 19 for 6.
[[nodiscard]] int FixedGnomonCurveCount(int marksPerMonth);
/// The same, at most the date lines the last calculation computed.
[[nodiscard]] int FixedGnomonCurves(const Model& model);

struct PlacedHourMark {
    DialPoint at;          // with the half's offset
    double clockHours = 0; // the time the mark shows
    bool fullHour = false; // the mark of a full hour
    int dateLine = 0;      // fixed-gnomon dial: the date line 1.. whose ellipse carries the mark; else 0
    DialHalf half = DialHalf::Whole;
    DialPoint local; // the same point from its half's centre (at, but for the halves of a split dial)
};

/// Every hour mark of the last calculation. Types 0 to 6: the marks of the hour table, in order; a split
/// dial's mark belongs to the morning half up to an hour angle of 0 and to the afternoon half after it.
/// Type 7: the marks of every date line, line after line.
[[nodiscard]] std::vector<PlacedHourMark> PlacedHourMarks(const Model& model);

struct PlacedDateMark {
    DialPoint at;
    std::string label; // the mark's label without the trailing blank
    DialHalf half = DialHalf::Whole;
    DialPoint local; // the same point from its half's centre (at, for the whole dial)
    int slot = 0;    // its row of the date-mark or loop table, 1..
};

/// Where the gnomon stands by date: the date marks as the construction draws them (types 0 to 6 without
/// the split dial; the single analemma of the mean-time dial included). None for types 7 and the split dial.
[[nodiscard]] std::vector<PlacedDateMark> PlacedDateMarks(const Model& model);

/// The two loops of a split dial (morning, then afternoon), each point with its half's offset; none for
/// every other dial.
[[nodiscard]] std::vector<PlacedDateMark> PlacedLoopPoints(const Model& model);

/// Type 7: the hour ellipse of one date line: its scale, declination, centre and label.
struct DateLineEllipse {
    int line = 0;           // 1..
    std::string label;      // the date mark's label without the trailing blank
    double declination = 0; // degrees
    double scale = 0;       // semi-major axis, dial units
    DialPoint centre;       // the point the ellipse is centred on
};
[[nodiscard]] std::vector<DateLineEllipse> DateLineEllipses(const Model& model);

/// Type 7: a point of the sunrise or sunset curve, where the hour ellipse of one of the 37 zodiac
/// declinations meets the sun's rising or setting hour angle.
struct FixedGnomonRiseSetPoint {
    DialPoint at;
    int line = 0;         // the zodiac line 1..37
    bool sunrise = true;  // false: sunset
    bool inHours = false; // the sun rises (sets) within the hours hourFrom to hourTo, clock time
};

/// Type 7: the sunrise curve, then the sunset curve, each along the zodiac lines in order; a line whose sun
/// does not rise and set has no point. None for every other dial type.
[[nodiscard]] std::vector<FixedGnomonRiseSetPoint> FixedGnomonRiseSetPoints(const Model& model);

/// Type 7: a run of consecutive zodiac lines within the hours on the sunrise or the sunset curve.
struct FixedGnomonRiseSetRun {
    bool sunrise = true;
    std::vector<DialPoint> points;
};

/// Type 7: the curves' runs, sunrise first; a run of one line is no curve and left out.
[[nodiscard]] std::vector<FixedGnomonRiseSetRun> FixedGnomonRiseSetRuns(const Model& model);

/// The curves of the construction, which every drawing samples its own way (the plot through whole hours, the
/// screen and the true-size geometry by degrees): a point at the hour angle hourAngleDeg (degrees, the zone
/// correction included), from the centre of its half. No drawing computes a position of the dial but through
/// these and the placed marks above.
/// The hour ellipse of types 0 to 6 (`line` is not read), or the hour curve of date line `line` (1..) of type 7.
[[nodiscard]] DialPoint HourCurvePoint(const Model& model, int line, double hourAngleDeg);
/// Type 7: the hour curve of the zodiac declination i (1..37).
[[nodiscard]] DialPoint ZodiacCurvePoint(const Model& model, int i, double hourAngleDeg);
/// The hour ellipse of types 0 to 6 scaled by `scale` about P: the summer-time ring's inner ellipse.
[[nodiscard]] DialPoint ScaledHourEllipsePoint(const Model& model, double scale, double hourAngleDeg);
/// Number of filled slots of a point table: slots 1, 2, ... up to the first empty label, at most `limit`.
[[nodiscard]] int FilledSlots(const DateMarkTable& table, int limit);

/// A label without its trailing blanks.
[[nodiscard]] std::string TrimmedLabel(const std::string& label);

} // namespace umbrix
