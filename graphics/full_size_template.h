#pragma once
// The full-size template: the construction at 1:1 cut into sheets of paper. Each sheet's printable area is
// the paper less 10 mm on each side, portrait; the sheets tile the construction's extent grown by 20 mm on
// each side, starting at its lower-left corner, and overlap by 10 mm. Every sheet carries registration
// crosses (on the tile corners, inside the overlaps, so neighbours share them), its number and a 100 mm
// check bar in both directions; the first page is a map of the sheets. The printer's correction factors
// scale each axis of everything on a sheet, so that a printer that prints short can be corrected.
// Page units 0.1 mm from the paper's top-left corner.

#include "core/length_unit.h"
#include "core/model.h"
#include "graphics/construction_geometry.h"
#include "graphics/print_layout.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace umbrix {

enum class PaperSize : std::uint8_t { A4, A3, Letter };

/// "A4", "A3" or "letter"; nothing for any other text.
[[nodiscard]] std::optional<PaperSize> ParsePaperSize(std::string_view text);

struct PaperMm {
    double width = 0; // portrait
    double height = 0;
};
[[nodiscard]] PaperMm PaperDimensions(PaperSize paper);

constexpr double kTemplateMarginMm = 10;  // unprinted border of each sheet
constexpr double kTemplateBorderMm = 20;  // room round the construction
constexpr double kTemplateOverlapMm = 10; // shared by neighbouring sheets
constexpr double kCheckBarMm = 100;
constexpr int kTemplateWarnSheets = 100; // more: the user is asked (window) or warned (command line)
constexpr int kTemplateMaxSheets = 1000; // more: refused
constexpr double kMinCorrection = 0.8;   // printer correction factors outside this range are refused
constexpr double kMaxCorrection = 1.25;

/// Which way the sheets lie; Auto takes the one needing fewer sheets (portrait when both need as many).
enum class TemplateOrientation : std::uint8_t { Portrait, Landscape, Auto };
/// "portrait", "landscape" or "auto"; nothing for any other text.
[[nodiscard]] std::optional<TemplateOrientation> ParseTemplateOrientation(std::string_view text);

/// What the sheets carry: the whole construction, or only the hour points and their numbers, the date
/// scale with its labels and the check bars, for transferring the marks to stone.
enum class TemplateContent : std::uint8_t { Full, Marks };
/// "full" or "marks"; nothing for any other text.
[[nodiscard]] std::optional<TemplateContent> ParseTemplateContent(std::string_view text);

struct TemplateRequest {
    PaperSize paper = PaperSize::A4;
    double correctX = 1.0; // printer correction factors
    double correctY = 1.0;
    TemplateOrientation orientation = TemplateOrientation::Auto;
    TemplateContent content = TemplateContent::Full;
};

/// Where the sheets lie, in millimetres on the dial's plane (x east, y north, origin P).
struct TemplateLayout {
    PaperMm paper; // as the sheets lie: width across, height down
    bool landscape = false;
    double printableWidthMm = 0;
    double printableHeightMm = 0;
    double leftMm = 0; // lower-left corner of the tiled area: the extent's corner less 20 mm
    double bottomMm = 0;
    double widthMm = 0; // the tiled area
    double heightMm = 0;
    int columns = 0;
    int rows = 0;
    [[nodiscard]] long long sheets() const { return static_cast<long long>(columns) * rows; }
    [[nodiscard]] bool refused() const { return sheets() > kTemplateMaxSheets; }
    /// Lower-left corner of sheet (column, row), both from 0 at the lower left.
    [[nodiscard]] double sheetLeftMm(int column) const;
    [[nodiscard]] double sheetBottomMm(int row) const;
};

/// Tiles an extent (dial units of size unitSizeMm): columns = max(1, ceil((W - o) / (w - o))) for the tiled
/// width W, the printable width w and the overlap o; rows alike. Portrait sheets.
[[nodiscard]] TemplateLayout LayoutTemplate(const Extent& dialExtent, double unitSizeMm, PaperSize paper);

/// The same with the orientation asked for; Auto tiles both ways and keeps the one with fewer sheets.
[[nodiscard]] TemplateLayout LayoutTemplate(const Extent& dialExtent, double unitSizeMm, PaperSize paper,
                                            TemplateOrientation orientation);

/// Per sheet (row by row from the lower left, column within row): whether anything of the construction
/// but its axes lies on the sheet's printable area. Sheets without are left out of the template.
[[nodiscard]] std::vector<bool> SheetsWithContent(const TemplateLayout& layout, const ConstructionGeometry& g,
                                                  double unitSizeMm);

/// The sheets a template prints: those with content (all of the layout's when it is refused).
[[nodiscard]] long long PrintedSheets(const TemplateLayout& layout, const ConstructionGeometry& g, double unitSizeMm);

/// Whether a template of this many printed sheets is confirmed first (window) or warned of (command line).
[[nodiscard]] constexpr bool SheetsNeedConfirming(long long printed)
{
    return printed > kTemplateWarnSheets;
}

/// The sheet holding a point of the plane (mm): the first column and row whose printable area contains it.
struct SheetIndex {
    int column = 0;
    int row = 0;
};
[[nodiscard]] std::optional<SheetIndex> SheetOf(const TemplateLayout& layout, double xMm, double yMm);

/// Page position (0.1 mm from the paper's top-left corner) of a plane point (mm) on sheet (column, row).
struct PagePoint {
    double x = 0;
    double y = 0;
};
[[nodiscard]] PagePoint OnSheet(const TemplateLayout& layout, const TemplateRequest& request, int column, int row,
                                double xMm, double yMm);

/// Draws the map page and every sheet with content: pages.page() is the first page; NewPage starts each
/// following one. The map shows the sheets left out as empty.
/// Nothing is drawn when the layout is refused or a correction factor lies outside its range; false then,
/// or when a page could not be started.
[[nodiscard]] bool DrawTemplate(const Model& model, LengthUnit unit, const TemplateRequest& request, PageFlow& pages);

/// Whether both correction factors lie in kMinCorrection..kMaxCorrection.
[[nodiscard]] bool CorrectionAccepted(const TemplateRequest& request);

} // namespace umbrix
