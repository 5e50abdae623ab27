#include "core/loops.h"

#include "core/date_scale.h"
#include "core/ephemeris.h"
#include "core/fields.h"
#include "core/shadow_path.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace umbrix {

namespace {

constexpr double kTwoHourDivisorGuard = 1e-7;
constexpr int kErrorColumn = 5;              // row mean |error| of the loop grids
constexpr int kFirstHourColumn = 6;          // first hour column of the loop grids
constexpr double kAfternoonFirstHour = 12.5; // the afternoon's first column stands for 12:30

double RadOf(double deg)
{
    return deg * degToRad;
}

/// Header of an hour column: "12:30" for the afternoon's first column, else the hour with ":00", one
/// blank in front from 10 o'clock on and for the first column, two blanks otherwise.
std::string HourHeader(int firstHour, int hour)
{
    if (firstHour == 12 && hour == 12)
        return "12:30";
    std::string text(hour >= 10 || hour == firstHour ? 1 : 2, ' ');
    text += std::to_string(hour);
    text += ":00";
    return text;
}

/// The rows of a loop table by method 0 for one half.
LoopTable TwoHourLoop(const Model& model, double t1Hours, double t2Hours)
{
    const DialParameters& p = model.params;
    LoopTable table{};
    std::size_t row = 1;
    for (const LoopDate& date : LoopDates(p.marksPerMonth)) {
        table[row] = ExactTwoHourPosition(p, model.derived, date.month, date.day, t1Hours, t2Hours);
        table[row].label = LoopLabel(model.state, date);
        ++row;
    }
    return table;
}

/// StrGridEin after method 0: "Zeit" over the hour columns, the four hours used with 2 decimals.
StringGrid TwoHourGrid(const Model& model, const TwoHourInput& in)
{
    StringGrid grid = EmptyGridLike(model.grids.StrGridEin);
    const std::string time(LabelRow(model.state.language, LabelId::Time));
    grid.setCell(1, 0, time);
    grid.setCell(3, 0, time);
    grid.setCell(2, 0, " ");
    grid.setCell(4, 0, " ");
    grid.setCell(1, 1, FormatFixed(6, 2, in.a1));
    grid.setCell(1, 2, FormatFixed(6, 2, in.a2));
    grid.setCell(3, 1, FormatFixed(6, 2, in.p1));
    grid.setCell(3, 2, FormatFixed(6, 2, in.p2));
    return grid;
}

} // namespace

LoopGeometry MakeLoopGeometry(const DialParameters& p, const DerivedGeometry& derived)
{
    LoopGeometry g;
    g.semiMajorAxis = p.semiMajorAxis;
    g.semiMinorAxis = derived.semiMinorAxis;
    g.latitudeDeg = p.latitude;
    g.sinLz = std::sin(RadOf(p.latitude - p.gnomonInclination));
    g.cosLz = std::cos(RadOf(p.latitude - p.gnomonInclination));
    g.cosZze = std::cos(RadOf(p.gnomonInclination - p.planeInclination));
    g.cosG = derived.cosPlaneGnomon;
    g.bPrime = p.semiMajorAxis * g.sinLz / g.cosG;
    return g;
}

NoonSun LoopNoonSun(const DialParameters& p, int month, int day)
{
    return DesignNoonSun(p, p.year, month, day, p.zoneMeridian, p.zoneMeridian);
}

HourErrorDate MakeHourErrorDate(const LoopGeometry& g, double declDeg, double eotDeg)
{
    return {g.sinLz, g.cosLz * SafeTan(RadOf(declDeg)), g.cosZze, eotDeg};
}

HourErrorHour MakeHourErrorHour(const LoopGeometry& g, double clockHours)
{
    const double tRad = RadOf((clockHours - 12) * 15);
    return {clockHours - 12, (12 - clockHours) * 15, g.semiMajorAxis * std::sin(tRad), g.bPrime * std::cos(tRad)};
}

std::optional<double> HourError(const LoopGeometry& g, double clockHours, double x, double y, double eotDeg,
                                double declDeg)
{
    const HourErrorValue v =
        EvaluateHourError(MakeHourErrorDate(g, declDeg, eotDeg), MakeHourErrorHour(g, clockHours), x, y);
    if (!v.ok)
        return std::nullopt;
    return v.errorDeg;
}

DialPoint TwoHourPosition(const LoopGeometry& g, double declDeg, double eotDeg, double t1Hours, double t2Hours)
{
    const double m = g.semiMajorAxis;
    const double s = g.sinLz;
    const double k = g.cosLz * SafeTan(RadOf(declDeg));
    const double t1Deg = (t1Hours - 12) * 15;
    const double t2Deg = (t2Hours - 12) * 15;
    const double tau1Deg = t1Deg + eotDeg; // true hour angles of the sun at the two clock hours
    const double tau2Deg = t2Deg + eotDeg;
    const double sinTau1 = std::sin(RadOf(tau1Deg));
    const double sinTau2 = std::sin(RadOf(tau2Deg));
    const double sinDiff = std::sin(RadOf(tau1Deg - tau2Deg));
    const double f = Guard(s * sinDiff - k * (sinTau1 - sinTau2), kTwoHourDivisorGuard);
    const double x = (m * std::sin(RadOf(-eotDeg)) / f) * (s * (sinTau1 - sinTau2) - k * sinDiff);
    const double y =
        (m / (f * g.cosG)) *
        (k * (s * std::cos(RadOf(eotDeg)) * sinDiff - k * (std::sin(RadOf(t1Deg)) - std::sin(RadOf(t2Deg)))) -
         s * s * std::sin(RadOf(eotDeg)) * (std::cos(RadOf(tau1Deg)) - std::cos(RadOf(tau2Deg))));
    return {x, y};
}

DialPoint AnalemmaPoint(const LoopGeometry& g, const DialParameters& p, double declDeg, double eotDeg)
{
    const double m = g.semiMajorAxis;
    return {-eotDeg * degToRad * m,
            SafeTan(RadOf(declDeg)) * m * std::sin(RadOf(p.gnomonInclination + 90 - p.latitude)) / g.cosG};
}

std::uint8_t InsideFlag(const LoopGeometry& g, double y)
{
    const bool beyond = std::abs(y) > kInsideFraction * std::abs(g.semiMinorAxis) && Sign(y) == Sign(g.semiMinorAxis);
    return beyond ? 0 : 1;
}

std::vector<LoopDate> LoopDates(int marksPerMonth)
{
    const int n = std::clamp(marksPerMonth, 1, 6);
    const int step = n <= 2 ? 14 : (n == 3 ? 10 : 5);
    std::vector<LoopDate> dates;
    dates.reserve(static_cast<std::size_t>(12 * n));
    for (int month = 1; month <= 12; ++month)
        for (int j = 1; j <= n; ++j)
            dates.push_back({month, 1 + step * (j - 1)});
    return dates;
}

std::string LoopLabel(const SharedState& state, LoopDate date)
{
    std::string label;
    if (date.day < 10)
        label += '0';
    label += std::to_string(date.day);
    label += '.';
    if (date.month >= 1 && date.month <= 12)
        label += state.MonthNames[static_cast<std::size_t>(date.month - 1)];
    label += ' ';
    return label;
}

tUmbrixPoint ExactTwoHourPosition(const DialParameters& p, const DerivedGeometry& derived, int month, int day,
                                  double t1Hours, double t2Hours)
{
    const LoopGeometry g = MakeLoopGeometry(p, derived);
    const NoonSun sun = LoopNoonSun(p, month, day);
    tUmbrixPoint point;
    point.declination = sun.declinationDeg;
    point.equationOfTime = sun.equationOfTimeDeg;
    const DialPoint pos = TwoHourPosition(g, sun.declinationDeg, sun.equationOfTimeDeg, t1Hours, t2Hours);
    point.x = pos.x;
    point.y = pos.y;
    point.insideFlag = InsideFlag(g, pos.y);
    return point;
}

LoopErrorStatistics LoopStatistics(StringGrid& grid, int firstHour, int lastHour, const LoopTable& table, int rowCount,
                                   const LoopGeometry& g, const LanguageState& lang, Host& host)
{
    if (lastHour - firstHour + 1 < 2)
        host.showMessage(CaptionText(lang, Caption::Information), TextRow(lang, TextId::TooFewDataForAverage),
                         MessageIcon::Question);
    // Hours outside the day are meaningless, and the grid has no column for them.
    firstHour = std::clamp(firstHour, 0, 24);
    lastHour = std::clamp(lastHour, firstHour - 1, 24);
    const auto column = [&](int hour) { return kFirstHourColumn + hour - firstHour; };

    grid.setCell(kErrorColumn, 0, std::string(LabelRow(lang, LabelId::Error)));
    for (int h = firstHour; h <= lastHour; ++h)
        grid.setCell(column(h), 0, HourHeader(firstHour, h));

    int count = 0;
    double sumAbs = 0;
    double sum = 0;
    double sumSquares = 0;
    double maxAbs = 0;
    rowCount = std::clamp(rowCount, 0, kLoopRows);
    for (int r = 1; r <= rowCount; ++r) {
        const tUmbrixPoint& point = table[static_cast<std::size_t>(r)];
        for (int h = firstHour; h <= lastHour; ++h)
            grid.setCell(column(h), r, "");
        if (point.insideFlag == 0) {
            grid.setCell(kErrorColumn, r, "***");
            continue;
        }
        const double halfDay = HalfDayLength(g.latitudeDeg, point.declination);
        int rowCountedHours = 0;
        double rowSumAbs = 0;
        for (int h = firstHour; h <= lastHour; ++h) {
            const double hour = firstHour == 12 && h == 12 ? kAfternoonFirstHour : h;
            if (!(std::abs(hour - 12) < halfDay))
                continue;
            const std::optional<double> e =
                HourError(g, hour, point.x, point.y, point.equationOfTime, point.declination);
            if (!e) {
                grid.setCell(column(h), r, " error");
                continue;
            }
            grid.setCell(column(h), r, FormatMinSec(*e));
            ++rowCountedHours;
            rowSumAbs += std::abs(*e);
            ++count;
            sumAbs += std::abs(*e);
            sum += *e;
            sumSquares += *e * *e;
            maxAbs = std::max(maxAbs, std::abs(*e));
        }
        grid.setCell(kErrorColumn, r, rowCountedHours > 0 ? FormatMinSec(rowSumAbs / rowCountedHours) : "???");
    }

    LoopErrorStatistics stats;
    if (count == 0)
        return stats;
    const double mean = sum / count;
    stats.valid = true;
    stats.count = count;
    stats.maxAbs = maxAbs;
    stats.meanAbs = sumAbs / count;
    // The variance as mean square minus squared mean can come out a hair below zero by rounding.
    stats.spread = std::sqrt(std::max(0.0, sumSquares / count - mean * mean));
    return stats;
}

void ShowLoopStatistics(StringGrid& strMittel, int column, const LoopErrorStatistics& stats)
{
    strMittel.setCell(column, 1, stats.valid ? FormatMinSec(stats.maxAbs) : "???");
    strMittel.setCell(column, 2, stats.valid ? FormatMinSec(stats.meanAbs) : "???");
    strMittel.setCell(column, 3, stats.valid ? FormatMinSec(stats.spread) : "???");
}

LoopGrids LoopGridsOf(const Grids& grids)
{
    return {grids.StrGrid8b, grids.StrGrid8, grids.StrGridDat, grids.StrMittel};
}

LoopErrorStatistics ShowLoop(LoopGrids& grids, const Model& model, Host& host, DayHalf half, const LoopTable& table,
                             int rowCount)
{
    const LanguageState& lang = model.state.language;
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    const int rowLimit = kLoopRows + 1;
    LoopErrorStatistics stats;
    if (half == DayHalf::Morning) {
        ClearGrid(grids.morningErrors);
        ShowPointTable(grids.morningErrors, table, rowLimit, PointTableMode::Full, lang, kLoopGridColumns);
        stats = LoopStatistics(grids.morningErrors, model.state.errorHourFrom, 12, table, rowCount, g, lang, host);
        ClearGrid(grids.dateListing);
        ShowPointTable(grids.dateListing, table, rowLimit, PointTableMode::Full, lang);
        ShowLoopStatistics(grids.statistics, 1, stats);
    } else {
        ClearGrid(grids.afternoonErrors);
        ShowPointTable(grids.afternoonErrors, table, rowLimit, PointTableMode::Full, lang, kLoopGridColumns);
        stats = LoopStatistics(grids.afternoonErrors, 12, model.state.errorHourTo, table, rowCount, g, lang, host);
        ShowPointTable(grids.dateListing, table, rowLimit, PointTableMode::RightColumns, lang);
        ShowLoopStatistics(grids.statistics, 2, stats);
    }
    return stats;
}

HourCell ReadHourCell(const StringGrid& grid, int col, int row)
{
    std::string text = grid.cell(col, row);
    std::replace(text.begin(), text.end(), ',', '.');
    const RealParse parsed = ParseRealText(text);
    return {parsed.error, parsed.value};
}

TwoHourInput ReadTwoHourInput(const Model& model)
{
    TwoHourInput in;
    if (model.state.useDefaultHours)
        return in;
    const StringGrid& grid = model.grids.StrGridEin;
    const auto read = [&](int col, int row, double emptyValue, double& value) {
        const HourCell cell = ReadHourCell(grid, col, row);
        in.conversionError = in.conversionError || cell.error;
        value = cell.value.value_or(emptyValue);
    };
    read(1, 1, 9, in.a1);
    read(1, 2, 11, in.a2);
    read(3, 1, 13, in.p1);
    read(3, 2, 17.5, in.p2);
    if (in.conversionError)
        return in;

    if (in.a1 > in.a2)
        std::swap(in.a1, in.a2);
    if (in.a1 >= 12) {
        in.a1 = 9;
        in.a2 = 11.5;
    }
    if (in.a1 < 5)
        in.a1 = 5;
    if (in.a2 > 12)
        in.a2 = 12;

    if (in.p1 > in.p2)
        std::swap(in.p1, in.p2);
    if (!(in.p2 > 12)) {
        in.p1 = 12;
        in.p2 = 17.5;
    }
    if (in.p1 < 12)
        in.p1 = 12;
    if (in.p2 > 20)
        in.p2 = 20;
    return in;
}

DoubleAnalemmaResult ExactTwoHourLoops(const Model& model, Host& host)
{
    DoubleAnalemmaResult out;
    const TwoHourInput in = ReadTwoHourInput(model);
    if (in.conversionError) {
        out.errorCode = kErrorLoopHours;
        return out;
    }
    out.hourInput = TwoHourGrid(model, in);
    if (in.a1 == in.a2 || in.p1 == in.p2) {
        out.errorCode = kErrorLoopHours;
        return out;
    }

    const DialParameters& p = model.params;
    const std::vector<LoopDate> dates = LoopDates(p.marksPerMonth);
    const int rowCount = static_cast<int>(dates.size());
    out.grids = LoopGridsOf(model.grids);
    out.morning = TwoHourLoop(model, in.a1, in.a2);
    out.morningStatistics = ShowLoop(out.grids, model, host, DayHalf::Morning, out.morning, rowCount);
    out.afternoon = TwoHourLoop(model, in.p1, in.p2);
    out.afternoonStatistics = ShowLoop(out.grids, model, host, DayHalf::Afternoon, out.afternoon, rowCount);
    const LoopDate last = dates.back();
    out.obliquityDeg = LoopNoonSun(p, last.month, last.day).obliquityDeg;
    return out;
}

LoopPair CurrentLoops(const Model& model)
{
    return CurrentLoops(model.params, model.results);
}

LoopPair CurrentLoops(const DialParameters& p, const Results& r)
{
    if (!IsSearchMethod(p.doubleAnalemmaMethod))
        return {&r.morningLoop, &r.afternoonLoop};
    return {&r.morningLoopOptimised, &r.afternoonLoopOptimised};
}

} // namespace umbrix
