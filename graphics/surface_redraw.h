#pragma once
// The calculation driver's redraw on a drawing surface: after a successful calculation the construction
// is drawn with the current view; after an error the drawing is blanked and the start of the message is
// written on it. Used by the window (its image and error image) and by umbrix-cli (SVG surfaces).

#include "core/drawing_state.h"
#include "core/driver.h"
#include "core/host.h"
#include "core/model.h"
#include "graphics/surface.h"
#include "graphics/view.h"

#include <functional>
#include <string_view>

namespace umbrix {

/// Line of the drawing on which the error text is written (its top), pixels.
constexpr int kErrorBannerTop = 20;
constexpr int kErrorBannerLeft = 20;

class SurfaceRedraw : public Redraw {
public:
    /// Hands a drawing's outcome to whoever owns the model and the drawing state.
    using Store = std::function<void(const DrawingOutcome&)>;

    /// Draws from `state` (the owner's drawing state) and hands every outcome to `store`. The surfaces,
    /// state and view outlive this object.
    SurfaceRedraw(const DrawingState& state, Store store, Surface& surface, const ViewState& view,
                  Surface* errorSurface = nullptr, Host* host = nullptr)
        : state_(state), store_(std::move(store)), surface_(surface), view_(view), errorSurface_(errorSurface),
          host_(host)
    {
    }

    /// DrawConstruction in screen mode with the current view (and the error graph on its surface); the
    /// outcome goes to the store.
    void construction(const Model& model) override;
    /// A rectangle one pixel inside the border, with the surface's current pen and brush.
    void blank() override;
    /// The text at (20, 20) in the current font.
    void writeErrorBanner(std::string_view text) override;

    /// Number of constructions drawn through this object.
    int constructionsDrawn() const { return drawn_; }

private:
    const DrawingState& state_;
    Store store_;
    Surface& surface_;
    const ViewState& view_;
    Surface* errorSurface_;
    Host* host_;
    int drawn_ = 0;
};

} // namespace umbrix
