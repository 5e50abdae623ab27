// The JSON parts of the analyses (docs/umbrix-cli.schema.json): designError, errorBudget, simulation, reach
// and correction. A value that does not exist (no shadow, no reading, no cell) is written as null.

#include "cli/analysis_outputs.h"
#include "cli/json_writer.h"

#include <array>
#include <type_traits>

namespace umbrix {

namespace {

void Number(JsonWriter& json, std::string_view key, std::optional<double> value)
{
    json.key(key);
    if (value)
        json.value(*value);
    else
        json.null();
}

void Point(JsonWriter& json, std::string_view key, std::optional<DialPoint> point)
{
    json.key(key);
    if (!point) {
        json.null();
        return;
    }
    json.beginObject();
    Number(json, "x", point->x);
    Number(json, "y", point->y);
    json.endObject();
}

void Labels(JsonWriter& json, std::string_view key, const std::vector<std::string>& labels)
{
    json.key(key);
    json.beginArray();
    for (const std::string& label : labels)
        json.value(label);
    json.endArray();
}

/// Opens the object of a date-by-hour map under `key` and writes its hours and dates.
void BeginMap(JsonWriter& json, std::string_view key, const std::vector<int>& hours,
              const std::vector<std::string>& dates)
{
    json.key(key);
    json.beginObject();
    json.key("hours");
    json.beginArray();
    for (const int hour : hours)
        json.value(hour);
    json.endArray();
    Labels(json, "dates", dates);
}

/// Rows of optional numbers, null where a cell has none.
template <typename Row, typename Value>
void Matrix(JsonWriter& json, std::string_view key, const std::vector<Row>& rows, Value value)
{
    json.key(key);
    json.beginArray();
    for (const Row& row : rows) {
        json.beginArray();
        for (const auto& cell : row) {
            if (const std::optional<double> v = value(cell))
                json.value(*v);
            else
                json.null();
        }
        json.endArray();
    }
    json.endArray();
}

void WriteDesignError(JsonWriter& json, const DesignErrorMap& map)
{
    BeginMap(json, "designError", map.hours, map.dates);
    Matrix(json, "minutes", map.cells, [](const DesignErrorCell& cell) { return cell.minutes; });
    Number(json, "maxAbs", map.maxAbs);
    Number(json, "meanAbs", map.meanAbs);
    json.key("worst");
    if (map.worst) {
        json.beginObject();
        json.key("date");
        json.value(map.worst->date);
        json.key("hour");
        json.value(map.worst->hour);
        Number(json, "minutes", map.worst->minutes);
        json.endObject();
    } else {
        json.null();
    }
    json.endObject();
}

/// The worst entry of one budget figure, {time, value} of an hour point or {label, value} of a date mark;
/// null when there is none.
template <typename Worst> void WriteWorst(JsonWriter& json, std::string_view key, const std::optional<Worst>& worst)
{
    json.key(key);
    if (!worst) {
        json.null();
        return;
    }
    json.beginObject();
    if constexpr (std::is_same_v<Worst, BudgetWorstHour>) {
        Number(json, "time", worst->time);
    } else {
        json.key("label");
        json.value(worst->label);
    }
    Number(json, "value", worst->value);
    json.endObject();
}

/// A figure of the budget: its key, its member in each entry and its worst entry.
template <typename Entry, typename Worst> struct BudgetFigure {
    std::string_view key;
    std::optional<double> Entry::*figure;
    std::optional<Worst> ErrorBudgetWorst::*worst;
};

constexpr std::array<BudgetFigure<HourPointBudget, BudgetWorstHour>, 5> kHourFigures{{
    {"minutesPerMmAlong", &HourPointBudget::minutesPerMmAlong, &ErrorBudgetWorst::along},
    {"minutesPerMmAcross", &HourPointBudget::minutesPerMmAcross, &ErrorBudgetWorst::across},
    {"minutesPerDegreeTiltNS", &HourPointBudget::minutesPerDegreeTiltNS, &ErrorBudgetWorst::tiltNS},
    {"minutesPerDegreeTiltEW", &HourPointBudget::minutesPerDegreeTiltEW, &ErrorBudgetWorst::tiltEW},
    {"minutesPerTenthDegreeLatitude", &HourPointBudget::minutesPerTenthDegreeLatitude, &ErrorBudgetWorst::latitude},
}};
constexpr std::array<BudgetFigure<DateMarkBudget, BudgetWorstDate>, 2> kDateFigures{{
    {"minutesPerMmNS", &DateMarkBudget::minutesPerMmNS, &ErrorBudgetWorst::ns},
    {"minutesPerMmEW", &DateMarkBudget::minutesPerMmEW, &ErrorBudgetWorst::ew},
}};

void WriteErrorBudget(JsonWriter& json, const ErrorBudget& budget)
{
    json.key("errorBudget");
    json.beginObject();
    json.key("hourPoints");
    json.beginArray();
    for (const HourPointBudget& point : budget.hourPoints) {
        json.beginObject();
        Number(json, "time", point.time);
        for (const auto& f : kHourFigures)
            Number(json, f.key, point.*f.figure);
        json.endObject();
    }
    json.endArray();
    json.key("dateMarks");
    json.beginArray();
    for (const DateMarkBudget& mark : budget.dateMarks) {
        json.beginObject();
        json.key("label");
        json.value(mark.label);
        for (const auto& f : kDateFigures)
            Number(json, f.key, mark.*f.figure);
        json.endObject();
    }
    json.endArray();
    // The worst of each figure, under the figure's own key.
    json.key("worst");
    json.beginObject();
    for (const auto& f : kHourFigures)
        WriteWorst(json, f.key, budget.worst.*f.worst);
    for (const auto& f : kDateFigures)
        WriteWorst(json, f.key, budget.worst.*f.worst);
    json.endObject();
    json.endObject();
}

void WriteSimulation(JsonWriter& json, const std::optional<Simulation>& simulation)
{
    json.key("simulation");
    if (!simulation) {
        json.null();
        return;
    }
    const Simulation& s = *simulation;
    json.beginObject();
    json.key("date");
    json.value(s.date);
    Number(json, "zoneTime", s.zoneTime);
    Number(json, "summerTime", s.summerTime);
    Number(json, "dialTime", s.dialTime);
    json.key("nearestMark");
    json.value(s.nearestMark);
    Point(json, "gnomon", s.gnomon);
    json.key("sun");
    json.beginObject();
    Number(json, "altitude", s.sunAltitude);
    Number(json, "azimuth", s.sunAzimuth);
    json.endObject();
    Point(json, "shadowTip", s.shadowTip);
    Number(json, "reading", s.reading);
    Number(json, "readingErrorMinutes", s.readingErrorMinutes);
    Number(json, "watchCorrectionMinutes", s.watchCorrectionMinutes);
    json.endObject();
}

void WriteReach(JsonWriter& json, const ReachMap& reach)
{
    BeginMap(json, "reach", reach.hours, reach.dates);
    Matrix(json, "ratio", reach.ratio, [](const std::optional<double>& cell) { return cell; });
    Number(json, "coverage", reach.coverage);
    Number(json, "recommendedSemiMajorAxis", reach.recommendedSemiMajorAxis);
    json.endObject();
}

void WriteCorrection(JsonWriter& json, const CorrectionTable& table)
{
    json.key("correction");
    json.beginObject();
    Number(json, "offsetHours", table.offsetHours);
    json.key("rows");
    json.beginArray();
    for (const CorrectionRow& row : table.rows) {
        json.beginObject();
        json.key("label");
        json.value(row.label);
        Number(json, "equationOfTimeMinutes", row.equationOfTimeMinutes);
        Number(json, "longitudeMinutes", row.longitudeMinutes);
        Number(json, "standardTimeMinutes", row.standardTimeMinutes);
        Number(json, "summerTimeMinutes", row.summerTimeMinutes);
        Number(json, "apparentNoon", row.apparentNoon);
        Number(json, "apparentNoonSummerTime", row.apparentNoonSummerTime);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

} // namespace

void WriteAnalysisJson(JsonWriter& json, const AnalysisResults& results)
{
    if (results.accuracyInJson && results.designError)
        WriteDesignError(json, *results.designError);
    if (results.accuracyInJson && results.errorBudget)
        WriteErrorBudget(json, *results.errorBudget);
    if (results.simulationAsked)
        WriteSimulation(json, results.simulation);
    if (results.reach)
        WriteReach(json, *results.reach);
    if (results.correctionInJson && results.correction)
        WriteCorrection(json, *results.correction);
}

} // namespace umbrix
