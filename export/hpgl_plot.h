#pragma once
// The HPGL page being written: its size, scale and centre, and the four drawing primitives. Every
// coordinate written is an integer right-aligned in 8 characters; a primitive whose point lies outside the
// plotter's window is dropped whole.

#include <string>
#include <string_view>

namespace umbrix {

constexpr int kPlotUnitsPerMm = 40;
constexpr int kPlotPageWidth = 16400;  // plotter units
constexpr int kPlotPageHeight = 11480; // plotter units

class HpglPlot {
public:
    int width = kPlotPageWidth;
    int height = kPlotPageHeight;
    double u = 400;   // plotter units per dial unit
    double k = 0.22;  // text scale: semiMajorAxis * u / 5000
    long long cx = 0; // x of the dial centre in use
    long long cy = 0; // y of the dial centre, measured from the top of the page
    std::string out;

    void literal(std::string_view text) { out += text; }

    /// Plotter x and y of a dial point (x east, y north, dial units).
    double X(double x) const;
    double Y(double y) const;
    double centreY() const { return static_cast<double>(height - cy); }

    /// ";PU x y", dropped when |x - 8500| >= 15000 or |y - 6000| >= 10000.
    void moveTo(double x, double y) { penTo("PU", x, y); }
    /// ";PD x y", the same window. After a dropped point the pen moves up to the next point instead, so that
    /// no line starts from a place the drawing did not mean.
    void drawTo(double x, double y) { penTo("PD", x, y); }
    void moveToDial(double x, double y) { moveTo(X(x), Y(y)); }
    void drawToDial(double x, double y) { drawTo(X(x), Y(y)); }
    /// ";PU x y;LB" text ETX, the text in Windows-1252; the same window.
    void label(double x, double y, std::string_view utf8Text);
    /// ";PU cx cy;CI r, 1" for the circle in the box; dropped when |cx - 8500| >= 15000 or |cy - 6000| >= 8500.
    void circle(double x1, double y1, double x2, double y2);
    /// A dot of radius r plotter units round the plotter point (x, y).
    void dot(double x, double y, double r) { circle(x + r, y - r, x - r, y + r); }

private:
    void penTo(std::string_view command, double x, double y);
    bool penLost_ = false;
};

/// An integer right-aligned in 8 characters (longer numbers whole).
std::string PlotInt(long long v);

} // namespace umbrix
