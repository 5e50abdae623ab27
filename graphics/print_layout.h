#pragma once
// Printing without the printer: the page geometry of a print job and the layout of the printed lists.
//
// Every length here is in tenths of a millimetre (the logical unit of a printer page: x to the right,
// y downwards from the printable origin). The geometry refers to the nominal sheet, A4 landscape
// (2970 x 2100); a printer in portrait orientation reports its capabilities the other way round and they
// are exchanged first, so both orientations give the same geometry.
//
// The lists are drawn on a Surface page by page through a PageFlow: the printer's pages in the window and
// in umbrix-cli, a recording surface in the tests.

#include "core/grid.h"
#include "core/model.h"
#include "graphics/surface.h"
#include "graphics/view.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

// --- page geometry ------------------------------------------------------------------------------------------

constexpr int kA4ShortSideMm = 210; // the sheet of the printed pages, the setting-out plan and the template
constexpr int kA4LongSideMm = 297;
constexpr int kSheetWidthTenthMm = 10 * kA4LongSideMm; // A4 landscape
constexpr int kSheetHeightTenthMm = 10 * kA4ShortSideMm;
constexpr int kMaxPrintAreaWidth = 2820; // the drawing area is never wider, whatever the printer
constexpr int kMaxPrintPageHeight = 2000;
constexpr double kPrintAreaAspect = 1.65; // width : height of the drawing area of the graphic

/// What a printer reports about its page, as device capabilities: the printable area in millimetres and in
/// device pixels, and the unprintable offset of its top-left corner from the paper's corner in pixels.
struct PrinterCapabilities {
    double horzSizeMm = 0;   // HORZSIZE: width of the printable area
    double vertSizeMm = 0;   // VERTSIZE
    int horzRes = 0;         // HORZRES: width of the printable area, device pixels
    int vertRes = 0;         // VERTRES
    int physicalOffsetX = 0; // PHYSICALOFFSETX: unprintable left margin, device pixels
    int physicalOffsetY = 0; // PHYSICALOFFSETY: unprintable top margin
    bool portrait = false;   // the values describe a portrait page
};

/// The page geometry of StartPrintPage, 0.1 mm.
struct PrintGeometry {
    int marginLeft = 0; // lx, rx, ty, by: unprintable margins of the landscape sheet
    int marginRight = 0;
    int marginTop = 0;
    int marginBottom = 0;
    int printAreaWidth = 0;  // width of the drawing area, at most 2820
    int printPageHeight = 0; // usable height, at most 2000
    int printAreaLeft = 0;   // offsets of the centred area from the printable origin
    int printAreaTop = 0;
};

/// StartPrintPage's arithmetic. Portrait capabilities are exchanged pairwise first. Then
///   lx = round(offsetX 10 HORZSIZE / HORZRES), rx = 2970 - 10 HORZSIZE - lx (ty, by alike with 2100),
///   printAreaWidth = min(2970 - 2 max(lx, rx) - 2, 2820), printPageHeight = min(2100 - 2 max(ty, by) - 2, 2000),
///   printAreaLeft = CentredOffset(2970, printAreaWidth, lx), printAreaTop = CentredOffset(2100, ..., ty).
/// Empty when the capabilities describe no page (a resolution or size that is not positive, or values that
/// are not finite): the printer is not ready.
[[nodiscard]] std::optional<PrintGeometry> ComputePrintGeometry(const PrinterCapabilities& caps);

/// Offset from the printable origin that centres an area on the sheet: (sheet - area) div 2 - margin, or 0
/// when the centred position would lie in the unprintable margin.
[[nodiscard]] int CentredOffset(int sheet, int area, int margin);

/// Height of the drawing area of the printed graphic: round(printAreaWidth / 1.65).
[[nodiscard]] int PrintAreaHeight(int printAreaWidth);

/// Puts the geometry into the drawing state (printAreaHeight is set by the graphic print).
void StorePrintGeometry(DrawingState& state, const PrintGeometry& geometry);

// --- list pages ---------------------------------------------------------------------------------------------

/// The font of the printed lists: a fixed-pitch font (each surface maps the name to one it has).
constexpr std::string_view kFontListFixed = "Liberation Mono";
constexpr int kListTitleFontHeight = 48;
constexpr int kListFontHeight = 36;
constexpr int kListTitleCentreX = 1000; // titles are centred on this x
constexpr int kListTitleY = 120;
constexpr int kListHeaderX = 150; // the header lines of the site and dial data
constexpr int kListHeaderY = 180;
constexpr int kListContinuationTop = 130; // top of a table continued on a further page

/// The pages of the window, numbered as its page control numbers them.
enum class ListPage : std::uint8_t { Graphic = 0, HourMarks = 1, ShadowPath = 2, DateMarks = 3, Loops = 4 };

/// One printed list.
enum class PrintedList : std::uint8_t { HourMarks, ShadowPath, DateMarks, LoopsMorning, LoopsAfternoon };

/// A list print: all lists, or the one of the page in front.
struct ListPrintRequest {
    bool printAllLists = false;
    ListPage visiblePage = ListPage::Graphic;
};

/// The pages of a print job.
class PageFlow {
public:
    virtual ~PageFlow() = default;
    /// The surface of the current page.
    virtual Surface& page() = 0;
    /// Ends the current page and starts the next; false when the printer failed.
    virtual bool NewPage() = 0;
};

/// A print job whose first page is started with StartPrintPage: a printer in the window, a PDF document in
/// the window and in umbrix-cli.
class PrintJob : public PageFlow {
public:
    /// Begins the document, computes the page geometry into `state` (ComputePrintGeometry) and maps one
    /// unit of the page's surface onto 0.1 mm with y downwards from the printable origin. False when the
    /// job cannot begin or reports no usable page.
    [[nodiscard]] virtual bool StartPrintPage(DrawingState& state) = 0;
    /// Ends the document; false when the job reported an error.
    [[nodiscard]] virtual bool finish() = 0;
};

/// Printing the displayed list while the graphic page is in front is refused (TextTable row 18).
[[nodiscard]] bool ListPrintRefused(const ListPrintRequest& request);

/// The lists a request prints, in print order:
///   hour marks - not for dial type 7;
///   shadow path - its page in front, or all lists while the shadow path is shown (dial types 2 and 5
///     have none);
///   date marks - its page in front, or all lists for dial types other than 7;
///   figure-eight loops, morning then afternoon - only for the split dial, its page in front or all lists.
/// A list whose grid has no rows below its header is left out. Empty when the request is refused.
[[nodiscard]] std::vector<PrintedList> SelectedLists(const Model& model, const ListPrintRequest& request);

/// The grid a list prints.
[[nodiscard]] const StringGrid& PrintedListGrid(const Model& model, PrintedList list);

/// The title of a printed list in the current language.
[[nodiscard]] std::string ListTitle(const Model& model, PrintedList list);

/// Number of characters (UTF-8 code points) of a text.
[[nodiscard]] int CharCount(std::string_view text);

/// Pads `text` with blanks to `chars` characters (UTF-8 code points); a longer text is kept whole.
[[nodiscard]] std::string PadToChars(std::string text, int chars);

/// The header lines of the site and dial data. Lines 1 to 3 hold three items "caption=value" each: item 1
/// and "; " padded to 25 characters, item 2 and its separator padded to 53, item 3 and a final separator;
/// line 4 the year padded to 25, then for dial type 0 the rise/set position and for the split dial the
/// mean-time method. The loop lists add a fifth line: the half of the day and its hours.
[[nodiscard]] std::vector<std::string> ListHeaderLines(const Model& model, PrintedList list);

/// Where PrintGrid puts the columns of a grid: the printed columns (those whose header cell is not empty),
/// their widths in characters and the column rules. A column is as wide as its cell width (7 for the
/// date-mark grid, 6 for the others) or its longest text, and one more where a full cell would run into the
/// next text, into a rule or into the right frame. Rules stand after the printed columns 1, 3, 5, 8 and 11 of the
/// date-mark grid; in the other grids after the first column and wherever an empty separator column was left out.
struct GridColumns {
    std::vector<int> columns; // grid column of each printed column
    std::vector<int> chars;   // width of each printed column, characters
    std::vector<int> rules;   // a rule after each of these printed columns (1 = after the first)
    int lastRow = 0;          // last row with any text (0: only the header row)
};
[[nodiscard]] GridColumns LayoutGridColumns(const StringGrid& grid, bool dateMarkGrid);

/// One grid row as a text line: every printed cell padded to its column width.
[[nodiscard]] std::string GridLine(const StringGrid& grid, const GridColumns& layout, int row);

/// Rows of the date-mark list with 6 marks per month that fit on its first page.
constexpr int kDateMarkRowsFirstPage = 51;
constexpr int kDateMarkRowsSixPerMonth = 72;

/// PrintGrid: one grid as text lines on the current page (font and height already set). The header row is
/// row index 0 at y = top + lh 5 (top 206 for the date-mark grid, 350 for the others), row r at
/// top + lh (r + 5); the table is centred on x = 1050 (left edge at least 50; the date-mark grid moved
/// 100 to the left, its right edge 90) and framed with pen width 2 around the header row and the body, with
/// column rules between the column groups. A table too wide for the page is set in a smaller font. The 72-row date-mark
/// list breaks after row 51; any table that would run off the page breaks where it must. After a break the header row
/// is repeated at y = 5 lh + 130. Returns the y just below the table on the page it ended on, or nothing when a new
/// page failed.
[[nodiscard]] std::optional<int> PrintGrid(const StringGrid& grid, bool dateMarkGrid, PageFlow& flow);

/// The small sketch of the distances d1 and d2 below the hour-mark list of dial type 0: an ellipse with
/// semi-axes 250 and 250 cos 47 deg, its north-south axis, a point P(x/y) in the direction 37 deg and its
/// two distances to the ends of the axis. `top` is the top of the sketch, `centreX` its middle.
void DrawDistanceSketch(Surface& surface, int centreX, int top);
constexpr int kSketchSemiMajor = 250;
/// The sketch's semi-minor axis, round(250 cos 47 deg) = 170.
[[nodiscard]] int DistanceSketchSemiMinor();
constexpr int kSketchGap = 125; // between the table and the sketch

enum class ListPrintStatus : std::uint8_t {
    Printed,
    Refused,        // displayed list while the graphic page is in front
    NothingToPrint, // no list of the request has rows
    PageFailed,     // the printer failed to start a page
};

/// The summer-time list of the dial's options: its heading ("Summer time = zone time + 1 h") and a grid with
/// the columns kind, label, x, y (dial units, three decimals) and time (decimal hours, four decimals; empty
/// for a date mark). Ring 1: the hour points with their second labels; ring 2: the inner ring's hour points
/// (dst-hour) and date marks (dst-date). Only the header row for ring 0 and for a ring the dial may not carry.
struct DstList {
    std::string heading;
    StringGrid grid;
};
[[nodiscard]] DstList DstListOf(const Model& model);

/// Listedrucken1Click after the printer is set up: every selected list with its title and header lines,
/// a new page between lists; the date-mark list is followed by the error graph, the hour-mark list of
/// dial type 0 by the distance sketch. The drawing state receives the error panel's values. A print of all
/// lists ends with the summer-time list on a page of its own when the dial has a ring with rows.
[[nodiscard]] ListPrintStatus PrintLists(const Model& model, PageFlow& flow, const ListPrintRequest& request);

// --- the graphic page ---------------------------------------------------------------------------------------

/// The printer font of the graphic, Arial, in 0.1 mm.
constexpr int kPrintGraphicFontHeight = 40;

/// The graphic page of GrafikG once the job is started, drawn from the model's drawing state with
/// printAreaHeight = round(printAreaWidth / 1.65), printer font Arial 40, DrawConstruction in print mode with
/// the view's zoom and pan (converted by the width ratio of the window image, drawing.imageWidth or else
/// lastImageWidth). The caller stores the outcome with StorePrintedDrawing.
[[nodiscard]] DrawingOutcome DrawPrintedGraphic(const Model& model, const ViewState& view, Surface& surface);

} // namespace umbrix
