#include "graphics/surface_redraw.h"

#include "graphics/construction.h"

namespace umbrix {

void SurfaceRedraw::construction(const Model& model)
{
    store_(DrawConstruction(model, state_, surface_, ScreenDrawOptions(view_, errorSurface_, host_)));
    ++drawn_;
}

void SurfaceRedraw::blank()
{
    surface_.Rectangle(1, 1, surface_.width() - 1, surface_.height() - 1);
}

void SurfaceRedraw::writeErrorBanner(std::string_view text)
{
    surface_.TextOut(kErrorBannerLeft, kErrorBannerTop, text);
}

} // namespace umbrix
