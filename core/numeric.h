#pragma once
// Small numeric and text helpers shared by every computation: the degree conversion constant, the sign
// function, the divisor guard, a tangent that stays finite at 90 degrees, angle reduction, and the
// conversion of numbers to fixed-width text ("." as decimal separator whatever the locale).

#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

/// Degrees to radians. A fixed value, not pi / 180 computed at run time: results are compared to the last
/// digit, so every angle goes through this very constant.
constexpr double degToRad = 0.0174532925199433;

/// 1 when x > 0, -1 when x < 0, 0 when x is 0 (either sign of zero) or NaN.
[[nodiscard]] int Sign(double x);

/// Keeps a divisor or an argument away from zero while keeping its sign: when |v| < eps the result is
/// (Sign(v) + 0.5) * eps, that is 1.5 * eps for a tiny positive v, -0.5 * eps for a tiny negative v and
/// 0.5 * eps for exactly 0; otherwise v itself. eps > 0 (1e-5, 1e-7 or 1e-9 by place). NaN stays NaN.
[[nodiscard]] double Guard(double v, double eps);

/// tan(xRad), except that an angle within 1e-9 degrees of +90 degrees is replaced by 89.99999 degrees, so
/// that the result stays finite (about 5.7e6). -90 degrees is not guarded.
[[nodiscard]] double SafeTan(double xRad);

/// Reduces an angle in degrees to [0, 360]: while it is greater than 360, 360 is subtracted, then while it
/// is below 0, 360 is added; 360 itself stays 360. Subtracting 360 is exact for the angles met here, so the
/// result is the exact remainder. Angles beyond 1e9 degrees are first reduced with fmod (same remainder,
/// without a billion steps). A non-finite angle gives NaN.
[[nodiscard]] double Reduce360(double angleDeg);
/// The same reduction in extended precision, for the intermediate values of the solar theory.
[[nodiscard]] long double Reduce360Extended(long double angleDeg);

/// x in fixed notation with exactly `decimals` decimals (no decimal point when decimals is 0), "." as the
/// decimal separator, right-aligned with leading blanks in a field of at least `width` characters; a longer
/// number is not cut. Rounding is to the nearest decimal of the exact binary value of x. A value that rounds
/// to zero is written without sign ("0.00", never "-0.00"). A non-finite x is written as "NaN", "INF" or
/// "-INF", right-aligned in the same way.
/// Returns the empty text when width < decimals (the caller reports that as a conversion error). A negative
/// `decimals` counts as 0; `decimals` above 100 as 100 and `width` above 1000 as 1000.
[[nodiscard]] std::string FormatFixed(int width, int decimals, double x);

/// An hour-angle value in degrees (for example an equation of time) as minutes and seconds of time,
/// 4 minutes per degree: "m:ss", seconds rounded to the nearest second (59.5 s and more go into the next
/// minute, shown as ":00"), a minus sign in front for negative values, including those between -1 and
/// 0 minutes ("-0:30"); a value that rounds to 0:00 has no sign. Right-aligned to at least 6 characters.
/// Examples: 3.5 gives " 14:00", -0.125 gives " -0:30", -0.375 gives " -1:30". A non-finite value gives
/// "NaN", "INF" or "-INF", right-aligned.
[[nodiscard]] std::string FormatMinSec(double hourAngleDeg);

/// A switch as text: "1" or "true" is on, "0" or "false" off; any other text is no switch.
[[nodiscard]] std::optional<bool> ParseSwitch(std::string_view text);

} // namespace umbrix
