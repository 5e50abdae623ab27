#include "core/accuracy.h"

#include "core/date_scale.h"
#include "core/dial_geometry.h"
#include "core/ephemeris.h"
#include "core/loops.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace umbrix {

namespace {

constexpr double kNoon = 12;
constexpr double kMinutesPerHour = 60;
constexpr double kPositionStepMm = 0.1;
constexpr double kTiltStepDeg = 0.05;
constexpr double kLatitudeStepDeg = 0.05;
constexpr double kLatitudeErrorDeg = 0.1; // the budget's unit of latitude error
// Where the solstices fall: the winter one within [-40, 30] days of 1 January, the summer one in [140, 210].
constexpr double kWinterSolsticeFromDay = -40;
constexpr double kWinterSolsticeToDay = 30;
constexpr double kSummerSolsticeFromDay = 140;
constexpr double kSummerSolsticeToDay = 210;
constexpr int kSearchSteps = 60; // golden section and bisection: far below a second of time

/// Declination at 12:00 of the reference meridian on (fractional) day `day` of year.
double NoonDeclination(int year, double day, double referenceMeridianDeg)
{
    return SunPosition(year, day + referenceMeridianDeg / 360).declinationDeg;
}

/// The extreme of the noon declination in [lo, hi] (a maximum when `highest`), by golden-section search.
double SolsticeDay(int year, double lo, double hi, bool highest, double referenceMeridianDeg)
{
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    const auto value = [&](double day) {
        const double d = NoonDeclination(year, day, referenceMeridianDeg);
        return highest ? d : -d;
    };
    for (int i = 0; i < kSearchSteps; ++i) {
        const double a = hi - ratio * (hi - lo);
        const double b = lo + ratio * (hi - lo);
        if (value(a) > value(b))
            hi = b; // the extreme lies left of b
        else
            lo = a;
    }
    return (lo + hi) / 2;
}

/// The day of year, between the winter and the summer solstice, whose noon declination is declDeg; the
/// solstice itself for a declination the sun does not reach.
double DayOfNoonDeclination(int year, double declDeg, double referenceMeridianDeg)
{
    double lo = SolsticeDay(year, kWinterSolsticeFromDay, kWinterSolsticeToDay, false, referenceMeridianDeg);
    double hi = SolsticeDay(year, kSummerSolsticeFromDay, kSummerSolsticeToDay, true, referenceMeridianDeg);
    if (!(declDeg > NoonDeclination(year, lo, referenceMeridianDeg)))
        return lo;
    if (!(declDeg < NoonDeclination(year, hi, referenceMeridianDeg)))
        return hi;
    for (int i = 0; i < kSearchSteps; ++i) {
        const double mid = (lo + hi) / 2;
        (NoonDeclination(year, mid, referenceMeridianDeg) < declDeg ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

std::vector<AccuracyRow> CalendarRows(const DialParameters& p, const Results& r)
{
    std::vector<AccuracyRow> rows;
    const HourCurve curve = HourCurveOf(p);
    const std::vector<CalendarDate> dates = CalendarMarkDates(p.marksPerMonth);
    for (std::size_t i = 0; i < dates.size() && i + 1 < r.dateMarks.size(); ++i) {
        const tUmbrixPoint& mark = r.dateMarks[i + 1];
        if (mark.label.empty())
            break;
        const GnomonPlacement placement{{mark.x, mark.y}, curve};
        rows.push_back(
            {mark.label, static_cast<double>(DayOfYear(p.year, dates[i].month, dates[i].day)), placement, placement});
    }
    return rows;
}

std::vector<AccuracyRow> FixedGnomonRows(const DialParameters& p, const Results& r)
{
    std::vector<AccuracyRow> rows;
    const double reference = ReferenceMeridian(p);
    for (std::size_t slot = 1; slot + 1 < r.dateMarks.size(); ++slot) {
        const tUmbrixPoint& mark = r.dateMarks[slot];
        if (mark.label.empty())
            break;
        // The gnomon stands on the centre; the shadow rays from there meet every date line's ellipse.
        const GnomonPlacement placement{{0, 0}, FixedHourCurveOf(p, mark.declination)};
        rows.push_back({mark.label, DayOfNoonDeclination(p.year, mark.declination, reference), placement, placement});
    }
    return rows;
}

std::vector<AccuracyRow> SplitDialRows(const DialParameters& p, const Results& r)
{
    std::vector<AccuracyRow> rows;
    const HourCurve curve = HourCurveOf(p);
    const LoopPair loops = CurrentLoops(p, r);
    const std::vector<LoopDate> dates = LoopDates(p.marksPerMonth);
    for (std::size_t i = 0; i < dates.size() && i + 1 < loops.morning->size(); ++i) {
        const tUmbrixPoint& morning = (*loops.morning)[i + 1];
        const tUmbrixPoint& afternoon = (*loops.afternoon)[i + 1];
        if (morning.label.empty())
            break;
        rows.push_back({morning.label,
                        static_cast<double>(DayOfYear(p.year, dates[i].month, dates[i].day)),
                        {{morning.x, morning.y}, curve},
                        {{afternoon.x, afternoon.y}, curve}});
    }
    return rows;
}

/// The reading of a row at dial time h for the sun of that time; none without reading.
std::optional<double> ReadHours(const ReadingDial& dial, const GnomonPlacement& placement, const SolarInstant& sun)
{
    return ReadDial(dial, placement, sun).dialHours;
}

/// The hour marks' times: hourFrom .. hourTo, linesPerHour per hour, the last hour with its first mark only.
std::vector<double> HourMarkTimes(const DialParameters& p, const SharedState& s)
{
    const int lines = std::clamp<int>(p.linesPerHour, 1, 6);
    std::vector<double> times;
    for (int h = s.hourFrom; h <= s.hourTo; ++h)
        for (int j = 1; j <= (h == s.hourTo ? 1 : lines); ++j)
            times.push_back(h + ((60 / lines) * (j - 1)) / kMinutesPerHour);
    return times;
}

/// The central difference (f(+step) - f(-step)) / (2 step) of a reading in hours, as minutes of time per unit
/// of the step, times `unit`; none when either reading is missing.
std::optional<double> Derivative(const std::function<std::optional<double>(double)>& reading, double step, double unit)
{
    const std::optional<double> plus = reading(step);
    const std::optional<double> minus = reading(-step);
    if (!plus || !minus)
        return std::nullopt;
    const double value = (*plus - *minus) * kMinutesPerHour / (2 * step) * unit;
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

/// Keeps the largest magnitude.
void KeepLargest(std::optional<double>& kept, std::optional<double> value)
{
    if (value && (!kept || std::abs(*value) > *kept))
        kept = std::abs(*value);
}

/// Keeps the largest value with its key. A value within 1e-9 relative of the one kept ties with it, and the
/// earlier slot keeps the label: two sensitivities that are equal in exact arithmetic differ in their last
/// digits by the maths library, and the label must not depend on the build.
template <typename Worst, typename Key>
void KeepWorst(std::optional<Worst>& worst, const Key& key, std::optional<double> value)
{
    constexpr double kTieRelative = 1e-9;
    if (value &&
        (!worst || *value - worst->value > kTieRelative * std::max(std::abs(*value), std::abs(worst->value))))
        worst = Worst{key, *value};
}

DialPoint Offset(DialPoint a, DialPoint direction, double distance)
{
    return {a.x + direction.x * distance, a.y + direction.y * distance};
}

struct BudgetContext {
    const ReadingDial& dial;
    int year = 2015;
    bool millimetres = false; // lengthUnitMm is usable
    double lengthUnitMm = 1000;
};

/// The costs at the hour point of time t, the largest over the rows that read it.
HourPointBudget CostsAtHourPoint(const BudgetContext& c, const std::vector<AccuracyRow>& rows, double t)
{
    HourPointBudget point;
    point.time = t;
    const ReadingDial& dial = c.dial;
    const double markHourAngleDeg = (t - 12) * 15 + dial.zoneCorrectionDeg;
    for (const AccuracyRow& row : rows) {
        const GnomonPlacement& placement = PlacementAt(row, t);
        const SolarInstant sun = SunAtDialTime(dial.clock, c.year, row.dayOfYear, t);
        if (!ReadHours(dial, placement, sun))
            continue;
        // A mark moved by a distance: the whole curve moved with it reads the time at which the shadow passes
        // the moved mark.
        const auto movedMark = [&](DialPoint direction) {
            return [&, direction](double stepMm) {
                GnomonPlacement moved = placement;
                moved.curve.centre = Offset(placement.curve.centre, direction, stepMm / c.lengthUnitMm);
                return ReadHours(dial, moved, sun);
            };
        };
        const auto tilted = [&](Vec3 towards) {
            return [&, towards](double stepDeg) {
                ReadingDial turned = dial;
                turned.frame = TiltGnomon(dial.frame, towards, stepDeg);
                return ReadHours(turned, placement, sun);
            };
        };
        const auto offLatitude = [&](double stepDeg) {
            ReadingDial moved = dial;
            moved.latitudeDeg += stepDeg;
            return ReadHours(moved, placement, sun);
        };
        if (c.millimetres) {
            const DialPoint along = HourCurveTangent(placement.curve, markHourAngleDeg);
            KeepLargest(point.minutesPerMmAlong, Derivative(movedMark(along), kPositionStepMm, 1));
            KeepLargest(point.minutesPerMmAcross, Derivative(movedMark({-along.y, along.x}), kPositionStepMm, 1));
        }
        KeepLargest(point.minutesPerDegreeTiltNS, Derivative(tilted({0, 1, 0}), kTiltStepDeg, 1));
        KeepLargest(point.minutesPerDegreeTiltEW, Derivative(tilted({1, 0, 0}), kTiltStepDeg, 1));
        KeepLargest(point.minutesPerTenthDegreeLatitude, Derivative(offLatitude, kLatitudeStepDeg, kLatitudeErrorDeg));
    }
    return point;
}

/// The costs of moving the gnomon off a date mark, the largest over the full hours it reads.
DateMarkBudget CostsOfDateMark(const BudgetContext& c, const AccuracyRow& row, const SharedState& s)
{
    DateMarkBudget mark;
    mark.label = row.label;
    for (int h = s.hourFrom; h <= s.hourTo && c.millimetres; ++h) {
        const GnomonPlacement& placement = PlacementAt(row, h);
        const SolarInstant sun = SunAtDialTime(c.dial.clock, c.year, row.dayOfYear, h);
        if (!ReadHours(c.dial, placement, sun))
            continue;
        const auto movedFoot = [&](DialPoint direction) {
            return [&, direction](double stepMm) {
                GnomonPlacement moved = placement;
                moved.foot = Offset(placement.foot, direction, stepMm / c.lengthUnitMm);
                return ReadHours(c.dial, moved, sun);
            };
        };
        KeepLargest(mark.minutesPerMmNS, Derivative(movedFoot({0, 1}), kPositionStepMm, 1));
        KeepLargest(mark.minutesPerMmEW, Derivative(movedFoot({1, 0}), kPositionStepMm, 1));
    }
    return mark;
}

} // namespace

std::vector<AccuracyRow> AccuracyRows(const DialParameters& p, const Results& r)
{
    if (IsSplitDial(p))
        return SplitDialRows(p, r);
    if (p.type() == DialType::FixedGnomon)
        return FixedGnomonRows(p, r);
    return CalendarRows(p, r);
}

const GnomonPlacement& PlacementAt(const AccuracyRow& row, double dialHours)
{
    return dialHours <= kNoon ? row.morning : row.afternoon;
}

DesignErrorMap ComputeDesignErrorMap(const DialParameters& p, const SharedState& s, const Results& r)
{
    DesignErrorMap map;
    const std::optional<ReadingDial> dial = MakeReadingDial(p, s);
    if (!dial)
        return map;
    for (int h = s.hourFrom; h <= s.hourTo; ++h)
        map.hours.push_back(h);
    double sumAbs = 0;
    for (const AccuracyRow& row : AccuracyRows(p, r)) {
        map.dates.push_back(row.label);
        std::vector<DesignErrorCell>& cells = map.cells.emplace_back();
        for (const int h : map.hours) {
            const SolarInstant sun = SunAtDialTime(dial->clock, p.year, row.dayOfYear, h);
            const Reading reading = ReadDial(*dial, PlacementAt(row, h), sun);
            DesignErrorCell& cell = cells.emplace_back();
            cell.status = reading.status;
            if (!reading.dialHours)
                continue;
            cell.minutes = (*reading.dialHours - h) * kMinutesPerHour;
            cell.ambiguous = reading.ambiguous;
            ++map.count;
            map.ambiguousCount += reading.ambiguous ? 1 : 0;
            sumAbs += std::abs(*cell.minutes);
            if (!map.worst || std::abs(*cell.minutes) > std::abs(map.worst->minutes))
                map.worst = DesignErrorWorst{row.label, h, *cell.minutes};
        }
    }
    if (map.count > 0) {
        map.maxAbs = std::abs(map.worst->minutes);
        map.meanAbs = sumAbs / map.count;
    }
    return map;
}

ErrorBudget ComputeErrorBudget(const DialParameters& p, const SharedState& s, const Results& r, double lengthUnitMm)
{
    ErrorBudget budget;
    const std::optional<ReadingDial> dial = MakeReadingDial(p, s);
    if (!dial)
        return budget;
    const std::vector<AccuracyRow> rows = AccuracyRows(p, r);
    const BudgetContext context{*dial, p.year, std::isfinite(lengthUnitMm) && lengthUnitMm > 0, lengthUnitMm};
    for (const double t : HourMarkTimes(p, s)) {
        const HourPointBudget& point = budget.hourPoints.emplace_back(CostsAtHourPoint(context, rows, t));
        KeepWorst(budget.worst.along, t, point.minutesPerMmAlong);
        KeepWorst(budget.worst.across, t, point.minutesPerMmAcross);
        KeepWorst(budget.worst.tiltNS, t, point.minutesPerDegreeTiltNS);
        KeepWorst(budget.worst.tiltEW, t, point.minutesPerDegreeTiltEW);
        KeepWorst(budget.worst.latitude, t, point.minutesPerTenthDegreeLatitude);
    }
    for (const AccuracyRow& row : rows) {
        const DateMarkBudget& mark = budget.dateMarks.emplace_back(CostsOfDateMark(context, row, s));
        KeepWorst(budget.worst.ns, row.label, mark.minutesPerMmNS);
        KeepWorst(budget.worst.ew, row.label, mark.minutesPerMmEW);
    }
    return budget;
}

} // namespace umbrix
