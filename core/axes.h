#pragma once
// Derived axes and extents of the construction.

#include "core/model.h"

namespace umbrix {

/// Derives cosPlaneGnomon (guarded at 1e-5), semiMinorAxis, extentX and extentY for the dial type.
/// a = semiMajorAxis (type 7: fixedGnomonReach when that is larger); te = tan(obliquity).
///   types 0, 1, 6, 7: b = a (sin L - tan z cos D cos L); extentX = a;
///                     extentY = max(b, a te (cos L + tan z cos D sin L))
///   type 2:           b = a sin L; u = max(a sin L, a cos L te);
///                     extentX = max(a cos P, u sin P); extentY = max(u cos P, a sin P)
///   types 3, 4:       b = |a cos L cos P|; extentX = max(a, a sin L te); extentY = max(b, a cos L sin P te)
///   type 5:           b = a sin L; extentX = a; extentY = max(b, a cos L te)
/// A dial type above 7 changes only cosPlaneGnomon.
void UpdateAxes(DialParameters& p, const SharedState& s);

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
