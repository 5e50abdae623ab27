// The captions of the construction and the legend of a printed page.

#include "core/driver.h"
#include "core/numeric.h"
#include "core/shadow_path.h"
#include "graphics/construction_steps.h"
#include "text/texts.h"

#include <algorithm>
#include <string>

namespace umbrix {

namespace {

constexpr int kLegendUnit = 16; // print: the legend's row pitch and font sizes are multiples of this

} // namespace

std::string ShadowCaption(const Model& m, bool withFormat)
{
    std::string caption(LabelRow(m.state.language, LabelId::ShadowPathOn));
    // The maker's outputs name the date alone, without the input format the screen shows.
    if (const std::size_t format = caption.find("[dd/mm] "); !withFormat && format != std::string::npos)
        caption.erase(format, 8);
    return caption + m.state.shadowDateCaption;
}

void DrawCaptions(DrawContext& c)
{
    const Model& m = c.model;
    const DialParameters& p = m.params;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const int margin = 2 * c.tickLength;
    const bool maker = !c.screen() && c.options.makerHourLabels;
    if (m.state.showShadowPath && HasShadowPath(p) && c.options.drawCaptions) {
        s.font.colour = kBlack;
        s.font.style = FontStyle::Regular;
        g.TextOut(c.offX + margin, c.offY + c.surfaceHeight - 2 * s.TextHeight("h") - 10, ShadowCaption(m, !maker));
    }
    if (!c.screen())
        return;
    // The right and bottom frame lines of the cleared image disappear.
    s.pen.colour = kWhite;
    g.MoveTo(c.surfaceWidth - 1, 0);
    g.LineTo(c.surfaceWidth - 1, c.surfaceHeight - 1);
    g.LineTo(0, c.surfaceHeight - 1);
    s.font.colour = kNavy;
    s.font.style = FontStyle::Bold;
    s.setFontSize(9);
    g.TextOut(margin, c.surfaceHeight - 20, m.state.dialTitle);
    s.font.style = FontStyle::Regular;
    s.font.colour = kBlack;
    if (p.type() == DialType::FixedGnomon) {
        const std::string text = std::string(TextRow(m.state.language, TextId::LongestSemiMajorAxis)) +
                                 FormatFixed(7, 1, c.state.fixedGnomonLargestAxis);
        g.TextOut(margin, 10, text);
    }
}

void DrawPrintLegend(DrawContext& c)
{
    const Model& m = c.model;
    const DialParameters& p = m.params;
    const LanguageState& lang = m.state.language;
    const DrawingState& st = c.state;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const int left = st.printAreaLeft;
    const int top = st.printAreaTop;
    const int sw = c.surfaceWidth;
    const int sh = c.surfaceHeight;

    // Clear the margins the construction ran into, then frame the page.
    s.pen = {kWhite, 1};
    s.brush = {kWhite, BrushStyle::Solid};
    g.Rectangle(0, 0, left, top + sh);
    g.Rectangle(0, 0, sw, top);
    g.Rectangle(left + sw, 0, left + st.printAreaWidth + 75, top + sh);
    // Below the area too: axis ticks and a large Lambert circle reach far beyond it, into the legend.
    g.Rectangle(0, top + sh, left + st.printAreaWidth + 75, std::max(top + st.printPageHeight, s.height()) + 1);
    s.brush.style = BrushStyle::Clear;
    s.pen = {kBlack, 1};
    g.Rectangle(left + 2, top, st.printAreaWidth + left - 2, st.printPageHeight + top);

    const int f = kLegendUnit;
    const int gap = std::max((st.printPageHeight - st.printAreaHeight - 240) / 2, 0);
    const int bottom = st.printPageHeight + top - gap;
    s.font.colour = kBlack;
    s.font.style = FontStyle::Regular;
    s.font.height = 3 * f;
    g.TextOut(left + 50, bottom - 11 * f,
              m.state.dialTitle + ", " + std::string(LabelRow(lang, LabelId::AnalemmaticSundial)));

    s.font.height = 2 * f;
    const int rows[3] = {bottom - 7 * f, bottom - static_cast<int>(RoundPx(4.5 * f)), bottom - 2 * f};
    const auto res = [&](ResourceId id) { return ResourceTextPlain(lang, id); };
    const auto entry = [&](int x, int row, const std::string& text) { g.TextOut(left + x, rows[row], text); };

    entry(190, 0, res(ResourceId::Latitude) + "=" + FormatFixed(6, 2, p.latitude));
    entry(190, 1, res(ResourceId::ZoneMeridian) + "=" + FormatFixed(6, 2, p.zoneMeridian));
    entry(190, 2, res(ResourceId::Longitude) + "=" + FormatFixed(6, 2, p.longitude));

    entry(790, 0, res(ResourceId::CalculationYear) + "= " + std::to_string(p.year));
    entry(790, 1,
          p.showZoneTime ? res(ResourceId::ApparentTimeOnZoneMeridian)
                         : FirstCharacters(res(ResourceId::ApparentTimeOnZoneMeridian), kApparentTimeChars));
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::InclinedPlaneGnomon:
    case DialType::VerticalSouth:
    case DialType::MeanTime:
        entry(790, 2,
              res(ResourceId::HalfAxes) + " =" + FormatFixed(5, 2, p.semiMajorAxis) + " ||" +
                  FormatFixed(5, 2, m.derived.semiMinorAxis));
        break;
    case DialType::FixedGnomon:
        entry(790, 2, res(ResourceId::DistanceToZ) + " = " + FormatFixed(6, 2, p.distanceZ));
        break;
    case DialType::HorizontalTiltedGnomon:
    case DialType::InclinedPlane:
    case DialType::VerticalDeclining:
        break;
    }

    entry(1450, 0, res(ResourceId::GnomonInclination) + "=" + FormatFixed(6, 2, p.gnomonInclination));
    entry(1450, 1, res(ResourceId::GnomonDeviation) + "=" + FormatFixed(5, 2, p.gnomonDeviation));
    const bool pathShown = m.state.showShadowPath;
    if (pathShown && p.type() != DialType::InclinedPlane && p.type() != DialType::VerticalDeclining)
        entry(1450, 2, res(ResourceId::GnomonHeight) + "=" + FormatFixed(5, 2, p.gnomonHeight));

    entry(1990, 0, res(ResourceId::PlaneInclination) + "=" + FormatFixed(6, 2, p.planeInclination));
    entry(1990, 1, res(ResourceId::PlaneDeviation) + "=" + FormatFixed(5, 2, p.planeDeviation));
    if (pathShown)
        entry(1990, 2, ShadowCaption(m, true));

    s.font.height = 27;
    g.TextOut(left + st.printAreaWidth - RoundPx(1.5 * s.TextWidth("umbrix")), bottom - f, "umbrix");
}

} // namespace umbrix
