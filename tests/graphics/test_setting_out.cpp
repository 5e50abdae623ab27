// The setting-out plan: its CSV read back (the distances agree with the coordinates and the stakes), the
// string method (every hour point lies at 2A from the two foci), the row counts of the marks, the true-north
// hint checked against the sun's azimuth at that instant, the stakes named by direction in both hemispheres,
// and the checklist's, offsets' and azimuths' numbers.

#include "core/number_text.h"
#include "graphics/setting_out.h"
#include "graphics/setting_out_pages.h"

#include "core/driver.h"
#include "core/ephemeris.h"
#include "core/input_panel.h"
#include "core/numeric.h"
#include "core/parameter_set.h"
#include "graphics/recording_surface.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <sstream>
#include <tuple>

using namespace umbrix;

namespace {

std::unique_ptr<Model> CalculatedModel(int dialType, int marksMode = 1)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    m->params.marksMode = static_cast<MarksMode>(marksMode);
    (void)SelectDialType(*m, dialType);
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

struct CsvRow {
    std::string kind;
    std::string label;
    double x = 0, y = 0, d1 = 0, d2 = 0;
    bool hasChord = false;
};

double Number(const std::string& text)
{
    double v = NAN;
    ReadReal(text, v);
    return v;
}

/// Parses the CSV as a spreadsheet would, checking the frame (BOM, CR LF, the two header lines).
std::vector<CsvRow> ReadCsv(const std::string& csv, std::string_view unit)
{
    std::vector<CsvRow> rows;
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBFunit;" + std::string(unit) + "\r\nkind;label;x;y;d1;d2;chord\r\n"));
    std::size_t at = csv.find("chord\r\n") + 7;
    while (at < csv.size()) {
        const std::size_t end = csv.find("\r\n", at);
        EXPECT_NE(end, std::string::npos);
        if (end == std::string::npos)
            break;
        std::vector<std::string> cells;
        std::stringstream line(csv.substr(at, end - at));
        for (std::string cell; std::getline(line, cell, ';');)
            cells.push_back(cell);
        if (csv[end - 1] == ';')
            cells.emplace_back();
        EXPECT_EQ(cells.size(), 7u) << csv.substr(at, end - at);
        if (cells.size() == 7)
            rows.push_back({cells[0], cells[1], Number(cells[2]), Number(cells[3]), Number(cells[4]), Number(cells[5]),
                            !cells[6].empty()});
        at = end + 2;
    }
    return rows;
}

std::string HalfOf(const std::string& label, const std::string& kind = "")
{
    if (kind == "loop-am")
        return "am";
    if (kind == "loop-pm")
        return "pm";
    if (label.ends_with(" am"))
        return "am";
    if (label.ends_with(" pm"))
        return "pm";
    return "";
}

} // namespace

// Two tapes: d1 and d2 as written agree with the written x, y and the written stakes of the row's half,
// within the rounding of the written values (half a last digit on each of four coordinates).
TEST(SettingOutCsv, DistancesAgreeWithCoordinatesAndStakes)
{
    struct Case {
        int type;
        int marksMode;
        LengthUnit unit;
    };
    for (const Case c : {Case{0, 1, LengthUnit::Metre}, Case{6, 2, LengthUnit::Metre}, Case{7, 1, LengthUnit::Foot},
                         Case{2, 1, LengthUnit::Centimetre}, Case{4, 1, LengthUnit::Inch}}) {
        const auto m = CalculatedModel(c.type, c.marksMode);
        const std::vector<CsvRow> rows = ReadCsv(SettingOutCsv(BuildSettingOutPlan(*m), c.unit), UnitName(c.unit));
        std::map<std::string, std::pair<double, double>> b1;
        std::map<std::string, std::pair<double, double>> b2;
        for (const CsvRow& r : rows) {
            if (r.label.starts_with("B1"))
                b1[HalfOf(r.label)] = {r.x, r.y};
            if (r.label.starts_with("B2"))
                b2[HalfOf(r.label)] = {r.x, r.y};
        }
        const double tolerance = 2.0 * std::pow(10.0, -UnitDecimals(c.unit));
        std::map<std::string, int> firsts;
        for (const CsvRow& r : rows) {
            const std::string half = HalfOf(r.label, r.kind);
            ASSERT_TRUE(b1.count(half) && b2.count(half)) << r.label;
            EXPECT_NEAR(r.d1, std::hypot(r.x - b1[half].first, r.y - b1[half].second), tolerance) << r.label;
            EXPECT_NEAR(r.d2, std::hypot(r.x - b2[half].first, r.y - b2[half].second), tolerance) << r.label;
            // The chord is empty exactly for the first row of each kind.
            EXPECT_EQ(r.hasChord, firsts[r.kind]++ > 0) << r.kind << " " << r.label;
        }
    }
}

// The string method: a point of the ellipse has distances summing to 2A from the two foci. Checked on every
// hour point of the dials that get foci, the split dial's halves and type 4 (longer axis along y) included.
TEST(SettingOutPlan, HourPointsLieAtTwiceTheSemiAxisFromTheFoci)
{
    for (const auto& [type, mode] : {std::pair{0, 1}, {3, 1}, {4, 1}, {6, 1}, {6, 2}, {1, 1}}) {
        const auto m = CalculatedModel(type, mode);
        const SettingOutPlan plan = BuildSettingOutPlan(*m);
        ASSERT_FALSE(plan.ellipses.empty()) << type;
        std::map<std::string, std::vector<DialPoint>> foci;
        for (const SettingOutRow& r : plan.rows)
            if (r.kind == SettingOutKind::Focus)
                foci[HalfOf(r.label)].push_back(r.at);
        for (const StringEllipse& e : plan.ellipses) {
            const std::vector<DialPoint>& f = foci[e.label];
            ASSERT_EQ(f.size(), 2u);
            for (const SettingOutRow& r : plan.rows) {
                if (r.kind != SettingOutKind::Hour || HalfOf(r.label) != e.label)
                    continue;
                const double sum =
                    std::hypot(r.at.x - f[0].x, r.at.y - f[0].y) + std::hypot(r.at.x - f[1].x, r.at.y - f[1].y);
                EXPECT_NEAR(sum, 2 * e.semiAxisA, 1e-9) << type << " " << r.label;
            }
        }
    }
    // Type 2 (inclined, deviating plane) has a turned ellipse: no string method.
    EXPECT_TRUE(BuildSettingOutPlan(*CalculatedModel(2)).ellipses.empty());
}

// One row per hour point and per date mark of the result tables (those the JSON report lists), one hour row
// per mark of every date line of the fixed-gnomon dial, and the loop points of the split dial.
TEST(SettingOutPlan, RowsCountTheMarksOfTheCalculation)
{
    for (int type = 0; type < kDialTypeCount; ++type) {
        const auto m = CalculatedModel(type);
        const SettingOutPlan plan = BuildSettingOutPlan(*m);
        int dates = 0;
        while (dates < kDateMarkSlots && !m->results.dateMarks[static_cast<std::size_t>(dates + 1)].label.empty())
            ++dates;
        const int marks = (m->state.hourTo - m->state.hourFrom) * m->params.linesPerHour + 1;
        if (type == 7) {
            EXPECT_EQ(plan.hourRows, marks * m->results.fixedDateLineCount);
            EXPECT_EQ(plan.dateRows, m->results.fixedDateLineCount);
        } else {
            EXPECT_EQ(plan.hourRows, m->results.hourPointCount) << type;
            EXPECT_EQ(plan.dateRows, dates) << type;
        }
    }
    const auto split = CalculatedModel(6, 2);
    const SettingOutPlan plan = BuildSettingOutPlan(*split);
    int loops = 0;
    for (const SettingOutRow& r : plan.rows)
        loops += r.kind == SettingOutKind::LoopAm || r.kind == SettingOutKind::LoopPm;
    EXPECT_GT(loops, 20);
    EXPECT_EQ(plan.hourRows, split->results.hourPointCount);
}

// Second method: at the hinted zone time the true sun (mean hour angle plus the equation of time of that very
// instant) stands due south: azimuth 0 within 0.02 degree (the equation of time moves by less than a second a day).
TEST(SettingOutPlan, NorthHintIsTheInstantOfApparentNoon)
{
    const auto m = CalculatedModel(0);
    const DialParameters& p = m->params;
    const std::vector<double> times = ApparentNoonZoneTimes(p, 5);
    ASSERT_EQ(times.size(), 31u);
    for (int day = 1; day <= 31; ++day) {
        const SunAltAzResult sun = SunAltAzAt(p.year, DayOfYear(p.year, 5, day), p.zoneMeridian, p.longitude,
                                              p.latitude, times[day - 1], true);
        EXPECT_NEAR(sun.azimuthDeg, 0, 0.02) << day;
    }
    EXPECT_EQ(ClockText(times[0]), "12:19"); // 1 May: mean noon 12:21.6 less 2.9 min of the equation of time
}

TEST(SettingOutPages, ScaleFitsTheBoxAndTheNextSmallerDoesNot)
{
    Extent e;
    e.add({-2.75, -1.2});
    e.add({2.75, 2.1});
    EXPECT_EQ(FittingScaleDenominator(e, 1000, 180), 40); // 5.5 m in 180 mm: 1:40 (1:25 would need 220 mm)
    EXPECT_EQ(FittingScaleDenominator(e, 100, 180), 4);   // 55 cm: 1:4 takes 137.5 mm, 1:2.5 would need 220
    EXPECT_EQ(FittingScaleDenominator(e, 10, 180), 1);    // 55 mm
    Extent table;                                          // a 40 cm dial with its date scale: 44 cm wide
    table.add({-22, -10});
    table.add({22, 12});
    EXPECT_EQ(FittingScaleDenominator(table, 10, 180), 2.5);
    EXPECT_EQ(ScaleNumberText(2.5), "2.5");
    EXPECT_EQ(ScaleNumberText(40), "40");
    EXPECT_EQ(FittingScaleDenominator(Extent{}, 1000, 180), 1);
}

// The whole plan document flows over pages; every hour row's number stands on the plan page.
TEST(SettingOutPages, PlanPageNumbersEveryRow)
{
    struct Pages : PageFlow {
        std::vector<std::unique_ptr<RecordingSurface>> pages;
        Pages() { pages.push_back(std::make_unique<RecordingSurface>(kPlanPageWidth, kPlanPageHeight, 254)); }
        Surface& page() override { return *pages.back(); }
        bool NewPage() override
        {
            pages.push_back(std::make_unique<RecordingSurface>(kPlanPageWidth, kPlanPageHeight, 254));
            return true;
        }
    } flow;
    const auto m = CalculatedModel(0);
    const SettingOutDocument d = BuildSettingOutDocument(*m, LengthUnit::Metre, 2.5);
    ASSERT_TRUE(DrawSettingOutDocument(d, flow));
    EXPECT_GE(flow.pages.size(), 2u);
    const RecordingSurface& plan = *flow.pages.front();
    for (std::size_t i = 0; i < d.plan.rows.size(); ++i)
        EXPECT_FALSE(plan.textsEqualTo(std::to_string(i + 1)).empty()) << i + 1;
    EXPECT_EQ(d.scaleDenominator, FittingScaleDenominator(d.geometry.dial, 1000, kPlanBoxSize / 10.0));
    EXPECT_FALSE(plan.textsEqualTo("Maßstab 1 : " + ScaleNumberText(d.scaleDenominator)).empty());
    bool bearing = false;
    for (const RecordedOp& op : plan.opsOf(SurfaceOp::TextOut))
        bearing = bearing || op.text.find("357.5") != std::string::npos;
    EXPECT_TRUE(bearing);
}

namespace {

/// The three dials a maker set out: a 3 m garden dial in Vienna with a summer-time ring and the leap cycle, a
/// 40 cm table dial in Madrid with the default 1.7 gnomon, a 2.5 m school dial in Cape Town. Meridians west
/// positive, as the program takes them.
std::unique_ptr<Model> Project(std::string_view name, Language language = Language::English)
{
    std::vector<std::pair<std::string, std::string>> sets;
    if (name == "Vienna")
        sets = {{"latitude", "48.21"},   {"longitude", "-16.37"}, {"zoneMeridian", "-15"},
                {"semiMajorAxis", "1.5"}, {"dstRing", "2"},        {"showLeapCycle", "1"}};
    else if (name == "Madrid")
        sets = {{"latitude", "40.42"},   {"longitude", "3.70"},    {"zoneMeridian", "-15"},
                {"lengthUnit", "cm"},    {"semiMajorAxis", "20"}};
    else
        sets = {{"latitude", "-33.92"}, {"longitude", "-18.42"}, {"zoneMeridian", "-30"}, {"semiMajorAxis", "1.25"}};
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    SetLanguage(*m, language);
    for (const auto& [key, value] : sets)
        EXPECT_EQ(SetParameter(*m, key, value).status, SetStatus::Accepted) << key;
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

const SettingOutRow* RowLabelled(const SettingOutPlan& plan, std::string_view label)
{
    for (const SettingOutRow& r : plan.rows)
        if (r.label == label)
            return &r;
    return nullptr;
}

} // namespace

// B1 stays at the end of the minor axis by the 12 o'clock point - north in Vienna, south in Cape Town - and
// is named by that direction, B2 by the other; every d1 and d2 is the distance to those very stakes, so the
// plan's d1 is the hour table's.
TEST(SettingOutPlan, StakesAreNamedByTheirDirectionInBothHemispheres)
{
    for (const auto& [name, b1, b2] : {std::tuple{"Vienna", "B1 (north)", "B2 (south)"},
                                       std::tuple{"CapeTown", "B1 (south)", "B2 (north)"}}) {
        SCOPED_TRACE(name);
        const auto m = Project(name);
        const SettingOutPlan plan = BuildSettingOutPlan(*m);
        const SettingOutRow* stake1 = RowLabelled(plan, b1);
        const SettingOutRow* stake2 = RowLabelled(plan, b2);
        const SettingOutRow* noon = RowLabelled(plan, "12:00");
        ASSERT_TRUE(stake1 && stake2 && noon);
        EXPECT_EQ(stake1->at.x, 0);
        EXPECT_EQ(stake1->at.y, m->derived.semiMinorAxis);
        EXPECT_EQ(stake2->at.y, -m->derived.semiMinorAxis);
        // The 12 o'clock point lies on B1's side of P.
        EXPECT_GT(noon->at.y * stake1->at.y, 0);
        EXPECT_EQ(std::string(name) == "Vienna", stake1->at.y > 0);
        for (const SettingOutRow& r : plan.rows) {
            EXPECT_NEAR(r.d1, std::hypot(r.at.x - stake1->at.x, r.at.y - stake1->at.y), 1e-12) << r.label;
            EXPECT_NEAR(r.d2, std::hypot(r.at.x - stake2->at.x, r.at.y - stake2->at.y), 1e-12) << r.label;
        }
        // The CSV names them alike.
        EXPECT_NE(SettingOutCsv(plan, LengthUnit::Metre).find(std::string("stake;") + b1 + ";"), std::string::npos);
    }
    const SettingOutPlan german = BuildSettingOutPlan(*Project("CapeTown", Language::German));
    EXPECT_TRUE(RowLabelled(german, "B1 (Süd)") && RowLabelled(german, "B2 (Nord)"));
    EXPECT_EQ(SettingOutKindText(LanguageState{}, SettingOutKind::Stake), "Pflock");
}

// The plan's first page says which way the axes point, which of the two tape crossings to take and where the
// noon shadow points in the dial's hemisphere; the table heads give the signs.
TEST(SettingOutPages, FirstPageExplainsAxesCrossingsAndTheNoonShadow)
{
    const auto contains = [](const SettingOutDocument& d, std::string_view part) {
        for (const PlanSection& s : d.sections)
            for (const std::string& p : s.paragraphs)
                if (p.find(part) != std::string::npos)
                    return true;
        return false;
    };
    const SettingOutDocument cape = BuildSettingOutDocument(*Project("CapeTown"), LengthUnit::Metre, std::nullopt);
    EXPECT_TRUE(contains(cape, "x points east, y north"));
    EXPECT_TRUE(contains(cape, "take the eastern one where x is positive"));
    EXPECT_TRUE(contains(cape, "in the southern hemisphere exactly south"));
    EXPECT_FALSE(contains(cape, "exactly north."));
    const SettingOutDocument vienna = BuildSettingOutDocument(*Project("Vienna", Language::German), LengthUnit::Metre,
                                                              std::nullopt);
    EXPECT_TRUE(contains(vienna, "auf der Nordhalbkugel also genau nach Norden"));
    bool heads = false;
    for (const PlanSection& s : vienna.sections)
        if (s.table && s.table->header.size() == 8)
            heads = s.table->header[3] == "x (Ost +)" && s.table->header[4] == "y (Nord +)" &&
                    s.table->rows[1][1] == "Pflock";
    EXPECT_TRUE(heads);
}

// The checklist and its companions: the steps in their order with the stakes' and foci's numbers, the chords
// through P (6 h to 18 h equal to 2a on the horizontal dial), the date marks by their distance along y, and
// the sun's azimuth at every full hour of the shadow date, checked against the ephemeris's own altitude and
// azimuth (from south, west positive).
TEST(SettingOutPages, ChecklistOffsetsDatesAndAzimuthsCarryTheirNumbers)
{
    const auto m = Project("Vienna");
    const SettingOutDocument d = BuildSettingOutDocument(*m, LengthUnit::Metre, std::nullopt);
    const auto section = [&](std::string_view heading) -> const PlanSection* {
        for (const PlanSection& s : d.sections)
            if (s.heading.starts_with(heading))
                return &s;
        return nullptr;
    };
    const PlanSection* steps = section("Setting out step by step");
    ASSERT_TRUE(steps);
    EXPECT_TRUE(steps->newPage);
    ASSERT_GE(steps->paragraphs.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_TRUE(steps->paragraphs[i].starts_with(std::to_string(i + 1) + ". ")) << steps->paragraphs[i];
    EXPECT_NE(steps->paragraphs[2].find("B1 (north) y = " + FormatLength(m->derived.semiMinorAxis, LengthUnit::Metre)),
              std::string::npos);
    EXPECT_NE(steps->paragraphs[3].find("F1"), std::string::npos);
    EXPECT_NE(steps->paragraphs[6].find("2a = 3.0000 m"), std::string::npos) << steps->paragraphs[6];
    ASSERT_TRUE(steps->table);
    bool span = false;
    for (const auto& row : steps->table->rows)
        span = span || (row[0] == "06:00 \u2013 18:00" && row[1] == "3.0000");
    EXPECT_TRUE(span);

    const PlanSection* dates = section("Date marks: distances from P");
    ASSERT_TRUE(dates && dates->table);
    EXPECT_EQ(static_cast<int>(dates->table->rows.size()), d.plan.dateRows + static_cast<int>(std::count_if(
                                                                                 d.plan.rows.begin(), d.plan.rows.end(),
                                                                                 [](const SettingOutRow& r) {
                                                                                     return r.kind ==
                                                                                            SettingOutKind::DstDate;
                                                                                 })));
    EXPECT_NE(dates->table->rows.front()[0].front(), 'S');
    EXPECT_EQ(dates->table->rows.back()[0].front(), 'S'); // the inner ring's marks run on their own numbers

    const DialParameters& p = m->params;
    const std::vector<SunBearing> bearings = SunBearingsAtFullHours(p, m->state.shadowMonth, m->state.shadowDay);
    ASSERT_GT(bearings.size(), 10u);
    for (const SunBearing& b : bearings) {
        const SunAltAzResult sun = SunAltAzAt(p.year, DayOfYear(p.year, m->state.shadowMonth, m->state.shadowDay),
                                              p.zoneMeridian, p.longitude, p.latitude, b.hour, true);
        EXPECT_NEAR(b.altitudeDeg, sun.altitudeDeg, 0.05) << b.hour;
        EXPECT_NEAR(b.azimuthDeg, Reduce360(sun.azimuthDeg + 180), 0.05) << b.hour;
        EXPECT_GT(b.altitudeDeg, 0);
    }
    const PlanSection* azimuth = section("North without noon");
    ASSERT_TRUE(azimuth && azimuth->table);
    EXPECT_EQ(azimuth->table->rows.size(), bearings.size());
    EXPECT_TRUE(azimuth->table->keepTogether);
}
