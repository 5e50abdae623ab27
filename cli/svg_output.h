#pragma once
// umbrix-cli --svg and --svg-error: the construction and the error graph as SVG pictures.

#include "core/drawing_state.h"
#include "core/driver.h"
#include "core/host.h"
#include "core/model.h"
#include "graphics/surface_redraw.h"
#include "graphics/svg_surface.h"
#include "graphics/view.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

constexpr int kDefaultSvgWidth = 1180;
constexpr int kDefaultSvgHeight = 674;
/// The error image of a window on a screen wider than 999 pixels.
constexpr int kErrorSvgWidth = 480;
constexpr int kErrorSvgHeight = 290;
constexpr int kMaxSvgSide = 20000;

/// "WxH" with 1 <= W, H <= 20000; nothing for any other text.
struct SurfaceSize {
    int width = kDefaultSvgWidth;
    int height = kDefaultSvgHeight;
};
[[nodiscard]] std::optional<SurfaceSize> ParseSurfaceSize(std::string_view text);

/// The pictures of one run. The construction is drawn by the calculation driver through redraw(), exactly
/// as the window's image is: pans 0, zoom 1, the image as wide as the picture.
class SvgPictures {
public:
    /// `store` keeps what a drawing of the construction left (the driver's StoreDrawing on the run's model).
    using StoreOutcome = std::function<void(DrawingState& state, const DrawingOutcome& outcome)>;
    SvgPictures(const Model& model, StoreOutcome store, Host& host, SurfaceSize size, bool wantConstruction);

    /// The driver's redraw: draws on the construction picture (or nothing when none is wanted).
    Redraw& redraw();

    /// The construction picture as an SVG document.
    [[nodiscard]] std::string construction() const;
    /// Draws the error graph; the SVG document.
    [[nodiscard]] std::string errorGraph();

    /// The construction picture's surface, the state its last drawing left and the view it was drawn
    /// with, for drawings on top of it.
    Surface& constructionSurface() { return construction_; }
    const DrawingState& drawingState() const { return state_; }
    double zoomFactor() const { return view_.zoomFactor; }

private:
    const Model& model_;
    StoreOutcome store_;
    Host& host_;
    DrawingState state_;
    ViewState view_;
    SvgSurface construction_;
    Redraw none_;
    std::unique_ptr<SurfaceRedraw> redraw_;
};

} // namespace umbrix
