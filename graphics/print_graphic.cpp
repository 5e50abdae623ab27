#include "graphics/construction.h"
#include "graphics/print_layout.h"

namespace umbrix {

DrawingOutcome DrawPrintedGraphic(const Model& model, const ViewState& view, Surface& surface)
{
    DrawingState state = model.drawing;
    state.printAreaHeight = PrintAreaHeight(state.printAreaWidth);
    surface.font.name = std::string(kFontArial);
    surface.font.height = kPrintGraphicFontHeight;
    DrawOptions options;
    options.screenMode = false;
    options.panX = view.panX;
    options.panY = view.panY;
    options.zoomFactor = view.zoomFactor;
    return DrawConstruction(model, state, surface, options);
}

} // namespace umbrix
