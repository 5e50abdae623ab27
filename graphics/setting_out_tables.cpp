// The tables and the checklist of the setting-out plan, built from the plan's rows and the model.

#include "graphics/setting_out_tables.h"

#include "core/accuracy.h"
#include "core/correction_table.h"
#include "core/design_settings.h"
#include "core/dst_ring.h"
#include "core/numeric.h"
#include "graphics/true_scale.h"

#include <algorithm>
#include <cmath>

namespace umbrix::setting_out_tables {

namespace {

constexpr int kDaysPerTableRow = 4;

/// A figure of the error budget or the correction table with two decimals (one for minutes of a plaque);
/// empty where there is none.
std::string Figure(const std::optional<double>& value, int decimals = 2)
{
    return value ? FormatDecimals(*value, decimals) : std::string();
}

/// The hour points' numbers in the table: "12-28"; empty when there are none.
std::string HourRowRange(const SettingOutPlan& plan)
{
    std::size_t first = 0;
    std::size_t last = 0;
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        if (plan.rows[i].kind != SettingOutKind::Hour)
            continue;
        if (first == 0)
            first = i + 1;
        last = i + 1;
    }
    return first == 0 ? std::string() : RowNumber(plan, first - 1) + "\u2013" + RowNumber(plan, last - 1);
}

/// The chords through P between opposite hour points (h and h + 12 of one half), for checking.
PlanTable DiagonalChordTable(const SettingOutPlan& plan, const LanguageState& lang, LengthUnit unit)
{
    PlanTable t;
    t.header = {T(lang, OwnText::ColumnChordFromTo), T(lang, OwnText::ColumnChordFromTo) + " [" +
                                                         std::string(UnitName(unit)) + "]"};
    t.widths = {500, 400};
    t.rightAligned = {false, true};
    for (const SettingOutRow& a : plan.rows) {
        if (a.kind != SettingOutKind::Hour)
            continue;
        for (const SettingOutRow& b : plan.rows) {
            if (b.kind != SettingOutKind::Hour || b.half != a.half || &a == &b)
                continue;
            const std::string_view la(a.label);
            const std::string_view lb(b.label);
            if (la.size() < 5 || lb.size() < 5 || la.substr(2, 3) != ":00" || lb.substr(2, 3) != ":00" ||
                la.substr(5) != lb.substr(5))
                continue;
            const int ha = (la[0] - '0') * 10 + (la[1] - '0');
            const int hb = (lb[0] - '0') * 10 + (lb[1] - '0');
            if (hb != ha + 12)
                continue;
            t.rows.push_back({std::string(la.substr(0, 5)) + " \u2013 " + std::string(lb.substr(0, 5)) +
                                  std::string(la.substr(5)),
                              FormatLength(std::hypot(a.at.x - b.at.x, a.at.y - b.at.y), unit)});
        }
    }
    t.keepTogether = true;
    return t;
}

} // namespace

/// The number of row i in the drawing and the table: the inner summer-time ring runs on its own, "S1", "S2".
std::string RowNumber(const SettingOutPlan& plan, std::size_t i)
{
    std::size_t outer = 0;
    std::size_t inner = 0;
    for (std::size_t k = 0; k <= i && k < plan.rows.size(); ++k)
        ++(IsInnerRing(plan.rows[k].kind) ? inner : outer);
    return i < plan.rows.size() && IsInnerRing(plan.rows[i].kind) ? "S" + std::to_string(inner)
                                                                  : std::to_string(outer);
}

PlanTable PointTable(const SettingOutPlan& plan, const LanguageState& lang, LengthUnit unit, bool yIsNorth)
{
    PlanTable t;
    const std::string u = " [" + std::string(UnitName(unit)) + "]";
    t.header = {T(lang, OwnText::ColumnNumber),
                T(lang, OwnText::ColumnKind),
                T(lang, OwnText::ColumnLabel),
                T(lang, yIsNorth ? OwnText::ColumnEast : OwnText::ColumnRight),
                T(lang, yIsNorth ? OwnText::ColumnNorth : OwnText::ColumnUp),
                "d1" + u,
                "d2" + u,
                T(lang, OwnText::ColumnChord) + u};
    t.widths = {110, 250, 380, 230, 230, 200, 200, 200};
    t.rightAligned = {true, false, false, true, true, true, true, true};
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        const SettingOutRow& r = plan.rows[i];
        const std::string label = r.secondLabel.empty() ? r.label : r.label + " / " + r.secondLabel;
        t.rows.push_back({RowNumber(plan, i), std::string(SettingOutKindText(lang, r.kind)), label,
                          FormatLength(r.at.x, unit), FormatLength(r.at.y, unit), FormatLength(r.d1, unit),
                          FormatLength(r.d2, unit), r.chord ? FormatLength(*r.chord, unit) : std::string()});
    }
    return t;
}


/// The error budget's hour points and date marks: minutes per millimetre, per degree, per 0.1 degree.
std::vector<PlanTable> BudgetTables(const ErrorBudget& budget, const LanguageState& lang)
{
    PlanTable hours;
    const std::string perMm = " min/mm";
    hours.header = {"h",
                    T(lang, OwnText::ColumnAlong) + perMm,
                    T(lang, OwnText::ColumnAcross) + perMm,
                    T(lang, OwnText::ColumnTiltNS) + " min/\u00b0",
                    T(lang, OwnText::ColumnTiltEW) + " min/\u00b0",
                    T(lang, OwnText::ColumnLatitude) + " min"};
    hours.widths = {150, 300, 300, 330, 330, 330};
    hours.rightAligned = {true, true, true, true, true, true};
    for (const HourPointBudget& h : budget.hourPoints) {
        std::vector<std::string> cells{ClockText(h.time),
                                       Figure(h.minutesPerMmAlong),
                                       Figure(h.minutesPerMmAcross),
                                       Figure(h.minutesPerDegreeTiltNS),
                                       Figure(h.minutesPerDegreeTiltEW),
                                       Figure(h.minutesPerTenthDegreeLatitude)};
        // A row without a figure says why, across the empty columns.
        if (std::all_of(cells.begin() + 1, cells.end(), [](const std::string& cell) { return cell.empty(); })) {
            cells.resize(2);
            cells[1] = T(lang, OwnText::BudgetNoSun);
        }
        hours.rows.push_back(std::move(cells));
    }
    PlanTable dates;
    dates.header = {T(lang, OwnText::ColumnLabel), "N-S" + perMm, T(lang, OwnText::EastWestShort) + perMm};
    dates.widths = {300, 300, 300};
    dates.rightAligned = {false, true, true};
    for (const DateMarkBudget& d : budget.dateMarks)
        dates.rows.push_back({d.label, Figure(d.minutesPerMmNS), Figure(d.minutesPerMmEW)});
    return {std::move(hours), std::move(dates)};
}

/// The plaque's table: per date the minutes to add to the reading for standard and summer time, and the
/// clock time of apparent noon.
PlanTable CorrectionPlanTable(const CorrectionTable& table, const LanguageState& lang)
{
    PlanTable t;
    // Without summer time at the site, no summer column.
    if (!table.offsetHours) {
        t.header = {T(lang, OwnText::ColumnLabel), T(lang, OwnText::CorrectionStandard) + " min",
                    T(lang, OwnText::CorrectionNoon)};
        t.widths = {300, 360, 360};
        t.rightAligned = {false, true, true};
        for (const CorrectionRow& row : table.rows)
            t.rows.push_back({row.label, FormatDecimals(row.standardTimeMinutes, 1), ClockText(row.apparentNoon)});
        return t;
    }
    t.header = {T(lang, OwnText::ColumnLabel), T(lang, OwnText::CorrectionStandard) + " min",
                T(lang, OwnText::CorrectionSummer) + " min", T(lang, OwnText::CorrectionNoon)};
    t.widths = {300, 360, 360, 360};
    t.rightAligned = {false, true, true, true};
    for (const CorrectionRow& row : table.rows)
        t.rows.push_back({row.label, FormatDecimals(row.standardTimeMinutes, 1), Figure(row.summerTimeMinutes, 1),
                          ClockText(row.apparentNoon)});
    return t;
}

PlanTable NoonTable(const Model& model)
{
    const LanguageState& lang = model.state.language;
    PlanTable t;
    // Clock times as the clock shows them: summer time inside its period, each with its label.
    const std::vector<ClockTimeOfDate> clock = ApparentNoonClockTimes(model.params, lang, model.state.shadowMonth);
    std::vector<std::string> texts;
    bool labelled = false;
    for (const ClockTimeOfDate& c : clock) {
        texts.push_back(ClockText(c.hours) + (c.label.empty() ? "" : " " + c.label));
        labelled = labelled || !c.label.empty();
    }
    for (int k = 0; k < kDaysPerTableRow; ++k) {
        t.header.push_back(T(lang, OwnText::Day));
        t.header.push_back(T(lang, OwnText::ClockTime));
        t.widths.insert(t.widths.end(), {120, labelled ? 420 : 300});
        t.rightAligned.insert(t.rightAligned.end(), {true, true});
    }
    const std::size_t rows = (texts.size() + kDaysPerTableRow - 1) / kDaysPerTableRow;
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<std::string> cells;
        // Days run down the columns, as in a calendar.
        for (std::size_t c = 0; c < static_cast<std::size_t>(kDaysPerTableRow); ++c) {
            const std::size_t day = c * rows + r;
            cells.push_back(day < texts.size() ? std::to_string(day + 1) : std::string());
            cells.push_back(day < texts.size() ? texts[day] : std::string());
        }
        t.rows.push_back(std::move(cells));
    }
    t.keepTogether = true;
    return t;
}

/// The sun's azimuth at every full hour of the shadow date: a plumb line's shadow gives the meridian then.
PlanTable AzimuthTable(const Model& model)
{
    const LanguageState& lang = model.state.language;
    PlanTable t;
    t.header = {T(lang, OwnText::ColumnClock) + " (" + T(lang, OwnText::ZoneTime) + ")",
                T(lang, OwnText::ColumnSunAzimuth), T(lang, OwnText::ColumnShadowAzimuth),
                T(lang, OwnText::ColumnAltitude)};
    t.widths = {420, 360, 400, 300};
    t.rightAligned = {false, true, true, true};
    for (const SunBearing& b : SunBearingsAtFullHours(model.params, model.state.shadowMonth, model.state.shadowDay))
        t.rows.push_back({ClockText(b.hour), FormatDecimals(b.azimuthDeg, 1) + "\u00b0",
                          FormatDecimals(Reduce360(b.azimuthDeg + 180), 1) + "\u00b0",
                          FormatDecimals(b.altitudeDeg, 1) + "\u00b0"});
    t.keepTogether = true;
    return t;
}

/// The date marks as distances from P along the y axis (and across it).
PlanTable DateDistanceTable(const SettingOutPlan& plan, const LanguageState& lang, LengthUnit unit, bool yIsNorth)
{
    PlanTable t;
    const std::string u = " [" + std::string(UnitName(unit)) + "]";
    t.header = {T(lang, OwnText::ColumnNumber), T(lang, OwnText::ColumnLabel),
                T(lang, yIsNorth ? OwnText::ColumnNorth : OwnText::ColumnUp) + u,
                T(lang, yIsNorth ? OwnText::ColumnEast : OwnText::ColumnRight) + u};
    t.widths = {150, 450, 400, 400};
    t.rightAligned = {true, false, true, true};
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        const SettingOutRow& r = plan.rows[i];
        if (r.kind != SettingOutKind::Date && r.kind != SettingOutKind::DstDate)
            continue;
        t.rows.push_back({RowNumber(plan, i), r.label, FormatLength(r.at.y, unit), FormatLength(r.at.x, unit)});
    }
    return t;
}



/// The steps in their order, each with its numbers, and the chords to check.
PlanSection ChecklistSection(const Model& model, const SettingOutDocument& d, LengthUnit unit)
{
    const LanguageState& lang = model.state.language;
    const DialParameters& p = model.params;
    PlanSection s;
    s.newPage = true;
    s.heading = T(lang, OwnText::ChecklistHeading);
    const std::vector<double> noons = ApparentNoonZoneTimes(p, model.state.shadowMonth);
    const int day = model.state.shadowDay;
    const double noon = day >= 1 && day <= static_cast<int>(noons.size()) ? noons[static_cast<std::size_t>(day - 1)]
                                                                           : NAN;
    std::string north = OwnTextWith(lang, OwnText::StepNorthNoon, ClockText(noon));
    if (d.magneticDeclinationDeg)
        north += " " + OwnTextWith(lang, OwnText::StepNorthCompass,
                                   FormatDecimals(Reduce360(-*d.magneticDeclinationDeg), 1) + "\u00b0");
    s.paragraphs.push_back(north);
    s.paragraphs.push_back(T(lang, OwnText::StepCentre));
    std::vector<std::string> stakes;
    std::string foci;
    for (const SettingOutRow& r : d.plan.rows) {
        if (r.kind == SettingOutKind::Stake)
            stakes.push_back(r.label + " y = " + Length(r.at.y, unit));
        if (r.kind == SettingOutKind::Focus)
            foci += (foci.empty() ? "" : ", ") + r.label + " (" + FormatLength(r.at.x, unit) + " / " +
                    FormatLength(r.at.y, unit) + ")";
    }
    std::string stakeList;
    for (std::size_t i = 1; i < stakes.size(); ++i)
        stakeList += (i > 1 ? ", " : "") + stakes[i];
    if (!stakes.empty())
        s.paragraphs.push_back(OwnTextWith(lang, OwnText::StepStakes, stakes.front(), stakeList));
    if (!foci.empty())
        s.paragraphs.push_back(OwnTextWith(lang, OwnText::StepFoci, foci));
    if (const std::string range = HourRowRange(d.plan); !range.empty())
        s.paragraphs.push_back(OwnTextWith(lang, OwnText::StepHours, range));
    s.paragraphs.push_back(T(lang, OwnText::StepDates));
    PlanTable chords = DiagonalChordTable(d.plan, lang, unit);
    std::string check = T(lang, OwnText::StepCheck);
    if (p.type() == DialType::Horizontal)
        check += " " + OwnTextWith(lang, OwnText::StepCheckSpan, Length(2 * p.semiMajorAxis, unit));
    s.paragraphs.push_back(check);
    if (!chords.rows.empty())
        s.table = std::move(chords);
    return s;
}

} // namespace umbrix::setting_out_tables
