#include "export/hpgl_plot.h"

#include "export/windows1252.h"

#include <cmath>

namespace umbrix {

namespace {

// The plotter's window: a primitive whose point lies outside is dropped whole.
constexpr double kWindowCentreX = 8500;
constexpr double kWindowHalfX = 15000;
constexpr double kWindowCentreY = 6000;
constexpr double kWindowHalfY = 10000;
constexpr double kCircleWindowHalfY = 8500;
constexpr std::size_t kNumberWidth = 8;
constexpr char kLabelEnd = '\x03';

bool InWindow(double x, double y, double halfY)
{
    return std::isfinite(x) && std::isfinite(y) && std::abs(x - kWindowCentreX) < kWindowHalfX &&
           std::abs(y - kWindowCentreY) < halfY;
}

} // namespace

std::string PlotInt(long long v)
{
    std::string digits = std::to_string(v);
    if (digits.size() < kNumberWidth)
        digits.insert(0, kNumberWidth - digits.size(), ' ');
    return digits;
}

double HpglPlot::X(double x) const
{
    return static_cast<double>(cx) + std::round(u * x);
}

double HpglPlot::Y(double y) const
{
    return height - std::round(static_cast<double>(cy) - u * y);
}

void HpglPlot::penTo(std::string_view command, double x, double y)
{
    if (!InWindow(x, y, kWindowHalfY)) {
        penLost_ = true;
        return;
    }
    out += ";";
    out += penLost_ ? "PU" : command;
    out += " " + PlotInt(std::llround(x)) + " " + PlotInt(std::llround(y));
    penLost_ = false;
}

void HpglPlot::label(double x, double y, std::string_view utf8Text)
{
    if (!InWindow(x, y, kWindowHalfY))
        return;
    out += ";PU " + PlotInt(std::llround(x)) + " " + PlotInt(std::llround(y)) + ";LB";
    out += Utf8ToWindows1252(utf8Text);
    out += kLabelEnd;
}

void HpglPlot::circle(double x1, double y1, double x2, double y2)
{
    const double mx = (x1 + x2) / 2;
    const double my = (y1 + y2) / 2;
    const double r = std::abs(x2 - x1) / 2;
    if (!InWindow(mx, my, kCircleWindowHalfY) || !std::isfinite(r))
        return;
    out += ";PU " + PlotInt(std::llround(mx)) + " " + PlotInt(std::llround(my)) + ";CI " + PlotInt(std::llround(r)) +
           ", 1";
}

} // namespace umbrix
