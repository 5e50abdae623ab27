// The rise/set error graph: the error of reading sunrise and sunset from the rise/set marks (degrees,
// positive downwards) against the sun's declination (degrees, 0 to 23.44 from left to right).

#include "graphics/error_graph.h"

#include "core/numeric.h"
#include "core/rise_set.h"
#include "graphics/construction.h"
#include "graphics/guarded_surface.h"
#include "text/texts.h"

#include <cmath>
#include <string>

namespace umbrix {

namespace {

constexpr double kLastDeclinationDeg = 23.44;

std::string TrimmedLeft(std::string text)
{
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

} // namespace

ErrorAxisScale ErrorAxisScaleFor(double range)
{
    if (range > 2.5)
        return {0.25, 4, 1};
    if (range < 0.2)
        return {0.01, 4, 2};
    if (range < 1.01)
        return {0.05, 4, 1};
    return {0.1, 5, 1};
}

DrawingState DrawErrorGraph(const Model& model, const DrawingState& startState, Surface& surface, bool screenMode,
                            int topOffset)
{
    DrawingState state = startState;
    const RiseSetErrorCurve curve = RiseSetErrorCurveOf(model.params);
    const LanguageState& lang = model.state.language;
    GuardedSurface g(surface);
    Surface& s = surface;

    int w = 1200;
    int h = 600;
    int left = 500;
    int top = topOffset;
    s.font.name = std::string(kFontMsSerif);
    s.font.height = 30;
    if (screenMode) {
        w = s.width();
        h = s.height();
        left = 0;
        top = 0;
        s.font.name = std::string(kFontArial);
        s.font.height = 14;
    }
    s.font.colour = kBlack;
    s.font.style = FontStyle::Regular;
    s.brush = {kWhite, BrushStyle::Solid};
    s.pen = {kBlack, 1};
    state.maxErrorText = RiseSetMaxErrorText(curve);

    const double eMin = curve.minError;
    const double eMax = curve.maxError;
    const double range = eMax - eMin;
    if (!(range >= kMinErrorRangeDeg)) {
        g.Rectangle(0, 0, w - 2, h - 1);
        return state;
    }
    const DialParameters& p = model.params;
    state.errorPanelVisible =
        p.type() == DialType::Horizontal || (p.type() == DialType::MeanTime && p.marksMode == MarksMode::DateScale);

    const double ky = 0.85 * h / range; // pixels per degree of error
    const double y0 = top + RoundPx(0.1 * h - eMin * ky);
    const ErrorAxisScale scale = ErrorAxisScaleFor(range);
    const double x0 = left + w / 20;
    const double right = left + w - 2;
    const double bottom = top + h - 1;
    g.Rectangle(left, top, right, bottom);

    for (int j = 1; j <= 30; ++j) {
        const double d = RoundPx(j * scale.step * ky);
        for (const int sign : {-1, 1}) {
            const double y = y0 + sign * d;
            if (!(y > top && y < bottom))
                continue;
            if (j % scale.labelPeriod == 0) {
                s.pen.colour = kSilver;
                g.MoveTo(x0, y);
                g.LineTo(x0 + RoundPx(0.9 * w), y);
                g.TextOut(left + 3, y - 7, FormatFixed(3, scale.decimals, sign * j * scale.step));
            } else {
                s.pen.colour = kBlack;
                g.MoveTo(x0 - 8, y);
                g.LineTo(x0, y);
            }
        }
    }

    const std::string_view declination = LabelRow(lang, LabelId::Declination);
    const std::string_view sun = LabelRow(lang, LabelId::Sun);
    const double captionX = right - 2 - s.TextWidth(declination);
    g.TextOut(captionX, y0 - s.TextHeight(declination) - 1, declination);
    g.TextOut(captionX, y0 + 2, sun);
    g.TextOut(left + 3, top + 3, LabelRow(lang, LabelId::ErrorInDegrees));

    s.pen.colour = kBlack;
    g.MoveTo(left + w / 40, y0);
    g.LineTo(left + w - 10, y0);
    g.MoveTo(x0, top + 15);
    g.LineTo(x0, top + h - 15);

    const double kx = 0.87 * w / 24; // pixels per degree of declination
    for (int i = 1; i <= 25; ++i) {
        if (i % 5 != 0) {
            const double x = x0 + RoundPx(i * kx);
            s.pen.colour = kBlack;
            g.MoveTo(x, y0);
            g.LineTo(x, y0 - h / 40);
            continue;
        }
        const double x = x0 + RoundPx((i == 25 ? kLastDeclinationDeg : i) * kx);
        s.pen.colour = kSilver;
        g.MoveTo(x, top + h / 20);
        g.LineTo(x, top + 19 * h / 20);
        if (i < 25)
            g.TextOut(x, y0 + 5, std::to_string(i));
    }

    s.pen.colour = kRed;
    g.MoveTo(x0, y0);
    for (const RiseSetErrorPoint& point : curve.points)
        g.LineTo(x0 + RoundPx(point.declination * kx), y0 + RoundPx(point.error * ky));
    s.pen.colour = kBlack;

    if (!screenMode) {
        s.font.style = FontStyle::Bold;
        g.TextOut(left, top - s.TextHeight("f") - 3,
                  model.grids.lKoordAufUnter + " " + ResourceTextPlain(lang, ResourceId::RiseSetErrorTitle));
        s.font.style = FontStyle::Regular;
        g.TextOut(left, top + h + 3,
                  ResourceTextPlain(lang, ResourceId::Degrees) + " " +
                      TrimmedLeft(FormatFixed(7, 2, p.riseSetDeclination)) + " " +
                      ResourceTextPlain(lang, ResourceId::RiseSetDeclination));
    }
    return state;
}

} // namespace umbrix
