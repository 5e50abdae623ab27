#include "graphics/true_scale.h"

#include "core/number_text.h"
#include "core/numeric.h"
#include "graphics/construction.h"
#include "graphics/svg_surface.h"
#include "text/own_texts.h"

#include <charconv>
#include <cmath>

namespace umbrix {

namespace {

constexpr std::int64_t kMaxDenominator = 1000000000;
constexpr int kBarParts = 5;
constexpr int kBarHeight = 15;      // 1.5 mm
constexpr int kMarkFontHeight = 30; // 3 mm
constexpr int kArrowLength = 80;    // 8 mm
constexpr int kArrowHead = 15;

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<std::int64_t> ParseScaleRatio(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || Trimmed(text.substr(0, colon)) != "1")
        return std::nullopt;
    const std::string_view number = Trimmed(text.substr(colon + 1));
    std::int64_t n = 0;
    const auto [end, error] = ReadInteger(number, n);
    if (error != std::errc() || end != number.data() + number.size() || n < 1 || n > kMaxDenominator)
        return std::nullopt;
    return n;
}

double RoundScaleBarLength(double maxLength)
{
    if (!(maxLength > 0) || !std::isfinite(maxLength))
        return 0;
    const double power = std::pow(10.0, std::floor(std::log10(maxLength)));
    for (const double step : {5.0, 2.0, 1.0})
        if (step * power <= maxLength)
            return step * power;
    return power / 2;
}

int DrawScaleBar(Surface& s, int x, int y, double tenthMmPerDialUnit, double maxTenthMm, LengthUnit unit)
{
    const double length = RoundScaleBarLength(maxTenthMm / tenthMmPerDialUnit);
    const double width = length * tenthMmPerDialUnit;
    if (!(length > 0) || !std::isfinite(width) || width < kBarParts)
        return 0;
    const int total = static_cast<int>(std::lround(width));
    s.pen = {kBlack, 2};
    for (int k = 0; k < kBarParts; ++k) {
        s.brush = {k % 2 == 0 ? kBlack : kWhite, BrushStyle::Solid};
        s.Rectangle(x + total * k / kBarParts, y, x + total * (k + 1) / kBarParts, y + kBarHeight);
    }
    s.brush = {kWhite, BrushStyle::Clear};
    s.font = {std::string(kFontArial), kMarkFontHeight, kBlack, FontStyle::Regular};
    s.TextOut(x, y + kBarHeight + 3, "0");
    // A round length needs no trailing zeros: "2 m", "0.5 m", "5 cm".
    std::string number = FormatDecimals(length, 6);
    if (number.find('.') != std::string::npos) {
        while (number.back() == '0')
            number.pop_back();
        if (number.back() == '.')
            number.pop_back();
    }
    const std::string label = number + " " + std::string(UnitName(unit));
    s.TextOut(x + total - s.TextWidth(label), y + kBarHeight + 3, label);
    return total;
}

bool DialYIsNorth(const DialParameters& p)
{
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::HorizontalTiltedGnomon:
    case DialType::MeanTime:
    case DialType::FixedGnomon:
        return true;
    case DialType::InclinedPlane:
    case DialType::InclinedPlaneGnomon:
        return p.planeInclination == 0;
    case DialType::VerticalSouth:
    case DialType::VerticalDeclining:
        return false;
    }
    return true;
}

void DrawArrow(Surface& s, int x, int y, int length, double rotationDeg, std::string_view label)
{
    const double c = std::cos(rotationDeg * degToRad);
    const double sn = std::sin(rotationDeg * degToRad);
    // Page y grows downwards: a point at distance d up the arrow and e to its right.
    const auto at = [&](double d, double e) {
        return std::pair<int, int>{static_cast<int>(std::lround(x + d * sn + e * c)),
                                   static_cast<int>(std::lround(y + length - d * c + e * sn))};
    };
    s.pen = {kBlack, 3};
    const auto foot = at(0, 0);
    const auto tip = at(length, 0);
    s.MoveTo(foot.first, foot.second);
    s.LineTo(tip.first, tip.second);
    const auto left = at(length - kArrowHead, -kArrowHead / 2.0);
    const auto right = at(length - kArrowHead, kArrowHead / 2.0);
    s.LineTo(left.first, left.second);
    s.MoveTo(tip.first, tip.second);
    s.LineTo(right.first, right.second);
    if (label.empty())
        return;
    s.brush = {kWhite, BrushStyle::Clear};
    s.font = {std::string(kFontArial), kMarkFontHeight, kBlack, FontStyle::Bold};
    const auto top = at(length + kMarkFontHeight / 2.0 + 5, 0);
    s.TextOut(top.first - s.TextWidth(label) / 2, top.second - s.TextHeight(label) / 2, label);
}

TrueScalePage PageForExtent(const Extent& extent, double mmPerDialUnit, double marginMm)
{
    TrueScalePage page;
    const Extent e = extent.empty ? Extent{{0, 0}, {0, 0}, false} : extent;
    page.widthMm = (e.max.x - e.min.x) * mmPerDialUnit + 2 * marginMm;
    page.heightMm = (e.max.y - e.min.y) * mmPerDialUnit + 2 * marginMm;
    page.centreXMm = marginMm - e.min.x * mmPerDialUnit;
    page.centreYMm = marginMm + e.max.y * mmPerDialUnit;
    return page;
}

TrueScaleSvg DrawTrueScaleSvg(const Model& model, LengthUnit unit, std::int64_t denominator)
{
    TrueScaleSvg result;
    if (denominator < 1) {
        result.reason = "the scale must be 1:N with N >= 1";
        return result;
    }
    const double mmPerDialUnit = UnitSizeMm(unit) / static_cast<double>(denominator);
    const ConstructionGeometry geometry = BuildConstructionGeometry(model);
    const TrueScalePage page = PageForExtent(geometry.dial, mmPerDialUnit, kTrueScaleMarginMm);
    if (!(page.widthMm <= kMaxTrueScalePageMm && page.heightMm <= kMaxTrueScalePageMm)) {
        result.reason = "the drawing would be larger than " + FormatDecimals(kMaxTrueScalePageMm / 1000, 0) + " m";
        return result;
    }
    const int width = static_cast<int>(std::ceil(page.widthMm * kTenthMmPerMm));
    const int height = static_cast<int>(std::ceil(page.heightMm * kTenthMmPerMm));
    SvgSurface svg(width, height);
    svg.pen = {kWhite, 1};
    svg.brush = {kWhite, BrushStyle::Solid};
    svg.Rectangle(0, 0, width, height);

    DrawingState state;
    state.graphicsPageVisible = true;
    DrawOptions options;
    options.screenMode = false;
    options.placement = FixedPlacement{mmPerDialUnit * kTenthMmPerMm, page.centreXMm * kTenthMmPerMm,
                                       page.centreYMm * kTenthMmPerMm, width, height};
    options.makerHourLabels = MakerHourLabelsOf(model.params);
    // A drawing of its own: its state and what it would ask of the model stay here (the window's screen
    // drawing has asked the same of the same model).
    (void)DrawConstruction(model, state, svg, options);

    // The marks sit in the margins: the scale at the top right, the arrow at the top left.
    const LanguageState& lang = model.state.language;
    const int margin = static_cast<int>(kTrueScaleMarginMm * kTenthMmPerMm);
    const double maxBar = std::min(0.4 * width, 600.0);
    svg.font = {std::string(kFontArial), kMarkFontHeight, kBlack, FontStyle::Regular};
    const std::string ratio = "1 : " + std::to_string(denominator);
    const int barWidth = static_cast<int>(
        std::lround(RoundScaleBarLength(maxBar / (mmPerDialUnit * kTenthMmPerMm)) * mmPerDialUnit * kTenthMmPerMm));
    const int barLeft = width - margin / 2 - barWidth;
    DrawScaleBar(svg, barLeft, 10, mmPerDialUnit * kTenthMmPerMm, maxBar, unit);
    svg.font = {std::string(kFontArial), kMarkFontHeight, kBlack, FontStyle::Bold};
    svg.brush.style = BrushStyle::Clear;
    svg.TextOut(barLeft - 20 - svg.TextWidth(ratio), 10, ratio);
    const bool north = DialYIsNorth(model.params);
    DrawArrow(svg, margin / 2, margin + 40, kArrowLength, 0, OwnTextOf(lang, north ? OwnText::North : OwnText::Up));

    result.ok = true;
    result.document = svg.documentInMm(1.0 / kTenthMmPerMm);
    result.widthMm = width / static_cast<double>(kTenthMmPerMm);
    result.heightMm = height / static_cast<double>(kTenthMmPerMm);
    return result;
}

} // namespace umbrix
