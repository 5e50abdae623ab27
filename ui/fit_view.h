#pragma once
// "Fit to window" for the drawing on the screen.

#include "core/model.h"
#include "graphics/view.h"

namespace umbrix {

class ImageView;

/// The view that frames the whole dial of the last calculation in `image` (its size in logical pixels),
/// its labels measured as the screen drawing measures them. The drag start of `current` is kept; the start
/// view when there is nothing to frame.
[[nodiscard]] ViewState FitViewToImage(const Model& model, const ViewState& current, const ImageView& image);

} // namespace umbrix
