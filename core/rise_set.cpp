#include "core/rise_set.h"

#include "core/ephemeris.h"
#include "core/numeric.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

constexpr double kSolsticeDeclinationDeg = 23.44; // last point of the curve
constexpr double kGraphMinRangeDeg = 0.01;        // a flatter curve is not drawn
constexpr double kRadiusCheckTolerance = 0.0001;  // dial units

/// sqrt of a radicand that rounding or geometry may push below zero (then 0); NaN also gives 0.
double SqrtOrZero(double radicand)
{
    return radicand > 0 ? std::sqrt(radicand) : 0.0;
}

} // namespace

RiseSetErrorCurve ComputeRiseSetErrorCurve(double latitudeDeg, double rhoDeg)
{
    RiseSetErrorCurve curve;
    const double sinL = std::sin(latitudeDeg * degToRad);
    const double cosL = std::cos(latitudeDeg * degToRad);
    const double q = sinL / std::cos(rhoDeg * degToRad);
    const double markRoot = SqrtOrZero(1 - q * q);
    for (int i = 0; i < kRiseSetErrorPoints; ++i) {
        const double declDeg = i + 1 < kRiseSetErrorPoints ? i + 1.0 : kSolsticeDeclinationDeg;
        const double a1Deg = std::atan(markRoot / std::tan(declDeg * degToRad)) / degToRad;
        const double l = cosL / std::sin(declDeg * degToRad);
        const double a2Deg = std::atan(SqrtOrZero(l * l - 1)) / degToRad;
        const double error = a1Deg - a2Deg;
        curve.points[static_cast<std::size_t>(i)] = {declDeg, error};
        curve.maxError = std::max(curve.maxError, error);
        curve.minError = std::min(curve.minError, error);
    }
    return curve;
}

RiseSetErrorCurve RiseSetErrorCurveOf(const DialParameters& p)
{
    return ComputeRiseSetErrorCurve(p.latitude, p.riseSetDeclination);
}

bool RiseSetErrorGraphDrawn(const RiseSetErrorCurve& curve)
{
    return !(curve.maxError - curve.minError < kGraphMinRangeDeg);
}

std::string RiseSetMaxErrorText(const RiseSetErrorCurve& curve)
{
    return FormatFixed(5, 2, std::max(-curve.minError, curve.maxError));
}

LambertCircleResult LambertCircle(const DialParameters& p, const DerivedGeometry& derived, double declinationDeg,
                                  double latitudeDeg, double zPlus90Deg)
{
    LambertCircleResult out;
    const double m = p.semiMajorAxis;
    const double tanD = std::tan(declinationDeg * degToRad);
    const double k = -std::tan(latitudeDeg * degToRad) * tanD;
    if (!(std::abs(k) <= 1))
        return out; // polar day or night: no sunrise point on the ellipse
    const double xs = -m * std::sqrt(1 - k * k);
    const double ys = derived.semiMinorAxis * k;
    const double c = std::sin((zPlus90Deg - latitudeDeg) * degToRad) * m * tanD / derived.cosPlaneGnomon;
    const double chordY = c - ys;
    const double sinD = std::sin(declinationDeg * degToRad);
    if (chordY == 0 || sinD == 0)
        return out; // the circle becomes a straight line
    const double v = chordY * chordY + xs * xs;
    const double r = v / 2 / chordY;
    const double r2 = std::cos(latitudeDeg * degToRad) * std::sqrt(v) / sinD / 2;
    if (!std::isfinite(r) || !std::isfinite(c) || !std::isfinite(r2))
        return out;
    out.valid = true;
    out.radius = r;
    out.c = c;
    out.secondRadius = r2;
    out.radiiDiffer = std::abs(r - r2) > kRadiusCheckTolerance;
    return out;
}

LambertCircleResult ShadowDayLambertCircle(const Model& model)
{
    const DialParameters& p = model.params;
    const int dayOfYear = DayOfYear(p.year, model.state.shadowMonth, model.state.shadowDay);
    const SunRiseSetResult sun = SunRiseSet(p.year, dayOfYear, p.longitude, p.latitude);
    return LambertCircle(p, model.derived, sun.declinationDeg, p.latitude, p.gnomonInclination + 90);
}

std::optional<UiMessage> RadiusCheckMessage(const LanguageState& lang, const LambertCircleResult& circle)
{
    if (!circle.valid || !circle.radiiDiffer)
        return std::nullopt;
    return UiMessage{std::string(CaptionText(lang, Caption::Information)),
                     "Radien verschieden: " + FormatFixed(5, 2, circle.radius) + "/" +
                         FormatFixed(5, 2, circle.secondRadius),
                     MessageIcon::Question};
}

bool ReportRadiusCheck(const Model& model, Host& host, const LambertCircleResult& circle)
{
    if (model.results.radiusCheckReported)
        return false;
    const std::optional<UiMessage> message = RadiusCheckMessage(model.state.language, circle);
    if (message)
        host.showMessage(message->caption, message->text, message->icon);
    return message.has_value();
}

} // namespace umbrix
