#pragma once
// "Fit to window": the zoom factor and pan that frame the whole construction in the window image. A
// fitted view is a view like any other - a magnification on top of the fitted scale of the drawing and a
// shift in window pixels - so zooming, shifting, printing and the screen-like plot follow it.
//
// Screen mapping of a dial point (x east, y north, dial units) under a view (zoom z, pan panX, panY):
//   pixelX = centreX + panX + round(x z S),  pixelY = centreY + panY - round(y z S),
// with S the fitted scale and (centreX, centreY) the dial centre of the drawing at zoom 1 without pan.

#include "core/model.h"
#include "graphics/construction_geometry.h"
#include "graphics/surface.h"
#include "graphics/view.h"

#include <optional>

namespace umbrix {

/// v rounded to a whole pixel, when it is finite and fits 32 bits (a pan).
[[nodiscard]] std::optional<std::int32_t> RoundedInt32(double v);

/// A screen drawing at zoom 1 without pan.
struct FitFrame {
    int widthPx = 0; // the image
    int heightPx = 0;
    double pixelsPerUnit = 0; // S: pixels per dial unit
    double centreXPx = 0;     // the dial centre P(0/0)
    double centreYPx = 0;
};

/// Room kept free along each edge of a fitted image.
constexpr int kFitMarginPx = 12;
/// Fit to window measures the fitted drawing at most this many times to take in the labels, which keep
/// their size in pixels at every zoom.
constexpr int kFitMeasurements = 6;

/// The view that shows `extent` (dial units) whole and centred in the frame's image, `marginPx` free along
/// every edge:
///   z = min((width - 2 margin) / (S extentWidth), (height - 2 margin) / (S extentHeight)), at most the
///       zoom ceiling (an extent without width or height is fitted by its other side);
///   panX = round(width / 2 - centreX - z S midX),  panY = round(height / 2 - centreY + z S midY),
/// so that the extent's middle (midX, midY) falls on the image's middle.
/// nullopt when the extent is empty or a point, not finite, the scale or the free area is not positive,
/// or the pan leaves the 32-bit range. The drag start point of the result is zero.
[[nodiscard]] std::optional<ViewState> FitExtent(const Extent& extent, const FitFrame& frame, int marginPx);

/// The scale and the centre a screen drawing of `model` on a widthPx x heightPx image has at zoom 1
/// without pan: the fitted scale of the construction drawing and its centre below the middle.
[[nodiscard]] FitFrame ScreenFitFrame(const Model& model, int widthPx, int heightPx);

/// Fit to window: the view that frames the dial of the last calculation in a widthPx x heightPx image,
/// kFitMarginPx free along every edge where the labels allow it. The axes, the captions in the corners and
/// the shadow path beyond the dial are not framed (they run across the whole image by design).
/// First the dial's geometry (BuildConstructionGeometry, without the title block) is fitted; then the
/// drawing with that view is measured on an ExtentSurface whose texts `metrics` measures, and the measured
/// box is fitted again, until the dial with its labels lies inside the image (the labels' share shrinks
/// by the ratio of their size to the image at every round). The model is not changed. The reset view
/// (zoom 1, no pan) when nothing can be framed; the drag start of `current` is kept.
[[nodiscard]] ViewState FitConstructionView(const Model& model, const ViewState& current, Surface& metrics, int widthPx,
                                            int heightPx);

} // namespace umbrix
