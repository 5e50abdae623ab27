#pragma once
// Figure-eight loops of the split dial for mean time (dial type 6, double analemma).
//
// The split dial has a morning and an afternoon half, each with its own gnomon position for every date;
// over the year each half's positions form a figure-eight loop. The hour marks lie on the ellipse
// (M sin t, b' cos t), t = (T - 12) 15 degrees for the clock hour T of mean time, b' = M sin(L - z) / cosG.
// A gnomon at (X, Y) shows the hour T when its shadow passes the mark of T; HourError is the difference
// between the sun's hour angle at that moment and its true hour angle at mean time T (T - 12) 15 + E.
//
// Symbols: L latitude, z gnomon inclination, ze plane inclination, M semiMajorAxis, b semiMinorAxis,
// d the date's declination, E its equation of time (degrees of hour angle, positive when the sun is ahead
// of mean time); S = sin(L - z), K = cos(L - z) tanG(d), tanG the guarded tangent, cosG = cos(ze - z)
// kept away from zero (cosPlaneGnomon of the derived geometry). Angles in degrees, clock times in decimal
// hours of mean time, lengths in dial units. Errors are in degrees of hour angle (4 minutes per degree).
//
// Method 0 ("exact for 2 selected hours") lives here with the loop tables, the statistics and the grids;
// methods 1 to 4 are in loop_optimiser.h.

#include "core/grid.h"
#include "core/host.h"
#include "core/leap_cycle.h"
#include "core/model.h"

#include "core/numeric.h"
#include "text/text_ids.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace umbrix {

/// Error code of the double analemma: the message-table row "Die Stundeneingaben in der Tabelle sind
/// falsch!" / "Table input for hours erroneous!".
constexpr std::uint8_t kErrorLoopHours = static_cast<std::uint8_t>(MessageId::LoopHoursWrong);

/// Rows of a loop table and of the loop grids (slots 1..72).
constexpr int kLoopRows = kDateMarkSlots;
/// The inside test: a gnomon beyond this fraction of the semi-minor axis (on the side of b) stands outside
/// the usable dial.
constexpr double kInsideFraction = 0.95;

/// The dial constants of the loop computations, taken once from the parameters.
struct LoopGeometry {
    double semiMajorAxis = 0; // M
    double semiMinorAxis = 0; // b, of the derived geometry
    double latitudeDeg = 0;   // L
    double sinLz = 0;         // S = sin(L - z)
    double cosLz = 0;         // cos(L - z)
    double cosZze = 1;        // cos(z - ze)
    double cosG = 1;          // cos(ze - z) of the derived geometry, kept off zero
    double bPrime = 0;        // b' = M S / cosG, the hour ellipse's half axis towards noon
};
[[nodiscard]] LoopGeometry MakeLoopGeometry(const DialParameters& p, const DerivedGeometry& derived);

/// The sun's declination and equation of time of the loop row of month/day: DesignNoonSun at 12:00 of the
/// zone meridian (the leap cycle's means with leapCycleMean).
[[nodiscard]] NoonSun LoopNoonSun(const DialParameters& p, int month, int day);

/// The parts of HourError that depend only on the date.
struct HourErrorDate {
    double sinLz = 0;  // S
    double k = 0;      // K = cos(L - z) tanG(d)
    double cosZze = 1; // cos(z - ze)
    double eotDeg = 0; // E
};
/// The parts of HourError that depend only on the clock hour T.
struct HourErrorHour {
    double hoursFromNoon = 0; // T - 12
    double noonOffsetDeg = 0; // (12 - T) 15
    double markX = 0;         // M sin t, the hour mark's x
    double markY = 0;         // b' cos t, the hour mark's y
};
[[nodiscard]] HourErrorDate MakeHourErrorDate(const LoopGeometry& g, double declDeg, double eotDeg);
[[nodiscard]] HourErrorHour MakeHourErrorHour(const LoopGeometry& g, double clockHours);

/// One hour error; ok is false where there is no result.
struct HourErrorValue {
    bool ok = false;
    double errorDeg = 0;
};

/// The hour error from its precomputed parts (see HourError); every loop computation evaluates it through
/// this one function, so a search over many positions gives exactly the values of HourError.
/// The shadow of the gnomon at (x, y) points at the hour mark at the hour angle C for which
///   D cos C + I sin C = Q,
/// the shadow's direction from the gnomon (plane coordinates, the north offset I taken along the gnomon's
/// slant) set against the mark's offset; with J = I^2 + D^2 its two solutions are
/// cos C = (D Q -/+ I Lr) / J and sin C = (I Q +/- D Lr) / J, Lr = sqrt(J - Q^2).
inline HourErrorValue EvaluateHourError(const HourErrorDate& d, const HourErrorHour& h, double x, double y)
{
    const double northOffset = d.cosZze * (h.markY - y); // I: from the gnomon to the mark, along y
    const double eastOffset = x - h.markX;               // U: from the mark to the gnomon, along x
    const double eastTerm = d.sinLz * eastOffset;        // D = S U
    const double offsetSquared = northOffset * northOffset + eastTerm * eastTerm; // J
    const double dateTerm = eastOffset * d.k;                                     // Q = U K
    const double radicand = offsetSquared - dateTerm * dateTerm;
    if (!(radicand > 0))
        return {}; // the shadow line never passes the hour mark (also for a value that is not a number)
    const double root = std::sqrt(radicand); // Lr
    // The two hour angles whose shadow line passes the mark; the cosines are exact up to rounding, the sign
    // of each angle is the sign of its sine.
    double c1Deg =
        std::acos(std::clamp((eastTerm * dateTerm - northOffset * root) / offsetSquared, -1.0, 1.0)) / degToRad;
    if ((northOffset * dateTerm + eastTerm * root) / offsetSquared < 0)
        c1Deg = -c1Deg;
    double c2Deg =
        std::acos(std::clamp((eastTerm * dateTerm + northOffset * root) / offsetSquared, -1.0, 1.0)) / degToRad;
    if ((northOffset * dateTerm - eastTerm * root) / offsetSquared < 0)
        c2Deg = -c2Deg;
    const double chosenDeg =
        std::abs(h.hoursFromNoon - c2Deg / 15) >= std::abs(h.hoursFromNoon - c1Deg / 15) ? c1Deg : c2Deg;
    return {true, h.noonOffsetDeg + chosenDeg - d.eotDeg};
}

/// The error of a gnomon at (x, y) at the clock hour clockHours, for a date of declination declDeg and
/// equation of time eotDeg; nothing where the shadow never passes the hour mark (J - Q^2 <= 0):
///   I = cos(z - ze) (b' cos t - y), U = x - M sin t, D = S U, J = I^2 + D^2, Q = U K, Lr = sqrt(J - Q^2);
///   C1 = arccos((D Q - I Lr) / J), negative when I Q + D Lr < 0;
///   C2 = arccos((D Q + I Lr) / J), negative when I Q - D Lr < 0;
///   the candidate nearer to the hour (ties to C1); error = (12 - T) 15 + C - E.
/// The two cosines are clamped into [-1, 1] against rounding.
[[nodiscard]] std::optional<double> HourError(const LoopGeometry& g, double clockHours, double x, double y,
                                              double eotDeg, double declDeg);

/// The gnomon position at which the dial is exact at the two clock hours t1Hours and t2Hours of mean time:
/// with t = (T - 12) 15 and tau = t + E,
///   F = S sin(tau1 - tau2) - K (sin tau1 - sin tau2), |F| kept at 1e-7 or more,
///   x = M sin(-E) / F (S (sin tau1 - sin tau2) - K sin(tau1 - tau2)),
///   y = M / (F cosG) (K (S cos E sin(tau1 - tau2) - K (sin t1 - sin t2)) - S^2 sin E (cos tau1 - cos tau2)).
/// With E = 0 this is the date-scale point x = 0, y = M K.
[[nodiscard]] DialPoint TwoHourPosition(const LoopGeometry& g, double declDeg, double eotDeg, double t1Hours,
                                        double t2Hours);

/// The start of the search for a row: the analemma point x = -E M (E in radians), y = tanG(d) M
/// sin(z + 90 - L) / cosG.
[[nodiscard]] DialPoint AnalemmaPoint(const LoopGeometry& g, const DialParameters& p, double declDeg, double eotDeg);

/// 1 when the gnomon position y lies inside the usable dial, 0 when |y| > 0.95 |b| on the side of b.
[[nodiscard]] std::uint8_t InsideFlag(const LoopGeometry& g, double y);

/// The dates of the loop rows: day 1 + step (j - 1) of every month, j = 1 .. n, step 14 (n = 1, 2),
/// 10 (n = 3) or 5 (n = 6); 12 n rows. n is brought into 1..6.
struct LoopDate {
    int month = 1;
    int day = 1;
};
[[nodiscard]] std::vector<LoopDate> LoopDates(int marksPerMonth);

/// The row label "dd.Mon " in the current language.
[[nodiscard]] std::string LoopLabel(const SharedState& state, LoopDate date);

/// The loop row of month/day (its label left empty): declination, equation of time, the two-hour position
/// for (t1Hours, t2Hours) and insideFlag.
[[nodiscard]] tUmbrixPoint ExactTwoHourPosition(const DialParameters& p, const DerivedGeometry& derived, int month,
                                                int day, double t1Hours, double t2Hours);

/// The error table of one half in `grid` (StrGrid8 or StrGrid8b) and its statistics. Header row: column 5
/// "Fehler " / "Error", column 6 + h - firstHour the hour h ("12:30" for the afternoon's first column,
/// which is computed at 12.5). Rows 1 .. rowCount (at most 72): insideFlag 0 gives "***" in column 5 and
/// empty hour cells; otherwise each hour within the day (|T - 12| below HalfDayLength: every hour on a day
/// without sunset, none on a day without sunrise) gives its error as minutes and seconds, or " error"
/// without result (not counted), and column 5 the row's mean |error|, or "???" when no hour was counted.
/// With fewer than two hours the message "Zu wenig Daten für Fehlerdurchschnitt!" is shown first.
[[nodiscard]] LoopErrorStatistics LoopStatistics(StringGrid& grid, int firstHour, int lastHour, const LoopTable& table,
                                                 int rowCount, const LoopGeometry& g, const LanguageState& lang,
                                                 Host& host);

/// Column 1 (morning) or 2 (afternoon) of StrMittel: maximum, mean |error| and spread as minutes and
/// seconds, or "???" in each cell when nothing was counted.
void ShowLoopStatistics(StringGrid& strMittel, int column, const LoopErrorStatistics& stats);

/// The half of the day a loop belongs to.
enum class DayHalf { Morning, Afternoon };

/// The grids a double-analemma method fills.
struct LoopGrids {
    StringGrid morningErrors;   // StrGrid8b: the morning loop and its errors
    StringGrid afternoonErrors; // StrGrid8: the afternoon loop and its errors
    StringGrid dateListing;     // StrGridDat: the morning loop, the afternoon's x and y beside it
    StringGrid statistics;      // StrMittel: column 1 the morning, column 2 the afternoon
};

/// The loop grids to fill: those of `grids` as they are (ShowLoop empties what it rewrites).
[[nodiscard]] LoopGrids LoopGridsOf(const Grids& grids);

/// The grids of one finished loop: morning into morningErrors (full listing, statistics from
/// errorHourFrom to 12), dateListing (emptied, full listing) and statistics column 1; afternoon into
/// afternoonErrors (statistics from 12 to errorHourTo), dateListing columns 7 and 8 and statistics column
/// 2. Returns the statistics.
[[nodiscard]] LoopErrorStatistics ShowLoop(LoopGrids& grids, const Model& model, Host& host, DayHalf half,
                                           const LoopTable& table, int rowCount);

/// What a method of the double analemma computes. With errorCode kErrorLoopHours the hour input is wrong
/// and only hourInput (when the method rewrote it) means anything: the loops and their grids are void.
struct DoubleAnalemmaResult {
    std::uint8_t errorCode = 0;
    LoopTable morning{};   // morningLoop (methods 0, 1) or morningLoopOptimised (methods 2 to 4)
    LoopTable afternoon{}; // afternoonLoop or afternoonLoopOptimised
    LoopErrorStatistics morningStatistics{};
    LoopErrorStatistics afternoonStatistics{};
    LoopGrids grids;
    std::optional<StringGrid> hourInput; // StrGridEin rewritten with the hours used
    std::optional<double> obliquityDeg;  // of the last noon data
};

/// Reads a decimal hour from a cell of StrGridEin: leading blanks allowed, "," taken as ".". Empty text: no
/// value; a text that is no number: error.
struct HourCell {
    bool error = false;
    std::optional<double> value{};
};
[[nodiscard]] HourCell ReadHourCell(const StringGrid& grid, int col, int row);

/// The hours of method 0 after the corrections of the input: morning a1 <= a2 within 5..12 (default 8 and
/// 11), afternoon p1 <= p2 within 12..20 (default 13.5 and 17.5).
struct TwoHourInput {
    bool conversionError = false; // a cell held no number: the calculation stops with kErrorLoopHours
    double a1 = 8;
    double a2 = 11;
    double p1 = 13.5;
    double p2 = 17.5;
};
/// From the defaults or from StrGridEin: empty cells are 9, 11, 13 and 17.5; each pair is ordered; a
/// morning start at or after 12 gives 9 and 11.5, below 5 gives 5, an end after 12 gives 12; an afternoon
/// end not after 12 gives 12 and 17.5, a start before 12 gives 12, an end after 20 gives 20.
[[nodiscard]] TwoHourInput ReadTwoHourInput(const Model& model);

/// Method 0: the loops exact at two hours of each half (morningLoop and afternoonLoop), with their grids
/// and statistics. StrGridEin is rewritten with the hours used. Error kErrorLoopHours when a cell is no
/// number (StrGridEin as it was) or the two hours of a half are equal.
[[nodiscard]] DoubleAnalemmaResult ExactTwoHourLoops(const Model& model, Host& host);

/// The loop tables the current method writes: methods 0 and 1 the first pair, 2 to 4 the second.
struct LoopPair {
    const LoopTable* morning = nullptr;
    const LoopTable* afternoon = nullptr;
};
[[nodiscard]] LoopPair CurrentLoops(const Model& model);
[[nodiscard]] LoopPair CurrentLoops(const DialParameters& p, const Results& r);

} // namespace umbrix
