#pragma once
// One instant drawn over the construction: the gnomon's foot, the direction towards the sun, the shadow
// ray and the shadow of the gnomon's tip, in the colours of a sunlit scene (the sun orange, the shadow dark
// grey), and a caption in the top-left corner.
//
// The drawing uses the mapping of the construction drawn last on the same surface (construction.h):
//   pixelX = centreX + round(x S),  pixelY = originY - round(y S),
// with S the fitted scale times the zoom, and centreX the split dial's morning or afternoon centre where
// the gnomon stands on that half's loop.

#include "core/drawing_state.h"
#include "core/model.h"
#include "core/simulation.h"
#include "graphics/surface.h"

#include <string_view>

namespace umbrix {

constexpr Colour kInstantSun{0xE6, 0x9F, 0x00};    // orange: the sun's direction
constexpr Colour kInstantShadow{0x40, 0x40, 0x40}; // dark grey: the shadow

/// Draws `simulation` over the construction that `state` describes (drawn with `p`, `derived` and `zoomFactor`).
/// Without a shadow only the gnomon's foot and the caption are drawn.
void DrawInstant(Surface& surface, const DrawingState& state, const DialParameters& p, const DerivedGeometry& derived,
                 double zoomFactor, const Simulation& simulation, std::string_view caption);

} // namespace umbrix
