// The printed lists: PrintGrid, the distance sketch and the page flow of Listedrucken1Click.

#include "graphics/print_layout.h"

#include "core/numeric.h"
#include "core/rise_set.h"
#include "graphics/construction.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

constexpr int kDateGridCellChars = 7;
constexpr int kOtherGridCellChars = 6;
constexpr int kDateGridTop = 206;
constexpr int kOtherGridTop = 350;
constexpr int kGridHeaderLines = 5; // the header row stands this many line heights below the top
constexpr int kTableCentreX = 1050;
constexpr int kTableMinLeft = 50;
constexpr int kDateGridLeftShift = 100;
constexpr int kDateGridRightShift = 90;
constexpr int kFrameLeftGap = 10; // the frame starts this far left of the text
constexpr int kFramePad = 5;      // above the header row and below the last row
constexpr int kHeaderRulePad = 2; // below the header row: clear of its descenders
constexpr int kFramePenWidth = 2;
constexpr int kMinTableFontHeight = 20; // a table is not shrunk below this font height

/// Date-mark grid: rules after these printed columns (date | left x, y | declination, EoT | right x, y).
constexpr int kDateGridRules[] = {1, 3, 5, 8, 11};

/// Error graph of the rise/set marks in print mode: 600 high, its captions one line above and below.
constexpr int kErrorGraphHeight = 600;

bool IsBlank(char ch)
{
    return ch == ' ';
}

/// Copies the drawing style of one page's surface to the next page's.
void CarryStyle(const Surface& from, Surface& to)
{
    if (&from == &to)
        return;
    to.pen = from.pen;
    to.brush = from.brush;
    to.font = from.font;
}

void ListFont(Surface& s, int height)
{
    s.font.name = std::string(kFontListFixed);
    s.font.height = height;
    s.font.colour = kBlack;
    s.font.style = FontStyle::Regular;
    s.brush.style = BrushStyle::Clear;
    s.pen = {kBlack, 1};
}

/// Title and header lines at the top of a list page; leaves the list font on the surface.
void PrintListHead(Surface& s, const std::string& title, const std::vector<std::string>& headerLines)
{
    ListFont(s, kListTitleFontHeight);
    s.TextOut(kListTitleCentreX - s.TextWidth(title) / 2, kListTitleY, title);
    ListFont(s, kListFontHeight);
    const int lh = s.TextHeight("h");
    int y = kListHeaderY;
    for (const std::string& line : headerLines) {
        s.TextOut(kListHeaderX, y, line);
        y += lh;
    }
}

} // namespace

GridColumns LayoutGridColumns(const StringGrid& grid, bool dateMarkGrid)
{
    GridColumns layout;
    const int cellChars = dateMarkGrid ? kDateGridCellChars : kOtherGridCellChars;
    for (int r = 1; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c)
            if (!grid.cell(c, r).empty())
                layout.lastRow = r;
    for (int c = 0; c < grid.colCount(); ++c)
        if (!grid.cell(c, 0).empty())
            layout.columns.push_back(c);

    const int printed = static_cast<int>(layout.columns.size());
    if (dateMarkGrid) {
        for (const int k : kDateGridRules)
            if (k < printed)
                layout.rules.push_back(k);
    } else {
        for (int k = 1; k < printed; ++k)
            if (k == 1 || layout.columns[k] > layout.columns[k - 1] + 1)
                layout.rules.push_back(k);
    }

    for (int k = 0; k < printed; ++k) {
        const int c = layout.columns[k];
        int width = cellChars;
        for (int r = 0; r <= layout.lastRow; ++r)
            width = std::max(width, CharCount(grid.cell(c, r)));
        // A cell that fills its column must not run into the next text, into a rule or into the frame.
        const bool ruleFollows =
            k + 1 == printed || std::find(layout.rules.begin(), layout.rules.end(), k + 1) != layout.rules.end();
        bool touches = false;
        for (int r = 0; r <= layout.lastRow; ++r) {
            const std::string& cell = grid.cell(c, r);
            if (CharCount(cell) < width || IsBlank(cell.back()))
                continue;
            const std::string& next = k + 1 < printed ? grid.cell(layout.columns[k + 1], r) : std::string();
            touches = touches || ruleFollows || (!next.empty() && !IsBlank(next.front()));
        }
        layout.chars.push_back(touches ? width + 1 : width);
    }
    return layout;
}

std::string GridLine(const StringGrid& grid, const GridColumns& layout, int row)
{
    std::string line;
    int chars = 0;
    for (std::size_t k = 0; k < layout.columns.size(); ++k) {
        chars += layout.chars[k];
        line = PadToChars(line + grid.cell(layout.columns[k], row), chars);
    }
    return line;
}

std::optional<int> PrintGrid(const StringGrid& grid, bool dateMarkGrid, PageFlow& flow)
{
    Surface* s = &flow.page();
    const GridColumns layout = LayoutGridColumns(grid, dateMarkGrid);
    int top = dateMarkGrid ? kDateGridTop : kOtherGridTop;
    if (layout.columns.empty())
        return top;

    const std::string headerLine = GridLine(grid, layout, 0);
    int left = 0;
    int right = 0;
    auto placeTable = [&] {
        const int lineWidth = s->TextWidth(headerLine);
        left = std::max(kTableCentreX - lineWidth / 2, kTableMinLeft);
        right = left + lineWidth;
        if (dateMarkGrid) {
            left -= kDateGridLeftShift;
            right -= kDateGridRightShift;
        }
    };
    placeTable();
    // A wide grid on a narrow page: a smaller font rather than columns cut off at the edge.
    while (right > s->width() - kFrameLeftGap && s->font.height > kMinTableFontHeight) {
        --s->font.height;
        placeTable();
    }
    const int lh = s->TextHeight("h");

    std::vector<int> ruleX;
    int chars = 0;
    for (std::size_t k = 0; k < layout.chars.size(); ++k) {
        chars += layout.chars[k];
        if (std::find(layout.rules.begin(), layout.rules.end(), static_cast<int>(k) + 1) != layout.rules.end())
            ruleX.push_back(left + s->TextWidth(std::string(static_cast<std::size_t>(chars), ' ')));
    }
    const bool sixPerMonthDates = dateMarkGrid && layout.lastRow == kDateMarkRowsSixPerMonth;

    int firstRow = 1; // first body row of the current page
    for (;;) {
        const int headerY = top + lh * kGridHeaderLines;
        s->TextOut(left, headerY, headerLine);
        // The rows of this page: all that fit, at least one.
        int lastRow = firstRow - 1;
        while (lastRow < layout.lastRow) {
            const int r = lastRow + 1;
            const int bottom = headerY + lh * (r - firstRow + 2) + kFramePad;
            if (sixPerMonthDates && firstRow == 1 && r > kDateMarkRowsFirstPage)
                break;
            if (r > firstRow && bottom > s->height())
                break;
            lastRow = r;
        }
        for (int r = firstRow; r <= lastRow; ++r)
            s->TextOut(left, headerY + lh * (r - firstRow + 1), GridLine(grid, layout, r));

        // Frame: the header row, the body, and the rules between the column groups.
        const int frameTop = headerY - kFramePad;
        const int headerBottom = headerY + lh + kHeaderRulePad;
        const int frameBottom = headerY + lh * (lastRow - firstRow + 2) + kFramePad;
        s->pen = {kBlack, kFramePenWidth};
        s->brush.style = BrushStyle::Clear;
        s->Rectangle(left - kFrameLeftGap, frameTop, right, headerBottom);
        s->Rectangle(left - kFrameLeftGap, headerBottom, right, std::max(frameBottom, headerBottom));
        for (const int x : ruleX) {
            s->MoveTo(x, frameTop);
            s->LineTo(x, std::max(frameBottom, headerBottom));
        }
        s->pen = {kBlack, 1};
        if (lastRow >= layout.lastRow)
            return std::max(frameBottom, headerBottom);

        // The table goes on on the next page, under its repeated header row.
        const Surface& previous = *s;
        if (!flow.NewPage())
            return std::nullopt;
        s = &flow.page();
        CarryStyle(previous, *s);
        top = kListContinuationTop;
        firstRow = lastRow + 1;
    }
}

int DistanceSketchSemiMinor()
{
    constexpr double kMinorAxisAngleDeg = 47; // b = a cos 47 deg: the ellipse of a dial at about 47 deg latitude
    return static_cast<int>(std::nearbyint(kSketchSemiMajor * std::cos(kMinorAxisAngleDeg * degToRad)));
}

void DrawDistanceSketch(Surface& s, int centreX, int top)
{
    constexpr double kPointDirectionDeg = 37; // the sample point's direction from the centre
    const int a = kSketchSemiMajor;
    const int b = DistanceSketchSemiMinor();
    const int cy = top + b;
    const int px = centreX + static_cast<int>(std::nearbyint(a * std::cos(kPointDirectionDeg * degToRad)));
    const int py = cy - static_cast<int>(std::nearbyint(b * std::sin(kPointDirectionDeg * degToRad)));
    constexpr int kDot = 6;

    s.brush.style = BrushStyle::Clear;
    s.pen = {kBlack, 2};
    s.Ellipse(centreX - a, top, centreX + a, top + 2 * b);
    s.pen = {kBlack, 1};
    s.MoveTo(centreX, top);
    s.LineTo(centreX, top + 2 * b);
    // d1 to the north end of the axis, d2 to the south end.
    s.pen = {kRed, 2};
    s.MoveTo(centreX, top);
    s.LineTo(px, py);
    s.LineTo(centreX, top + 2 * b);
    s.pen = {kBlack, 1};
    s.brush = {kBlack, BrushStyle::Solid};
    for (const auto& [x, y] : {std::pair{centreX, top}, std::pair{centreX, top + 2 * b}, std::pair{px, py}})
        s.Ellipse(x - kDot, y - kDot, x + kDot, y + kDot);
    s.brush.style = BrushStyle::Clear;

    const int lh = s.TextHeight("h");
    s.TextOut(px + 2 * kDot, py - lh / 2, "P(x/y)");
    s.TextOut((centreX + px) / 2 + kDot, (top + py) / 2 - lh, "d1");
    s.TextOut((centreX + px) / 2 + kDot, (top + 2 * b + py) / 2, "d2");
    s.TextOut(centreX - s.TextWidth("N") / 2, top - lh - kDot, "N");
    s.TextOut(centreX - s.TextWidth("S") / 2, top + 2 * b + kDot, "S");
}

ListPrintStatus PrintLists(const Model& model, PageFlow& flow, const ListPrintRequest& request)
{
    if (ListPrintRefused(request))
        return ListPrintStatus::Refused;
    const std::vector<PrintedList> lists = SelectedLists(model, request);
    if (lists.empty())
        return ListPrintStatus::NothingToPrint;

    bool first = true;
    for (const PrintedList list : lists) {
        if (!first && !flow.NewPage())
            return ListPrintStatus::PageFailed;
        first = false;
        Surface* s = &flow.page();
        PrintListHead(*s, ListTitle(model, list), ListHeaderLines(model, list));
        const int lh = s->TextHeight("h");
        const std::optional<int> bottom = PrintGrid(PrintedListGrid(model, list), list == PrintedList::DateMarks, flow);
        if (!bottom)
            return ListPrintStatus::PageFailed;
        s = &flow.page();

        if (list == PrintedList::HourMarks && model.params.type() == DialType::Horizontal) {
            int top = *bottom + kSketchGap;
            if (top + 2 * DistanceSketchSemiMinor() + 2 * lh > s->height()) {
                if (!flow.NewPage())
                    return ListPrintStatus::PageFailed;
                s = &flow.page();
                top = kListContinuationTop + kSketchGap;
            }
            DrawDistanceSketch(*s, kListTitleCentreX, top);
        }
        if (list == PrintedList::DateMarks && RiseSetErrorGraphDrawn(RiseSetErrorCurveOf(model.params))) {
            // The graph's caption stands a line above its box, its footnote a line below.
            int top = *bottom + 3 * lh;
            if (top + kErrorGraphHeight + 2 * lh > s->height()) {
                if (!flow.NewPage())
                    return ListPrintStatus::PageFailed;
                s = &flow.page();
                top = kListContinuationTop + 3 * lh;
            }
            // The window's drawing state keeps what its screen drawing set: this graph shows the same curve.
            (void)DrawErrorGraph(model, model.drawing, *s, false, top);
        }
    }
    if (request.printAllLists && model.params.dst.ring != DstRingKind::None) {
        const DstList dst = DstListOf(model);
        if (dst.grid.rowCount() > 1) {
            if (!flow.NewPage())
                return ListPrintStatus::PageFailed;
            // The site and dial data as the hour-mark list heads them.
            PrintListHead(flow.page(), dst.heading, ListHeaderLines(model, PrintedList::HourMarks));
            if (!PrintGrid(dst.grid, false, flow))
                return ListPrintStatus::PageFailed;
        }
    }
    return ListPrintStatus::Printed;
}

} // namespace umbrix
