#include "graphics/setting_out_pages.h"

#include "core/accuracy.h"
#include "core/correction_table.h"
#include "core/design_settings.h"
#include "core/length_unit.h"
#include "core/numeric.h"
#include "graphics/true_scale.h"
#include "text/own_texts.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

constexpr int kTitleFont = 60;
constexpr int kSubtitleFont = 32;
constexpr int kHeadingFont = 40;
constexpr int kTextFont = 30;
constexpr int kTableFont = 26;
constexpr int kNumberFont = 18;
constexpr int kTableRowPitch = 38;
constexpr int kLinePitch = 40;
constexpr int kBoxTop = 330;
constexpr int kDotRadius = 6;
constexpr int kDaysPerTableRow = 4;

Colour KindColour(SettingOutKind kind)
{
    switch (kind) {
    case SettingOutKind::Hour:
        return kNavy;
    case SettingOutKind::Date:
        return kGreen;
    case SettingOutKind::Centre:
    case SettingOutKind::Stake:
    case SettingOutKind::Focus:
    case SettingOutKind::Z:
        return kRed;
    case SettingOutKind::LoopAm:
    case SettingOutKind::LoopPm:
        return kTeal;
    case SettingOutKind::DstHour:
    case SettingOutKind::DstDate:
        return kMaroon;
    }
    return kBlack;
}

void SetFont(Surface& s, int height, FontStyle style = FontStyle::Regular, Colour colour = kBlack)
{
    s.font = {std::string(kFontArial), height, colour, style};
    s.brush = {kWhite, BrushStyle::Clear};
}

std::string T(const LanguageState& lang, OwnText text)
{
    return std::string(OwnTextOf(lang, text));
}

std::string Length(double v, LengthUnit unit)
{
    return FormatLength(v, unit) + " " + std::string(UnitName(unit));
}

/// Flows text and tables down the pages.
class Flow {
public:
    explicit Flow(PageFlow& pages, int top) : pages_(pages), y_(top) {}

    bool ok() const { return ok_; }
    Surface& s() { return pages_.page(); }

    /// Makes room for `height`; starts a new page when the current one is full.
    bool room(int height)
    {
        if (y_ + height <= kPlanPageHeight - kPlanMargin)
            return true;
        if (!pages_.NewPage()) {
            ok_ = false;
            return false;
        }
        y_ = kPlanMargin;
        return true;
    }
    void heading(const std::string& text)
    {
        if (text.empty()) // a table that continues the section before it
            return;
        if (!room(2 * kLinePitch + kHeadingFont))
            return;
        y_ += kLinePitch / 2;
        SetFont(s(), kHeadingFont, FontStyle::Bold);
        s().TextOut(kPlanMargin, y_, text);
        y_ += kHeadingFont + kLinePitch / 2;
    }
    void paragraph(const std::string& text)
    {
        SetFont(s(), kTextFont);
        for (const std::string& line : WrapText(s(), text, kPlanPageWidth - 2 * kPlanMargin)) {
            if (!room(kLinePitch))
                return;
            SetFont(s(), kTextFont);
            s().TextOut(kPlanMargin, y_, line);
            y_ += kLinePitch;
        }
        y_ += kLinePitch / 3;
    }
    void table(const PlanTable& t)
    {
        const auto row = [&](const std::vector<std::string>& cells, FontStyle style) {
            SetFont(s(), kTableFont, style);
            int x = kPlanMargin;
            for (std::size_t c = 0; c < cells.size() && c < t.widths.size(); ++c) {
                const int w = t.widths[c];
                const bool right = c < t.rightAligned.size() && t.rightAligned[c];
                const int tx = right ? x + w - 10 - s().TextWidth(cells[c]) : x;
                s().TextOut(tx, y_, cells[c]);
                x += w;
            }
            y_ += kTableRowPitch;
        };
        const auto header = [&] {
            row(t.header, FontStyle::Bold);
            s().pen = {kBlack, 2};
            s().MoveTo(kPlanMargin, y_ - 4);
            s().LineTo(kPlanPageWidth - kPlanMargin, y_ - 4);
        };
        if (!room(2 * kTableRowPitch))
            return;
        header();
        for (const std::vector<std::string>& cells : t.rows) {
            if (y_ + kTableRowPitch > kPlanPageHeight - kPlanMargin) {
                if (!room(kPlanPageHeight))
                    return;
                header();
            }
            row(cells, FontStyle::Regular);
        }
        y_ += kLinePitch / 2;
    }

private:
    PageFlow& pages_;
    int y_;
    bool ok_ = true;
};

PlanTable PointTable(const SettingOutPlan& plan, const LanguageState& lang, LengthUnit unit)
{
    PlanTable t;
    const std::string u = " [" + std::string(UnitName(unit)) + "]";
    t.header = {T(lang, OwnText::ColumnNumber),
                T(lang, OwnText::ColumnKind),
                T(lang, OwnText::ColumnLabel),
                "x" + u,
                "y" + u,
                "d1" + u,
                "d2" + u,
                T(lang, OwnText::ColumnChord) + u};
    t.widths = {130, 200, 390, 220, 220, 220, 220, 200};
    t.rightAligned = {true, false, false, true, true, true, true, true};
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        const SettingOutRow& r = plan.rows[i];
        const std::string label = r.secondLabel.empty() ? r.label : r.label + " / " + r.secondLabel;
        t.rows.push_back({std::to_string(i + 1), std::string(SettingOutKindName(r.kind)), label,
                          FormatLength(r.at.x, unit), FormatLength(r.at.y, unit), FormatLength(r.d1, unit),
                          FormatLength(r.d2, unit), r.chord ? FormatLength(*r.chord, unit) : std::string()});
    }
    return t;
}

/// A figure of the error budget or the correction table with two decimals (one for minutes of a plaque);
/// empty where there is none.
std::string Figure(const std::optional<double>& value, int decimals = 2)
{
    return value ? FormatDecimals(*value, decimals) : std::string();
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
    for (const HourPointBudget& h : budget.hourPoints)
        hours.rows.push_back({ClockText(h.time), Figure(h.minutesPerMmAlong), Figure(h.minutesPerMmAcross),
                              Figure(h.minutesPerDegreeTiltNS), Figure(h.minutesPerDegreeTiltEW),
                              Figure(h.minutesPerTenthDegreeLatitude)});
    PlanTable dates;
    dates.header = {T(lang, OwnText::ColumnLabel), "N-S" + perMm, std::string(T(lang, OwnText::EastWestShort)) + perMm};
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
    const std::vector<double> times = ApparentNoonZoneTimes(model.params, model.state.shadowMonth);
    for (int k = 0; k < kDaysPerTableRow; ++k) {
        t.header.push_back(T(lang, OwnText::Day));
        t.header.push_back(T(lang, OwnText::ZoneTime));
        t.widths.insert(t.widths.end(), {120, 300});
        t.rightAligned.insert(t.rightAligned.end(), {true, true});
    }
    const std::size_t rows = (times.size() + kDaysPerTableRow - 1) / kDaysPerTableRow;
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<std::string> cells;
        // Days run down the columns, as in a calendar.
        for (std::size_t c = 0; c < static_cast<std::size_t>(kDaysPerTableRow); ++c) {
            const std::size_t day = c * rows + r;
            cells.push_back(day < times.size() ? std::to_string(day + 1) : std::string());
            cells.push_back(day < times.size() ? ClockText(times[day]) : std::string());
        }
        t.rows.push_back(std::move(cells));
    }
    return t;
}

} // namespace

std::vector<std::string> WrapText(const Surface& s, const std::string& text, int width)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = std::min(text.find(' ', i), text.size());
        const std::string word = text.substr(i, end - i);
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && s.TextWidth(candidate) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        i = end + 1;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::int64_t FittingScaleDenominator(const Extent& extent, double unitSizeMm, double boxMm)
{
    const double size = std::max(extent.width(), extent.height()) * unitSizeMm;
    if (!(size > 0) || !std::isfinite(size))
        return 1;
    for (std::int64_t power = 1; power <= 1000000000; power *= 10)
        for (const std::int64_t step : {1, 2, 5})
            if (size / static_cast<double>(step * power) <= boxMm)
                return step * power;
    return 1000000000;
}

SettingOutDocument BuildSettingOutDocument(const Model& model, LengthUnit unit,
                                           std::optional<double> magneticDeclinationDeg)
{
    const DialParameters& p = model.params;
    const LanguageState& lang = model.state.language;
    SettingOutDocument d;
    d.unit = unit;
    d.title = T(lang, OwnText::PlanTitle);
    d.subtitle = model.state.dialTitle;
    d.scaleLabel = T(lang, OwnText::Scale);
    d.plan = BuildSettingOutPlan(model);
    d.geometry = BuildConstructionGeometry(model);
    d.scaleDenominator = FittingScaleDenominator(d.geometry.dial, UnitSizeMm(unit), kPlanBoxSize / 10.0);
    d.yIsNorth = DialYIsNorth(p);
    if (magneticDeclinationDeg && std::isfinite(*magneticDeclinationDeg))
        d.magneticDeclinationDeg = magneticDeclinationDeg;
    d.arrowLabel = T(lang, d.yIsNorth ? OwnText::North : OwnText::Up);
    if (d.yIsNorth) {
        d.arrowNotes.push_back(T(lang, OwnText::TrueNorthNotMagnetic));
        if (d.magneticDeclinationDeg)
            d.arrowNotes.push_back(T(lang, OwnText::MagneticBearing) + " " +
                                   FormatDecimals(Reduce360(-*d.magneticDeclinationDeg), 1) + "\u00b0");
    } else {
        d.arrowNotes.push_back(T(lang, OwnText::UpOnPlane));
    }

    PlanSection notes;
    notes.heading = T(lang, OwnText::Notes);
    if (p.type() == DialType::FixedGnomon) {
        notes.paragraphs.push_back(T(lang, OwnText::FixedGnomonAtZ));
    } else {
        notes.paragraphs.push_back(T(lang, OwnText::GnomonHeight) + " " + Length(p.gnomonHeight, unit) + ". " +
                                   T(lang, OwnText::StandOnDate));
    }
    if (IsSplitDial(p))
        notes.paragraphs.push_back(T(lang, OwnText::SplitDialHalves));
    if (!d.yIsNorth)
        notes.paragraphs.push_back(T(lang, OwnText::UpOnPlane));
    notes.paragraphs.push_back(T(lang, OwnText::TwoTapes));
    for (const StringEllipse& e : d.plan.ellipses) {
        notes.paragraphs.push_back(T(lang, OwnText::StringMethod) + (e.label.empty() ? "" : " " + e.label + ":") +
                                   " A = " + Length(e.semiAxisA, unit) + ", c = " + Length(e.focalDistance, unit) +
                                   ", 2A = " + Length(2 * e.semiAxisA, unit) + ".");
    }
    for (const std::string& note : d.arrowNotes)
        if (d.yIsNorth)
            notes.paragraphs.push_back(d.arrowLabel + ": " + note);
    const int month = std::clamp<int>(model.state.shadowMonth, 1, 12);
    notes.paragraphs.push_back(T(lang, OwnText::NorthHint) + " " +
                               std::string(model.state.MonthNames[static_cast<std::size_t>(month - 1)]) + " " +
                               std::to_string(p.year) + ":");
    notes.table = NoonTable(model);
    d.sections.push_back(std::move(notes));

    PlanSection points;
    points.heading =
        T(lang, OwnText::Points) + " (" + T(lang, OwnText::Unit) + ": " + std::string(UnitName(unit)) + ")";
    points.table = PointTable(d.plan, lang, unit);
    d.sections.push_back(std::move(points));

    // What an error in setting out costs in time, and the plaque's corrections, from the finished dial.
    std::vector<PlanTable> budget =
        BudgetTables(ComputeErrorBudget(p, model.state, model.results, UnitSizeMm(unit)), lang);
    PlanSection budgetHours;
    budgetHours.heading = T(lang, OwnText::ErrorBudgetHeading);
    budgetHours.paragraphs.push_back(T(lang, OwnText::ErrorBudgetNote));
    budgetHours.table = std::move(budget[0]);
    d.sections.push_back(std::move(budgetHours));
    PlanSection budgetDates;
    budgetDates.table = std::move(budget[1]);
    d.sections.push_back(std::move(budgetDates));
    PlanSection correction;
    correction.heading = T(lang, OwnText::CorrectionHeading);
    correction.table =
        CorrectionPlanTable(ComputeCorrectionTable(p, model.results, AnalysisSettingsOf(model).dst), lang);
    d.sections.push_back(std::move(correction));
    return d;
}

bool DrawSettingOutDocument(const SettingOutDocument& d, PageFlow& pages)
{
    Surface& s = pages.page();
    SetFont(s, kTitleFont, FontStyle::Bold);
    s.TextOut(kPlanMargin, kPlanMargin, d.title);
    SetFont(s, kSubtitleFont);
    s.TextOut(kPlanMargin, kPlanMargin + kTitleFont + 20, d.subtitle);

    // The plan in its box, every point numbered as in the table.
    const double mmPerUnit = UnitSizeMm(d.unit) / static_cast<double>(d.scaleDenominator);
    const double tenthPerUnit = mmPerUnit * kTenthMmPerMm;
    const TrueScalePage page = PageForExtent(d.geometry.dial, mmPerUnit, 0);
    const double left = kPlanMargin + (kPlanBoxSize - page.widthMm * kTenthMmPerMm) / 2;
    const double top = kBoxTop + (kPlanBoxSize - page.heightMm * kTenthMmPerMm) / 2;
    const double cx = left + page.centreXMm * kTenthMmPerMm;
    const double cy = top + page.centreYMm * kTenthMmPerMm;
    const auto px = [&](DialPoint p) {
        return std::pair<int, int>{static_cast<int>(std::lround(cx + p.x * tenthPerUnit)),
                                   static_cast<int>(std::lround(cy - p.y * tenthPerUnit))};
    };
    s.pen = {kSilver, 2};
    for (const GeometryPolyline& line : d.geometry.polylines) {
        if (line.layer == DrawingLayer::Axes || line.layer == DrawingLayer::ShadowPath ||
            line.layer == DrawingLayer::RiseSet)
            continue;
        const auto first = px(line.points.front());
        s.MoveTo(first.first, first.second);
        for (const DialPoint& p : line.points) {
            const auto q = px(p);
            s.LineTo(q.first, q.second);
        }
        if (line.closed)
            s.LineTo(first.first, first.second);
    }
    for (std::size_t i = 0; i < d.plan.rows.size(); ++i) {
        const SettingOutRow& row = d.plan.rows[i];
        if (!std::isfinite(row.at.x) || !std::isfinite(row.at.y))
            continue;
        const auto q = px(row.at);
        s.pen = {KindColour(row.kind), 1};
        s.brush = {KindColour(row.kind), BrushStyle::Solid};
        s.Ellipse(q.first - kDotRadius, q.second - kDotRadius, q.first + kDotRadius, q.second + kDotRadius);
        SetFont(s, kNumberFont, FontStyle::Regular, KindColour(row.kind));
        s.TextOut(q.first + kDotRadius + 2, q.second - kNumberFont, std::to_string(i + 1));
    }

    // Arrow at the box's top right; scale bar and ratio below the box.
    DrawArrow(s, kPlanMargin + kPlanBoxSize - 60, kBoxTop + 60, 150, 0, d.arrowLabel);
    if (d.yIsNorth && d.magneticDeclinationDeg)
        DrawArrow(s, kPlanMargin + kPlanBoxSize - 60, kBoxTop + 60, 110, *d.magneticDeclinationDeg, "MN");
    const int below = kBoxTop + kPlanBoxSize + 30;
    SetFont(s, kTextFont, FontStyle::Bold);
    const std::string ratio = d.scaleLabel + " 1 : " + std::to_string(d.scaleDenominator);
    s.TextOut(kPlanMargin, below, ratio);
    DrawScaleBar(s, kPlanMargin + s.TextWidth(ratio) + 60, below, tenthPerUnit, 600, d.unit);
    int noteY = below;
    SetFont(s, kTextFont);
    for (const std::string& note : d.arrowNotes) {
        for (const std::string& line : WrapText(s, note, 900)) {
            s.TextOut(kPlanPageWidth - kPlanMargin - s.TextWidth(line), noteY, line);
            noteY += kLinePitch;
        }
    }

    Flow flow(pages, std::max(below + 2 * kLinePitch + 20, noteY + kLinePitch));
    for (const PlanSection& section : d.sections) {
        flow.heading(section.heading);
        for (const std::string& paragraph : section.paragraphs)
            flow.paragraph(paragraph);
        if (section.table)
            flow.table(*section.table);
        if (!flow.ok())
            return false;
    }
    return flow.ok();
}

} // namespace umbrix
