#include "graphics/setting_out_pages.h"

#include "core/accuracy.h"
#include "core/correction_table.h"
#include "core/design_settings.h"
#include "core/dst_ring.h"
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
constexpr Colour kLabelGrey{0x60, 0x60, 0x60}; // the drawing's own hour numbers, behind the point numbers

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

bool IsInnerRing(SettingOutKind kind)
{
    return kind == SettingOutKind::DstHour || kind == SettingOutKind::DstDate;
}

/// A box on the page, 0.1 mm, left/top inclusive.
struct LabelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    [[nodiscard]] bool meets(const LabelBox& o, int gap) const
    {
        return left < o.right + gap && o.left < right + gap && top < o.bottom + gap && o.top < bottom + gap;
    }
};

struct PlacedLabel {
    LabelBox box;
    bool leader = false;
    int anchorX = 0; // where the leader meets the label
    int anchorY = 0;
};

/// The boxes taken so far, and the first free place for a label round a point.
class LabelBoxes {
public:
    void add(const LabelBox& box) { boxes_.push_back(box); }
    [[nodiscard]] bool free(const LabelBox& box) const
    {
        return std::none_of(boxes_.begin(), boxes_.end(), [&](const LabelBox& b) { return b.meets(box, kGap); });
    }
    /// Right, left, above, below and the diagonals, at growing distances; the last candidate when all are
    /// taken. The box is taken.
    PlacedLabel place(int x, int y, int width, int height)
    {
        PlacedLabel last;
        for (const int r : {kDotRadius + 3, kDotRadius + 14, kDotRadius + 30, kDotRadius + 55, kDotRadius + 90}) {
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, -1}, {0, 1}, {1, -1}, {-1, -1}, {1, 1},
                                         {-1, 1}}) {
                // The box's side or corner nearest the point lies r away from it.
                const int bx = dx > 0 ? x + r : dx < 0 ? x - r - width : x - width / 2;
                const int by = dy > 0 ? y + r : dy < 0 ? y - r - height : y - height / 2;
                PlacedLabel candidate{{bx, by, bx + width, by + height}, r > kDotRadius + 14, 0, 0};
                candidate.anchorX = dx > 0 ? bx : dx < 0 ? bx + width : bx + width / 2;
                candidate.anchorY = dy > 0 ? by : dy < 0 ? by + height : by + height / 2;
                last = candidate;
                if (free(candidate.box)) {
                    add(candidate.box);
                    return candidate;
                }
            }
        }
        add(last.box);
        return last;
    }

private:
    static constexpr int kGap = 3;
    std::vector<LabelBox> boxes_;
};

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

    /// Ends the page (unless nothing stands on it yet).
    void pageBreak()
    {
        if (y_ > kPlanMargin)
            (void)room(kPlanPageHeight);
    }

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
                // A text wider than its column (a reason across empty columns) starts at the column's left.
                const bool right =
                    c < t.rightAligned.size() && t.rightAligned[c] && s().TextWidth(cells[c]) <= w - 10;
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
        const int whole = static_cast<int>(t.rows.size() + 1) * kTableRowPitch;
        if (!room(t.keepTogether && whole <= kPlanPageHeight - 2 * kPlanMargin ? whole : 2 * kTableRowPitch))
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

double FittingScaleDenominator(const Extent& extent, double unitSizeMm, double boxMm)
{
    const double size = std::max(extent.width(), extent.height()) * unitSizeMm;
    if (!(size > 0) || !std::isfinite(size))
        return 1;
    for (double power = 1; power <= 1e9; power *= 10)
        for (const double step : {1.0, 2.0, 2.5, 4.0, 5.0})
            if (size / (step * power) <= boxMm)
                return step * power;
    return 1e9;
}

std::string ScaleNumberText(double denominator)
{
    const bool whole = denominator == std::floor(denominator);
    return FormatDecimals(denominator, whole ? 0 : 1);
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
        if (const std::optional<std::string> warning = GnomonHeightWarning(model, unit))
            notes.paragraphs.push_back(T(lang, OwnText::Warning) + " " + *warning);
    }
    if (IsSplitDial(p))
        notes.paragraphs.push_back(T(lang, OwnText::SplitDialHalves));
    if (!d.yIsNorth)
        notes.paragraphs.push_back(T(lang, OwnText::UpOnPlane));
    notes.paragraphs.push_back(T(lang, d.yIsNorth ? OwnText::AxesNorth : OwnText::AxesUp));
    notes.paragraphs.push_back(T(lang, OwnText::TwoTapes));
    notes.paragraphs.push_back(T(lang, d.yIsNorth ? OwnText::TwoPointsEastWest : OwnText::TwoPointsRightLeft));
    for (const StringEllipse& e : d.plan.ellipses) {
        notes.paragraphs.push_back(T(lang, OwnText::StringMethod) + (e.label.empty() ? "" : " " + e.label + ":") +
                                   " A = " + Length(e.semiAxisA, unit) + ", c = " + Length(e.focalDistance, unit) +
                                   ", 2A = " + Length(2 * e.semiAxisA, unit) + ".");
    }
    for (const std::string& note : d.arrowNotes)
        if (d.yIsNorth)
            notes.paragraphs.push_back(d.arrowLabel + ": " + note);
    notes.paragraphs.push_back(T(lang, p.latitude < 0 ? OwnText::NoonShadowSouth : OwnText::NoonShadowNorth));
    const int month = std::clamp<int>(model.state.shadowMonth, 1, 12);
    notes.paragraphs.push_back(T(lang, OwnText::NorthHint) + " " +
                               std::string(model.state.MonthNames[static_cast<std::size_t>(month - 1)]) + " " +
                               std::to_string(p.year) + " (" + SummerRuleText(lang, p.dst) + "):");
    notes.table = NoonTable(model);
    d.sections.push_back(std::move(notes));

    d.sections.push_back(ChecklistSection(model, d, unit));
    PlanSection offsets;
    offsets.heading = T(lang, OwnText::OffsetsHeading);
    offsets.paragraphs.push_back(T(lang, d.yIsNorth ? OwnText::OffsetsNorth : OwnText::OffsetsUp));
    d.sections.push_back(std::move(offsets));
    PlanSection dates;
    dates.heading = T(lang, OwnText::DateDistancesHeading);
    dates.paragraphs.push_back(T(lang, OwnText::DateDistancesNote));
    dates.table = DateDistanceTable(d.plan, lang, unit, d.yIsNorth);
    if (!dates.table->rows.empty())
        d.sections.push_back(std::move(dates));
    if (d.yIsNorth) {
        PlanSection azimuth;
        azimuth.heading = OwnTextWith(lang, OwnText::AzimuthHeading, model.state.shadowDateCaption);
        azimuth.paragraphs.push_back(T(lang, OwnText::AzimuthNote));
        azimuth.table = AzimuthTable(model);
        d.sections.push_back(std::move(azimuth));
    }

    PlanSection points;
    points.newPage = true;
    points.heading =
        T(lang, OwnText::Points) + " (" + T(lang, OwnText::Unit) + ": " + std::string(UnitName(unit)) + ")";
    points.table = PointTable(d.plan, lang, unit, d.yIsNorth);
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
    correction.heading = T(lang, OwnText::CorrectionHeading) + " (" + SummerRuleText(lang, p.dst) + ")";
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
    const double mmPerUnit = UnitSizeMm(d.unit) / d.scaleDenominator;
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
    // Every mark and text takes a box; a number goes to the first free place round its point, farther out
    // along a leader line when the near ones are taken, so that no two texts overprint.
    LabelBoxes boxes;
    boxes.add({kPlanMargin + kPlanBoxSize - 160, kBoxTop - 20, kPlanMargin + kPlanBoxSize + 40, kBoxTop + 260});
    for (const SettingOutRow& row : d.plan.rows) {
        if (!std::isfinite(row.at.x) || !std::isfinite(row.at.y))
            continue;
        const auto q = px(row.at);
        boxes.add({q.first - kDotRadius, q.second - kDotRadius, q.first + kDotRadius, q.second + kDotRadius});
    }
    for (std::size_t i = 0; i < d.plan.rows.size(); ++i) {
        const SettingOutRow& row = d.plan.rows[i];
        if (!std::isfinite(row.at.x) || !std::isfinite(row.at.y))
            continue;
        const auto q = px(row.at);
        s.pen = {KindColour(row.kind), 1};
        s.brush = {KindColour(row.kind), BrushStyle::Solid};
        if (IsInnerRing(row.kind)) // the inner ring's own marker: a square
            s.Rectangle(q.first - kDotRadius, q.second - kDotRadius, q.first + kDotRadius, q.second + kDotRadius);
        else
            s.Ellipse(q.first - kDotRadius, q.second - kDotRadius, q.first + kDotRadius, q.second + kDotRadius);
    }
    // The hour numbers and the summer-time labels of the drawing, where they find room.
    for (const GeometryText& text : d.geometry.texts) {
        if (text.layer != DrawingLayer::HourLabels && text.layer != DrawingLayer::DstHours)
            continue;
        const int height = std::clamp(static_cast<int>(std::lround(text.height * tenthPerUnit)), 14, 40);
        SetFont(s, height, FontStyle::Regular, text.layer == DrawingLayer::DstHours ? kSummerTime : kLabelGrey);
        const auto q = px(text.at);
        const int w = s.TextWidth(text.text);
        const LabelBox box{q.first - w / 2, q.second - height / 2, q.first + w - w / 2, q.second + height - height / 2};
        if (!boxes.free(box))
            continue;
        boxes.add(box);
        s.TextOut(box.left, box.top, text.text);
    }
    for (std::size_t i = 0; i < d.plan.rows.size(); ++i) {
        const SettingOutRow& row = d.plan.rows[i];
        if (!std::isfinite(row.at.x) || !std::isfinite(row.at.y))
            continue;
        const auto q = px(row.at);
        SetFont(s, kNumberFont, FontStyle::Regular, KindColour(row.kind));
        const std::string number = RowNumber(d.plan, i);
        const PlacedLabel placed = boxes.place(q.first, q.second, s.TextWidth(number), kNumberFont);
        if (placed.leader) {
            s.pen = {KindColour(row.kind), 1};
            s.MoveTo(q.first, q.second);
            s.LineTo(placed.anchorX, placed.anchorY);
        }
        s.TextOut(placed.box.left, placed.box.top, number);
    }

    // Arrow at the box's top right; scale bar and ratio below the box.
    DrawArrow(s, kPlanMargin + kPlanBoxSize - 60, kBoxTop + 60, 150, 0, d.arrowLabel);
    if (d.yIsNorth && d.magneticDeclinationDeg)
        DrawArrow(s, kPlanMargin + kPlanBoxSize - 60, kBoxTop + 60, 110, *d.magneticDeclinationDeg, "MN");
    const int below = kBoxTop + kPlanBoxSize + 30;
    SetFont(s, kTextFont, FontStyle::Bold);
    const std::string ratio = d.scaleLabel + " 1 : " + ScaleNumberText(d.scaleDenominator);
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
        if (section.newPage)
            flow.pageBreak();
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
