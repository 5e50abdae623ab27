#pragma once
// The clip window of an HPGL plot (IW): a rectangle in drawing units outside which no stroke is drawn.
// Strokes with one end outside are cut at the window's boundary.

#include <string>

namespace umbrix::hpgl {

/// A point in drawing units.
struct PointValue {
    double x = 0.0;
    double y = 0.0;
};

/// A point as the texts written to the DXF file; both empty before the first move.
struct PointText {
    std::string x;
    std::string y;
    [[nodiscard]] bool empty() const { return x.empty() && y.empty(); }
};

class ClipWindow {
public:
    /// The window between two corners given in any order. A window without width clips nothing.
    void set(double x1, double y1, double x2, double y2);

    /// Whether a window is set: until IW, and after an IW of zero width, nothing is clipped.
    [[nodiscard]] bool active() const { return xMin_ != xMax_; }

    /// 0 inside the window, 1 left of it, 2 right, 3 below, 4 above (tested in this order).
    [[nodiscard]] int code(PointValue p) const;

    /// Moves the outside end of a stroke along it onto the window's boundary, one crossed bound at a time,
    /// until it lies on the window (at most four moves: the inside end satisfies every bound). The texts
    /// have width 11 and 4 decimals.
    [[nodiscard]] PointText towards(PointValue outside, PointValue inside) const;

private:
    double xMin_ = 0.0;
    double xMax_ = 0.0;
    double yMin_ = 0.0;
    double yMax_ = 0.0;
};

} // namespace umbrix::hpgl
