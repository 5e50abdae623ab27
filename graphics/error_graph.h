#pragma once
// The error graph of the rise/set marks. DrawErrorGraph itself is declared with the construction drawing
// (graphics/construction.h); this header holds the scale rules it uses.

namespace umbrix {

/// The value step between the error ticks and how often a tick carries its value, by the range
/// R = maxError - minError of the curve (degrees): R > 2.5: 0.25, every 4th; R < 0.2: 0.01, every 4th;
/// R < 1.01: 0.05, every 4th; otherwise 0.1, every 5th.
struct ErrorAxisScale {
    double step = 0.1;
    int labelPeriod = 5;
    int decimals = 1; // decimals of the tick values: 2 where the labelled values are hundredths
};
[[nodiscard]] ErrorAxisScale ErrorAxisScaleFor(double range);

/// The error curve must span at least this many degrees to be drawn.
constexpr double kMinErrorRangeDeg = 0.01;

} // namespace umbrix
