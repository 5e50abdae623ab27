#include "core/loop_optimiser.h"

#include "core/date_scale.h"
#include "core/ephemeris.h"
#include "core/numeric.h"
#include "core/shadow_path.h"
#include "text/own_texts.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

namespace {

constexpr int kFirstListedRow = 5;      // method 1 lists every hour from this row of StrGridEin
constexpr double kStepTolerance = 1e-9; // hours: a + k step still counts as "not above e" within this
constexpr double kTinyAngle = 1e-10;    // radians, and for the cotangent of the shadow direction

struct HourRange {
    double lo;
    double hi;
};
constexpr HourRange kMeanMorningRange{4, 12};
constexpr HourRange kMeanAfternoonRange{12, 20};
constexpr HourRange kSearchMorningRange{4, 12};
constexpr HourRange kSearchAfternoonRange{12, 21};

HourList MakeList(std::initializer_list<double> hours)
{
    HourList list;
    for (double h : hours) {
        list.hours[static_cast<std::size_t>(list.count)] = h;
        list.weights[static_cast<std::size_t>(list.count)] = 1;
        ++list.count;
    }
    return list;
}

HourList MeanDefaults(DayHalf half)
{
    return half == DayHalf::Morning ? MakeList({7, 8, 9, 10, 11}) : MakeList({13, 14, 15, 16, 17});
}

HourList SearchDefaults(DayHalf half)
{
    return half == DayHalf::Morning ? MakeList({8, 9, 10, 11}) : MakeList({13, 14, 15, 16, 17});
}

/// The rows of one StrGridEin column as they are read: hours limited to the range, weights as absolute
/// values (1 for an empty cell). Reading stops at the first empty hour cell, below row 72, or after
/// `capacity` hours; `rowsRead` counts every row read.
struct ColumnRead {
    bool conversionError = false;
    int rowsRead = 0;
    HourList list;
};
ColumnRead ReadHourColumn(const StringGrid& grid, int col, HourRange range, int capacity)
{
    ColumnRead out;
    for (int row = 1; row < kHourInputRowLimit && out.rowsRead < capacity + 1; ++row) {
        const HourCell hour = ReadHourCell(grid, col, row);
        if (hour.error) {
            out.conversionError = true;
            return out;
        }
        if (!hour.value)
            break;
        const HourCell weight = ReadHourCell(grid, col + 1, row);
        if (weight.error) {
            out.conversionError = true;
            return out;
        }
        ++out.rowsRead;
        if (out.list.count < capacity) {
            const auto k = static_cast<std::size_t>(out.list.count++);
            out.list.hours[k] = std::clamp(*hour.value, range.lo, range.hi);
            out.list.weights[k] = weight.value ? std::abs(*weight.value) : 1.0;
        }
    }
    return out;
}

/// Method 1's list of one half; see ReadMeanHourInput.
struct MeanHalf {
    bool conversionError = false;
    bool tooLong = false;
    HourList list;
    double step = 1;
};
MeanHalf ReadMeanHalf(const Model& model, DayHalf half)
{
    MeanHalf out;
    if (model.state.useDefaultHours) {
        out.list = MeanDefaults(half);
        return out;
    }
    const int col = half == DayHalf::Morning ? 1 : 3;
    const HourRange range = half == DayHalf::Morning ? kMeanMorningRange : kMeanAfternoonRange;
    // One hour more than the capacity is read, so that a list that is too long is noticed.
    const ColumnRead read = ReadHourColumn(model.grids.StrGridEin, col, range, kMaxListHours);
    if (read.conversionError) {
        out.conversionError = true;
        return out;
    }
    out.step = read.rowsRead >= 2 ? read.list.weights[1] : 0;
    if (read.rowsRead >= 3) {
        out.list = read.list;
        out.tooLong = read.rowsRead > kMaxListHours;
        return out;
    }
    if (read.rowsRead == 2 && out.step != 0) {
        const double a = std::min(read.list.hours[0], read.list.hours[1]);
        const double e = std::max(read.list.hours[0], read.list.hours[1]);
        for (int k = 0;; ++k) {
            const double hour = a + k * out.step;
            if (hour > e + kStepTolerance)
                break;
            if (out.list.count == kMaxListHours) {
                out.tooLong = true;
                break;
            }
            out.list.hours[static_cast<std::size_t>(out.list.count)] = hour;
            out.list.weights[static_cast<std::size_t>(out.list.count)] = 1;
            ++out.list.count;
        }
        return out;
    }
    out.list = MeanDefaults(half);
    out.step = 1;
    return out;
}

/// "Tabelle fehlerhaft" and its reason (none: the bare words), error caption and icon. In German the words
/// stand alone whatever the language, as they always have.
void ShowTableError(const Model& model, Host& host, std::optional<OwnText> reason)
{
    const LanguageState& lang = model.state.language;
    std::string text(OwnTextOf(StateFor(Language::German), OwnText::TableErroneous));
    if (reason)
        text = std::string(OwnTextOf(lang, OwnText::TableErroneous)) + ": " + std::string(OwnTextOf(lang, *reason));
    host.showMessage(CaptionText(lang, Caption::Error), text, MessageIcon::Error);
}

/// StrGridEin after method 1.
StringGrid MeanGrid(const Model& model, const MeanHourInput& in)
{
    StringGrid grid = EmptyGridLike(model.grids.StrGridEin);
    const LanguageState& lang = model.state.language;
    for (int col : {1, 3})
        grid.setCell(col, 0, std::string(LabelRow(lang, LabelId::Time)));
    for (int col : {2, 4})
        grid.setCell(col, 0, std::string(LabelRow(lang, LabelId::Diff)));
    const auto write = [&](int col, const HourList& list, double step) {
        if (list.count < 1)
            return;
        grid.setCell(col, 1, FormatFixed(6, 2, list.hours[0]));
        grid.setCell(col, 2, FormatFixed(6, 2, list.hours[static_cast<std::size_t>(list.count - 1)]));
        grid.setCell(col + 1, 2, FormatFixed(6, 2, step));
        for (int k = 0; k < list.count; ++k)
            // Hours as h:mm: the minutes-and-seconds text of hours / 4 degrees reads as hours and minutes.
            grid.setCell(col, kFirstListedRow + k, FormatMinSec(list.hours[static_cast<std::size_t>(k)] / 4));
    };
    write(1, in.morning, in.morningStep);
    write(3, in.afternoon, in.afternoonStep);
    return grid;
}

/// StrGridEin after methods 2 to 4: the hours and weights used, so that the table reads back as the same
/// lists at the next calculation.
StringGrid SearchGrid(const Model& model, const SearchHourInput& in)
{
    StringGrid grid = EmptyGridLike(model.grids.StrGridEin);
    const LanguageState& lang = model.state.language;
    for (int col : {1, 3})
        grid.setCell(col, 0, std::string(LabelRow(lang, LabelId::Time)));
    for (int col : {2, 4})
        grid.setCell(col, 0, std::string(LabelRow(lang, LabelId::Weight)));
    const auto write = [&](int col, const HourList& list) {
        for (int k = 0; k < list.count; ++k) {
            const auto i = static_cast<std::size_t>(k);
            grid.setCell(col, k + 1, FormatFixed(6, 2, list.hours[i]));
            grid.setCell(col + 1, k + 1, FormatFixed(6, 2, list.weights[i]));
        }
    };
    write(1, in.morning);
    write(3, in.afternoon);
    return grid;
}

/// Direction of the shadow line at the true hour angle tauRad (radians, psi in (-pi, pi]).
double ShadowDirection(const LoopGeometry& g, double tanDecl, double tauRad)
{
    if (std::abs(tauRad) < kTinyAngle)
        return 0;
    const double cot = (g.sinLz * std::cos(tauRad) - g.cosLz * tanDecl) / std::sin(tauRad) / g.cosG;
    if (std::abs(cot) < kTinyAngle)
        return Sign(tauRad) * std::numbers::pi / 2;
    double psi = std::atan(1 / cot);
    if (psi < 0)
        psi += std::numbers::pi;
    return tauRad < 0 ? -psi : psi;
}

template <int Item> double CriterionOf(const SearchRow& row, double x, double y)
{
    double sumWAbs = 0;
    double sumW = 0;
    double sumWE2 = 0;
    double maxAbs = 0;
    for (int k = 0; k < row.count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const HourErrorValue v = EvaluateHourError(row.date, row.hours[i], x, y);
        if (!v.ok)
            continue;
        const double w = row.weights[i];
        const double e = v.errorDeg;
        sumW += w;
        if constexpr (Item == 2)
            maxAbs = std::max(maxAbs, std::abs(e));
        if constexpr (Item == 3)
            sumWAbs += std::abs(w * e);
        if constexpr (Item == 4)
            sumWE2 += w * (e * e);
    }
    if (!(sumW > 0))
        return kNoCriterion;
    if constexpr (Item == 2)
        return maxAbs;
    else if constexpr (Item == 3)
        return sumWAbs / sumW;
    else
        return std::sqrt(sumWE2 / sumW);
}

template <int Item> DialPoint PassOf(const SearchRow& row, int n, int h, double step, DialPoint centre, double& best)
{
    DialPoint bestPoint = centre;
    for (int i = 1; i <= n; ++i) {
        const double x = (i - h) * step + centre.x;
        for (int j = 1; j <= n; ++j) {
            const double y = (j - h) * step + centre.y;
            const double criterion = CriterionOf<Item>(row, x, y);
            if (criterion < std::abs(best)) {
                best = criterion;
                bestPoint = {x, y};
            }
        }
    }
    return bestPoint;
}

} // namespace

MeanHourInput ReadMeanHourInput(const Model& model)
{
    MeanHourInput in;
    const MeanHalf morning = ReadMeanHalf(model, DayHalf::Morning);
    const MeanHalf afternoon = ReadMeanHalf(model, DayHalf::Afternoon);
    in.conversionError = morning.conversionError || afternoon.conversionError;
    in.morning = morning.list;
    in.afternoon = afternoon.list;
    in.morningStep = morning.step;
    in.afternoonStep = afternoon.step;
    in.morningTooLong = morning.tooLong;
    in.afternoonTooLong = afternoon.tooLong;
    return in;
}

MeanPosition MeanOfPairsPosition(const LoopGeometry& g, double declDeg, double eotDeg, const HourList& list)
{
    MeanPosition out;
    const int c = std::min(list.count, kMaxListHours);
    if (c < 2)
        return out;
    const double tanDecl = SafeTan(declDeg * degToRad);
    std::array<double, kMaxListHours> cosWeight{};
    std::array<double, kMaxListHours> sinWeight{};
    double cosSum = 0;
    double sinSum = 0;
    for (int k = 0; k < c; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const double tauRad = ((list.hours[i] - 12) * 15 + eotDeg) * degToRad;
        const double psi = ShadowDirection(g, tanDecl, tauRad);
        cosWeight[i] = std::abs(std::cos(psi));
        sinWeight[i] = std::sin(psi);
        cosSum += cosWeight[i];
        sinSum += sinWeight[i];
    }
    // Where every weight of a coordinate vanishes the weighted mean is undefined: take the plain mean.
    const bool plainX = cosSum == 0;
    const bool plainY = sinSum == 0;
    double xSum = 0;
    double ySum = 0;
    DialPoint last;
    for (int k = 0; k < c; ++k) {
        const auto i = static_cast<std::size_t>(k);
        for (int l = 0; l < c; ++l) {
            if (l == k)
                continue;
            last = TwoHourPosition(g, declDeg, eotDeg, list.hours[i], list.hours[static_cast<std::size_t>(l)]);
            xSum += (plainX ? 1.0 : cosWeight[i]) * last.x;
            ySum += (plainY ? 1.0 : sinWeight[i]) * last.y;
        }
    }
    out.position.x = xSum / ((c - 1) * (plainX ? c : cosSum));
    out.position.y = ySum / ((c - 1) * (plainY ? c : sinSum));
    out.insideFlag = InsideFlag(g, last.y);
    return out;
}

DoubleAnalemmaResult MeanOfPairsLoops(const Model& model, Host& host)
{
    DoubleAnalemmaResult out;
    const MeanHourInput in = ReadMeanHourInput(model);
    if (in.conversionError) {
        out.errorCode = kErrorLoopHours;
        return out;
    }
    out.hourInput = MeanGrid(model, in);

    const auto fail = [&](std::optional<OwnText> reason) {
        ShowTableError(model, host, reason);
        out.errorCode = kErrorLoopHours;
        return out;
    };
    if (in.morning.count < 2 || in.afternoon.count < 2)
        return fail(OwnText::TableFewerThanTwoHours);
    if (in.morningTooLong || in.afternoonTooLong)
        return fail(OwnText::TableMoreThanThirtyHours);
    const auto sameEnds = [](const HourList& list) {
        return FormatFixed(6, 2, list.hours[0]) ==
               FormatFixed(6, 2, list.hours[static_cast<std::size_t>(list.count - 1)]);
    };
    if (sameEnds(in.morning) || sameEnds(in.afternoon))
        return fail(std::nullopt);

    const DialParameters& p = model.params;
    const LoopGeometry g = MakeLoopGeometry(p, model.derived);
    const std::vector<LoopDate> dates = LoopDates(p.marksPerMonth);
    const int rowCount = static_cast<int>(dates.size());
    out.grids = LoopGridsOf(model.grids);
    for (DayHalf half : {DayHalf::Morning, DayHalf::Afternoon}) {
        const bool morning = half == DayHalf::Morning;
        LoopTable& table = morning ? out.morning : out.afternoon;
        const HourList& list = morning ? in.morning : in.afternoon;
        std::size_t row = 1;
        for (const LoopDate& date : dates) {
            const NoonSun sun = LoopNoonSun(p, date.month, date.day);
            out.obliquityDeg = sun.obliquityDeg;
            tUmbrixPoint& point = table[row++];
            const MeanPosition mean = MeanOfPairsPosition(g, sun.declinationDeg, sun.equationOfTimeDeg, list);
            point.label = LoopLabel(model.state, date);
            point.declination = sun.declinationDeg;
            point.equationOfTime = sun.equationOfTimeDeg;
            point.x = mean.position.x;
            point.y = mean.position.y;
            point.insideFlag = mean.insideFlag;
        }
        (morning ? out.morningStatistics : out.afternoonStatistics) =
            ShowLoop(out.grids, model, host, half, table, rowCount);
    }
    return out;
}

SearchHourInput ReadSearchHourInput(const Model& model)
{
    SearchHourInput in;
    in.morning = SearchDefaults(DayHalf::Morning);
    in.afternoon = SearchDefaults(DayHalf::Afternoon);
    if (model.state.useDefaultHours)
        return in;
    const auto readHalf = [&](int col, HourRange range, HourList& list) {
        const ColumnRead read = ReadHourColumn(model.grids.StrGridEin, col, range, kMaxSearchHours);
        if (read.conversionError)
            in.conversionError = true;
        else if (read.list.count >= 2)
            list = read.list;
    };
    readHalf(1, kSearchMorningRange, in.morning);
    readHalf(3, kSearchAfternoonRange, in.afternoon);
    return in;
}

DoubleAnalemmaResult OptimisedLoops(const Model& model, Host& host, int item)
{
    item = std::clamp(item, 2, 4);
    DoubleAnalemmaResult out;
    const SearchHourInput in = ReadSearchHourInput(model);
    if (in.conversionError) {
        out.errorCode = kErrorLoopHours;
        return out;
    }
    out.hourInput = SearchGrid(model, in);

    out.grids = LoopGridsOf(model.grids);
    host.progressBegin(24);
    const OptimisedLoop morning = LoopOptimise(out.grids, model, host, item, DayHalf::Morning, in.morning);
    const OptimisedLoop afternoon = LoopOptimise(out.grids, model, host, item, DayHalf::Afternoon, in.afternoon);
    host.progressEnd();
    out.morning = morning.table;
    out.morningStatistics = morning.statistics;
    out.afternoon = afternoon.table;
    out.afternoonStatistics = afternoon.statistics;
    out.obliquityDeg = afternoon.obliquityDeg;
    return out;
}

OptimisedLoop LoopOptimise(LoopGrids& grids, const Model& model, Host& host, int item, DayHalf half,
                           const HourList& list)
{
    const DialParameters& p = model.params;
    const LoopGeometry g = MakeLoopGeometry(p, model.derived);
    const std::vector<LoopDate> dates = LoopDates(p.marksPerMonth);
    OptimisedLoop out;
    for (std::size_t k = 0; k < dates.size(); ++k) {
        const LoopDate date = dates[k];
        tUmbrixPoint& point = out.table[k + 1];
        point.label = LoopLabel(model.state, date);
        const NoonSun sun = LoopNoonSun(p, date.month, date.day);
        out.obliquityDeg = sun.obliquityDeg;
        point.declination = sun.declinationDeg;
        point.equationOfTime = sun.equationOfTimeDeg;
        const DialPoint start = AnalemmaPoint(g, p, sun.declinationDeg, sun.equationOfTimeDeg);
        point.x = start.x;
        point.y = start.y;
        point.insideFlag = InsideFlag(g, start.y);
        if (point.insideFlag == 1)
            GridSearch(g, item, model.state.fineSearch, list, point);
        if (k + 1 == dates.size() || dates[k + 1].month != date.month)
            host.progressStep();
    }
    out.statistics = ShowLoop(grids, model, host, half, out.table, static_cast<int>(dates.size()));
    return out;
}

SearchSteps GridSearchSteps(double semiMajorAxis, bool fineSearch)
{
    SearchSteps s;
    s.n = fineSearch ? 32 : 18;
    s.h = s.n / 2;
    const double b = 4.6 * s.n;
    s.step = {semiMajorAxis / b, semiMajorAxis / (b * 0.965 * s.h), semiMajorAxis / (b * 0.935 * (s.h * s.h))};
    return s;
}

SearchRow MakeSearchRow(const LoopGeometry& g, const HourList& list, double declDeg, double eotDeg)
{
    SearchRow row;
    row.date = MakeHourErrorDate(g, declDeg, eotDeg);
    const double halfDayHours = std::abs(HalfDayLength(g.latitudeDeg, declDeg));
    if (halfDayHours == 0)
        return row; // the sun does not rise: no hour to judge a position by
    bool substituted = false;
    const int used = std::min(list.count, kMaxSearchHours);
    for (int k = 0; k < used; ++k) {
        const auto i = static_cast<std::size_t>(k);
        double hour = list.hours[i];
        if (!(halfDayHours >= std::abs(hour - 12))) {
            if (substituted)
                continue;
            // The first hour outside the day is moved to the last whole hour of daylight on its side.
            substituted = true;
            hour = hour >= 12 ? 12 + std::trunc(halfDayHours) : 12 - std::trunc(halfDayHours);
        }
        const auto slot = static_cast<std::size_t>(row.count++);
        row.hours[slot] = MakeHourErrorHour(g, hour);
        row.weights[slot] = list.weights[i];
    }
    return row;
}

double SearchCriterion(const SearchRow& row, int item, double x, double y)
{
    switch (std::clamp(item, 2, 4)) {
    case 2:
        return CriterionOf<2>(row, x, y);
    case 3:
        return CriterionOf<3>(row, x, y);
    default:
        return CriterionOf<4>(row, x, y);
    }
}

DialPoint GridSearchPass(const SearchRow& row, int item, int n, int h, double step, DialPoint centre, double& best)
{
    switch (std::clamp(item, 2, 4)) {
    case 2:
        return PassOf<2>(row, n, h, step, centre, best);
    case 3:
        return PassOf<3>(row, n, h, step, centre, best);
    default:
        return PassOf<4>(row, n, h, step, centre, best);
    }
}

void GridSearch(const LoopGeometry& g, int item, bool fineSearch, const HourList& list, tUmbrixPoint& row)
{
    const SearchRow search = MakeSearchRow(g, list, row.declination, row.equationOfTime);
    if (search.count == 0)
        return; // no hour to judge a position by: the row keeps its start
    const SearchSteps steps = GridSearchSteps(g.semiMajorAxis, fineSearch);
    double best = kNoCriterion;
    DialPoint centre{row.x, row.y};
    for (double step : steps.step)
        centre = GridSearchPass(search, item, steps.n, steps.h, step, centre, best);
    row.x = centre.x;
    row.y = centre.y;
}

} // namespace umbrix
