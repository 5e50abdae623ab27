#pragma once
// The view around one point of the screen drawing: zooming about the pointer and centring a listed point.
// Both change only the zoom and the pan, so they are views like any other (printing and the screen-like
// plot follow them).
//
// Screen mapping of a dial point under a view (zoom z, pan panX, panY) on an image with the fitted scale S
// and the centre (centreX, centreY) at zoom 1 without pan (see view_fit.h):
//   pixelX = centreX + panX + x z S,  pixelY = centreY + panY - y z S.

#include "core/listed_point.h"
#include "core/model.h"
#include "graphics/view.h"
#include "graphics/view_fit.h"

#include <optional>

namespace umbrix {

struct PixelPoint {
    double x = 0; // image pixels, x to the right
    double y = 0; // image pixels, y downwards
};

/// Zooms one step in or out (ZoomIn, ZoomOut) and shifts the pan so that the dial point under the image
/// pixel (pixelX, pixelY) stays under it: the pixel's distance from the drawn centre scales with the zoom,
///   panX' = pixelX - centreX - (pixelX - centreX - panX) z'/z, and alike for y.
/// Returns whether the view changed; a zoom refused at the ceiling or a pan beyond 32 bits changes nothing.
bool ZoomAtPixel(ViewState& view, bool zoomIn, const FitFrame& frame, double pixelX, double pixelY);

/// Where `listed` lies in a screen drawing of `model` on a widthPx x heightPx image under `view`; the split
/// dial's half centres lie a tenth of the semi-major axis left and right of the dial centre. Nothing for an
/// empty image or a point that is not finite.
[[nodiscard]] std::optional<PixelPoint> ListedPointPixel(const Model& model, const ViewState& view,
                                                         const ListedPoint& listed, int widthPx, int heightPx);

/// Pans so that image pixel `pixel` comes to the middle of a widthPx x heightPx image; the zoom stays.
/// Returns whether the view changed; a pan beyond 32 bits changes nothing.
bool CentreOnPixel(ViewState& view, PixelPoint pixel, int widthPx, int heightPx);

} // namespace umbrix
