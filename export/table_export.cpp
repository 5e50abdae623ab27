#include "export/table_export.h"

#include "core/fields.h"
#include "core/leap_cycle.h"
#include "core/number_text.h"
#include "core/numeric.h"
#include "export/file_messages.h"
#include "text/texts.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace umbrix {

namespace {

constexpr std::string_view kGap = "   ";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

/// The hours of a StrGridEin cell as "h:mm" (the cell holds decimal hours).
std::string CellHours(const Model& model, int col, int row)
{
    std::string_view text = model.grids.StrGridEin.cell(col, row);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    double hours = 0;
    const auto [end, ec] = ReadReal(text, hours);
    if (ec != std::errc() || !std::isfinite(hours))
        hours = 0;
    return FormatMinSec(hours / 4);
}

std::string PageTitle(const Model& model, TableChoice choice)
{
    const LanguageState& lang = model.state.language;
    switch (choice.page) {
    case TablePage::DateMarks:
        return std::string(TextRow(lang, TextId::DateMarksTitle));
    case TablePage::HourMarks:
        return std::string(TextRow(lang, TextId::HourMarksTitle)) + "  (" +
               std::string(LabelRow(lang, model.state.coordinatesAsXY ? LabelId::HourPointsAsXY
                                                                      : LabelId::HourPointsAsDistances)) +
               ")";
    case TablePage::ShadowPath:
        return std::string(LabelRow(lang, LabelId::ShadowPathOn)) + model.state.shadowDateText;
    case TablePage::Loops:
        return " " + std::string(LabelRow(lang, LabelId::ShowErrorTableFor)) +
               std::string(LabelRow(lang, choice.afternoon ? LabelId::Afternoon : LabelId::Morning));
    }
    return {};
}

const StringGrid& PageGrid(const Model& model, TableChoice choice)
{
    switch (choice.page) {
    case TablePage::DateMarks:
        return model.grids.StrGridDat;
    case TablePage::HourMarks:
        return model.grids.StrGridStd;
    case TablePage::ShadowPath:
        return model.grids.StrGridShad;
    case TablePage::Loops:
        return choice.afternoon ? model.grids.StrGrid8 : model.grids.StrGrid8b;
    }
    return model.grids.StrGridStd;
}

/// The export lines of a grid under `title` and the dial's header lines.
std::vector<std::string> BuildExportLines(const Model& model, TableChoice choice, const std::string& title,
                                          const StringGrid& grid)
{
    const DialParameters& p = model.params;
    const LanguageState& lang = model.state.language;
    auto label = [&](ResourceId caption) { return std::string(ResourceText(lang, caption)); };

    const std::string p1 = label(ResourceId::Latitude) + "=" + FormatFixed(6, 2, p.latitude) + std::string(kGap) +
                           label(ResourceId::Longitude) + "=" + FormatFixed(6, 2, p.longitude) + std::string(kGap) +
                           label(ResourceId::ZoneMeridian) + "=" + FormatFixed(6, 2, p.zoneMeridian);
    const std::string p2 = label(ResourceId::SemiMajorAxis) + "=" + FormatFixed(5, 2, p.semiMajorAxis) +
                           std::string(kGap) + label(ResourceId::PlaneInclination) + "=" +
                           FormatFixed(5, 2, p.planeInclination) + std::string(kGap) +
                           label(ResourceId::CalculationYear) + "=" + std::to_string(p.year);
    std::string p3 = label(ResourceId::GnomonHeight) + "=" + FormatFixed(5, 2, p.gnomonHeight) + std::string(kGap) +
                     label(ResourceId::GnomonInclination) + "=" + FormatFixed(6, 2, p.gnomonInclination);
    std::string p4;
    std::string p5;
    if (IsSplitDial(p)) {
        const int half = choice.afternoon ? 1 : 0;
        const int c = 2 * half + 1;
        p4 = std::string(LabelRow(lang, LabelId::SplitDialCaption)) +
             std::string(LabelRow(lang, LabelId::MethodNameFirst, static_cast<int>(p.doubleAnalemmaMethod)));
        p5 = std::string(LabelRow(lang, LabelId::Morning, half));
        switch (p.doubleAnalemmaMethod) {
        case DoubleAnalemmaMethod::ExactAtTwoHours:
            p5 += CellHours(model, c, 1) + " Uhr, " + CellHours(model, c, 2) + " Uhr";
            p4 += " (" + CellHours(model, 1, 1) + " Uhr, " + CellHours(model, 1, 2) + " Uhr )";
            break;
        case DoubleAnalemmaMethod::MeanOfExact:
            p5 += ":" + CellHours(model, c, 1) + " -" + CellHours(model, c, 2) +
                  std::string(LabelRow(lang, LabelId::WithStepsOf)) + CellHours(model, c + 1, 2);
            break;
        case DoubleAnalemmaMethod::SearchLargestError:
        case DoubleAnalemmaMethod::SearchMeanError:
        case DoubleAnalemmaMethod::SearchRmsError:
            for (int r = 1; r < model.grids.StrGridEin.rowCount() && !model.grids.StrGridEin.cell(c, r).empty(); ++r)
                p5 += CellHours(model, c, r);
            break;
        }
        p5 += ";";
    } else {
        p3 += "  " + label(ResourceId::RiseSetPosition) + model.grids.lKoordAufUnter;
    }

    std::vector<std::string> lines;
    lines.push_back(std::string(ResourceText(lang, ResourceId::DialTitleFirst, DialTypeNumber(p.dialType))));
    lines.push_back(title + ";");
    lines.push_back(" ;");
    lines.push_back(p1);
    lines.push_back(p2);
    lines.push_back(p3);
    lines.push_back(p4);
    lines.push_back(p5);
    lines.push_back(" ;");
    for (int r = 0; r < grid.rowCount(); ++r) {
        std::string row;
        for (int c = 0; c < grid.colCount(); ++c)
            row += grid.cell(c, r) + "; ";
        lines.push_back(std::move(row));
    }
    return lines;
}

/// The scatter columns after the date-mark grid's own cells: the headers on its header row, each mark's cells
/// on the row of its label. The grid's rows are the last lines, header row first.
void AppendLeapCycleColumns(const Model& model, const StringGrid& grid, std::vector<std::string>& lines)
{
    const std::vector<LeapCycleMark> marks = ComputeLeapCycleScatter(model.params, model.results);
    if (marks.empty())
        return;
    const LengthUnit unit = model.params.lengthUnit;
    const std::size_t first = lines.size() - static_cast<std::size_t>(grid.rowCount());
    const auto append = [&](std::size_t line, const std::vector<std::string>& cells) {
        for (const std::string& cell : cells)
            lines[line] += cell + "; ";
    };
    append(first, LeapCycleColumnHeaders(model.params.year, model.state.language, unit));
    for (int r = 1; r < grid.rowCount(); ++r) {
        const std::string& label = grid.cell(0, r);
        const auto mark = std::find_if(marks.begin(), marks.end(),
                                       [&](const LeapCycleMark& m) { return !label.empty() && m.label == label; });
        if (mark != marks.end())
            append(first + static_cast<std::size_t>(r), LeapCycleColumnCells(*mark, unit));
    }
}

} // namespace

std::vector<std::string> BuildTableExport(const Model& model, TableChoice choice)
{
    const StringGrid& grid = PageGrid(model, choice);
    std::vector<std::string> lines = BuildExportLines(model, choice, PageTitle(model, choice), grid);
    if (choice.page == TablePage::DateMarks && model.params.showLeapCycle != 0)
        AppendLeapCycleColumns(model, grid, lines);
    return lines;
}

std::vector<std::string> BuildGridExport(const Model& model, std::string_view title, const StringGrid& grid)
{
    return BuildExportLines(model, TableChoice{}, std::string(title), grid);
}

std::string TableLinesText(const std::vector<std::string>& lines, bool csv)
{
    std::string text = csv ? std::string(kUtf8ByteOrderMark) : std::string();
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::string TableFileName(const std::string& chosenPath, bool csv)
{
    const std::size_t slash = chosenPath.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = chosenPath.find('.', nameStart);
    return chosenPath.substr(0, dot) + (csv ? ".csv" : ".txt");
}

std::string TableExportText(const Model& model, TableChoice choice, bool csv)
{
    return TableLinesText(BuildTableExport(model, choice), csv);
}

bool FileEndsWith(std::string_view path, std::string_view lowerEnding)
{
    if (path.size() < lowerEnding.size())
        return false;
    const std::string_view ending = path.substr(path.size() - lowerEnding.size());
    return std::equal(ending.begin(), ending.end(), lowerEnding.begin(), [](char ch, char lower) {
        return std::tolower(static_cast<unsigned char>(ch)) == static_cast<unsigned char>(lower);
    });
}

std::optional<bool> TableFileIsCsv(std::string_view path)
{
    if (FileEndsWith(path, ".csv"))
        return true;
    if (FileEndsWith(path, ".txt"))
        return false;
    return std::nullopt;
}

std::optional<UiMessage> WriteTableExport(const Model& model, TableChoice choice, const OutputTarget& target)
{
    const std::string text = TableExportText(model, choice, TableFileIsCsv(target.path).value_or(false));
    const std::optional<FileFailure> failure = WriteOutput(target, text);
    if (!failure)
        return std::nullopt;
    return SaveFailureMessage(model.state.language, target.path, *failure, SaveFirstLine::OpenError);
}

} // namespace umbrix
