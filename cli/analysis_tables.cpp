// The analyses as table files and heat maps: the design-error map and the correction table as tables in
// the form of the result pages' exports, the design error and the planner's ratios as heat maps.

#include "cli/analysis_outputs.h"
#include "core/dst_ring.h"
#include "core/numeric.h"
#include "export/table_export.h"
#include "graphics/accuracy_heat_map.h"
#include "graphics/heat_map.h"
#include "graphics/print_layout.h"
#include "graphics/reach_heat_map.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace umbrix {

namespace {

std::string CellOrEmpty(std::optional<double> value, int width, int decimals)
{
    return value ? FormatFixed(width, decimals, *value) : std::string();
}

/// "hh:mm:ss" of a clock time in decimal hours, seconds rounded; empty when there is none.
std::string ClockSeconds(std::optional<double> hours)
{
    if (!hours || !std::isfinite(*hours))
        return {};
    const long total = std::lround(ReduceHours24(*hours) * 3600) % (24 * 3600);
    char text[16];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    return text;
}

} // namespace

std::string AccuracyTableText(const Model& model, const DesignErrorMap& map, bool csv)
{
    const int columns = static_cast<int>(map.hours.size());
    const int rows = static_cast<int>(map.dates.size());
    // The map, then the largest and the mean magnitude and the worst cell.
    StringGrid grid(columns + 1, rows + 4);
    grid.setCell(0, 0, std::string(Say(model, OwnText::ColumnDate)));
    for (int c = 0; c < columns; ++c)
        grid.setCell(c + 1, 0, std::to_string(map.hours[static_cast<std::size_t>(c)]));
    for (int r = 0; r < rows; ++r) {
        const auto& cells = map.cells[static_cast<std::size_t>(r)];
        grid.setCell(0, r + 1, map.dates[static_cast<std::size_t>(r)]);
        for (int c = 0; c < columns && c < static_cast<int>(cells.size()); ++c)
            grid.setCell(c + 1, r + 1, CellOrEmpty(cells[static_cast<std::size_t>(c)].minutes, 7, 2));
    }
    grid.setCell(0, rows + 1, std::string(Say(model, OwnText::LargestMagnitude)));
    grid.setCell(1, rows + 1, CellOrEmpty(map.maxAbs, 7, 2));
    grid.setCell(0, rows + 2, std::string(Say(model, OwnText::MeanMagnitude)));
    grid.setCell(1, rows + 2, CellOrEmpty(map.meanAbs, 7, 2));
    if (map.worst) {
        grid.setCell(0, rows + 3, std::string(Say(model, OwnText::WorstCell)));
        grid.setCell(1, rows + 3, map.worst->date);
        grid.setCell(2, rows + 3, std::to_string(map.worst->hour));
        grid.setCell(3, rows + 3, FormatFixed(7, 2, map.worst->minutes));
    }
    const std::string_view title = Say(model, OwnText::DesignErrorTableTitle);
    return TableLinesText(BuildGridExport(model, title, grid), csv);
}

std::string CorrectionTableText(const Model& model, const CorrectionTable& table, bool csv)
{
    const int rows = static_cast<int>(table.rows.size());
    StringGrid grid(7, rows + 1);
    const std::array<OwnText, 7> heads{OwnText::ColumnDate,
                                       OwnText::CorrectionEquationOfTime,
                                       OwnText::CorrectionLongitude,
                                       OwnText::CorrectionStandardTime,
                                       OwnText::CorrectionSummerTime,
                                       OwnText::CorrectionApparentNoon,
                                       OwnText::CorrectionApparentNoonSummer};
    // Without summer time at the site the two summer columns are left out.
    const bool summer = table.offsetHours.has_value();
    if (!summer)
        grid = StringGrid(5, rows + 1);
    const std::array<int, 7> column =
        summer ? std::array<int, 7>{0, 1, 2, 3, 4, 5, 6} : std::array<int, 7>{0, 1, 2, 3, -1, 4, -1};
    const auto set = [&](int c, int r, std::string text) {
        if (column[static_cast<std::size_t>(c)] >= 0)
            grid.setCell(column[static_cast<std::size_t>(c)], r, std::move(text));
    };
    for (int c = 0; c < 7; ++c)
        set(c, 0, std::string(Say(model, heads[static_cast<std::size_t>(c)])));
    for (int r = 0; r < rows; ++r) {
        const CorrectionRow& row = table.rows[static_cast<std::size_t>(r)];
        set(0, r + 1, row.label);
        set(1, r + 1, FormatFixed(6, 1, row.equationOfTimeMinutes));
        set(2, r + 1, FormatFixed(6, 1, row.longitudeMinutes));
        set(3, r + 1, FormatFixed(6, 1, row.standardTimeMinutes));
        set(4, r + 1, CellOrEmpty(row.summerTimeMinutes, 6, 1));
        set(5, r + 1, ClockSeconds(row.apparentNoon));
        set(6, r + 1, ClockSeconds(row.apparentNoonSummerTime));
    }
    std::string title(Say(model, OwnText::CorrectionTableTitle));
    // The rule is named once a dial chose one (a time zone or summerTimeRule); a dial without either keeps
    // its table as it always was, under the EU rule.
    const DstOptions& dst = model.params.dst;
    const bool named = dst.rule.has_value() || !dst.timeZone.empty();
    const std::string rule = named ? SummerRuleText(model.state.language, dst) + ", " : std::string();
    if (table.offsetHours)
        title += " (" + rule + std::string(Say(model, OwnText::CorrectionSummerOffset)) +
                 FormatDecimals(*table.offsetHours, 1) + " h)";
    else
        title += " (" + SummerRuleText(model.state.language, dst) + ")";
    return TableLinesText(BuildGridExport(model, title, grid), csv);
}

std::string DstTableText(const Model& model, bool csv)
{
    const DstList list = DstListOf(model);
    return TableLinesText(BuildGridExport(model, list.heading, list.grid), csv);
}

std::string AccuracyHeatMapSvg(const Model& model, const DesignErrorMap& map)
{
    return HeatMapSvg(DesignErrorHeatMap(model.state.language, map));
}

std::string ReachHeatMapSvg(const Model& model, const ReachMap& reach)
{
    return HeatMapSvg(ReachHeatMap(reach, model.state.language));
}

} // namespace umbrix
