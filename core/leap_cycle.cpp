#include "core/leap_cycle.h"

#include "core/date_scale.h"
#include "core/ephemeris.h"
#include "core/numeric.h"
#include "text/own_texts.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

constexpr int kFirstYear = 1700;
constexpr int kLastYear = 2100;
constexpr double kSecondsPerDegreeOfHourAngle = 240;

bool IsCalendarMarkDial(const DialParameters& p)
{
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::HorizontalTiltedGnomon:
    case DialType::InclinedPlane:
    case DialType::InclinedPlaneGnomon:
    case DialType::VerticalSouth:
    case DialType::VerticalDeclining:
        return true;
    case DialType::MeanTime:
        return p.marksMode != MarksMode::DoubleAnalemma;
    case DialType::FixedGnomon:
        return false;
    }
    return false;
}

template <typename T> double Spread(const std::array<T, kLeapCycleYears>& values)
{
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    return *hi - *lo;
}

/// A mark of a degenerate dial (a position at infinity, an angle that is no number) is left out.
bool AllFinite(const LeapCycleMark& m)
{
    bool finite = std::isfinite(m.positionSpread) && std::isfinite(m.meanPosition.x) && std::isfinite(m.meanPosition.y);
    for (std::size_t k = 0; k < m.positions.size(); ++k)
        finite = finite && std::isfinite(m.positions[k].x) && std::isfinite(m.positions[k].y) &&
                 std::isfinite(m.declinationsDeg[k]) && std::isfinite(m.equationsOfTimeDeg[k]);
    return finite;
}

} // namespace

LeapCycle LeapCycleYears(int year)
{
    const int y = std::clamp(year, kFirstYear, kLastYear);
    int first = y - (y - 1) % 4;
    if (first < kFirstYear)
        first += 4;
    return {first, first + 1, first + 2, first + 3};
}

NoonSolarData NoonSunOfDate(int year, int month, int day, double referenceMeridianDeg)
{
    // 12:00 on the reference meridian is 12 h + reference / 15 UT; the same day value as the date marks use.
    const long double dayValue =
        DayOfYear(year, month, day) + (12 + static_cast<long double>(referenceMeridianDeg) / 15 - 12) / 24;
    const SunPositionResult sun = SunPosition(year, static_cast<double>(dayValue));
    return {sun.declinationDeg, sun.equationOfTimeDeg};
}

NoonSun DesignNoonSun(const DialParameters& p, int year, int month, int day, double referenceMeridianDeg,
                      double longitudeDeg)
{
    const SunAltAzResult noon =
        SunAltAzAt(year, DayOfYear(year, month, day), referenceMeridianDeg, longitudeDeg, p.latitude, 12.0, false);
    if (p.leapCycleMean == 0)
        return {noon.declinationDeg, noon.equationOfTimeDeg, noon.obliquityDeg};
    const NoonSolarData mean = LeapCycleMeanNoonSun(year, month, day, referenceMeridianDeg);
    return {mean.declinationDeg, mean.equationOfTimeDeg, noon.obliquityDeg};
}

NoonSolarData LeapCycleMeanNoonSun(int year, int month, int day, double referenceMeridianDeg)
{
    NoonSolarData mean;
    for (const int y : LeapCycleYears(year)) {
        const NoonSolarData sun = NoonSunOfDate(y, month, day, referenceMeridianDeg);
        mean.declinationDeg += sun.declinationDeg / kLeapCycleYears;
        mean.equationOfTimeDeg += sun.equationOfTimeDeg / kLeapCycleYears;
    }
    return mean;
}

DialPoint LeapCycleMeanPosition(const DialParameters& p, int month, int day)
{
    const NoonSolarData mean = LeapCycleMeanNoonSun(p.year, month, day, ReferenceMeridian(p));
    return DateScalePosition(p, mean.declinationDeg, mean.equationOfTimeDeg);
}

std::vector<LeapCycleMark> ComputeLeapCycleScatter(const DialParameters& p, const Results& r)
{
    std::vector<LeapCycleMark> marks;
    if (!IsCalendarMarkDial(p))
        return marks;
    const double reference = ReferenceMeridian(p);
    const std::vector<CalendarDate> dates = CalendarMarkDates(p.marksPerMonth);
    for (std::size_t i = 0; i < dates.size() && i + 1 < r.dateMarks.size(); ++i) {
        const tUmbrixPoint& table = r.dateMarks[i + 1];
        if (table.label.empty())
            break;
        LeapCycleMark mark;
        mark.label = table.label;
        mark.years = LeapCycleYears(p.year);
        for (std::size_t k = 0; k < mark.years.size(); ++k) {
            const NoonSolarData sun = NoonSunOfDate(mark.years[k], dates[i].month, dates[i].day, reference);
            mark.declinationsDeg[k] = sun.declinationDeg;
            mark.equationsOfTimeDeg[k] = sun.equationOfTimeDeg;
            mark.positions[k] = DateScalePosition(p, sun.declinationDeg, sun.equationOfTimeDeg);
        }
        mark.declinationSpreadDeg = Spread(mark.declinationsDeg);
        mark.equationOfTimeSpreadSeconds = Spread(mark.equationsOfTimeDeg) * kSecondsPerDegreeOfHourAngle;
        for (const DialPoint& a : mark.positions)
            for (const DialPoint& b : mark.positions)
                mark.positionSpread = std::max(mark.positionSpread, std::hypot(a.x - b.x, a.y - b.y));
        mark.mean = LeapCycleMeanNoonSun(p.year, dates[i].month, dates[i].day, reference);
        mark.meanPosition = DateScalePosition(p, mark.mean.declinationDeg, mark.mean.equationOfTimeDeg);
        if (AllFinite(mark))
            marks.push_back(std::move(mark));
    }
    return marks;
}

std::vector<std::string> LeapCycleColumnHeaders(int year, const LanguageState& lang, LengthUnit unit)
{
    const auto text = [&](OwnText id) { return std::string(OwnTextOf(lang, id)); };
    std::vector<std::string> headers;
    for (const int y : LeapCycleYears(year))
        headers.push_back(text(OwnText::LeapDeclinationOfYear) + std::to_string(y));
    for (const int y : LeapCycleYears(year))
        headers.push_back(text(OwnText::LeapEquationOfTimeOfYear) + std::to_string(y));
    headers.push_back(text(OwnText::LeapDeclinationSpread));
    headers.push_back(text(OwnText::LeapEquationOfTimeSpread));
    headers.push_back(text(OwnText::LeapPositionSpread) + std::string(UnitName(unit)));
    return headers;
}

std::vector<std::string> LeapCycleColumnCells(const LeapCycleMark& mark, LengthUnit unit)
{
    std::vector<std::string> cells;
    for (const double d : mark.declinationsDeg)
        cells.push_back(FormatFixed(8, 3, d));
    for (const double e : mark.equationsOfTimeDeg)
        cells.push_back(FormatMinSec(e));
    cells.push_back(FormatFixed(7, 3, mark.declinationSpreadDeg));
    cells.push_back(FormatFixed(6, 1, mark.equationOfTimeSpreadSeconds));
    cells.push_back(FormatLength(mark.positionSpread, unit));
    return cells;
}

} // namespace umbrix
