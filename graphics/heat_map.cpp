#include "graphics/heat_map.h"

#include "core/length_unit.h"
#include "graphics/svg_surface.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace umbrix {

namespace {

// ColorBrewer RdBu, eleven classes, from its blue end to its red end.
constexpr std::array<Colour, 11> kPalette{{
    {0x05, 0x30, 0x61},
    {0x21, 0x66, 0xAC},
    {0x43, 0x93, 0xC3},
    {0x92, 0xC5, 0xDE},
    {0xD1, 0xE5, 0xF0},
    {0xF7, 0xF7, 0xF7},
    {0xFD, 0xDB, 0xC7},
    {0xF4, 0xA5, 0x82},
    {0xD6, 0x60, 0x4D},
    {0xB2, 0x18, 0x2B},
    {0x67, 0x00, 0x1F},
}};

constexpr int kMargin = 12;
constexpr int kLabelFontPx = 12;
constexpr int kTitleFontPx = 15;
constexpr int kCellHeight = 16;
constexpr int kMinCellWidth = 30;
constexpr int kGap = 8; // between labels and cells, cells and bar
constexpr int kBarWidth = 18;
constexpr int kMinBarHeight = 160;
constexpr int kBarSlices = 64; // the colour bar is drawn as this many bands
constexpr int kTickLength = 5;

/// The positions of every part, from the texts' extents.
struct Layout {
    int titleHeight = 0;
    int headerHeight = 0;
    int labelWidth = 0;
    int cellWidth = kMinCellWidth;
    int gridLeft = 0;
    int gridTop = 0;
    int gridHeight = 0;
    int barLeft = 0;
    int barTop = 0;
    int barHeight = 0;
    int bodyHeight = 0; // the cells or the bar with its labels, whichever reaches lower
    int tickWidth = 0;
    int width = 0;
    int height = 0;
};

/// A tick value with at most two decimals and no trailing zeros.
std::string TickText(double value)
{
    std::string text = FormatDecimals(value, 2);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

void UseFont(Surface& s, int heightPx, FontStyle style)
{
    s.font.name = std::string(kFontArial);
    s.font.height = heightPx;
    s.font.style = style;
    s.font.colour = kBlack;
}

Layout LayOut(const HeatMap& map, Surface& s)
{
    Layout l;
    UseFont(s, kTitleFontPx, FontStyle::Bold);
    l.titleHeight = s.TextHeight(map.title);
    int titleWidth = s.TextWidth(map.title);
    UseFont(s, kLabelFontPx, FontStyle::Regular);
    l.headerHeight = s.TextHeight("0") + 4;
    l.labelWidth = s.TextWidth(map.rowHeading);
    for (const std::string& label : map.rowLabels)
        l.labelWidth = std::max(l.labelWidth, s.TextWidth(label));
    for (const std::string& label : map.columnLabels)
        l.cellWidth = std::max(l.cellWidth, s.TextWidth(label) + 6);
    for (const double tick : map.ticks)
        l.tickWidth = std::max(l.tickWidth, s.TextWidth(TickText(tick)));
    const int columns = static_cast<int>(map.columnLabels.size());
    const int rows = static_cast<int>(map.rowLabels.size());
    l.gridLeft = kMargin + l.labelWidth + kGap;
    l.gridTop = kMargin + l.titleHeight + kGap + l.headerHeight;
    l.gridHeight = rows * kCellHeight;
    l.barLeft = l.gridLeft + columns * l.cellWidth + 2 * kGap;
    // The bar starts half a label lower than the cells, so that its top label clears the caption above.
    l.barTop = l.gridTop + l.headerHeight / 2;
    l.barHeight = std::max(l.gridHeight - l.headerHeight, kMinBarHeight);
    l.bodyHeight = std::max(l.gridHeight, l.barTop - l.gridTop + l.barHeight + l.headerHeight / 2);
    const int barRight = l.barLeft + std::max(kBarWidth + kTickLength + 3 + l.tickWidth, s.TextWidth(map.barCaption));
    const int legendWidth = kMargin + kCellHeight + kGap + s.TextWidth(map.noValueLabel);
    l.width = std::max({barRight, kMargin + titleWidth, legendWidth}) + kMargin;
    l.height = l.gridTop + l.bodyHeight + kGap + kCellHeight + kMargin;
    return l;
}

} // namespace

HeatMap DatesByHoursMap(std::string title, std::string rowHeading, const std::vector<std::string>& dates,
                        const std::vector<int>& hours)
{
    HeatMap heat;
    heat.title = std::move(title);
    heat.rowHeading = std::move(rowHeading);
    heat.rowLabels = dates;
    for (const int hour : hours)
        heat.columnLabels.push_back(std::to_string(hour));
    return heat;
}

double HeatPosition(const HeatScale& scale, double value)
{
    double low = scale.low;
    double high = scale.high;
    if (scale.logarithmic) {
        if (!(low > 0) || !(high > 0) || !(value > 0))
            return 0.5;
        low = std::log(low);
        high = std::log(high);
        value = std::log(value);
    }
    const double span = high - low;
    if (!std::isfinite(value) || !std::isfinite(span) || span == 0)
        return 0.5;
    return std::clamp((value - low) / span, 0.0, 1.0);
}

Colour HeatColour(double position)
{
    const double at = std::clamp(std::isfinite(position) ? position : 0.5, 0.0, 1.0) * (kPalette.size() - 1);
    const auto lower = std::min(static_cast<std::size_t>(at), kPalette.size() - 2);
    const double f = at - static_cast<double>(lower);
    const auto mix = [f](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * f));
    };
    const Colour& a = kPalette[lower];
    const Colour& b = kPalette[lower + 1];
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

HeatMapSize MeasureHeatMap(const HeatMap& map, Surface& measure)
{
    const Layout l = LayOut(map, measure);
    return {l.width, l.height};
}

void DrawHeatMap(Surface& s, const HeatMap& map)
{
    const Layout l = LayOut(map, s);
    s.brush = {kWhite, BrushStyle::Clear};
    UseFont(s, kTitleFontPx, FontStyle::Bold);
    s.TextOut(kMargin, kMargin, map.title);

    UseFont(s, kLabelFontPx, FontStyle::Regular);
    const int headerY = l.gridTop - l.headerHeight;
    s.TextOut(kMargin, headerY, map.rowHeading);
    for (std::size_t c = 0; c < map.columnLabels.size(); ++c) {
        const int x = l.gridLeft + static_cast<int>(c) * l.cellWidth;
        s.TextOut(x + (l.cellWidth - s.TextWidth(map.columnLabels[c])) / 2, headerY, map.columnLabels[c]);
    }
    const int textDrop = (kCellHeight - s.TextHeight("0")) / 2;
    s.pen = {kWhite, 1};
    for (std::size_t r = 0; r < map.rowLabels.size(); ++r) {
        const int y = l.gridTop + static_cast<int>(r) * kCellHeight;
        s.brush = {kWhite, BrushStyle::Clear};
        s.TextOut(kMargin, y + textDrop, map.rowLabels[r]);
        for (std::size_t c = 0; c < map.columnLabels.size(); ++c) {
            const std::optional<double> value =
                r < map.values.size() && c < map.values[r].size() ? map.values[r][c] : std::nullopt;
            s.brush = {value ? HeatColour(HeatPosition(map.scale, *value)) : kHeatMapNoValue, BrushStyle::Solid};
            const int x = l.gridLeft + static_cast<int>(c) * l.cellWidth;
            s.Rectangle(x, y, x + l.cellWidth, y + kCellHeight);
        }
    }

    // The colour bar: its high end at the top.
    s.brush = {kWhite, BrushStyle::Clear};
    s.TextOut(l.barLeft, headerY, map.barCaption);
    for (int k = 0; k < kBarSlices; ++k) {
        const int top = l.barTop + l.barHeight * k / kBarSlices;
        const int bottom = l.barTop + l.barHeight * (k + 1) / kBarSlices;
        const Colour colour = HeatColour(1.0 - (k + 0.5) / kBarSlices);
        s.pen = {colour, 1};
        s.brush = {colour, BrushStyle::Solid};
        s.Rectangle(l.barLeft, top, l.barLeft + kBarWidth, bottom);
    }
    s.pen = {kBlack, 1};
    s.brush = {kWhite, BrushStyle::Clear};
    s.Rectangle(l.barLeft, l.barTop, l.barLeft + kBarWidth, l.barTop + l.barHeight);
    for (const double tick : map.ticks) {
        const int y = l.barTop + static_cast<int>(std::lround((1.0 - HeatPosition(map.scale, tick)) * l.barHeight));
        s.MoveTo(l.barLeft + kBarWidth, y);
        s.LineTo(l.barLeft + kBarWidth + kTickLength, y);
        s.TextOut(l.barLeft + kBarWidth + kTickLength + 3, y - s.TextHeight("0") / 2, TickText(tick));
    }

    // The legend of the grey cells.
    const int legendTop = l.gridTop + l.bodyHeight + kGap;
    s.pen = {kBlack, 1};
    s.brush = {kHeatMapNoValue, BrushStyle::Solid};
    s.Rectangle(kMargin, legendTop, kMargin + kCellHeight, legendTop + kCellHeight);
    s.brush = {kWhite, BrushStyle::Clear};
    s.TextOut(kMargin + kCellHeight + kGap, legendTop + textDrop, map.noValueLabel);
}

std::string HeatMapSvg(const HeatMap& map)
{
    SvgSurface measure(1, 1);
    const HeatMapSize size = MeasureHeatMap(map, measure);
    SvgSurface picture(size.width, size.height);
    DrawHeatMap(picture, map);
    return picture.document();
}

} // namespace umbrix
