// The frame of the construction drawing - scale, origin, the impossible case of the mean-time dial,
// background and the year-round check, the axes - and the order of all steps.

#include "graphics/construction.h"

#include "core/numeric.h"
#include "graphics/construction_steps.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace umbrix {

namespace {

constexpr double kObliquityForExtentDeg = 23.445; // date extent: the solstice declination, rounded up
constexpr double kDateExtentShare = 0.96;         // the date scale may fill this share of the half height
constexpr double kSmallestFittedScale = 0.05;     // pixels per (u-scaled) unit when the fit degenerates
constexpr int kUnitScaleSteps = 400;              // more powers of ten than a double has
constexpr int kMaxTicks = 10000;                  // per axis direction; a tiny zoom must not stall the drawing
constexpr double kSplitDialMinAngleDeg = 8;       // the mean-time dial needs plane and gnomon this far apart
constexpr double kSplitDialMinLatitudeGapDeg = 25;
constexpr double kMaxImageAspect = 1.65;

std::int32_t ClampToInt32(double v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<std::int32_t>(
        std::clamp<double>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

Colour WindowFontColour(const DrawingState& state)
{
    return {static_cast<std::uint8_t>(state.windowFontRgb >> 16), static_cast<std::uint8_t>(state.windowFontRgb >> 8),
            static_cast<std::uint8_t>(state.windowFontRgb)};
}

/// Only the red request to change the parameters, centred on the surface.
void DrawImpossibleConstruction(DrawContext& c)
{
    Surface& s = c.surface();
    c.outcome.loopGridsVoid = c.model.params.marksMode == MarksMode::DoubleAnalemma;
    s.pen = {kWhite, 1};
    s.brush = {kWhite, BrushStyle::Solid};
    c.canvas.Rectangle(c.offX + 1, c.offY + 1, c.offX + c.surfaceWidth - 2, c.offY + c.surfaceHeight - 2);
    s.font.name = std::string(kFontArial);
    s.font.style = FontStyle::Regular;
    s.font.colour = kRed;
    s.setFontSize(18);
    const std::string_view text = LabelRow(c.model.state.language, LabelId::ChangeParameters);
    c.canvas.TextOut(c.offX + c.halfWidth - s.TextWidth(text) / 2, c.offY + c.halfHeight, text);
    s.pen = {kBlack, 1};
}

/// The base style, the cleared image and the year-round check.
void DrawBackground(DrawContext& c)
{
    Surface& s = c.surface();
    s.font.name = std::string(kFontArial);
    s.font.colour = WindowFontColour(c.state);
    s.font.style = FontStyle::Regular;
    s.font.height = c.bySize(16, 30);
    s.pen = {kBlack, 1};
    s.brush = {kWhite, BrushStyle::Solid};
    if (c.screen())
        c.canvas.Rectangle(c.offX, c.offY, c.offX + c.surfaceWidth - 1, c.offY + c.surfaceHeight - 1);

    // A date scale longer than the hour ellipse is high leaves the gnomon outside the dial part of the year.
    if (std::abs(c.frame.dateExtent) > std::abs(kDateExtentShare * c.model.derived.semiMinorAxis)) {
        const LanguageState& lang = c.model.state.language;
        if (!c.state.graphicsPageVisible && c.options.host)
            c.options.host->showMessage(CaptionText(lang, Caption::Warning), TextRow(lang, TextId::NoYearRoundTime),
                                        MessageIcon::Warning);
        s.font.style = FontStyle::Bold;
        s.font.colour = kRed;
        const std::string_view question = LabelRow(lang, LabelId::YearRoundQuestion);
        c.canvas.TextOut(c.surfaceWidth - 20 - s.TextWidth(question), c.surfaceHeight - 20, question);
        s.font.colour = WindowFontColour(c.state);
        s.font.style = FontStyle::Regular;
    }
}

} // namespace

bool IsImpossibleMeanTimeDial(const DialParameters& p, const DerivedGeometry& derived)
{
    if (p.type() != DialType::MeanTime)
        return false;
    return std::abs(derived.cosPlaneGnomon) < std::sin(kSplitDialMinAngleDeg * degToRad) ||
           std::abs(p.latitude - p.gnomonInclination) < kSplitDialMinLatitudeGapDeg;
}

ConstructionFrame ComputeDrawingScale(const DialParameters& p, const DerivedGeometry& derived, int halfWidth,
                                      int halfHeight)
{
    ConstructionFrame f;
    double a = p.semiMajorAxis;
    if (!std::isfinite(a) || a == 0)
        a = 1;
    const double size = std::abs(a);
    double u = 1.0;
    for (int k = 0; k < kUnitScaleSteps && u * size < 1; ++k)
        u *= 10;
    for (int k = 0; k < kUnitScaleSteps && u * size > 10; ++k)
        u /= 10;
    f.unitScale = u;
    double step = 0.1;
    f.span = 3.3;
    if (!(u * size < 3.2)) {
        step = 0.2;
        f.span = 6.4;
    }
    double r = halfWidth / f.span;

    const double tanSolstice = SafeTan(kObliquityForExtentDeg * degToRad);
    if (p.type() == DialType::VerticalSouth || p.type() == DialType::VerticalDeclining)
        f.dateExtent = tanSolstice * p.semiMajorAxis * std::sin(p.latitude * degToRad);
    else
        f.dateExtent = tanSolstice * p.semiMajorAxis * std::sin((p.gnomonInclination + 90 - p.latitude) * degToRad) /
                       derived.drawingScaleCosine;

    const double e = u * std::max(f.dateExtent, derived.semiMinorAxis);
    const double h = kDateExtentShare * halfHeight / e;
    // The fitted scale is a length: a negative extent (southern sites) must not mirror the drawing.
    if (r > std::abs(h))
        r = std::abs(e) < 20.0 * halfHeight ? std::abs(h) : kSmallestFittedScale;
    f.pixelsPerUnit = r * u;
    f.gridStep = step / u;
    return f;
}

double CentreDepthInHalfHeights(const DialParameters& p)
{
    return p.type() == DialType::FixedGnomon ? kFixedGnomonCentreDepthHalfHeights : kCentreDepthHalfHeights;
}

int FitImageWidth(int widthPx, int heightPx)
{
    if (widthPx > kMaxImageAspect * heightPx)
        return static_cast<int>(std::nearbyint(kMaxImageAspect * heightPx));
    return widthPx;
}

MakerHourLabels MakerHourLabelsOf(const DialParameters& p)
{
    return {!p.hourLabelsScreenRule, p.hourLabelSize};
}

DrawOptions ScreenDrawOptions(const ViewState& view, Surface* errorSurface, Host* host)
{
    DrawOptions o;
    o.screenMode = true;
    o.panX = view.panX;
    o.panY = view.panY;
    o.zoomFactor = view.zoomFactor;
    o.errorSurface = errorSurface;
    o.host = host;
    return o;
}

void DrawAxes(DrawContext& c, double centreX, double centreY, bool labelled)
{
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const int majorTick = c.bySize(8, 24);
    const int minorTick = c.bySize(4, 12);
    const double zoom = c.options.zoomFactor;
    const int sw = c.surfaceWidth;
    const int sh = c.surfaceHeight;

    if (!c.split) {
        g.MoveTo(5, centreY);
        g.LineTo(sw - 5, centreY);
    } else if (labelled) {
        // A gap just east of the morning centre, where the afternoon half begins.
        g.MoveTo(5, centreY);
        g.LineTo(centreX + RoundPx(3 * majorTick * zoom), centreY);
        g.MoveTo(centreX + RoundPx(6 * majorTick * zoom), centreY);
        g.LineTo(sw - 5, centreY);
    }
    g.MoveTo(centreX, 5);
    g.LineTo(centreX, sh - 5);

    s.font.height = c.bySize(12, 25);
    const int fh = s.font.height / 2;
    const bool westHalf = !c.split || labelled;
    const bool eastHalf = !c.split || !labelled;
    const bool verticalNumbers = !c.split || labelled;
    // The outputs a maker builds from carry their own scale (bar, check bars): no tick numbers among the labels.
    const bool numbers = c.screen() || !c.options.makerHourLabels;
    const double gridStep = c.frame.gridStep;
    const int k = c.model.params.marksMode == MarksMode::DateScale ? 16 : 10;
    // Beside the date scale the numbers stand right of its marks and labels.
    const double besideDateScaleX = centreX + RoundPx(k / 4.0 * degToRad * c.a() * c.S);

    int t = majorTick;
    const double limit = 3.0 * c.halfWidth;
    const bool ticksPossible = std::isfinite(gridStep * c.S) && gridStep * c.S > 0;
    for (int i = 0; ticksPossible && i <= kMaxTicks && i * gridStep * c.S < limit; ++i) {
        const double d = RoundPx(i * gridStep * c.S);
        t = i % 5 == 0 ? majorTick : minorTick;
        if (westHalf) {
            g.MoveTo(centreX - d, centreY);
            g.LineTo(centreX - d, centreY - t);
        }
        if (eastHalf) {
            g.MoveTo(centreX + d, centreY);
            g.LineTo(centreX + d, centreY - t);
        }
        g.MoveTo(centreX, centreY - d);
        g.LineTo(centreX + t, centreY - d);
        g.MoveTo(centreX, centreY + d);
        g.LineTo(centreX + t, centreY + d);
        if (i == 0 || i % 5 != 0 || !numbers)
            continue;
        const std::string number = FormatFixed(4, 1, i * gridStep);
        const int shift = s.TextWidth("1.");
        if (westHalf)
            g.TextOut(centreX - d - shift, centreY - 3 * t, number);
        if (eastHalf)
            g.TextOut(centreX + d - shift, centreY - 3 * t, number);
        if (verticalNumbers) {
            const double x = i * gridStep > c.frame.dateExtent ? centreX + 3 * t / 2 : besideDateScaleX;
            for (const double y : {centreY - d - fh, centreY + d - fh})
                if (y >= 5 && y <= sh - 5)
                    g.TextOut(x, y, number);
        }
    }
    c.tickLength = t;
    c.state.lastTickLength = t;

    if (c.model.params.type() == DialType::Horizontal || c.model.params.type() == DialType::MeanTime) {
        s.font.colour = kRed;
        g.TextOut(t, centreY + t, "W");
        g.TextOut(sw - 3 * t, centreY + t, LabelRow(c.model.state.language, LabelId::EastLetter));
        g.TextOut(centreX - 3 * t, t, "N");
        s.font.colour = kBlack;
    }
}

DrawingOutcome DrawConstruction(const Model& model, const DrawingState& startState, Surface& surface,
                                const DrawOptions& options)
{
    DrawingOutcome outcome{.state = startState};
    DrawingState& state = outcome.state;
    DrawContext c(model, outcome, surface, options);
    const DialParameters& p = model.params;

    // The area drawn on.
    double panX = options.panX;
    double panY = options.panY;
    if (options.screenMode) {
        c.surfaceWidth = surface.width();
        c.surfaceHeight = surface.height();
        state.lastImageWidth = c.surfaceWidth;
    } else if (options.placement) {
        c.surfaceWidth = options.placement->width;
        c.surfaceHeight = options.placement->height;
        panX = 0;
        panY = 0;
    } else {
        c.surfaceWidth = state.printAreaWidth;
        c.surfaceHeight = state.printAreaHeight;
        c.offX = state.printAreaLeft;
        c.offY = state.printAreaTop;
        const int imageWidth = state.imageWidth > 0 ? state.imageWidth : state.lastImageWidth;
        panX = static_cast<double>(PrintPan(options.panX, imageWidth, state.printAreaWidth));
        panY = static_cast<double>(PrintPan(options.panY, imageWidth, state.printAreaWidth));
    }
    state.surfaceWidth = c.surfaceWidth;
    state.surfaceHeight = c.surfaceHeight;

    // The origin sits below the middle of the surface (well below for the fixed-gnomon dial, whose
    // curves reach far north), then the scale.
    c.halfWidth = c.surfaceWidth / 2;
    c.halfHeight = c.surfaceHeight / 2;
    c.centreX = c.halfWidth + c.offX + panX;
    c.centreY = RoundPx(c.halfHeight * CentreDepthInHalfHeights(p)) + c.offY + panY;
    if (options.placement && !options.screenMode) {
        c.centreX = RoundPx(options.placement->centreX);
        c.centreY = RoundPx(options.placement->centreY);
    }
    c.originX = c.centreX;
    c.originY = c.centreY;
    state.originX = ClampToInt32(c.centreX);
    state.originY = ClampToInt32(c.centreY);

    c.frame = ComputeDrawingScale(p, model.derived, c.halfWidth, c.halfHeight);
    c.S = c.frame.pixelsPerUnit * options.zoomFactor;
    if (options.placement && !options.screenMode)
        c.S = options.placement->unitsPerDialUnit;

    // The mean-time dial cannot be built for these angles.
    if (IsImpossibleMeanTimeDial(p, model.derived)) {
        DrawImpossibleConstruction(c);
        return outcome;
    }

    // Split dial centres, base style, background, year-round check.
    c.split = model.state.doubleAnalemmaActive && p.type() == DialType::MeanTime;
    const double halfGap = RoundPx(c.a() / 10 * c.S);
    c.leftCentreX = c.centreX - halfGap;
    c.rightCentreX = c.centreX + halfGap;
    state.leftCentreX = ClampToInt32(c.leftCentreX);
    state.rightCentreX = ClampToInt32(c.rightCentreX);
    surface.BeginPart(DrawingPart::Background);
    DrawBackground(c);

    // Axes, then the dial in its binding order: later steps read the pen, the centre and the tick
    // length earlier ones leave.
    surface.BeginPart(DrawingPart::Axes);
    if (c.split) {
        DrawAxes(c, c.leftCentreX, c.centreY, true);
        DrawAxes(c, c.rightCentreX, c.centreY, false);
    } else {
        DrawAxes(c, c.centreX, c.centreY, true);
    }
    surface.font.style = FontStyle::Bold;

    surface.BeginPart(DrawingPart::Dial);
    DrawRiseSetMarks(c);
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::HorizontalTiltedGnomon:
    case DialType::InclinedPlane:
    case DialType::InclinedPlaneGnomon:
    case DialType::VerticalSouth:
    case DialType::VerticalDeclining:
        DrawDateScale(c);
        break;
    case DialType::MeanTime:
        if (p.marksMode == MarksMode::DateScale)
            DrawDateScale(c);
        else if (p.marksMode == MarksMode::Analemma)
            DrawSingleLoopMarks(c);
        else if (p.marksMode == MarksMode::DoubleAnalemma)
            DrawDoubleLoopMarks(c);
        break;
    case DialType::FixedGnomon:
        break;
    }
    if (p.type() == DialType::FixedGnomon)
        DrawFixedGnomonCurves(c);
    else
        DrawHourCurve(c);
    DrawGnomonLines(c);
    DrawHourPoints(c);
    DrawFixedGnomonHourLines(c);
    DrawDstRing(c);
    DrawLeapCycleBars(c);
    surface.BeginPart(DrawingPart::ShadowPath);
    DrawShadowPath(c);
    surface.BeginPart(DrawingPart::Dial);
    DrawGnomonPosition(c);
    DrawLambertCircle(c);
    surface.BeginPart(DrawingPart::Captions);
    DrawCaptions(c);
    if (!options.screenMode && !options.placement)
        DrawPrintLegend(c);

    // Every screen or print drawing ends with the error graph on its own image.
    if (options.errorSurface)
        state = DrawErrorGraph(model, state, *options.errorSurface, true, 0);
    return outcome;
}

} // namespace umbrix
