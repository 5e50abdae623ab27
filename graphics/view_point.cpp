#include "graphics/view_point.h"

#include <cmath>

namespace umbrix {

bool ZoomAtPixel(ViewState& view, bool zoomIn, const FitFrame& frame, double pixelX, double pixelY)
{
    ViewState zoomed = view;
    if (zoomIn) {
        if (!ZoomIn(zoomed))
            return false;
    } else {
        ZoomOut(zoomed);
    }
    const double ratio = zoomed.zoomFactor / view.zoomFactor;
    const auto panX = RoundedInt32(pixelX - frame.centreXPx - (pixelX - frame.centreXPx - view.panX) * ratio);
    const auto panY = RoundedInt32(pixelY - frame.centreYPx - (pixelY - frame.centreYPx - view.panY) * ratio);
    if (!panX || !panY)
        return false;
    zoomed.panX = *panX;
    zoomed.panY = *panY;
    view = zoomed;
    return true;
}

std::optional<PixelPoint> ListedPointPixel(const Model& model, const ViewState& view, const ListedPoint& listed,
                                           int widthPx, int heightPx)
{
    if (widthPx <= 0 || heightPx <= 0)
        return std::nullopt;
    const FitFrame frame = ScreenFitFrame(model, widthPx, heightPx);
    const double scale = frame.pixelsPerUnit * view.zoomFactor;
    double centreX = frame.centreXPx + view.panX;
    const double halfGap = std::nearbyint(model.params.semiMajorAxis / 10 * scale);
    if (listed.centre == DrawingCentre::Morning)
        centreX -= halfGap;
    else if (listed.centre == DrawingCentre::Afternoon)
        centreX += halfGap;
    const PixelPoint pixel{centreX + listed.point.x * scale, frame.centreYPx + view.panY - listed.point.y * scale};
    if (!std::isfinite(pixel.x) || !std::isfinite(pixel.y))
        return std::nullopt;
    return pixel;
}

bool CentreOnPixel(ViewState& view, PixelPoint pixel, int widthPx, int heightPx)
{
    const auto panX = RoundedInt32(view.panX + widthPx / 2.0 - pixel.x);
    const auto panY = RoundedInt32(view.panY + heightPx / 2.0 - pixel.y);
    if (!panX || !panY || (*panX == view.panX && *panY == view.panY))
        return false;
    view.panX = *panX;
    view.panY = *panY;
    return true;
}

} // namespace umbrix
