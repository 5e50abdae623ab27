#include "core/hour_marks.h"

#include "core/date_scale.h"
#include "core/derived_geometry.h"
#include "core/ephemeris.h"
#include "core/numeric.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace umbrix {

namespace {

constexpr double kMinRiseSetDeclinationDeg = 1e-9; // keeps tan rho and the mark off the centre line
constexpr int kFixedMarksPerHour = 6;              // type 7: every 10 minutes

int LinesPerHour(const DialParameters& p)
{
    return std::clamp<int>(p.linesPerHour, 1, 6);
}

/// An empty StrGridStd with its header row: " Nr. ", then per column group the time and the two
/// coordinates.
StringGrid HourGridWithHeader(const Model& model)
{
    StringGrid grid = EmptyGridLike(model.grids.StrGridStd);
    const bool xy = model.state.coordinatesAsXY;
    grid.setCell(0, 0, " Nr. ");
    for (int group = 0; group < 4; ++group) {
        grid.setCell(4 * group + 1, 0, std::string(LabelRow(model.state.language, LabelId::Time)));
        grid.setCell(4 * group + 2, 0, xy ? "   x   " : "  d1   ");
        grid.setCell(4 * group + 3, 0, xy ? "   y   " : "  d2   ");
    }
    return grid;
}

/// Mark `mark` (1..6) of the hour with index hourIndex (1 for the first hour) into StrGridStd: marks 1 to 4
/// on the hour's first row, marks 5 and 6 in the third and fourth column group of its second row.
void WriteMarkCells(StringGrid& grid, const Model& model, int hourIndex, int mark, int rowsPerHour,
                    std::string timeText, DialPoint point)
{
    if (hourIndex > grid.rowCount() - 1)
        return;
    int row = 0;
    int col = 0;
    if (mark <= 4) {
        row = (hourIndex - 1) * rowsPerHour + 1;
        col = 4 * mark - 3;
    } else {
        row = hourIndex * rowsPerHour;
        grid.setCell(1, row, "");
        col = 4 * mark - 11;
    }
    std::string first;
    std::string second;
    if (model.state.coordinatesAsXY) {
        first = FormatFixed(7, 3, point.x);
        second = FormatFixed(7, 3, point.y);
    } else {
        // Distances to the two ends of the minor axis: the hour point set out on the ground with two tapes.
        const double b = model.derived.semiMinorAxis;
        first = FormatFixed(7, 3, std::hypot(b - point.y, point.x));
        second = FormatFixed(7, 3, std::hypot(-b - point.y, point.x));
    }
    grid.setCell(col, row, std::move(timeText));
    grid.setCell(col + 1, row, std::move(first));
    grid.setCell(col + 2, row, std::move(second));
}

double ZoneCorrectionDeg(const DialParameters& p)
{
    return p.showZoneTime ? p.zoneMeridian - p.longitude : 0.0;
}

} // namespace

DialPoint HourMarkPosition(const DialParameters& p, double hourAngleDeg)
{
    const double a = p.semiMajorAxis;
    const double sinH = std::sin(hourAngleDeg * degToRad);
    const double cosH = std::cos(hourAngleDeg * degToRad);
    const double sinL = std::sin(p.latitude * degToRad);
    const double cosL = std::cos(p.latitude * degToRad);
    const double tanZ = std::tan(p.gnomonInclination * degToRad);
    const double sinP = std::sin(p.planeDeviation * degToRad);
    const double cosP = std::cos(p.planeDeviation * degToRad);
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::HorizontalTiltedGnomon:
    case DialType::FixedGnomon: {
        const double sinD = std::sin(p.gnomonDeviation * degToRad);
        const double cosD = std::cos(p.gnomonDeviation * degToRad);
        return {a * (sinH - cosH * sinD * cosL * tanZ), a * cosH * (sinL - tanZ * cosL * cosD)};
    }
    case DialType::InclinedPlane:
        return {a * (cosP * sinH - sinP * sinL * cosH),
                a * (cosP * sinL * cosH + sinP * sinH) / std::cos(p.planeInclination * degToRad)};
    case DialType::InclinedPlaneGnomon: {
        const double lze = (p.latitude - p.planeInclination) * degToRad;
        return {a * sinH,
                a * cosH *
                    (std::sin(lze) + std::cos(lze) * std::tan((p.planeInclination - p.gnomonInclination) * degToRad))};
    }
    case DialType::VerticalSouth: {
        const double z = VerticalSouthGnomonInclination(p.gnomonInclination);
        return {a * sinH, a * cosH * (sinL / SafeTan(z * degToRad) - cosL)};
    }
    case DialType::VerticalDeclining:
        return {a * (cosP * sinH - sinP * sinL * cosH), -a * cosL * cosH};
    case DialType::MeanTime:
        return {a * sinH, a * sinL * cosH};
    }
    return {};
}

DialPoint FixedHourMarkPosition(const DialParameters& p, double scale, double declDeg, double hourAngleDeg)
{
    const double sinH = std::sin(hourAngleDeg * degToRad);
    const double cosH = std::cos(hourAngleDeg * degToRad);
    const double sinL = std::sin(p.latitude * degToRad);
    const double cosL = std::cos(p.latitude * degToRad);
    const double tanZ = std::tan(p.gnomonInclination * degToRad);
    const double sinD = std::sin(p.gnomonDeviation * degToRad);
    const double cosD = std::cos(p.gnomonDeviation * degToRad);
    const double t = std::tan(declDeg * degToRad);
    const double w = cosL * cosH + sinL * t; // the sun's height component along the gnomon's tilt
    return {scale * (sinH - sinD * tanZ * w), scale * (sinL * cosH - cosL * t - tanZ * cosD * w)};
}

RiseSetPosition RiseSetPointFor(const DialParameters& p, const DerivedGeometry& derived, double rhoDeg)
{
    const double a = p.semiMajorAxis;
    const double g = derived.cosPlaneGnomon;
    const double q = std::sin(p.latitude * degToRad) / std::cos(rhoDeg * degToRad);
    const double c = std::sin((p.gnomonInclination + 90 - p.latitude) * degToRad); // cos(L - z)
    RiseSetPosition out;
    out.y = c * a * std::tan(rhoDeg * degToRad) / g;
    const double rootArg = 1 - q * q;
    out.real = rootArg >= 0;
    out.x = out.real ? std::sqrt(rootArg) * a * c * std::cos(p.planeInclination * degToRad) / g : 0.0;
    return out;
}

double UsableRiseSetDeclination(double riseSetDeclinationDeg)
{
    return std::abs(riseSetDeclinationDeg) < kMinRiseSetDeclinationDeg ? kMinRiseSetDeclinationDeg
                                                                       : riseSetDeclinationDeg;
}

HourMarksResult ComputeHourMarks(const Model& model)
{
    const DialParameters& p = model.params;
    HourMarksResult r;
    r.listing = HourGridWithHeader(model);

    const int lines = LinesPerHour(p);
    const int rowsPerHour = lines <= 4 ? 1 : 2;
    const int from = model.state.hourFrom;
    const int to = model.state.hourTo;
    const double zoneCorrection = ZoneCorrectionDeg(p);
    for (int h = from; h <= to; ++h) {
        const int marks = h == to ? 1 : lines;
        for (int j = 1; j <= marks; ++j) {
            const int k = (h - from) * lines + j;
            if (k > kHourPointSlots)
                break;
            const int mn = (60 / lines) * (j - 1);
            HourPoint& point = r.points[static_cast<std::size_t>(k)];
            point.time = h + mn / 60.0;
            const double hourAngleDeg = (h - 12) * 15 + mn / 4.0 + zoneCorrection;
            const DialPoint position = HourMarkPosition(p, hourAngleDeg);
            point.x = position.x;
            point.y = position.y;
            r.count = std::max(r.count, k);
            WriteMarkCells(r.listing, model, h - from + 1, j, rowsPerHour, FormatMinSec(point.time / 4), position);
        }
    }

    const RiseSetPosition riseSet = RiseSetPointFor(p, model.derived, UsableRiseSetDeclination(p.riseSetDeclination));
    r.riseSetPoint = {riseSet.x, riseSet.y};
    r.riseSetPointReal = riseSet.real;
    r.riseSetLabel = riseSet.real ? "(\u00b1" + FormatFixed(6, 3, riseSet.x) + "/0.00)" : std::string();
    return r;
}

double FixedEllipseAxis(const DialParameters& p, const DateMarkTable& dates, int n)
{
    const int slot = std::clamp(n, 1, kDateMarkSlots);
    return FixedGnomonEllipseAxis(p, dates[static_cast<std::size_t>(slot)].declination);
}

double ZodiacEllipseAxis(const Model& model, int i)
{
    const int index = std::clamp(i, 1, static_cast<int>(model.state.ZodiacDeclinationTable.size()));
    return FixedGnomonEllipseAxis(model.params,
                                  model.state.ZodiacDeclinationTable[static_cast<std::size_t>(index - 1)]);
}

FixedGnomonMarksResult ComputeFixedGnomonMarks(const Model& model)
{
    const DialParameters& p = model.params;
    FixedGnomonMarksResult r;
    r.listing = HourGridWithHeader(model);
    r.dates = ComputeDateMarks(model);

    const int m = (p.marksPerMonth >= 1 && p.marksPerMonth <= 3) ? p.marksPerMonth : 3;
    const int lineCount = 6 * m + 1;
    const int hours = model.state.hourTo - model.state.hourFrom;
    const double zoneCorrection = ZoneCorrectionDeg(p);
    r.lineCount = lineCount;
    r.pointCount = hours >= 1 ? std::min((hours - 1) * kFixedMarksPerHour + 1, kFixedHourPointSlots) : 0;

    for (int n = 1; n <= lineCount; ++n) {
        const std::size_t line = static_cast<std::size_t>(n);
        const double decl = r.dates.marks[line].declination;
        r.scales[line] = FixedEllipseAxis(p, r.dates.marks, n);
        // Polar day and polar night clamp to the whole half circle (180 degrees) and to none (0 degrees).
        r.halfDayArcs[line] = SunsetHourAngle(p.latitude, decl).hourAngleDeg;

        FixedHourPointLine& points = r.points[line];
        for (int j = 1; j <= hours; ++j) {
            const int h = model.state.hourFrom + j - 1;
            const int marks = j == hours ? 1 : kFixedMarksPerHour;
            for (int mark = 1; mark <= marks; ++mark) {
                const int entry = (j - 1) * kFixedMarksPerHour + mark;
                if (entry > kFixedHourPointSlots)
                    break;
                const int mn = 10 * mark - 10;
                FixedHourPoint& point = points[static_cast<std::size_t>(entry)];
                point.hourAngle = (h - 12) * 15 + mn / 4.0;
                const DialPoint position =
                    FixedHourMarkPosition(p, r.scales[line], decl, point.hourAngle + zoneCorrection);
                point.x = position.x;
                point.y = position.y;
            }
        }
    }

    const auto listed = static_cast<std::size_t>(std::clamp((p.marksPerMonth + 1) / 2, 1, lineCount));
    for (int j = 1; j <= hours; ++j) {
        const int marks = j == hours ? 1 : kFixedMarksPerHour;
        for (int mark = 1; mark <= marks; ++mark) {
            const int entry = (j - 1) * kFixedMarksPerHour + mark;
            if (entry > kFixedHourPointSlots)
                break;
            const FixedHourPoint& point = r.points[listed][static_cast<std::size_t>(entry)];
            WriteMarkCells(r.listing, model, j, mark, 2, FormatMinSec(point.hourAngle / 60), {point.x, point.y});
        }
    }
    return r;
}

} // namespace umbrix
