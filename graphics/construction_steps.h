#pragma once
// The steps of the construction drawing, in the order DrawConstruction runs them, and the state one
// drawing carries from step to step. Internal to graphics/: the steps read what earlier steps set (the
// current centre of a split dial, the pen, the tick length last used), so their order is binding.

#include "core/drawing_state.h"
#include "core/host.h"
#include "core/model.h"
#include "graphics/construction.h"
#include "graphics/guarded_surface.h"

namespace umbrix {

/// One drawing in progress. Pixel values are doubles holding integers (see GuardedSurface).
struct DrawContext {
    DrawContext(const Model& m, DrawingOutcome& out, Surface& target, const DrawOptions& o)
        : model(m), outcome(out), state(out.state), canvas(target), options(o)
    {
    }

    const Model& model;
    DrawingOutcome& outcome; // what the drawing leaves behind
    DrawingState& state;     // the outcome's drawing state
    GuardedSurface canvas;
    const DrawOptions& options;

    ConstructionFrame frame;
    double S = 0; // pixels per dial unit, zoom included
    int surfaceWidth = 0;
    int surfaceHeight = 0;
    int halfWidth = 0;
    int halfHeight = 0;
    int offX = 0; // print mode: the print area's corner on the page
    int offY = 0;
    double centreX = 0; // the true dial centre P(0/0)
    double centreY = 0;
    double originX = 0; // the centre the current step draws around (a split dial switches it)
    double originY = 0;
    double leftCentreX = 0; // split dial
    double rightCentreX = 0;
    bool split = false; // doubleAnalemmaActive: two halves round two centres
    int tickLength = 8; // the tick length the axes drew last

    Surface& surface() { return canvas.surface; }
    bool screen() const { return options.screenMode; }
    /// A size by target: the screen value or the print value.
    int bySize(int screenValue, int printValue) const { return options.screenMode ? screenValue : printValue; }
    double a() const { return model.params.semiMajorAxis; }
    double mapX(double x) const { return originX + RoundPx(x * S); }
    double mapY(double y) const { return originY - RoundPx(y * S); }
};

// Each step as the construction names it.
void DrawAxes(DrawContext& c, double centreX, double centreY, bool labelled);
void DrawRiseSetMarks(DrawContext& c);
void DrawDateScale(DrawContext& c);
void DrawSingleLoopMarks(DrawContext& c);
void DrawDoubleLoopMarks(DrawContext& c);
void DrawHourCurve(DrawContext& c);
void DrawFixedGnomonCurves(DrawContext& c);
void DrawGnomonLines(DrawContext& c);
void DrawHourPoints(DrawContext& c);
void DrawFixedGnomonHourLines(DrawContext& c);
/// The summer-time ring the dial's options ask for, when the dial may carry it; nothing for ring 0.
void DrawDstRing(DrawContext& c);
/// With showLeapCycle: for every date mark a bar from its lowest to its highest gnomon position over the
/// leap cycle. Both steps leave the pen, brush and font as they found them.
void DrawLeapCycleBars(DrawContext& c);
void DrawShadowPath(DrawContext& c);
void DrawGnomonPosition(DrawContext& c);
void DrawLambertCircle(DrawContext& c);
void DrawCaptions(DrawContext& c);
void DrawPrintLegend(DrawContext& c);

/// Hours that carry a number on the dial.
[[nodiscard]] bool IsLabelledHour(int hour);

} // namespace umbrix
