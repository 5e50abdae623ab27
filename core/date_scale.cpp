#include "core/date_scale.h"

#include "core/ephemeris.h"
#include "core/leap_cycle.h"
#include "core/numeric.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace umbrix {

namespace {

constexpr double kType4MinGnomonInclinationDeg = 0.01; // keeps cos L / tan z finite

/// Gnomon foot on the date line of declination declDeg for the dials whose gnomon stands in the horizontal
/// plane at inclination z and azimuth D (types 0, 1, 7): the shadow of the gnomon tip at noon lies on the
/// meridian, displaced along and across it by the projection of the tilted gnomon.
DialPoint TiltedGnomonFoot(const DialParameters& p, double declDeg)
{
    const double m = p.semiMajorAxis;
    const double t = std::tan(declDeg * degToRad);
    const double sinL = std::sin(p.latitude * degToRad);
    const double cosL = std::cos(p.latitude * degToRad);
    const double tanZ = std::tan(p.gnomonInclination * degToRad);
    const double sinD = std::sin(p.gnomonDeviation * degToRad);
    const double cosD = std::cos(p.gnomonDeviation * degToRad);
    return {m * t * tanZ * sinD * sinL, m * t * (cosL + sinL * cosD * tanZ)};
}

/// "dd.Mon " with the month abbreviation of the current language.
std::string CalendarLabel(const SharedState& s, int month, int day)
{
    std::string label = day < 10 ? "0" + std::to_string(day) : std::to_string(day);
    label += ".";
    if (month >= 1 && month <= 12)
        label += s.MonthNames[static_cast<std::size_t>(month - 1)];
    label += " ";
    return label;
}

} // namespace

double ReferenceMeridian(const DialParameters& p)
{
    return p.showZoneTime ? p.zoneMeridian : p.longitude;
}

double VerticalSouthGnomonInclination(double gnomonInclinationDeg)
{
    return std::abs(gnomonInclinationDeg) < kType4MinGnomonInclinationDeg ? kType4MinGnomonInclinationDeg
                                                                          : gnomonInclinationDeg;
}

CalendarMark ComputeDateMark(const DialParameters& p, const SharedState& s, int year, int month, int day)
{
    CalendarMark out;
    tUmbrixPoint& mark = out.mark;
    const NoonSun noon = DesignNoonSun(p, year, month, day, ReferenceMeridian(p), p.longitude);
    out.obliquityDeg = noon.obliquityDeg;
    mark.declination = noon.declinationDeg;
    mark.equationOfTime = noon.equationOfTimeDeg;
    mark.label = CalendarLabel(s, month, day);
    const DialPoint position = DateScalePosition(p, mark.declination, mark.equationOfTime);
    mark.x = position.x;
    mark.y = position.y;
    return out;
}

DialPoint DateScalePosition(const DialParameters& p, double declDeg, double eotDeg)
{
    const double m = p.semiMajorAxis;
    const double t = std::tan(declDeg * degToRad);
    const double sinL = std::sin(p.latitude * degToRad);
    const double cosL = std::cos(p.latitude * degToRad);
    const double sinP = std::sin(p.planeDeviation * degToRad);
    const double cosP = std::cos(p.planeDeviation * degToRad);
    switch (p.type()) {
    case DialType::MeanTime:
        // The gnomon moves east or west by the equation of time: the dial shows mean time.
        return {-m * eotDeg * degToRad, m * t * cosL};
    case DialType::Horizontal:
    case DialType::HorizontalTiltedGnomon:
    case DialType::FixedGnomon:
        return TiltedGnomonFoot(p, declDeg);
    case DialType::InclinedPlane:
        return {-m * t * cosL * sinP, m * t * cosL * cosP / std::cos(p.planeInclination * degToRad)};
    case DialType::InclinedPlaneGnomon: {
        const double lze = (p.latitude - p.planeInclination) * degToRad;
        return {0,
                m * t *
                    (std::cos(lze) - std::sin(lze) * std::tan((p.planeInclination - p.gnomonInclination) * degToRad))};
    }
    case DialType::VerticalSouth:
        return {0, m * t * (sinL + cosL / std::tan(VerticalSouthGnomonInclination(p.gnomonInclination) * degToRad))};
    case DialType::VerticalDeclining:
        return {-m * t * cosL * sinP, m * t * sinL};
    }
    return {};
}

std::vector<CalendarDate> CalendarMarkDates(int marksPerMonth)
{
    const int n = marksPerMonth;
    const int step = n <= 2 ? 14 : (n == 3 ? 10 : 5);
    std::vector<CalendarDate> dates{{12, 21}};
    if (n == 6)
        dates.push_back({12, 26});
    for (int month = 1; month <= 12; ++month) {
        for (int j = 1; j <= n; ++j) {
            const int day = 1 + step * (j - 1);
            if (month < 12 || day < 21)
                dates.push_back({month, day});
        }
        if (month == 6 && n <= 2)
            dates.push_back({6, 21});
    }
    return dates;
}

DateMarkTable ComputeFixedIndexMarks(const DialParameters& p, const SharedState& st, int marksPerMonth)
{
    DateMarkTable table{};
    if (marksPerMonth < 1)
        return table;
    const int k = std::min(marksPerMonth, 3);
    const int marks = 6 * k + 1;
    for (int s = 1; s <= marks; ++s) {
        tUmbrixPoint& mark = table[static_cast<std::size_t>(s)];
        mark.declination = st.ZodiacDeclinationTable[static_cast<std::size_t>((s - 1) * 6 / k)];
        const DialPoint foot = TiltedGnomonFoot(p, mark.declination);
        mark.x = foot.x;
        mark.y = foot.y;
        mark.equationOfTime = kFixedMarkEquationOfTime;
        if (s % marksPerMonth == 1) {
            const int month = s == 1 ? 12 : s / k;
            mark.label = "21. " + std::string(st.MonthNames[static_cast<std::size_t>(month - 1)]);
        } else {
            mark.label = "Zeile " + std::to_string(s);
        }
    }
    return table;
}

DateScaleResult ComputeDateMarks(const Model& model)
{
    const DialParameters& p = model.params;
    DateScaleResult out;
    if (p.type() == DialType::FixedGnomon) {
        out.marks = ComputeFixedIndexMarks(p, model.state, p.marksPerMonth);
    } else {
        std::size_t slot = 1;
        for (const CalendarDate& date : CalendarMarkDates(p.marksPerMonth)) {
            const CalendarMark calendar = ComputeDateMark(p, model.state, p.year, date.month, date.day);
            out.marks[slot++] = calendar.mark;
            out.obliquityDeg = calendar.obliquityDeg;
        }
    }
    out.listing = EmptyGridLike(model.grids.StrGridDat);
    ShowPointTable(out.listing, out.marks, kDateMarkSlots + 1, PointTableMode::Full, model.state.language);
    return out;
}

void ShowPointTable(StringGrid& grid, const DateMarkTable& table, int rowLimit, PointTableMode mode,
                    const LanguageState& lang, PointColumns columns)
{
    grid.setCell(1, 0, std::string(LabelRow(lang, LabelId::XLeft)));
    grid.setCell(2, 0, std::string(LabelRow(lang, LabelId::YLeft)));
    if (mode == PointTableMode::Full) {
        grid.setCell(0, 0, std::string(LabelRow(lang, LabelId::Date)));
        grid.setCell(4, 0, std::string(LabelRow(lang, LabelId::DeclinationShort)));
        grid.setCell(5, 0, "  EoT  ");
    } else {
        grid.setCell(7, 0, std::string(LabelRow(lang, LabelId::XRight)));
        grid.setCell(8, 0, std::string(LabelRow(lang, LabelId::YRight)));
    }

    const int lastRow = std::min(rowLimit, static_cast<int>(table.size()));
    for (int row = 1; row < lastRow; ++row) {
        const tUmbrixPoint& point = table[static_cast<std::size_t>(row)];
        if (point.label.empty())
            break;
        const std::string x = FormatFixed(columns.width, columns.decimals, point.x);
        const std::string y = FormatFixed(columns.width, columns.decimals, point.y);
        if (mode == PointTableMode::Full) {
            grid.setCell(0, row, point.label);
            grid.setCell(1, row, x);
            grid.setCell(2, row, y);
            grid.setCell(4, row, FormatFixed(8, 3, point.declination));
            grid.setCell(5, row, FormatMinSec(point.equationOfTime));
        } else {
            grid.setCell(7, row, x);
            grid.setCell(8, row, y);
        }
    }
}

void ClearGrid(StringGrid& grid)
{
    grid.clear();
}

StringGrid EmptyGridLike(const StringGrid& shape)
{
    return StringGrid(shape.colCount(), shape.rowCount(), shape.fixedCols(), shape.fixedRows());
}

} // namespace umbrix
