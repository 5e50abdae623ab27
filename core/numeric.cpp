#include "core/numeric.h"
#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace umbrix {

namespace {

constexpr int kMaxDecimals = 100;
constexpr int kMaxFieldWidth = 1000;
constexpr int kMinSecFieldWidth = 6;

// Largest double has 309 integer digits; plus sign, decimal point and the decimals.
using NumberBuffer = std::array<char, 309 + 2 + kMaxDecimals + 8>;

std::string PadLeft(std::string text, int width)
{
    const auto size = static_cast<int>(text.size());
    if (size < width)
        text.insert(0, static_cast<std::size_t>(width - size), ' ');
    return text;
}

std::string NonFiniteText(double x)
{
    if (std::isnan(x))
        return "NaN";
    return x > 0 ? "INF" : "-INF";
}

// Fixed notation through WriteReal: "." whatever the C or C++ locale.
std::string ToFixed(double x, int decimals)
{
    NumberBuffer buffer;
    const auto [end, ec] =
        WriteReal(buffer.data(), buffer.data() + buffer.size(), x, RealFormat::Fixed, decimals);
    if (ec != std::errc{})
        return NonFiniteText(std::numeric_limits<double>::quiet_NaN());
    return std::string(buffer.data(), end);
}

template <typename Real> Real Reduce360Impl(Real angleDeg)
{
    if (!std::isfinite(angleDeg))
        return std::numeric_limits<Real>::quiet_NaN();
    if (std::abs(angleDeg) > Real(1e9))
        angleDeg = std::fmod(angleDeg, Real(360));
    while (angleDeg > 360)
        angleDeg -= 360;
    while (angleDeg < 0)
        angleDeg += 360;
    return angleDeg;
}

} // namespace

int Sign(double x)
{
    if (x > 0)
        return 1;
    if (x < 0)
        return -1;
    return 0;
}

double Guard(double v, double eps)
{
    if (std::abs(v) < eps)
        return (Sign(v) + 0.5) * eps;
    return v;
}

double SafeTan(double xRad)
{
    constexpr double kRightAngleToleranceDeg = 1e-9;
    constexpr double kNearRightAngleDeg = 89.99999; // the angle whose tangent stands in for tan 90 degrees
    if (std::abs(xRad / degToRad - 90) < kRightAngleToleranceDeg)
        return std::tan(kNearRightAngleDeg * degToRad);
    return std::tan(xRad);
}

double Reduce360(double angleDeg)
{
    return Reduce360Impl(angleDeg);
}

long double Reduce360Extended(long double angleDeg)
{
    return Reduce360Impl(angleDeg);
}

std::string FormatFixed(int width, int decimals, double x)
{
    if (width < decimals)
        return {};
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    width = std::min(width, kMaxFieldWidth);
    if (!std::isfinite(x))
        return PadLeft(NonFiniteText(x), width);

    std::string text = ToFixed(x, decimals);
    // A negative value that rounds to zero would read "-0.00": a dial maker sees zero, so no sign.
    if (text.front() == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return PadLeft(std::move(text), width);
}

std::string FormatMinSec(double hourAngleDeg)
{
    if (!std::isfinite(hourAngleDeg))
        return PadLeft(NonFiniteText(hourAngleDeg), kMinSecFieldWidth);

    const double minutesOfTime = 4 * hourAngleDeg;
    const double fraction = minutesOfTime - std::trunc(minutesOfTime); // carries the sign of the minutes
    int seconds = static_cast<int>(std::trunc(minutesOfTime >= 0 ? fraction * 60 + 0.5 : fraction * 60 - 0.5));
    double minutes = std::trunc(minutesOfTime);
    if (std::abs(seconds) == 60) {
        // 59.5 s and more round into the next minute, away from zero.
        minutes = std::trunc(minutesOfTime + 60.0 / seconds);
        seconds = 0;
    }

    // The minus sign comes with the minutes, except when they are 0 and the seconds alone are negative.
    std::string text = minutes == 0 && seconds < 0 ? "-" : "";
    text += ToFixed(minutes + 0.0, 0); // + 0.0 turns -0 into 0
    text += seconds > -10 && seconds < 10 ? ":0" : ":";
    text += std::to_string(std::abs(seconds));
    return PadLeft(std::move(text), kMinSecFieldWidth);
}

std::optional<bool> ParseSwitch(std::string_view text)
{
    if (text == "1" || text == "true")
        return true;
    if (text == "0" || text == "false")
        return false;
    return std::nullopt;
}

} // namespace umbrix
