#pragma once
// Rise and set marks of the common dial (type 0) and the error of reading sunrise and sunset from them,
// and the Lambert circle of the exact rise/set construction for one day.
//
// The two marks stand where the shadow of the gnomon points at sunrise and sunset on the day whose
// declination is rho (riseSetDeclination). On other days the shadow at sunrise misses the mark's direction;
// the error is the difference of two angles seen from the gnomon foot (degrees):
//   A1 = arctan(sqrt(1 - (sin L / cos rho)^2) / tan d)   direction towards the mark,
//   A2 = arctan(sqrt((cos L / sin d)^2 - 1))             direction of the shadow at sunrise,
// each radicand taken as 0 when it is negative. L latitude, d the sun's declination.

#include "core/fields.h"
#include "core/host.h"
#include "core/model.h"

#include <optional>
#include <string>

namespace umbrix {

/// The reading error for the declinations 1, 2, ..., 23 and 23.44 degrees at latitude latitudeDeg with the
/// marks of declination rhoDeg (any real number); maxError >= 0 and minError <= 0 are the extremes.
/// Every value is finite for every finite input.
[[nodiscard]] RiseSetErrorCurve ComputeRiseSetErrorCurve(double latitudeDeg, double rhoDeg);

/// ComputeRiseSetErrorCurve for the parameters' latitude and riseSetDeclination.
[[nodiscard]] RiseSetErrorCurve RiseSetErrorCurveOf(const DialParameters& p);

/// A curve whose extremes differ by less than 0.01 degrees is not drawn: only the graph area is cleared.
[[nodiscard]] bool RiseSetErrorGraphDrawn(const RiseSetErrorCurve& curve);

/// The text of lmaxErrAbs: the larger of -minError and maxError, 2 decimals, width 5.
[[nodiscard]] std::string RiseSetMaxErrorText(const RiseSetErrorCurve& curve);

/// The Lambert circle for the declination declinationDeg of one day (degrees), latitude latitudeDeg and
/// zPlus90Deg = gnomonInclination + 90, with M = semiMajorAxis of the parameters, b = semiMinorAxis and
/// g = cosPlaneGnomon of their derived geometry:
///   k = -tan L tan d (cosine of the sunrise hour angle); sunrise point xs = -M sqrt(1 - k^2), ys = b k;
///   gnomon position c = sin(zPlus90 - L) M tan d / g; v = (c - ys)^2 + xs^2; r = v / 2 / (c - ys);
///   check radius r2 = cos L sqrt(v) / sin d / 2.
/// Not valid (nothing to draw) when |k| > 1 (no sunrise or sunset), when c - ys or sin d is 0 or when a
/// value is not finite. No message is shown here.
[[nodiscard]] LambertCircleResult LambertCircle(const DialParameters& p, const DerivedGeometry& derived,
                                                double declinationDeg, double latitudeDeg, double zPlus90Deg);

/// The Lambert circle of the shadow day: its declination at 12 h local mean time of the site (as the
/// sunrise computation takes it), the model's latitude and gnomonInclination + 90.
[[nodiscard]] LambertCircleResult ShadowDayLambertCircle(const Model& model);

/// The radius check message "Radien verschieden: r/r2" (each 2 decimals, width 5) with the information
/// caption and the question icon, when the circle is valid and its two radii differ; otherwise nothing.
[[nodiscard]] std::optional<UiMessage> RadiusCheckMessage(const LanguageState& lang, const LambertCircleResult& circle);

/// Shows the radius check message through the host unless results.radiusCheckReported says it was shown in
/// this calculation (the driver clears it when a calculation starts). Returns whether it was shown now: the
/// screen drawing, which calls this with the circle it draws, hands that on for the model to keep.
[[nodiscard]] bool ReportRadiusCheck(const Model& model, Host& host, const LambertCircleResult& circle);

} // namespace umbrix
