#pragma once
// Drawings at a stated scale: the construction at 1 : N in millimetres as an SVG picture, and the marks
// every true-scale page carries - a scale bar, the ratio, an arrow for north (or for "up" on a plane that
// is not horizontal). Page units of these drawings are 0.1 mm, as on a printed page.

#include "core/length_unit.h"
#include "core/model.h"
#include "graphics/construction_geometry.h"
#include "graphics/surface.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

constexpr int kTenthMmPerMm = 10;
/// Room round the construction on a true-scale page, mm.
constexpr double kTrueScaleMarginMm = 10;
/// Largest side of a true-scale page, mm (1 km: beyond any dial).
constexpr double kMaxTrueScalePageMm = 1.0e6;

/// "1:N" (also "1 : N") with 1 <= N <= 10^9; nothing for any other text.
[[nodiscard]] std::optional<std::int64_t> ParseScaleRatio(std::string_view text);

/// The largest length 1, 2 or 5 times a power of ten that is at most maxLength (> 0); 0 when there is none.
[[nodiscard]] double RoundScaleBarLength(double maxLength);

/// A scale bar of RoundScaleBarLength(maxTenthMm / tenthMmPerDialUnit) dial units, in five alternately
/// filled parts, with "0" and its length in the unit below it; left end at (x, y), y the bar's top.
/// Returns its width in page units (0 when nothing fits).
int DrawScaleBar(Surface& s, int x, int y, double tenthMmPerDialUnit, double maxTenthMm, LengthUnit unit);

/// Whether +y of the dial is north (horizontal planes) or up the plane (vertical and inclined planes).
[[nodiscard]] bool DialYIsNorth(const DialParameters& p);

/// An arrow pointing up the page from (x, y + length) to (x, y), its label above the tip; the arrow is
/// turned clockwise by rotationDeg about its foot.
void DrawArrow(Surface& s, int x, int y, int length, double rotationDeg, std::string_view label);

/// A picture of the construction at 1 : denominator, sized in millimetres.
struct TrueScaleSvg {
    bool ok = false;
    std::string document;
    std::string reason;
    double widthMm = 0;
    double heightMm = 0;
};

/// Draws the construction of the last calculation (the construction drawing of a printed page at a fixed
/// scale) on a page of its extent plus 10 mm on each side, with a scale bar, "1 : N", and a north arrow or,
/// for planes that are not horizontal, an "up" arrow. `unit` is the unit of the dial's lengths. Refused
/// when the page would be larger than kMaxTrueScalePageMm or the scale is not positive.
[[nodiscard]] TrueScaleSvg DrawTrueScaleSvg(const Model& model, LengthUnit unit, std::int64_t denominator);

/// The dial's extent on a page at `mmPerDialUnit`, plus the margin: its size in mm.
struct TrueScalePage {
    double widthMm = 0;
    double heightMm = 0;
    double centreXMm = 0; // where P(0/0) lies from the page's top-left corner
    double centreYMm = 0;
};
[[nodiscard]] TrueScalePage PageForExtent(const Extent& extent, double mmPerDialUnit, double marginMm);

} // namespace umbrix
