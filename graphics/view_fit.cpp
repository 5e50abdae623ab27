#include "graphics/view_fit.h"

#include "core/driver.h"
#include "core/numeric.h"
#include "graphics/construction.h"
#include "graphics/extent_surface.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace umbrix {

namespace {

/// The zoom that makes `extentUnits` fill `roomPx` at `pixelsPerUnit` per unit; nullopt for an empty extent.
std::optional<double> FillingZoom(double roomPx, double extentUnits, double pixelsPerUnit)
{
    if (!(extentUnits > 0))
        return std::nullopt;
    return roomPx / (extentUnits * pixelsPerUnit);
}

} // namespace

std::optional<std::int32_t> RoundedInt32(double v)
{
    const double r = std::nearbyint(v);
    if (!std::isfinite(r) || r < std::numeric_limits<std::int32_t>::min() ||
        r > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

std::optional<ViewState> FitExtent(const Extent& extent, const FitFrame& frame, int marginPx)
{
    const double roomX = frame.widthPx - 2.0 * marginPx;
    const double roomY = frame.heightPx - 2.0 * marginPx;
    const double S = frame.pixelsPerUnit;
    if (extent.empty || !(roomX > 0) || !(roomY > 0) || !(S > 0) || !std::isfinite(S) ||
        !std::isfinite(extent.width()) || !std::isfinite(extent.height()))
        return std::nullopt;
    const std::optional<double> byWidth = FillingZoom(roomX, extent.width(), S);
    const std::optional<double> byHeight = FillingZoom(roomY, extent.height(), S);
    if (!byWidth && !byHeight)
        return std::nullopt;
    double zoom = std::min(byWidth.value_or(*byHeight), byHeight.value_or(*byWidth));
    zoom = std::min(zoom, kZoomCeiling);
    if (!(zoom > 0) || !std::isfinite(zoom))
        return std::nullopt;

    const double midX = (extent.min.x + extent.max.x) / 2;
    const double midY = (extent.min.y + extent.max.y) / 2;
    const auto panX = RoundedInt32(frame.widthPx / 2.0 - frame.centreXPx - zoom * S * midX);
    const auto panY = RoundedInt32(frame.heightPx / 2.0 - frame.centreYPx + zoom * S * midY);
    if (!panX || !panY)
        return std::nullopt;
    ViewState view;
    view.zoomFactor = zoom;
    view.panX = *panX;
    view.panY = *panY;
    return view;
}

FitFrame ScreenFitFrame(const Model& model, int widthPx, int heightPx)
{
    const DialParameters& p = model.params;
    const int halfWidth = widthPx / 2;
    const int halfHeight = heightPx / 2;
    FitFrame frame;
    frame.widthPx = widthPx;
    frame.heightPx = heightPx;
    frame.pixelsPerUnit = ComputeDrawingScale(p, model.derived, halfWidth, halfHeight).pixelsPerUnit;
    frame.centreXPx = halfWidth;
    frame.centreYPx = std::nearbyint(halfHeight * CentreDepthInHalfHeights(p));
    return frame;
}

ViewState FitConstructionView(const Model& model, const ViewState& current, Surface& metrics, int widthPx, int heightPx)
{
    // A drawing leaves changes in its model (StoreDrawing): they go to a copy, stored after the first
    // drawing, so that every measured drawing starts from the model a drawing on screen leaves.
    auto copy = std::make_unique<Model>(model);
    const auto draw = [&](const ViewState& view) {
        ExtentSurface extent(metrics, widthPx, heightPx);
        DrawingState scratch = copy->drawing;
        StoreDrawing(*copy, scratch, DrawConstruction(*copy, copy->drawing, extent, ScreenDrawOptions(view)));
        return extent.box(DrawingPart::Dial);
    };
    (void)draw(ViewState{});
    const FitFrame frame = ScreenFitFrame(*copy, widthPx, heightPx);
    std::optional<ViewState> fitted = FitExtent(BuildConstructionGeometry(*copy).dial, frame, kFitMarginPx);
    for (int round = 0; fitted && round < kFitMeasurements; ++round) {
        const PixelBox box = draw(*fitted);
        if (box.inside(widthPx, heightPx))
            break;
        // The measured box back in dial units under the view it was drawn with.
        const double scale = fitted->zoomFactor * frame.pixelsPerUnit;
        const double originX = frame.centreXPx + fitted->panX;
        const double originY = frame.centreYPx + fitted->panY;
        Extent measured;
        measured.add({(box.left - originX) / scale, (originY - box.bottom - 1) / scale});
        measured.add({(box.right + 1 - originX) / scale, (originY - box.top) / scale});
        const std::optional<ViewState> refitted = FitExtent(measured, frame, kFitMarginPx);
        if (!refitted)
            break;
        fitted = refitted;
    }
    ViewState view = fitted.value_or(ViewState{});
    view.dragStartX = current.dragStartX;
    view.dragStartY = current.dragStartY;
    return view;
}

} // namespace umbrix
