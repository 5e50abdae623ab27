#include "cli/json_report.h"

#include "cli/analysis_outputs.h"
#include "cli/json_writer.h"
#include "cli/parameters.h"
#include "site/command_line_site.h"
#include "core/dst_ring.h"
#include "core/leap_cycle.h"
#include "core/loops.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace umbrix {

namespace {

void WriteHourPoints(JsonWriter& json, const Model& model)
{
    const Results& r = model.results;
    json.key("hourPoints");
    json.beginArray();
    // Dial type 7 keeps its hour points per date line (fixedGnomon), not in this table.
    const int count = model.params.type() == DialType::FixedGnomon ? 0 : std::min(r.hourPointCount, kHourPointSlots);
    for (int k = 1; k <= count; ++k) {
        const HourPoint& point = r.hourPoints[static_cast<std::size_t>(k)];
        json.beginObject();
        json.key("x");
        json.value(point.x);
        json.key("y");
        json.value(point.y);
        json.key("time");
        json.value(point.time);
        json.endObject();
    }
    json.endArray();
}

/// `leapCycle` of one date mark: its data in each year of the leap cycle and their spreads.
void WriteLeapCycle(JsonWriter& json, const LeapCycleMark& mark)
{
    json.key("leapCycle");
    json.beginObject();
    json.key("years");
    json.beginArray();
    for (const int year : mark.years)
        json.value(year);
    json.endArray();
    json.key("declinations");
    json.beginArray();
    for (const double d : mark.declinationsDeg)
        json.value(d);
    json.endArray();
    json.key("equationsOfTime");
    json.beginArray();
    for (const double e : mark.equationsOfTimeDeg)
        json.value(e);
    json.endArray();
    json.key("positions");
    json.beginArray();
    for (const DialPoint& position : mark.positions) {
        json.beginObject();
        json.key("x");
        json.value(position.x);
        json.key("y");
        json.value(position.y);
        json.endObject();
    }
    json.endArray();
    json.key("declinationSpread");
    json.value(mark.declinationSpreadDeg);
    json.key("equationOfTimeSpreadSeconds");
    json.value(mark.equationOfTimeSpreadSeconds);
    json.key("positionSpread");
    json.value(mark.positionSpread);
    json.endObject();
}

/// One date mark; its leap-cycle scatter when `scatter` is given.
void WriteDateMark(JsonWriter& json, const tUmbrixPoint& mark, const LeapCycleMark* scatter = nullptr)
{
    json.beginObject();
    json.key("label");
    json.value(mark.label);
    json.key("declination");
    json.value(mark.declination);
    json.key("equationOfTime");
    json.value(mark.equationOfTime);
    json.key("x");
    json.value(mark.x);
    json.key("y");
    json.value(mark.y);
    if (scatter != nullptr)
        WriteLeapCycle(json, *scatter);
    json.endObject();
}

void WriteDateMarks(JsonWriter& json, const Model& model)
{
    // The scatter over the leap cycle only when asked for, so that the report is otherwise as before.
    const std::vector<LeapCycleMark> scatter = model.params.showLeapCycle != 0
                                                   ? ComputeLeapCycleScatter(model.params, model.results)
                                                   : std::vector<LeapCycleMark>{};
    json.key("dateMarks");
    json.beginArray();
    for (int slot = 1; slot <= kDateMarkSlots; ++slot) {
        const tUmbrixPoint& mark = model.results.dateMarks[static_cast<std::size_t>(slot)];
        if (mark.label.empty())
            break;
        const auto scattered =
            std::find_if(scatter.begin(), scatter.end(), [&](const LeapCycleMark& m) { return m.label == mark.label; });
        WriteDateMark(json, mark, scattered != scatter.end() ? &*scattered : nullptr);
    }
    json.endArray();
}

/// "DD/MM".
std::string DayMonthSlash(DayMonth date)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d/%02d", date.day % 100, date.month % 100);
    return text;
}

/// `site`: the place from the gazetteer (when there is one), the time zone (when set) and the summer time
/// of the design year under the rule in force, null when there is none.
void WriteSite(JsonWriter& json, const Model& model, const SiteFacts* place)
{
    const DialParameters& p = model.params;
    json.key("site");
    json.beginObject();
    if (place) {
        json.key("name");
        json.value(place->name);
        json.key("state");
        json.value(place->state);
        json.key("country");
        json.value(place->country);
        json.key("countryCode");
        json.value(place->countryCode);
    }
    if (!p.dst.timeZone.empty()) {
        json.key("timeZone");
        json.value(p.dst.timeZone);
    }
    if (place) {
        json.key("latitude");
        json.value(place->latitude);
        json.key("longitudeEast");
        json.value(place->longitudeEast);
    }
    json.key("summerTime");
    const SummerSchedule schedule = ScheduleOf(p.dst, p.zoneMeridian, p.year);
    const std::optional<SummerTimePeriod> period = NoonPeriod(schedule);
    const std::optional<double> offset = SummerOffsetOf(p.dst, p.zoneMeridian, p.year);
    if (!period || !offset) {
        json.null();
    } else {
        json.beginObject();
        json.key("rule");
        json.value(std::string(RuleName(schedule.rule)));
        json.key("start");
        json.value(DayMonthSlash(period->start));
        json.key("end");
        json.value(DayMonthSlash(period->end));
        json.key("offsetHours");
        json.value(*offset);
        // The zone's name of its summer time; empty without a zone.
        json.key("abbreviation");
        json.value(schedule.spans.front().abbreviation);
        json.endObject();
    }
    json.endObject();
}

/// `dstHourPoints` and `dstDateMarks`, only with a summer-time ring asked for: the ring's points, empty
/// when the dial may not carry it (or without tables).
void WriteDstRing(JsonWriter& json, const Model& model, ReportTables tables)
{
    const DialParameters& p = model.params;
    if (p.dst.ring == DstRingKind::None)
        return;
    std::optional<DstRing> ring;
    if (tables == ReportTables::Written)
        ring = ComputeDstRing(p, model.state, model.results, p.dst);
    json.key("dstHourPoints");
    json.beginArray();
    if (ring) {
        for (const HourPoint& point : ring->hourPoints) {
            json.beginObject();
            json.key("x");
            json.value(point.x);
            json.key("y");
            json.value(point.y);
            json.key("time");
            json.value(point.time);
            json.endObject();
        }
    }
    json.endArray();
    json.key("dstDateMarks");
    json.beginArray();
    if (ring)
        for (const tUmbrixPoint& mark : ring->dateMarks)
            WriteDateMark(json, mark);
    json.endArray();
}

void WriteShadowPath(JsonWriter& json, const Model& model)
{
    const Results& r = model.results;
    json.key("shadowPath");
    json.beginArray();
    for (int s = 1; s <= std::min(r.shadowPathCount, kShadowPathSlots); ++s) {
        const ShadowPoint& point = r.shadowPath[static_cast<std::size_t>(s)];
        json.beginObject();
        json.key("x");
        json.value(point.x);
        json.key("y");
        json.value(point.y);
        json.key("t");
        json.value(point.t);
        json.endObject();
    }
    json.endArray();
}

void WriteLoopRows(JsonWriter& json, std::string_view name, const LoopTable* table)
{
    json.key(name);
    json.beginArray();
    for (int slot = 1; table && slot <= kLoopRows; ++slot) {
        const tUmbrixPoint& point = (*table)[static_cast<std::size_t>(slot)];
        if (point.label.empty())
            break;
        json.beginObject();
        json.key("label");
        json.value(point.label);
        json.key("declination");
        json.value(point.declination);
        json.key("equationOfTime");
        json.value(point.equationOfTime);
        json.key("x");
        json.value(point.x);
        json.key("y");
        json.value(point.y);
        json.key("insideFlag");
        json.value(static_cast<int>(point.insideFlag));
        json.endObject();
    }
    json.endArray();
}

/// The figures of one loop; an empty object when nothing was counted.
void WriteLoopStatistics(JsonWriter& json, std::string_view name, const LoopErrorStatistics& stats)
{
    json.key(name);
    json.beginObject();
    if (stats.valid) {
        json.key("maxAbs");
        json.value(stats.maxAbs);
        json.key("meanAbs");
        json.value(stats.meanAbs);
        json.key("spread");
        json.value(stats.spread);
    }
    json.endObject();
}

/// The figure-eight loops of the split dial (empty for every other dial) and their error statistics.
void WriteLoops(JsonWriter& json, const Model& model)
{
    const bool split = IsSplitDial(model.params);
    const LoopPair loops = split ? CurrentLoops(model) : LoopPair{};
    json.key("loops");
    json.beginObject();
    WriteLoopRows(json, "morning", loops.morning);
    WriteLoopRows(json, "afternoon", loops.afternoon);
    json.key("statistics");
    json.beginObject();
    WriteLoopStatistics(json, "morning", split ? model.results.morningLoopStatistics : LoopErrorStatistics{});
    WriteLoopStatistics(json, "afternoon", split ? model.results.afternoonLoopStatistics : LoopErrorStatistics{});
    json.endObject();
    json.endObject();
}

void WriteRiseSetErrorCurve(JsonWriter& json, const Model& model, ReportTables tables)
{
    const RiseSetErrorCurve& curve = model.results.riseSetErrorCurve;
    json.key("riseSetErrorCurve");
    json.beginObject();
    json.key("points");
    json.beginArray();
    for (const RiseSetErrorPoint& point : curve.points) {
        if (tables == ReportTables::Empty)
            break;
        json.beginObject();
        json.key("declination");
        json.value(point.declination);
        json.key("error");
        json.value(point.error);
        json.endObject();
    }
    json.endArray();
    json.key("maxError");
    json.value(curve.maxError);
    json.key("minError");
    json.value(curve.minError);
    json.endObject();
}

void WriteRiseSetPoint(JsonWriter& json, const Model& model)
{
    json.key("riseSetPoint");
    json.beginObject();
    json.key("x");
    json.value(model.results.riseSetPoint.x);
    json.key("y");
    json.value(model.results.riseSetPoint.y);
    json.endObject();
}

void WriteFixedGnomon(JsonWriter& json, const Model& model)
{
    const Results& r = model.results;
    const bool fixed = model.params.type() == DialType::FixedGnomon;
    const int lines = fixed ? std::min(r.fixedDateLineCount, kFixedDateLines) : 0;
    const int entries = std::min(r.fixedHourPointCount, kFixedHourPointSlots);
    json.key("fixedGnomon");
    json.beginObject();
    json.key("scales");
    json.beginArray();
    for (int n = 1; n <= lines; ++n)
        json.value(r.fixedScale[static_cast<std::size_t>(n)]);
    json.endArray();
    json.key("halfDayArcs");
    json.beginArray();
    for (int n = 1; n <= lines; ++n)
        json.value(r.halfDayArc[static_cast<std::size_t>(n)]);
    json.endArray();
    json.key("reach");
    json.value(model.derived.fixedGnomonReach);
    json.key("lines");
    json.beginArray();
    for (int n = 1; n <= lines; ++n) {
        json.beginArray();
        for (int e = 1; e <= entries; ++e) {
            const FixedHourPoint& point = r.fixedHourPoints[static_cast<std::size_t>(n)][static_cast<std::size_t>(e)];
            json.beginObject();
            json.key("x");
            json.value(point.x);
            json.key("y");
            json.value(point.y);
            json.key("hourAngle");
            json.value(point.hourAngle);
            json.endObject();
        }
        json.endArray();
    }
    json.endArray();
    json.endObject();
}

void WriteGrid(JsonWriter& json, std::string_view name, const StringGrid& grid)
{
    json.key(name);
    json.beginArray();
    for (int row = 0; row < grid.rowCount(); ++row) {
        json.beginArray();
        for (int col = 0; col < grid.colCount(); ++col)
            json.value(grid.cell(col, row));
        json.endArray();
    }
    json.endArray();
}

} // namespace

void WriteMessages(JsonWriter& json, const std::vector<UiMessage>& messages)
{
    json.beginArray();
    for (const UiMessage& m : messages) {
        json.beginObject();
        json.key("caption");
        json.value(m.caption);
        json.key("text");
        json.value(m.text);
        json.endObject();
    }
    json.endArray();
}

std::string JsonReport(const Model& fullModel, int errorCode, const std::vector<UiMessage>& messages,
                       ReportTables tables, const AnalysisResults* analyses, const SiteFacts* place)
{
    // Without tables the report reads a copy whose results and grids are as before any calculation: every
    // table is then an empty list.
    std::unique_ptr<Model> emptied;
    if (tables == ReportTables::Empty) {
        emptied = std::make_unique<Model>(fullModel);
        emptied->results = *std::make_unique<Results>(); // large: built on the heap
        emptied->grids = Grids{};
    }
    const Model& model = emptied ? *emptied : fullModel;
    JsonWriter json;
    json.beginObject();
    // Raised by any change that can break a script reading the report (docs/umbrix-cli.schema.json).
    json.key("schemaVersion");
    json.value(kJsonSchemaVersion);
    json.key("parameters");
    json.beginObject();
    WriteParameters(json, model);
    json.endObject();
    WriteSite(json, model, place);
    json.key("errorCode");
    json.value(errorCode);
    json.key("messages");
    WriteMessages(json, messages);
    json.key("obliquity");
    json.value(model.state.obliquity);
    json.key("roundedObliquity");
    json.value(model.state.roundedObliquity);
    WriteHourPoints(json, model);
    WriteDateMarks(json, model);
    WriteDstRing(json, model, tables);
    WriteShadowPath(json, model);
    WriteLoops(json, model);
    WriteRiseSetPoint(json, model);
    WriteRiseSetErrorCurve(json, model, tables);
    WriteFixedGnomon(json, model);
    json.key("grids");
    json.beginObject();
    WriteGrid(json, "StrGridStd", model.grids.StrGridStd);
    WriteGrid(json, "StrGridShad", model.grids.StrGridShad);
    WriteGrid(json, "StrGridDat", model.grids.StrGridDat);
    WriteGrid(json, "StrGrid8", model.grids.StrGrid8);
    WriteGrid(json, "StrGrid8b", model.grids.StrGrid8b);
    WriteGrid(json, "StrGridEin", model.grids.StrGridEin);
    WriteGrid(json, "StrMittel", model.grids.StrMittel);
    json.endObject();
    if (analyses)
        WriteAnalysisJson(json, *analyses);
    json.endObject();
    return json.text();
}

} // namespace umbrix
