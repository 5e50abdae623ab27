#include "graphics/setting_out.h"

#include "core/dial_geometry.h"
#include "core/dst_ring.h"
#include "core/ephemeris.h"
#include "core/gnomon.h"
#include "core/hour_marks.h"
#include "core/leap_cycle.h"
#include "core/numeric.h"
#include "core/reach_planner.h"
#include "core/reading.h"
#include "graphics/true_scale.h"
#include "text/own_texts.h"
#include "graphics/dial_points.h"

#include <array>
#include <cmath>

namespace umbrix {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";

std::string_view HalfSuffix(DialHalf half)
{
    switch (half) {
    case DialHalf::Whole:
        return "";
    case DialHalf::Morning:
        return " am";
    case DialHalf::Afternoon:
        return " pm";
    }
    return "";
}

/// Adds rows and works out d1, d2 and the chords.
class Rows {
public:
    Rows(const DialParameters& p, double semiMinorAxis, SettingOutPlan& plan, std::string b1Direction,
         std::string b2Direction)
        : p_(p), semiMinorAxis_(semiMinorAxis), plan_(plan), b1Direction_(std::move(b1Direction)),
          b2Direction_(std::move(b2Direction))
    {
    }

    void add(SettingOutKind kind, std::string label, DialPoint at, DialHalf half)
    {
        SettingOutRow row;
        row.kind = kind;
        row.label = std::move(label);
        row.at = at;
        row.half = half;
        const double b = semiMinorAxis_;
        const double cx = HalfCentreX(p_, half);
        row.d1 = std::hypot(at.x - cx, at.y - b);
        row.d2 = std::hypot(at.x - cx, at.y + b);
        const std::size_t k = static_cast<std::size_t>(kind);
        if (last_[k])
            row.chord = std::hypot(at.x - last_[k]->x, at.y - last_[k]->y);
        last_[k] = at;
        plan_.rows.push_back(std::move(row));
    }

    /// Centre P and the stakes B1, B2 of a half (or of the whole dial).
    void centreAndStakes(DialHalf half)
    {
        const double cx = HalfCentreX(p_, half);
        const std::string suffix(HalfSuffix(half));
        add(SettingOutKind::Centre, "P" + suffix, {cx, 0}, half);
        add(SettingOutKind::Stake, "B1 (" + b1Direction_ + ")" + suffix, {cx, semiMinorAxis_}, half);
        add(SettingOutKind::Stake, "B2 (" + b2Direction_ + ")" + suffix, {cx, -semiMinorAxis_}, half);
    }

    /// The foci of an axis-parallel ellipse with semi-axes ax (along x) and ay (along y) round centre.
    void foci(const std::string& label, DialPoint centre, double ax, double ay, DialHalf half)
    {
        StringEllipse e;
        e.label = label;
        e.centre = centre;
        e.alongX = std::abs(ax) >= std::abs(ay);
        e.semiAxisA = std::max(std::abs(ax), std::abs(ay));
        e.semiAxisB = std::min(std::abs(ax), std::abs(ay));
        e.focalDistance = std::sqrt(std::max(0.0, e.semiAxisA * e.semiAxisA - e.semiAxisB * e.semiAxisB));
        if (!std::isfinite(e.focalDistance) || !std::isfinite(centre.x) || !std::isfinite(centre.y))
            return;
        const std::string suffix = label.empty() ? std::string() : " " + label;
        const DialPoint step = e.alongX ? DialPoint{e.focalDistance, 0} : DialPoint{0, e.focalDistance};
        add(SettingOutKind::Focus, "F1" + suffix, {centre.x - step.x, centre.y - step.y}, half);
        add(SettingOutKind::Focus, "F2" + suffix, {centre.x + step.x, centre.y + step.y}, half);
        plan_.ellipses.push_back(std::move(e));
    }

private:
    const DialParameters& p_;
    double semiMinorAxis_; // b of the derived geometry
    SettingOutPlan& plan_;
    std::string b1Direction_; // where B1 lies from P: north or south (up or down on a plane)
    std::string b2Direction_;
    std::array<std::optional<DialPoint>, static_cast<std::size_t>(SettingOutKind::DstDate) + 1> last_{};
};

/// Whether the hour curve of the dial is an ellipse with its axes along x and y.
bool HasAxisParallelEllipse(const DialParameters& p)
{
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::InclinedPlaneGnomon:
    case DialType::VerticalSouth:
    case DialType::MeanTime:
        return true;
    case DialType::HorizontalTiltedGnomon:
    case DialType::FixedGnomon:
        return p.gnomonDeviation == 0 || p.gnomonInclination == 0;
    case DialType::InclinedPlane:
    case DialType::VerticalDeclining:
        return false;
    }
    return false;
}

std::string CsvCell(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c == ';' || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

} // namespace

std::string_view SettingOutKindName(SettingOutKind kind)
{
    switch (kind) {
    case SettingOutKind::Hour:
        return "hour";
    case SettingOutKind::Date:
        return "date";
    case SettingOutKind::Centre:
        return "centre";
    case SettingOutKind::Stake:
        return "stake";
    case SettingOutKind::Focus:
        return "focus";
    case SettingOutKind::Z:
        return "Z";
    case SettingOutKind::LoopAm:
        return "loop-am";
    case SettingOutKind::LoopPm:
        return "loop-pm";
    case SettingOutKind::DstHour:
        return "dst-hour";
    case SettingOutKind::DstDate:
        return "dst-date";
    }
    return "";
}

std::string_view SettingOutKindText(const LanguageState& lang, SettingOutKind kind)
{
    static constexpr std::array<OwnText, static_cast<std::size_t>(SettingOutKind::DstDate) + 1> kTexts{
        OwnText::KindHour,   OwnText::KindDate,   OwnText::KindCentre,  OwnText::KindStake,   OwnText::KindFocus,
        OwnText::KindZ,      OwnText::KindLoopAm, OwnText::KindLoopPm,  OwnText::KindDstHour, OwnText::KindDstDate};
    return OwnTextOf(lang, kTexts[static_cast<std::size_t>(kind)]);
}

StakeDirections StakeDirectionsOf(const Model& model)
{
    const LanguageState& lang = model.state.language;
    // B1 is the end of the minor axis at the 12 o'clock point: (0, b), with b negative where noon lies south.
    const bool b1Positive = !(model.derived.semiMinorAxis < 0);
    const bool north = DialYIsNorth(model.params);
    const OwnText positive = north ? OwnText::StakeNorth : OwnText::StakeUp;
    const OwnText negative = north ? OwnText::StakeSouth : OwnText::StakeDown;
    return {std::string(OwnTextOf(lang, b1Positive ? positive : negative)),
            std::string(OwnTextOf(lang, b1Positive ? negative : positive)), b1Positive};
}

std::optional<std::string> GnomonHeightWarning(const Model& model, LengthUnit unit)
{
    if (model.params.type() == DialType::FixedGnomon)
        return std::nullopt;
    const std::optional<GnomonHeightCheck> check = CheckGnomonHeight(model.params, model.state, model.results);
    if (!check || !check->tooShort)
        return std::nullopt;
    return OwnTextWith(model.state.language, OwnText::GnomonTooShort,
                       FormatDecimals(100 * check->coverage, 0) + " %",
                       FormatLength(check->heightFor90, unit) + " " + std::string(UnitName(unit)));
}

std::string ClockText(double hours)
{
    if (!std::isfinite(hours))
        return "--:--";
    long long minutes = std::llround(hours * 60);
    const bool negative = minutes < 0;
    minutes = std::llabs(minutes);
    const long long h = minutes / 60;
    const long long m = minutes % 60;
    return std::string(negative ? "-" : "") + (h < 10 ? "0" : "") + std::to_string(h) + ":" + (m < 10 ? "0" : "") +
           std::to_string(m);
}

SettingOutPlan BuildSettingOutPlan(const Model& model)
{
    const DialParameters& p = model.params;
    SettingOutPlan plan;
    const StakeDirections directions = StakeDirectionsOf(model);
    Rows rows(p, model.derived.semiMinorAxis, plan, directions.b1, directions.b2);
    const bool split = IsSplitDial(p);
    const bool fixed = p.type() == DialType::FixedGnomon;
    const std::optional<DstRing> ring =
        p.dst.ring == DstRingKind::None ? std::nullopt : ComputeDstRing(p, model.state, model.results, p.dst);
    const std::vector<DialHalf> halves =
        split ? std::vector{DialHalf::Morning, DialHalf::Afternoon} : std::vector{DialHalf::Whole};
    for (const DialHalf half : halves)
        rows.centreAndStakes(half);

    std::vector<DateLineEllipse> lines = DateLineEllipses(model);
    if (HasAxisParallelEllipse(p)) {
        if (fixed) {
            for (const DateLineEllipse& line : lines) {
                const DialPoint east = HourCurvePoint(model, line.line, 90);
                const DialPoint noon = HourCurvePoint(model, line.line, 0);
                rows.foci(line.label, line.centre, east.x - line.centre.x, noon.y - line.centre.y, DialHalf::Whole);
            }
        } else {
            const double ax = HourCurvePoint(model, 0, 90).x;
            const double ay = HourCurvePoint(model, 0, 0).y;
            for (const DialHalf half : halves) {
                const std::string label = split ? std::string(HalfSuffix(half)).substr(1) : std::string();
                rows.foci(label, {HalfCentreX(p, half), 0}, ax, ay, half);
            }
        }
    }
    if (fixed)
        if (const std::optional<DialPoint> z = FixedGnomonPointZ(model))
            rows.add(SettingOutKind::Z, "Z", *z, DialHalf::Whole);

    for (const PlacedHourMark& mark : PlacedHourMarks(model)) {
        std::string label = ClockText(mark.clockHours);
        if (fixed && mark.dateLine >= 1 && mark.dateLine <= static_cast<int>(lines.size()))
            label += " " + lines[static_cast<std::size_t>(mark.dateLine - 1)].label;
        rows.add(SettingOutKind::Hour, label + std::string(HalfSuffix(mark.half)), mark.at, mark.half);
        if (ring && ring->ring == DstRingKind::SecondLabels)
            plan.rows.back().secondLabel = ClockText(DstLabelHours(mark.clockHours, ring->offsetHours));
        ++plan.hourRows;
    }
    for (const DateLineEllipse& line : lines) {
        rows.add(SettingOutKind::Date, line.label, line.centre, DialHalf::Whole);
        ++plan.dateRows;
    }
    for (const PlacedDateMark& mark : PlacedDateMarks(model)) {
        rows.add(SettingOutKind::Date, mark.label, mark.at, mark.half);
        ++plan.dateRows;
    }
    for (const PlacedDateMark& point : PlacedLoopPoints(model))
        rows.add(point.half == DialHalf::Morning ? SettingOutKind::LoopAm : SettingOutKind::LoopPm, point.label,
                 point.at, point.half);
    if (ring && ring->ring == DstRingKind::InnerRing) {
        for (const HourPoint& point : ring->hourPoints)
            rows.add(SettingOutKind::DstHour, ClockText(point.time), {point.x, point.y}, DialHalf::Whole);
        for (const tUmbrixPoint& mark : ring->dateMarks)
            rows.add(SettingOutKind::DstDate, TrimmedLabel(mark.label), {mark.x, mark.y}, DialHalf::Whole);
    }
    return plan;
}

std::string SettingOutCsv(const SettingOutPlan& plan, LengthUnit unit)
{
    std::string out(kUtf8Bom);
    out += "unit;" + std::string(UnitName(unit)) + std::string(kCrLf);
    out += "kind;label;x;y;d1;d2;chord" + std::string(kCrLf);
    for (const SettingOutRow& row : plan.rows) {
        out += std::string(SettingOutKindName(row.kind)) + ";" + CsvCell(row.label) + ";" +
               FormatLength(row.at.x, unit) + ";" + FormatLength(row.at.y, unit) + ";" + FormatLength(row.d1, unit) +
               ";" + FormatLength(row.d2, unit) + ";" + (row.chord ? FormatLength(*row.chord, unit) : std::string()) +
               std::string(kCrLf);
    }
    return out;
}

std::vector<ClockTimeOfDate> ApparentNoonClockTimes(const DialParameters& p, const LanguageState& lang, int month)
{
    const std::vector<double> zoneTimes = ApparentNoonZoneTimes(p, month);
    const SummerSchedule schedule = ScheduleOf(p.dst, p.zoneMeridian, p.year);
    const std::string standard = RuleInForce(p.dst) == SummerTimeRule::Zone ? p.dst.zone.standardAbbreviation : "";
    std::vector<ClockTimeOfDate> out;
    for (std::size_t k = 0; k < zoneTimes.size(); ++k) {
        const DayMonth date{static_cast<int>(k) + 1, month};
        const std::optional<double> offset = SummerOffsetAt(schedule, date, zoneTimes[k]);
        if (!offset) {
            out.push_back({zoneTimes[k], ClockLabel(lang, false, standard)});
            continue;
        }
        std::string abbreviation;
        if (const SummerSpan* span = SpanAtNoon(schedule, date))
            abbreviation = span->abbreviation;
        out.push_back({zoneTimes[k] + *offset, ClockLabel(lang, true, abbreviation)});
    }
    return out;
}

std::vector<SunBearing> SunBearingsAtFullHours(const DialParameters& p, int month, int day)
{
    std::vector<SunBearing> bearings;
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return bearings;
    const int dayOfYear = DayOfYear(p.year, month, day);
    for (int hour = 0; hour <= 24; ++hour) {
        // Zone time h is universal time h + zoneMeridian / 15 (meridians west positive).
        const SolarInstant sun = SunAtUniversalTime(p.year, dayOfYear, hour + p.zoneMeridian / 15, p.longitude);
        const Vec3 d = SunDirection(sun.hourAngleDeg, sun.declinationDeg, p.latitude);
        if (!(d.up > 0) || !std::isfinite(d.east) || !std::isfinite(d.north))
            continue;
        bearings.push_back({hour, Reduce360(std::atan2(d.east, d.north) / degToRad),
                            std::asin(std::min(d.up, 1.0)) / degToRad});
    }
    return bearings;
}

std::vector<double> ApparentNoonZoneTimes(const DialParameters& p, int month)
{
    std::vector<double> times;
    if (month < 1 || month > 12)
        return times;
    const int first = DayOfYear(p.year, month, 1);
    const int next = month == 12 ? DayOfYear(p.year, 12, 31) + 1 : DayOfYear(p.year, month + 1, 1);
    const double meanNoon = 12 + (p.longitude - p.zoneMeridian) / 15;
    for (int day = 1; day <= next - first; ++day) {
        const NoonSolarData sun = NoonSunOfDate(p.year, month, day, p.longitude);
        times.push_back(meanNoon - sun.equationOfTimeDeg / 15);
    }
    return times;
}

} // namespace umbrix
