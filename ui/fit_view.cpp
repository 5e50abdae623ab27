#include "ui/fit_view.h"

#include "graphics/view_fit.h"
#include "ui/image_view.h"
#include "ui/qt_surface.h"

namespace umbrix {

ViewState FitViewToImage(const Model& model, const ViewState& current, const ImageView& image)
{
    // Only the texts are measured on it: one pixel at the screen's ratio gives the screen's font metrics.
    QImage scratch = BlankCanvas(QSize(1, 1), image.devicePixelRatioF());
    QtSurface metrics(scratch);
    return FitConstructionView(model, current, metrics, std::max(image.width(), 1), std::max(image.height(), 1));
}

} // namespace umbrix
