#pragma once
// The construction as geometry in dial units, element by element on named layers: what a true-size CAD
// file holds. x east, y north (up the plane), origin at the centre P(0/0); a split dial's halves carry
// their offsets (see dial_points.h). Text heights are in proportion to the semi-major axis a, so the
// drawing reads the same at every size.

#include "core/model.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

enum class DrawingLayer : std::uint8_t {
    HourPoints,
    HourLabels,
    HourEllipse,
    DateScale,
    DateLabels,
    ShadowPath,
    Loops,
    RiseSet,
    Lambert,
    Axes,
    Gnomon,
    Text,
    DstHours, // the daylight-saving hour ring, kept free for it
    DstDates,
    Count
};

/// The layer's name in a CAD file: HOUR_POINTS, HOUR_LABELS, ...
[[nodiscard]] std::string_view LayerName(DrawingLayer layer);

/// Every layer, in the order above.
[[nodiscard]] std::array<DrawingLayer, static_cast<std::size_t>(DrawingLayer::Count)> AllLayers();

struct GeometryPolyline {
    DrawingLayer layer = DrawingLayer::Axes;
    std::vector<DialPoint> points;
    bool closed = false;
};

/// A point at its exact position; with radius > 0 also a small circle round it.
struct GeometryPoint {
    DrawingLayer layer = DrawingLayer::HourPoints;
    DialPoint at;
    double radius = 0;
};

struct GeometryCircle {
    DrawingLayer layer = DrawingLayer::Lambert;
    DialPoint centre;
    double radius = 0;
};

enum class TextAnchor : std::uint8_t { BaselineLeft, Centre };

struct GeometryText {
    DrawingLayer layer = DrawingLayer::Text;
    DialPoint at;
    double height = 0; // dial units
    std::string text;  // UTF-8
    TextAnchor anchor = TextAnchor::BaselineLeft;
};

/// The extent of a set of points; empty until the first point is added.
struct Extent {
    DialPoint min{};
    DialPoint max{};
    bool empty = true;

    void add(DialPoint p);
    void include(const Extent& other);
    [[nodiscard]] double width() const { return empty ? 0 : max.x - min.x; }
    [[nodiscard]] double height() const { return empty ? 0 : max.y - min.y; }
};

struct ConstructionGeometry {
    std::vector<GeometryPolyline> polylines;
    std::vector<GeometryPoint> points;
    std::vector<GeometryCircle> circles;
    std::vector<GeometryText> texts;
    Extent dial;  // every element but the texts of the title block
    Extent whole; // everything, the title block's estimated box included
};

/// The construction of the last calculation: axes, hour curves and marks with their numbers, the date scale
/// or the loops with their labels, the gnomon lines and Z, rise/set marks and the Lambert circle, the shadow
/// path of the shadow day, and a title block below the dial. Non-finite coordinates are left out.
[[nodiscard]] ConstructionGeometry BuildConstructionGeometry(const Model& model);

/// Text heights as shares of the semi-major axis.
constexpr double kHourLabelShare = 0.03;
constexpr double kDateLabelShare = 0.02;
constexpr double kTitleShare = 0.04;
constexpr double kLegendShare = 0.025;

} // namespace umbrix
