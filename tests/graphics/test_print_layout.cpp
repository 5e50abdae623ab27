// Printing without a printer: the page geometry of StartPrintPage, the header lines of the lists, the
// columns of PrintGrid, the page break of the long date-mark list and the order of the printed lists, all
// on recording surfaces (every character half the font height wide, every line one font height high).

#include "core/driver.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "core/model.h"
#include "graphics/print_layout.h"
#include "graphics/recording_surface.h"
#include "text/texts.h"

#include "calculated_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

// --- page geometry ------------------------------------------------------------------------------------------

/// A landscape printer at 254 dpi (10 pixels per millimetre): printable area and offsets in millimetres.
PrinterCapabilities Landscape254(int widthMm, int heightMm, int leftMm, int topMm)
{
    PrinterCapabilities c;
    c.horzSizeMm = widthMm;
    c.vertSizeMm = heightMm;
    c.horzRes = 10 * widthMm;
    c.vertRes = 10 * heightMm;
    c.physicalOffsetX = 10 * leftMm;
    c.physicalOffsetY = 10 * topMm;
    return c;
}

/// The same printer turned to portrait: every pair exchanged.
PrinterCapabilities Portrait(const PrinterCapabilities& landscape)
{
    PrinterCapabilities c;
    c.horzSizeMm = landscape.vertSizeMm;
    c.vertSizeMm = landscape.horzSizeMm;
    c.horzRes = landscape.vertRes;
    c.vertRes = landscape.horzRes;
    c.physicalOffsetX = landscape.physicalOffsetY;
    c.physicalOffsetY = landscape.physicalOffsetX;
    c.portrait = true;
    return c;
}

TEST(PrintGeometry, A287By200mmAreaWithFiveMillimetreOffsetsIsCappedAndCentred)
{
    // lx = 50, rx = 2970 - 2870 - 50 = 50: width 2970 - 100 - 2 = 2868, capped to 2820;
    // left = (2970 - 2820) div 2 - 50 = 25. ty = by = 50: height 2100 - 100 - 2 = 1998; top = 51 - 50 = 1.
    const std::optional<PrintGeometry> g = ComputePrintGeometry(Landscape254(287, 200, 5, 5));
    ASSERT_TRUE(g);
    EXPECT_EQ(g->marginLeft, 50);
    EXPECT_EQ(g->marginRight, 50);
    EXPECT_EQ(g->marginTop, 50);
    EXPECT_EQ(g->marginBottom, 50);
    EXPECT_EQ(g->printAreaWidth, 2820);
    EXPECT_EQ(g->printAreaLeft, 25);
    EXPECT_EQ(g->printPageHeight, 1998);
    EXPECT_EQ(g->printAreaTop, 1);
}

TEST(PrintGeometry, MarginsInMillimetresDoNotDependOnTheResolution)
{
    // 600 dpi: 287 mm = 6780 px, 5 mm = 118 px; lx = round(118 * 2870 / 6780) = round(49.95) = 50.
    PrinterCapabilities c;
    c.horzSizeMm = 287;
    c.vertSizeMm = 200;
    c.horzRes = 6780;
    c.vertRes = 4724;
    c.physicalOffsetX = 118;
    c.physicalOffsetY = 118;
    const std::optional<PrintGeometry> g = ComputePrintGeometry(c);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->marginLeft, 50);
    EXPECT_EQ(g->printAreaWidth, 2820);
    EXPECT_EQ(g->printAreaLeft, 25);
}

TEST(PrintGeometry, PortraitAndLandscapePrintersGiveTheSameGeometry)
{
    for (const PrinterCapabilities& landscape :
         {Landscape254(287, 200, 5, 5), Landscape254(285, 190, 10, 3), Landscape254(297, 210, 0, 0)}) {
        const std::optional<PrintGeometry> a = ComputePrintGeometry(landscape);
        const std::optional<PrintGeometry> b = ComputePrintGeometry(Portrait(landscape));
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->printAreaWidth, b->printAreaWidth);
        EXPECT_EQ(a->printPageHeight, b->printPageHeight);
        EXPECT_EQ(a->printAreaLeft, b->printAreaLeft);
        EXPECT_EQ(a->printAreaTop, b->printAreaTop);
    }
}

TEST(PrintGeometry, UnequalMarginsCentreTheAreaOnTheSheet)
{
    // Left 10 mm, right 2970 - 2850 - 100 = 20: width 2970 - 2 * 100 - 2 = 2768, left = 101 - 100 = 1, so the
    // area runs from 101 to 2869 on the sheet, 101 from either edge. Top 3 mm, bottom 2100 - 1900 - 30 = 170:
    // height 2100 - 340 - 2 = 1758, top = 171 - 30 = 141.
    const std::optional<PrintGeometry> g = ComputePrintGeometry(Landscape254(285, 190, 10, 3));
    ASSERT_TRUE(g);
    EXPECT_EQ(g->marginRight, 20);
    EXPECT_EQ(g->printAreaWidth, 2768);
    EXPECT_EQ(g->printAreaLeft, 1);
    EXPECT_EQ(g->marginLeft + g->printAreaLeft, kSheetWidthTenthMm - (g->marginLeft + g->printAreaLeft) - 2768);
    EXPECT_EQ(g->marginBottom, 170);
    EXPECT_EQ(g->printPageHeight, 1758);
    EXPECT_EQ(g->printAreaTop, 141);
}

TEST(PrintGeometry, AnOffsetLargerThanHalfTheUnusedWidthGivesZero)
{
    EXPECT_EQ(CentredOffset(2970, 2820, 50), 25);
    EXPECT_EQ(CentredOffset(2970, 2820, 75), 0);
    EXPECT_EQ(CentredOffset(2970, 2820, 76), 0);
    EXPECT_EQ(CentredOffset(2970, 2820, 300), 0);
    EXPECT_EQ(CentredOffset(2100, 2000, 49), 1);
}

TEST(PrintGeometry, AreaHeightIsTheWidthOver1Point65)
{
    EXPECT_EQ(PrintAreaHeight(2820), 1709); // 1709.09
    EXPECT_EQ(PrintAreaHeight(2768), 1678); // 1677.58
    EXPECT_EQ(PrintAreaHeight(0), 0);
}

TEST(PrintGeometry, APrinterWithoutAUsablePageIsNotReady)
{
    PrinterCapabilities none = Landscape254(287, 200, 5, 5);
    none.horzRes = 0;
    EXPECT_FALSE(ComputePrintGeometry(none));
    PrinterCapabilities noSize = Landscape254(287, 200, 5, 5);
    noSize.vertSizeMm = 0;
    EXPECT_FALSE(ComputePrintGeometry(noSize));
    // Margins of more than half the sheet leave no area.
    EXPECT_FALSE(ComputePrintGeometry(Landscape254(10, 10, 150, 5)));
}

TEST(PrintGeometry, IsStoredInTheDrawingState)
{
    DrawingState state;
    StorePrintGeometry(state, *ComputePrintGeometry(Landscape254(287, 200, 5, 5)));
    EXPECT_EQ(state.printAreaWidth, 2820);
    EXPECT_EQ(state.printPageHeight, 1998);
    EXPECT_EQ(state.printAreaLeft, 25);
    EXPECT_EQ(state.printAreaTop, 1);
}

// --- lists --------------------------------------------------------------------------------------------------

using test::Calculated;

void SplitDial(Model& m)
{
    m.params.marksMode = MarksMode::DoubleAnalemma;
    m.state.doubleAnalemmaActive = true;
}

/// Portrait A4 pages with 5 mm margins (2000 x 2870 in 0.1 mm), recorded one surface per page.
struct RecordingFlow : PageFlow {
    explicit RecordingFlow(int pageHeight = 2870) : height(pageHeight) { pages.push_back(makePage()); }
    Surface& page() override { return *pages.back(); }
    bool NewPage() override
    {
        if (static_cast<int>(pages.size()) == failAfterPages)
            return false;
        pages.push_back(makePage());
        return true;
    }
    std::unique_ptr<RecordingSurface> makePage() const { return std::make_unique<RecordingSurface>(2000, height, 254); }

    int height;
    int failAfterPages = -1;
    std::vector<std::unique_ptr<RecordingSurface>> pages;
};

/// The texts of a page in drawing order.
std::vector<std::string> Texts(const RecordingSurface& page)
{
    std::vector<std::string> out;
    for (const auto& op : page.opsOf(SurfaceOp::TextOut))
        out.push_back(op.text);
    return out;
}

const RecordedOp* FindText(const RecordingSurface& page, const std::string& text)
{
    for (const auto& op : page.ops)
        if (op.op == SurfaceOp::TextOut && op.text == text)
            return &op;
    return nullptr;
}

TEST(ListHeader, LinesArePaddedTo25And53CharactersWithTheirSeparators)
{
    const auto model = Calculated(0);
    const std::vector<std::string> lines = ListHeaderLines(*model, PrintedList::DateMarks);
    ASSERT_EQ(lines.size(), 4u);
    // "geogr. Breite= 47.25;" has 21 characters, 4 blanks to 25; "geogr. Laenge= -9.59;" ends at 46, 7 to 53.
    EXPECT_EQ(lines[0], "geogr. Breite= 47.25;    geogr. Laenge= -9.59;       Zonenmeridian=-15.00;");
    // "grosse Halbachse= 2.75;" is 23 characters (width 5 for the axis); item 3 ends with ";  ".
    EXPECT_EQ(lines[1], "grosse Halbachse= 2.75;  Ebene Neigung=  0.00;       Ebene Abweichung=  0.00;  ");
    // "Zeigerlaenge=  1.70;" 20 characters, 5 blanks; "Zeiger Neigung=  0.00;" ends at 47, 6 blanks to 53.
    EXPECT_EQ(lines[2], "Zeigerlaenge=  1.70;     Zeiger Neigung=  0.00;      Zeiger Abweichung=  0.00;  ");
    // The year line: dial type 0 adds the rise/set position; the caption runs past 25, one blank follows.
    EXPECT_EQ(lines[3], "Berechnung fuer Jahr = 2015 Auf-/Untergangspunkt (Position): " + model->grids.lKoordAufUnter);
}

TEST(ListHeader, EnglishCaptionsKeepTheColumnsAndTheSplitDialNamesItsMethod)
{
    const auto model = Calculated(6, [](Model& m) {
        SetLanguage(m, Language::English);
        SplitDial(m);
    });
    const std::vector<std::string> lines = ListHeaderLines(*model, PrintedList::LoopsMorning);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].substr(0, 25), "Latitude= 47.25;         ");
    EXPECT_EQ(lines[0].substr(25, 28), "Longitude= -9.59;           ");
    EXPECT_EQ(lines[0].substr(53), "Zone meridian=-15.00;");
    const std::string method = std::string(LabelRow(model->state.language, LabelId::SplitDialCaption)) +
                               std::string(LabelRow(model->state.language, LabelId::MethodNameFirst,
                                                    static_cast<int>(model->params.doubleAnalemmaMethod)));
    EXPECT_EQ(lines[3], "Calculations for year = 2015 " + method);
    // The morning loops list its hours from the grid's header row.
    EXPECT_EQ(lines[4].rfind("morning:", 0), 0u) << lines[4];
    EXPECT_NE(lines[4].find(" 8:00 9:00 10:00 11:00 12:00"), std::string::npos) << lines[4];
}

TEST(PrintGridColumns, EmptyHeaderColumnsAreLeftOutAndFullCellsKeepAGap)
{
    StringGrid grid(4, 4);
    grid.setCell(0, 0, "A");
    grid.setCell(2, 0, "B");
    grid.setCell(3, 0, "C");
    grid.setCell(0, 1, "x");
    grid.setCell(1, 1, "hidden");
    grid.setCell(2, 1, "1234567"); // longer than the cell width 6, and the next text starts at once
    grid.setCell(3, 1, "abc");
    const GridColumns layout = LayoutGridColumns(grid, false);
    EXPECT_EQ(layout.columns, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(layout.chars, (std::vector<int>{6, 8, 6}));
    EXPECT_EQ(layout.rules, (std::vector<int>{1})); // after the first column (also where column 1 was left out)
    EXPECT_EQ(layout.lastRow, 1);
    EXPECT_EQ(GridLine(grid, layout, 1), "x     1234567 abc   ");
    EXPECT_EQ(GridLine(grid, layout, 0), "A     B       C     ");
}

TEST(PrintGridColumns, TheDateMarkGridHasSevenCharacterCellsAndItsFixedRules)
{
    const auto model = Calculated(0);
    const GridColumns layout = LayoutGridColumns(model->grids.StrGridDat, true);
    // Date, x, y, declination, equation of time; column 3 has no header.
    EXPECT_EQ(layout.columns, (std::vector<int>{0, 1, 2, 4, 5}));
    // "21.Dez " 7; x "  0.0000" 8; y " -0.8091" fills 8 before a rule: 9; " -23.433" fills 8 before the
    // equation of time "-11:13" (21 January): 9; the equation of time 6, at least 7.
    EXPECT_EQ(layout.chars, (std::vector<int>{7, 8, 9, 9, 7}));
    EXPECT_EQ(layout.rules, (std::vector<int>{1, 3}));
    EXPECT_EQ(layout.lastRow, 36);

    const auto split = Calculated(6, SplitDial);
    const GridColumns wide = LayoutGridColumns(split->grids.StrGridDat, true);
    EXPECT_EQ(wide.columns, (std::vector<int>{0, 1, 2, 4, 5, 7, 8}));
    EXPECT_EQ(wide.rules, (std::vector<int>{1, 3, 5}));
}

TEST(PrintGrid, TheTableIsCentredOnX1050AndFramed)
{
    const auto model = Calculated(0);
    RecordingFlow flow;
    Surface& s = flow.page();
    s.font.height = 36; // 18 per character
    const std::optional<int> bottom = PrintGrid(model->grids.StrGridStd, false, flow);
    ASSERT_TRUE(bottom);
    const RecordingSurface& page = *flow.pages[0];
    const GridColumns layout = LayoutGridColumns(model->grids.StrGridStd, false);
    const std::string header = GridLine(model->grids.StrGridStd, layout, 0);
    const int width = 18 * static_cast<int>(header.size());
    const RecordedOp* head = FindText(page, header);
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->x1, 1050 - width / 2);
    EXPECT_EQ(head->y1, 350 + 5 * 36);
    // Row r at 350 + 36 (r + 5); the last row ends the body frame 5 below its line.
    const RecordedOp* last = FindText(page, GridLine(model->grids.StrGridStd, layout, layout.lastRow));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->y1, 350 + 36 * (layout.lastRow + 5));
    EXPECT_EQ(*bottom, last->y1 + 36 + 5);
    const std::vector<RecordedOp> frames = page.opsOf(SurfaceOp::Rectangle);
    ASSERT_EQ(frames.size(), 2u);
    for (const auto& f : frames) {
        EXPECT_EQ(f.x1, head->x1 - 10);
        EXPECT_EQ(f.x2, head->x1 + width);
        EXPECT_EQ(f.pen.width, 2);
        EXPECT_EQ(f.brush.style, BrushStyle::Clear);
    }
    // Rules after the number column and between the four groups of time, x and y.
    EXPECT_EQ(page.opsOf(SurfaceOp::LineTo).size(), layout.rules.size());
    EXPECT_EQ(layout.rules.size(), 4u);
}

TEST(PrintGrid, SeventyTwoDateMarksBreakAfterRow51WithTheHeaderRepeated)
{
    const auto model = Calculated(0, [](Model& m) { m.params.marksPerMonth = 6; });
    const StringGrid& grid = model->grids.StrGridDat;
    const GridColumns layout = LayoutGridColumns(grid, true);
    ASSERT_EQ(layout.lastRow, 72);
    RecordingFlow flow;
    flow.page().font.height = 36;
    ASSERT_TRUE(PrintGrid(grid, true, flow));
    ASSERT_EQ(flow.pages.size(), 2u);
    const std::string header = GridLine(grid, layout, 0);

    const RecordingSurface& first = *flow.pages[0];
    const std::vector<std::string> texts1 = Texts(first);
    ASSERT_EQ(texts1.size(), 52u); // the header row and rows 1 to 51
    EXPECT_EQ(texts1.front(), header);
    EXPECT_EQ(texts1.back(), GridLine(grid, layout, 51));
    EXPECT_EQ(FindText(first, header)->y1, 206 + 5 * 36);
    EXPECT_EQ(FindText(first, texts1.back())->y1, 206 + 36 * (51 + 5));
    // The date-mark table stands 100 left of its centred place.
    const int width = 18 * static_cast<int>(header.size());
    EXPECT_EQ(FindText(first, header)->x1, 1050 - width / 2 - 100);

    const RecordingSurface& second = *flow.pages[1];
    const std::vector<std::string> texts2 = Texts(second);
    ASSERT_EQ(texts2.size(), 22u); // the header row again and rows 52 to 72
    EXPECT_EQ(texts2.front(), header);
    EXPECT_EQ(FindText(second, header)->y1, 5 * 36 + 130);
    EXPECT_EQ(texts2[1], GridLine(grid, layout, 52));
    EXPECT_EQ(FindText(second, texts2[1])->y1, 130 + 6 * 36);
    EXPECT_EQ(texts2.back(), GridLine(grid, layout, 72));
    // Both parts are framed; the right edge is 90 left of the centred place.
    for (const RecordingSurface* page : {&first, &second}) {
        const std::vector<RecordedOp> frames = page->opsOf(SurfaceOp::Rectangle);
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[0].x2, 1050 - width / 2 + width - 90);
    }
}

TEST(PrintGrid, ThirtySixDateMarksStayOnOnePageAndAShortPageBreaksWhereItMust)
{
    const auto model = Calculated(0);
    RecordingFlow flow;
    flow.page().font.height = 36;
    ASSERT_TRUE(PrintGrid(model->grids.StrGridDat, true, flow));
    EXPECT_EQ(flow.pages.size(), 1u);

    // On a landscape page (height 2000) the 36 rows do not fit below 206 + 5 lh: the table goes on.
    RecordingFlow landscape(1000);
    landscape.page().font.height = 36;
    ASSERT_TRUE(PrintGrid(model->grids.StrGridDat, true, landscape));
    ASSERT_GT(landscape.pages.size(), 1u);
    int rows = 0;
    const std::string header = GridLine(model->grids.StrGridDat, LayoutGridColumns(model->grids.StrGridDat, true), 0);
    for (const auto& page : landscape.pages) {
        const std::vector<std::string> texts = Texts(*page);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front(), header);
        rows += static_cast<int>(texts.size()) - 1;
        for (const auto& op : page->opsOf(SurfaceOp::Rectangle))
            EXPECT_LE(std::max(op.y1, op.y2), 1000);
    }
    EXPECT_EQ(rows, 36);

    // A failing printer ends the table.
    RecordingFlow failing(1000);
    failing.failAfterPages = 1;
    failing.page().font.height = 36;
    EXPECT_FALSE(PrintGrid(model->grids.StrGridDat, true, failing));
}

TEST(PrintGrid, AWideTableOnANarrowPageGetsASmallerFont)
{
    const auto model = Calculated(0);
    RecordingFlow flow;
    flow.pages[0] = std::make_unique<RecordingSurface>(1500, 2870, 254);
    flow.page().font.height = 36;
    ASSERT_TRUE(PrintGrid(model->grids.StrGridStd, false, flow));
    for (const auto& op : flow.pages[0]->opsOf(SurfaceOp::Rectangle))
        EXPECT_LE(std::max(op.x1, op.x2), 1500 - 10);
    EXPECT_LT(flow.pages[0]->opsOf(SurfaceOp::TextOut).front().font.height, 36);
}

/// The list titles of each page, in page order.
std::vector<std::string> TitlesByPage(const RecordingFlow& flow)
{
    std::vector<std::string> titles;
    for (const auto& page : flow.pages) {
        const std::vector<RecordedOp> texts = page->opsOf(SurfaceOp::TextOut);
        titles.push_back(texts.empty() ? std::string() : texts.front().text);
    }
    return titles;
}

TEST(PrintLists, AllListsOfTheDefaultDialComeInOrderOnePerPage)
{
    auto model = Calculated(0);
    RecordingFlow flow;
    ASSERT_EQ(PrintLists(*model, flow, {true, ListPage::Graphic}), ListPrintStatus::Printed);
    const std::vector<std::string> expected = {ListTitle(*model, PrintedList::HourMarks),
                                               ListTitle(*model, PrintedList::ShadowPath),
                                               ListTitle(*model, PrintedList::DateMarks)};
    EXPECT_EQ(TitlesByPage(flow), expected);
    EXPECT_EQ(expected[0], "Stundenmarkierung - Koordinaten");
    EXPECT_EQ(expected[2], " Datumsmarkierung ");

    // Title at y = 120 centred on x = 1000 (height 48: 24 per character); header lines from (150, 180).
    const RecordingSurface& first = *flow.pages[0];
    const RecordedOp title = first.opsOf(SurfaceOp::TextOut)[0];
    EXPECT_EQ(title.y1, 120);
    EXPECT_EQ(title.x1, 1000 - 24 * static_cast<int>(expected[0].size()) / 2);
    EXPECT_EQ(title.font.height, 48);
    EXPECT_EQ(title.font.name, kFontListFixed);
    const std::vector<std::string> header = ListHeaderLines(*model, PrintedList::HourMarks);
    for (std::size_t i = 0; i < header.size(); ++i) {
        const RecordedOp* line = FindText(first, header[i]);
        ASSERT_NE(line, nullptr) << header[i];
        EXPECT_EQ(line->x1, 150);
        EXPECT_EQ(line->y1, 180 + 36 * static_cast<int>(i));
    }
    // The distance sketch follows the hour marks of dial type 0.
    EXPECT_NE(FindText(first, "P(x/y)"), nullptr);
    // Semi-axes 250 and round(250 cos 47 deg) = round(170.5) = 170.
    const RecordedOp sketch = first.opsOf(SurfaceOp::Ellipse).front();
    EXPECT_EQ(sketch.x2 - sketch.x1, 500);
    EXPECT_EQ(sketch.y2 - sketch.y1, 340);
    // The error graph follows the date marks: its 1200 x 600 box at x = 500 below the table.
    const RecordingSurface& dates = *flow.pages[2];
    const auto boxes = dates.opsOf(SurfaceOp::Rectangle);
    const auto graph = std::find_if(boxes.begin(), boxes.end(), [](const RecordedOp& r) { return r.x1 == 500; });
    ASSERT_NE(graph, boxes.end());
    EXPECT_EQ(graph->x2 - graph->x1, 1198);
    EXPECT_GT(graph->y1, boxes[1].y2); // below the body frame of the table
}

TEST(PrintLists, TheSplitDialAddsBothLoopListsAndDialType7HasOnlyItsShadowPath)
{
    auto split = Calculated(6, SplitDial);
    RecordingFlow flow;
    ASSERT_EQ(PrintLists(*split, flow, {true, ListPage::Graphic}), ListPrintStatus::Printed);
    const std::vector<std::string> titles = TitlesByPage(flow);
    ASSERT_GE(titles.size(), 4u);
    EXPECT_EQ(titles[titles.size() - 2], ListTitle(*split, PrintedList::LoopsMorning));
    EXPECT_EQ(titles.back(), ListTitle(*split, PrintedList::LoopsAfternoon));
    EXPECT_NE(std::find(titles.begin(), titles.end(), ListTitle(*split, PrintedList::DateMarks)), titles.end());
    // No distance sketch for dial type 6.
    for (const auto& page : flow.pages)
        EXPECT_EQ(FindText(*page, "P(x/y)"), nullptr);

    auto fixed = Calculated(7);
    EXPECT_EQ(SelectedLists(*fixed, {true, ListPage::Graphic}), (std::vector<PrintedList>{PrintedList::ShadowPath}));
    fixed->state.showShadowPath = false;
    RecordingFlow none;
    EXPECT_EQ(PrintLists(*fixed, none, {true, ListPage::Graphic}), ListPrintStatus::NothingToPrint);
}

TEST(PrintLists, TheDisplayedListIsTheOneInFrontAndTheGraphicPageRefuses)
{
    auto model = Calculated(0);
    RecordingFlow refused;
    EXPECT_TRUE(ListPrintRefused({false, ListPage::Graphic}));
    EXPECT_FALSE(ListPrintRefused({true, ListPage::Graphic}));
    EXPECT_EQ(PrintLists(*model, refused, {false, ListPage::Graphic}), ListPrintStatus::Refused);
    EXPECT_TRUE(refused.pages[0]->ops.empty());

    EXPECT_EQ(SelectedLists(*model, {false, ListPage::ShadowPath}),
              (std::vector<PrintedList>{PrintedList::ShadowPath}));
    EXPECT_EQ(SelectedLists(*model, {false, ListPage::DateMarks}), (std::vector<PrintedList>{PrintedList::DateMarks}));
    // The loop page of a dial that is not split has nothing to print.
    EXPECT_TRUE(SelectedLists(*model, {false, ListPage::Loops}).empty());
    // Distances instead of coordinates change the hour-mark title.
    model->state.coordinatesAsXY = false;
    EXPECT_EQ(ListTitle(*model, PrintedList::HourMarks),
              std::string(TextRow(model->state.language, TextId::HourMarksDistanceTitle)));

    RecordingFlow failing;
    failing.failAfterPages = 1;
    EXPECT_EQ(PrintLists(*model, failing, {true, ListPage::Graphic}), ListPrintStatus::PageFailed);
}

} // namespace

TEST(PrintLists, TheSummerTimeListFollowsTheListsOfADialWithARing)
{
    auto plain = Calculated(0);
    RecordingFlow without;
    ASSERT_EQ(PrintLists(*plain, without, {true, ListPage::Graphic}), ListPrintStatus::Printed);
    auto ring = Calculated(0, [](Model& m) {
        m.params.dst.ring = DstRingKind::InnerRing;
        m.params.dst.offsetHours = 2;
    });
    RecordingFlow with;
    ASSERT_EQ(PrintLists(*ring, with, {true, ListPage::Graphic}), ListPrintStatus::Printed);
    // One more page at the end, titled with the heading; the list runs on over further pages where needed.
    const std::vector<std::string> titles = TitlesByPage(with);
    ASSERT_GT(with.pages.size(), without.pages.size());
    EXPECT_EQ(titles[without.pages.size()], "Sommerzeit = Zonenzeit + 2 h");
    const RecordingSurface& page = *with.pages[without.pages.size()];
    EXPECT_NE(FindText(page, ListHeaderLines(*ring, PrintedList::HourMarks)[0]), nullptr);
    bool hourRow = false;
    for (const std::string& text : Texts(page))
        hourRow = hourRow || text.rfind("dst-hour", 0) == 0;
    EXPECT_TRUE(hourRow);
    // Only a print of all lists carries it.
    RecordingFlow one;
    ASSERT_EQ(PrintLists(*ring, one, {false, ListPage::HourMarks}), ListPrintStatus::Printed);
    EXPECT_EQ(one.pages.size(), 1u);
}
