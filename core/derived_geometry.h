#pragma once
// The geometry derived from the dial parameters: the plane/gnomon cosine, the semi-minor axis of the hour
// ellipse, the extent of the construction and the fixed gnomon's reach. Pure functions; only the calculation
// driver stores their result in the model (core/driver.h: RefreshDerivedGeometry).

#include "core/model.h"

namespace umbrix {

/// The plane/gnomon cosine divides the hour, date and rise/set formulas: it is kept at least this far
/// from zero (Guard), so a gnomon lying in the plane gives a very long but finite construction.
constexpr double kPlaneGnomonCosineGuard = 1e-5;

/// The construction drawing fits its scale to the date scale's extent, which divides by the same cosine
/// kept only this far from zero.
constexpr double kDrawingScaleCosineGuard = 1e-7;

/// Every derived value for the parameters: the fixed gnomon's reach anew (FixedGnomonReach with the
/// solstice roundedObliquityDeg), then the axes with that reach (DeriveAxes with obliquityDeg).
[[nodiscard]] DerivedGeometry DeriveGeometry(const DialParameters& p, double obliquityDeg, double roundedObliquityDeg);

/// The axes of the construction for the dial type, with a fixed gnomon's reach derived earlier
/// (fixedGnomonReach, kept in the result):
///   cosPlaneGnomon = cos(planeInclination - gnomonInclination), guarded at kPlaneGnomonCosineGuard;
///   drawingScaleCosine = the same cosine guarded at kDrawingScaleCosineGuard.
/// a = semiMajorAxis (type 7: fixedGnomonReach when that is larger); te = tan(obliquityDeg).
///   types 0, 1, 6, 7: b = a (sin L - tan z cos D cos L); extentX = a;
///                     extentY = max(b, a te (cos L + tan z cos D sin L))
///   type 2:           b = a sin L; u = max(a sin L, a cos L te);
///                     extentX = max(a cos P, u sin P); extentY = max(u cos P, a sin P)
///   types 3, 4:       b = |a cos L cos P|; extentX = max(a, a sin L te); extentY = max(b, a cos L sin P te)
///   type 5:           b = a sin L; extentX = a; extentY = max(b, a cos L te)
/// L latitude, z gnomon inclination, D gnomon deviation, P plane deviation. A dial type above 7 derives
/// only the two cosines (the axes stay 0).
[[nodiscard]] DerivedGeometry DeriveAxes(const DialParameters& p, double obliquityDeg, double fixedGnomonReach);

/// The factor k: k * semiMajorAxis is the reach of the date scale (tan 23.45 deg times the length of the
/// gnomon's projection factor). Uses latitude, gnomonDeviation and gnomonInclination.
double DateScaleFactor(const DialParameters& p);

/// Type 7: the semi-major axis of the hour ellipse of the date line of declination declDeg, for the gnomon
/// fixed at distanceZ: a Zd / (Zd - tan(decl) s Q a) with A = cos L + cos D sin L tan z, s = Sign A,
/// B = sin D sin L tan z, Q = sqrt(A^2 + B^2). The denominator is kept away from zero (1e-9).
double FixedGnomonEllipseAxis(const DialParameters& p, double declDeg);

/// Type 7: the largest hour ellipse, at the solstice on the side of Z (declination Sign(Zd) * roundedObliquity).
double FixedGnomonReach(const DialParameters& p, double roundedObliquity);

} // namespace umbrix
