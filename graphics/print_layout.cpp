// StartPrintPage's arithmetic and the selection, titles and header lines of the printed lists.

#include "graphics/print_layout.h"

#include "core/numeric.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace umbrix {

namespace {

constexpr int kHeaderItem2Column = 25; // the second item of a header line starts here (characters)
constexpr int kHeaderItem3Column = 53;

/// The grid column from which the loop grids hold one column per hour.
constexpr int kFirstLoopHourColumn = 6;

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool GridHasRows(const StringGrid& grid)
{
    for (int r = 1; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c)
            if (!grid.cell(c, r).empty())
                return true;
    return false;
}

} // namespace

int CharCount(std::string_view text)
{
    int n = 0;
    for (const char ch : text)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80)
            ++n;
    return n;
}

const StringGrid& PrintedListGrid(const Model& model, PrintedList list)
{
    switch (list) {
    case PrintedList::HourMarks:
        return model.grids.StrGridStd;
    case PrintedList::ShadowPath:
        return model.grids.StrGridShad;
    case PrintedList::DateMarks:
        return model.grids.StrGridDat;
    case PrintedList::LoopsMorning:
        return model.grids.StrGrid8b;
    case PrintedList::LoopsAfternoon:
        return model.grids.StrGrid8;
    }
    return model.grids.StrGridStd;
}

namespace {

/// "caption=value" of one header item.
std::string HeaderItem(const LanguageState& lang, ResourceId caption, int width, double value)
{
    return ResourceTextPlain(lang, caption) + "=" + FormatFixed(width, 2, value);
}

std::string HeaderLine(const std::string& item1, const std::string& item2, std::string_view separator2,
                       const std::string& item3, std::string_view finalSeparator)
{
    std::string line = PadToChars(item1 + "; ", kHeaderItem2Column);
    line = PadToChars(line + item2 + std::string(separator2), kHeaderItem3Column);
    return line + item3 + std::string(finalSeparator);
}

} // namespace

// --- page geometry ------------------------------------------------------------------------------------------

int CentredOffset(int sheet, int area, int margin)
{
    const int centred = (sheet - area) / 2;
    return centred < margin ? 0 : centred - margin;
}

int PrintAreaHeight(int printAreaWidth)
{
    return static_cast<int>(std::nearbyint(printAreaWidth / kPrintAreaAspect));
}

std::optional<PrintGeometry> ComputePrintGeometry(const PrinterCapabilities& caps)
{
    PrinterCapabilities c = caps;
    // Everything below refers to the landscape sheet.
    if (c.portrait) {
        std::swap(c.horzSizeMm, c.vertSizeMm);
        std::swap(c.horzRes, c.vertRes);
        std::swap(c.physicalOffsetX, c.physicalOffsetY);
    }
    const bool usable = c.horzRes > 0 && c.vertRes > 0 && std::isfinite(c.horzSizeMm) && std::isfinite(c.vertSizeMm) &&
                        c.horzSizeMm > 0 && c.vertSizeMm > 0 && c.horzSizeMm < 1e5 && c.vertSizeMm < 1e5 &&
                        c.physicalOffsetX >= 0 && c.physicalOffsetY >= 0;
    if (!usable)
        return std::nullopt;

    const double tenthX = 10.0 * c.horzSizeMm; // printable width, 0.1 mm
    const double tenthY = 10.0 * c.vertSizeMm;
    PrintGeometry g;
    g.marginLeft = static_cast<int>(std::nearbyint(c.physicalOffsetX * tenthX / c.horzRes));
    g.marginRight = kSheetWidthTenthMm - static_cast<int>(std::nearbyint(tenthX)) - g.marginLeft;
    g.marginTop = static_cast<int>(std::nearbyint(c.physicalOffsetY * tenthY / c.vertRes));
    g.marginBottom = kSheetHeightTenthMm - static_cast<int>(std::nearbyint(tenthY)) - g.marginTop;

    g.printAreaWidth = kSheetWidthTenthMm - 2 * std::max(g.marginLeft, g.marginRight) - 2;
    g.printPageHeight = kSheetHeightTenthMm - 2 * std::max(g.marginTop, g.marginBottom) - 2;
    g.printAreaWidth = std::min(g.printAreaWidth, kMaxPrintAreaWidth);
    g.printPageHeight = std::min(g.printPageHeight, kMaxPrintPageHeight);
    // Margins wider than half the sheet leave no area at all.
    if (g.printAreaWidth <= 0 || g.printPageHeight <= 0)
        return std::nullopt;

    g.printAreaLeft = CentredOffset(kSheetWidthTenthMm, g.printAreaWidth, g.marginLeft);
    g.printAreaTop = CentredOffset(kSheetHeightTenthMm, g.printPageHeight, g.marginTop);
    return g;
}

void StorePrintGeometry(DrawingState& state, const PrintGeometry& geometry)
{
    state.printAreaWidth = geometry.printAreaWidth;
    state.printPageHeight = geometry.printPageHeight;
    state.printAreaLeft = geometry.printAreaLeft;
    state.printAreaTop = geometry.printAreaTop;
}

// --- lists ----------------------------------------------------------------------------------------------------

bool ListPrintRefused(const ListPrintRequest& request)
{
    return !request.printAllLists && request.visiblePage == ListPage::Graphic;
}

std::vector<PrintedList> SelectedLists(const Model& model, const ListPrintRequest& request)
{
    std::vector<PrintedList> lists;
    if (ListPrintRefused(request))
        return lists;
    const DialParameters& p = model.params;
    const bool all = request.printAllLists;
    const ListPage page = request.visiblePage;
    const bool fixedGnomon = p.type() == DialType::FixedGnomon;
    // Dial types 2 and 5 compute no shadow path; their grid keeps whatever an earlier dial left in it.
    const bool hasShadowPath = p.type() != DialType::InclinedPlane && p.type() != DialType::VerticalDeclining;

    auto add = [&](PrintedList list, bool wanted) {
        if (wanted && GridHasRows(PrintedListGrid(model, list)))
            lists.push_back(list);
    };
    add(PrintedList::HourMarks, !fixedGnomon && (all || page == ListPage::HourMarks));
    add(PrintedList::ShadowPath,
        hasShadowPath && (page == ListPage::ShadowPath || (all && model.state.showShadowPath)));
    add(PrintedList::DateMarks, page == ListPage::DateMarks || (all && !fixedGnomon));
    const bool loops =
        model.state.doubleAnalemmaActive && p.type() == DialType::MeanTime && (page == ListPage::Loops || all);
    add(PrintedList::LoopsMorning, loops);
    add(PrintedList::LoopsAfternoon, loops);
    return lists;
}

std::string ListTitle(const Model& model, PrintedList list)
{
    const LanguageState& lang = model.state.language;
    switch (list) {
    case PrintedList::HourMarks:
        return std::string(
            TextRow(lang, model.state.coordinatesAsXY ? TextId::HourMarksTitle : TextId::HourMarksDistanceTitle));
    case PrintedList::ShadowPath:
        return Trimmed(TextRow(lang, TextId::ShadowPathTitle)) + " - " + model.state.shadowDateCaption;
    case PrintedList::DateMarks:
        return std::string(TextRow(lang, TextId::DateMarksTitle));
    case PrintedList::LoopsMorning:
        return std::string(TextRow(lang, TextId::MeanTimeErrorTitle)) + " - " +
               Trimmed(LabelRow(lang, LabelId::Morning));
    case PrintedList::LoopsAfternoon:
        return std::string(TextRow(lang, TextId::MeanTimeErrorTitle)) + " - " +
               Trimmed(LabelRow(lang, LabelId::Afternoon));
    }
    return {};
}

std::string PadToChars(std::string text, int chars)
{
    const int n = CharCount(text);
    if (n < chars)
        text.append(static_cast<std::size_t>(chars - n), ' ');
    return text;
}

std::vector<std::string> ListHeaderLines(const Model& model, PrintedList list)
{
    const DialParameters& p = model.params;
    const LanguageState& lang = model.state.language;
    std::vector<std::string> lines;
    lines.push_back(HeaderLine(HeaderItem(lang, ResourceId::Latitude, 6, p.latitude),
                               HeaderItem(lang, ResourceId::Longitude, 6, p.longitude), "; ",
                               HeaderItem(lang, ResourceId::ZoneMeridian, 6, p.zoneMeridian), ";"));
    lines.push_back(HeaderLine(HeaderItem(lang, ResourceId::SemiMajorAxis, 5, p.semiMajorAxis),
                               HeaderItem(lang, ResourceId::PlaneInclination, 6, p.planeInclination), "; ",
                               HeaderItem(lang, ResourceId::PlaneDeviation, 6, p.planeDeviation), ";  "));
    lines.push_back(HeaderLine(HeaderItem(lang, ResourceId::GnomonHeight, 6, p.gnomonHeight),
                               HeaderItem(lang, ResourceId::GnomonInclination, 6, p.gnomonInclination), ";  ",
                               HeaderItem(lang, ResourceId::GnomonDeviation, 6, p.gnomonDeviation), ";  "));

    // At least one blank after the year, where the caption is longer than the column.
    std::string year = ResourceTextPlain(lang, ResourceId::CalculationYear) + " = " + std::to_string(p.year);
    year = PadToChars(year, std::max(kHeaderItem2Column, CharCount(year) + 1));
    const bool split = IsSplitDial(p);
    if (split)
        year += std::string(LabelRow(lang, LabelId::SplitDialCaption)) +
                std::string(LabelRow(lang, LabelId::MethodNameFirst, static_cast<int>(p.doubleAnalemmaMethod)));
    else if (p.type() == DialType::Horizontal)
        year += ResourceTextPlain(lang, ResourceId::RiseSetPosition) + model.grids.lKoordAufUnter;
    lines.push_back(std::move(year));

    if (list == PrintedList::LoopsMorning || list == PrintedList::LoopsAfternoon) {
        // The hours whose reading errors the loop list tabulates, from its header row.
        const StringGrid& grid = PrintedListGrid(model, list);
        std::string hours =
            Trimmed(LabelRow(lang, list == PrintedList::LoopsMorning ? LabelId::Morning : LabelId::Afternoon)) + ":";
        for (int c = kFirstLoopHourColumn; c < grid.colCount(); ++c)
            if (const std::string hour = Trimmed(grid.cell(c, 0)); !hour.empty())
                hours += " " + hour;
        lines.push_back(std::move(hours));
    }
    return lines;
}

} // namespace umbrix
