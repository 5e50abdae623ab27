#pragma once
// The construction drawing: the whole dial of the current type on a drawing surface - axes with their
// scale, the hour ellipse (or the family of hour curves of the fixed-gnomon dial), the hour points and
// their numbers, the date scale or the figure-eight loops, the gnomon direction lines, the rise and set
// marks, the shadow path of the shadow day with the gnomon's position, the Lambert circle and the captions;
// on a printer page also the legend. The drawing reads the parameters, their derived geometry and the
// results of the last calculation, and writes only the drawing state.
//
// Mapping of a dial point (x east, y north, dial units) to the surface:
//   pixelX = originX + round(x S),  pixelY = originY - round(y S),  rounding halves to even,
// S = pixels per dial unit (the fitted scale times the zoom factor). An element whose pixel coordinates are
// not finite or leave the 32-bit range is skipped; the rest is drawn.

#include "core/drawing_state.h"
#include "core/host.h"
#include "core/model.h"
#include "graphics/surface.h"
#include "graphics/view.h"

#include <cstdint>
#include <optional>

namespace umbrix {

/// How far below the top of a drawing or plot the dial's centre lies, in half heights: below the middle,
/// and well below for the fixed-gnomon dial, whose curves reach far north.
constexpr double kCentreDepthHalfHeights = 1.1;
constexpr double kFixedGnomonCentreDepthHalfHeights = 1.4;

/// The scale of one drawing.
struct ConstructionFrame {
    double unitScale = 1;     // u: the power of ten with 1 <= u a <= 10 (a = semiMajorAxis)
    double gridStep = 0.1;    // distance between axis ticks, dial units
    double span = 3.3;        // (u-scaled) dial units across half the surface width
    double pixelsPerUnit = 0; // S: pixels per dial unit, without the zoom factor
    double dateExtent = 0;    // half length of the date scale along the north-south axis, dial units
};

/// Fits the construction to a surface of half size halfWidth x halfHeight:
///   u: while u a < 1, u = 10 u; while u a > 10, u = u / 10;
///   u a < 3.2: tick step 0.1 and span 3.3, else step 0.2 and span 6.4; r = halfWidth / span;
///   dateExtent = tan 23.445 deg a sin(z + 90 - L) / drawingScaleCosine (types 4, 5: tan 23.445 deg a sin L);
///   e = u max(dateExtent, semiMinorAxis), h = 0.96 halfHeight / e; when r > |h|: r = |h| if
///   |e| < 20 halfHeight, else r = 0.05 (the date scale would shrink the dial to nothing);
///   S = r u, gridStep = step / u.
/// A semi-major axis that is zero or not finite takes the unit scale and tick step of a = 1.
/// True when the mean-time dial cannot be built for these angles: its plane and gnomon stand less than 8
/// degrees from parallel, or its latitude lies within 25 degrees of the gnomon's inclination. The drawing
/// then shows only the request to change the parameters.
[[nodiscard]] bool IsImpossibleMeanTimeDial(const DialParameters& p, const DerivedGeometry& derived);

/// b = semiMinorAxis and drawingScaleCosine of the derived geometry.
[[nodiscard]] ConstructionFrame ComputeDrawingScale(const DialParameters& p, const DerivedGeometry& derived,
                                                    int halfWidth, int halfHeight);

/// The dial centre stands this many half heights below the top of the drawing (before the pan).
[[nodiscard]] double CentreDepthInHalfHeights(const DialParameters& p);

/// A print-mode drawing at a given scale instead of the fitted one (the true-scale outputs): the area drawn
/// on starts at the surface's origin, and the centre P(0/0) and the scale are given. No legend is drawn.
struct FixedPlacement {
    double unitsPerDialUnit = 0; // surface units per dial unit
    double centreX = 0;          // surface position of the centre P(0/0)
    double centreY = 0;
    int width = 0; // the area drawn on, surface units
    int height = 0;
};

/// How one drawing is made.
/// The hour numerals of an output a maker builds from: every whole hour or the drawing's own choice, at a
/// height in proportion to the dial.
struct MakerHourLabels {
    bool everyHour = true;
    double share = 0.06; // numeral height / semi-major axis
};

/// hourLabels and hourLabelSize of the parameters.
[[nodiscard]] MakerHourLabels MakerHourLabelsOf(const DialParameters& p);

struct DrawOptions {
    bool screenMode = true; // false: a printer page, inside the print area of the drawing state
    std::int32_t panX = 0;  // window pixels, positive to the right
    std::int32_t panY = 0;  // window pixels, positive downwards
    double zoomFactor = 1.0;
    Surface* errorSurface = nullptr;         // the error graph's image; null: the error graph is not drawn
    Host* host = nullptr;                    // for the message boxes of the drawing; null: none are shown
    std::optional<FixedPlacement> placement; // print mode only: a given scale and centre
    std::optional<MakerHourLabels> makerHourLabels; // print mode only: the true-scale SVG and the template
    bool drawCaptions = true; // false: the template, whose map page carries the caption
};

/// The caption of the shadow path: "Schattenweg am [dd/mm] 01. Mai" as the screen shows it, or without the
/// input format "[dd/mm]" (withFormat false) on the outputs a maker works from.
[[nodiscard]] std::string ShadowCaption(const Model& m, bool withFormat);

/// The options of a screen drawing with the current view.
[[nodiscard]] DrawOptions ScreenDrawOptions(const ViewState& view, Surface* errorSurface = nullptr,
                                            Host* host = nullptr);

/// Draws the construction of the current dial type. In screen mode the surface is the window image (its
/// size is the drawing's size; the window has already laid itself out, see FitImageWidth); in print mode
/// the drawing fills the print area of `state` and ends with the legend. Ends with the error graph on
/// options.errorSurface. Returns `state` with what the drawing wrote, and what it asks of the model: the
/// Lambert radius message shown, the loop grids of an impossible split dial void.
[[nodiscard]] DrawingOutcome DrawConstruction(const Model& model, const DrawingState& state, Surface& surface,
                                              const DrawOptions& options);

/// The error of reading sunrise and sunset from the rise/set marks over the sun's declination: the
/// RiseSetErrorCurve for the latitude and riseSetDeclination (RiseSetErrorCurveOf), plotted. Screen
/// mode: the whole surface; print mode: a 1200 x 600 box at left 500 and the given top, with the panel's
/// captions above and below it. Returns `state` with maxErrorText and, when the curve is drawn,
/// errorPanelVisible set.
[[nodiscard]] DrawingState DrawErrorGraph(const Model& model, const DrawingState& state, Surface& surface,
                                          bool screenMode, int topOffset);

/// The window image is never wider than 1.65 times its height: the width the image gets.
[[nodiscard]] int FitImageWidth(int widthPx, int heightPx);

} // namespace umbrix
