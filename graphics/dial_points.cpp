#include "graphics/dial_points.h"

#include "core/ephemeris.h"
#include "core/hour_marks.h"
#include "core/loops.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

constexpr double kSplitHalfShare = 0.1; // each half's centre lies a / 10 beside P

/// Marks of the date scale as the construction draws them: 12 per month setting, and the two solstices
/// when there are fewer than three marks a month; every mark of the single analemma.
int DrawnDateMarks(const DialParameters& p)
{
    if (p.type() == DialType::MeanTime && p.marksMode == MarksMode::Analemma)
        return kDateMarkSlots + 1;
    return std::min(12 * p.marksPerMonth + (p.marksPerMonth < 3 ? 2 : 0), kDateMarkSlots + 1);
}

} // namespace

double HalfCentreX(const DialParameters& p, DialHalf half)
{
    switch (half) {
    case DialHalf::Whole:
        return 0;
    case DialHalf::Morning:
        return -kSplitHalfShare * p.semiMajorAxis;
    case DialHalf::Afternoon:
        return kSplitHalfShare * p.semiMajorAxis;
    }
    return 0;
}

int LinesPerHourOf(const DialParameters& p)
{
    return std::clamp<int>(p.linesPerHour, 1, 6);
}

int HourMarkCount(const Model& model)
{
    const int m = (model.state.hourTo - model.state.hourFrom) * LinesPerHourOf(model.params) + 1;
    return std::clamp(m, 0, kHourPointSlots);
}

bool IsFullHourMark(int j, int linesPerHour)
{
    return linesPerHour == 1 || j % linesPerHour == 1;
}

double ZoneCorrectionDeg(const DialParameters& p)
{
    return p.showZoneTime ? p.zoneMeridian - p.longitude : 0.0;
}

double MarkHourAngleDeg(const Model& model, int j)
{
    const DialParameters& p = model.params;
    return (j - 1) * 15.0 / LinesPerHourOf(p) + (model.state.hourFrom - 12) * 15.0 + ZoneCorrectionDeg(p);
}

int FixedGnomonCurveCount(int marksPerMonth)
{
    if (marksPerMonth >= 1 && marksPerMonth <= 3)
        return 6 * marksPerMonth + 1;
    return 19;
}

int FixedGnomonCurves(const Model& model)
{
    const int wanted = FixedGnomonCurveCount(model.params.marksPerMonth);
    return std::clamp(std::min(wanted, model.results.fixedDateLineCount), 0, kFixedDateLines);
}

int FilledSlots(const DateMarkTable& table, int limit)
{
    int n = 0;
    while (n < limit && n + 1 < static_cast<int>(table.size()) && !table[static_cast<std::size_t>(n + 1)].label.empty())
        ++n;
    return n;
}

std::string TrimmedLabel(const std::string& label)
{
    const std::size_t end = label.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : label.substr(0, end + 1);
}

std::vector<PlacedHourMark> PlacedHourMarks(const Model& model)
{
    const DialParameters& p = model.params;
    const Results& r = model.results;
    const int lph = LinesPerHourOf(p);
    std::vector<PlacedHourMark> marks;
    if (p.type() == DialType::FixedGnomon) {
        const int count = HourMarkCount(model);
        for (const DateLineEllipse& line : DateLineEllipses(model)) {
            for (int j = 1; j <= count; ++j) {
                PlacedHourMark m;
                m.at = HourCurvePoint(model, line.line, MarkHourAngleDeg(model, j));
                m.local = m.at;
                m.clockHours = model.state.hourFrom + (j - 1) / static_cast<double>(lph);
                m.fullHour = IsFullHourMark(j, lph);
                m.dateLine = line.line;
                marks.push_back(m);
            }
        }
        return marks;
    }
    const bool split = IsSplitDial(p);
    const int count = std::clamp(r.hourPointCount, 0, kHourPointSlots);
    for (int j = 1; j <= count; ++j) {
        const HourPoint& hp = r.hourPoints[static_cast<std::size_t>(j)];
        PlacedHourMark m;
        m.clockHours = hp.time;
        m.fullHour = IsFullHourMark(j, lph);
        if (split)
            m.half = (hp.time - 12) * 15 + ZoneCorrectionDeg(p) > 0 ? DialHalf::Afternoon : DialHalf::Morning;
        m.local = {hp.x, hp.y};
        m.at = {hp.x + HalfCentreX(p, m.half), hp.y};
        marks.push_back(m);
    }
    return marks;
}

std::vector<PlacedDateMark> PlacedDateMarks(const Model& model)
{
    const DialParameters& p = model.params;
    std::vector<PlacedDateMark> marks;
    if (p.type() == DialType::FixedGnomon || IsSplitDial(p))
        return marks;
    const DateMarkTable& table = model.results.dateMarks;
    const int n = FilledSlots(table, DrawnDateMarks(p));
    for (int k = 1; k <= n; ++k) {
        const tUmbrixPoint& mark = table[static_cast<std::size_t>(k)];
        marks.push_back({{mark.x, mark.y}, TrimmedLabel(mark.label), DialHalf::Whole, {mark.x, mark.y}, k});
    }
    return marks;
}

std::vector<PlacedDateMark> PlacedLoopPoints(const Model& model)
{
    const DialParameters& p = model.params;
    std::vector<PlacedDateMark> points;
    if (!IsSplitDial(p))
        return points;
    const LoopPair loops = CurrentLoops(model);
    for (const auto& [table, half] :
         {std::pair{loops.morning, DialHalf::Morning}, {loops.afternoon, DialHalf::Afternoon}}) {
        if (!table)
            continue;
        const int n = FilledSlots(*table, kLoopRows);
        for (int k = 1; k <= n; ++k) {
            const tUmbrixPoint& point = (*table)[static_cast<std::size_t>(k)];
            points.push_back(
                {{point.x + HalfCentreX(p, half), point.y}, TrimmedLabel(point.label), half, {point.x, point.y}, k});
        }
    }
    return points;
}

std::vector<DateLineEllipse> DateLineEllipses(const Model& model)
{
    const DialParameters& p = model.params;
    std::vector<DateLineEllipse> lines;
    if (p.type() != DialType::FixedGnomon)
        return lines;
    const int curves = FixedGnomonCurves(model);
    for (int n = 1; n <= curves; ++n) {
        DateLineEllipse e;
        e.line = n;
        const tUmbrixPoint& mark = model.results.dateMarks[static_cast<std::size_t>(n)];
        e.label = TrimmedLabel(mark.label);
        e.declination = mark.declination;
        e.scale = model.results.fixedScale[static_cast<std::size_t>(n)];
        // The curve is linear in (sin H, cos H): its centre lies halfway between the points of H = 0 and 180.
        const DialPoint noon = FixedHourMarkPosition(p, e.scale, e.declination, 0);
        const DialPoint midnight = FixedHourMarkPosition(p, e.scale, e.declination, 180);
        e.centre = {(noon.x + midnight.x) / 2, (noon.y + midnight.y) / 2};
        lines.push_back(e);
    }
    return lines;
}

DialPoint HourCurvePoint(const Model& model, int line, double hourAngleDeg)
{
    const DialParameters& p = model.params;
    if (p.type() != DialType::FixedGnomon)
        return HourMarkPosition(p, hourAngleDeg);
    const auto n = static_cast<std::size_t>(std::clamp(line, 1, kFixedDateLines));
    return FixedHourMarkPosition(p, model.results.fixedScale[n], model.results.dateMarks[n].declination, hourAngleDeg);
}

DialPoint ZodiacCurvePoint(const Model& model, int i, double hourAngleDeg)
{
    const auto n = static_cast<std::size_t>(std::clamp(i, 1, kZodiacLineCount));
    return FixedHourMarkPosition(model.params, ZodiacEllipseAxis(model, static_cast<int>(n)),
                                 model.state.ZodiacDeclinationTable[n - 1],
                                 hourAngleDeg);
}

DialPoint ScaledHourEllipsePoint(const Model& model, double scale, double hourAngleDeg)
{
    const DialPoint pt = HourMarkPosition(model.params, hourAngleDeg);
    return {scale * pt.x, scale * pt.y};
}

std::vector<FixedGnomonRiseSetPoint> FixedGnomonRiseSetPoints(const Model& model)
{
    const DialParameters& p = model.params;
    std::vector<FixedGnomonRiseSetPoint> points;
    if (p.type() != DialType::FixedGnomon)
        return points;
    const double correction = ZoneCorrectionDeg(p);
    for (const bool sunrise : {true, false}) {
        const double side = sunrise ? -1 : 1;
        for (int i = 1; i <= kZodiacLineCount; ++i) {
            const double decl = model.state.ZodiacDeclinationTable[static_cast<std::size_t>(i - 1)];
            const SunsetAngle sunset = SunsetHourAngle(p.latitude, decl);
            if (sunset.day != SunDay::RisesAndSets)
                continue;
            // The clock time of the sun's hour angle -arc (rise) or +arc (set).
            const double clock = 12 + (side * sunset.hourAngleDeg - correction) / 15;
            points.push_back({ZodiacCurvePoint(model, i, side * sunset.hourAngleDeg), i, sunrise,
                              clock >= model.state.hourFrom && clock <= model.state.hourTo});
        }
    }
    return points;
}

std::vector<FixedGnomonRiseSetRun> FixedGnomonRiseSetRuns(const Model& model)
{
    std::vector<FixedGnomonRiseSetRun> runs;
    const FixedGnomonRiseSetPoint* previous = nullptr;
    const std::vector<FixedGnomonRiseSetPoint> points = FixedGnomonRiseSetPoints(model);
    for (const FixedGnomonRiseSetPoint& point : points) {
        if (!point.inHours)
            continue;
        if (!previous || previous->sunrise != point.sunrise || previous->line + 1 != point.line) {
            if (!runs.empty() && runs.back().points.size() < 2)
                runs.pop_back();
            runs.push_back({point.sunrise, {}});
        }
        runs.back().points.push_back(point.at);
        previous = &point;
    }
    if (!runs.empty() && runs.back().points.size() < 2)
        runs.pop_back();
    return runs;
}

} // namespace umbrix
