#pragma once
// Shadow path: where the tip of the gnomon's shadow falls on the dial plane over one day.
//
// Samples run from two hours before hourFrom to two hours after hourTo, n_h per hour (linesPerHour when it
// is 3 or more, else 4). At each sample the sun's altitude and azimuth (from south, positive towards west)
// are taken at the sample's own clock time; the gnomon tip is projected along the sun's direction onto the
// plane. A sample with the sun too low, outside the day or behind the plane gets x = y = kNoShadow. On a
// day without sunset every sample with the sun above the horizon has its point; on one without sunrise
// none has.
// Dial types 2 and 5 have no shadow path.

#include "core/grid.h"
#include "core/model.h"

#include <optional>

namespace umbrix {

/// The dial types whose gnomon casts a shadow path on the plane: all but 2 and 5.
[[nodiscard]] bool HasShadowPath(const DialParameters& p);

/// The sun's declination (degrees) on the shadow day at 12 h local mean time.
[[nodiscard]] double ShadowDayDeclination(const Model& model);

/// Where the gnomon stands on the shadow day (dial units), from that declination delta and
/// rho = tan(delta) semiMajorAxis:
///   type 1: (rho sin L sin D tan z, rho (cos L + cos D sin L tan z));   type 4: (0, rho (sin L + cos L / tan z));
///   type 5: (0, rho sin L);   other types: (0, rho sin(z + 90 - L) / cosPlaneGnomon).
[[nodiscard]] DialPoint ShadowDayGnomonPosition(const Model& model);

/// The shadow path of one day, its listing and the obliquity of its last solar data.
struct ShadowPathResult {
    ShadowPathTable points{}; // slots 1..count; the others x = y = 0, t = -1
    int count = 0;
    StringGrid listing; // StrGridShad
    double obliquityDeg = 0;
};

/// The ShadowPathTable (slots 1 .. (hourTo - hourFrom + 4) n_h + 1, at most 169) and its listing for
/// StrGridShad for the shadow date day.month of `year`, the gnomon height being gnomonHeight, the plane's
/// inclination that of ShadowPlaneInclination. Types 2 and 5 have none.
[[nodiscard]] std::optional<ShadowPathResult> ComputeShadowPath(const Model& model, int year, int month, int day);

/// A plane inclination within 0.03 degrees of 90 counts as 89.97 (below 90) or 90.03 (above): the shadow
/// of a gnomon on a plane that close to vertical has no usable constants. Others are returned as they are.
[[nodiscard]] double ShadowPlaneInclination(double planeInclinationDeg);

/// Half the length of the day in hours at latitude latitudeDeg for the sun's declination declDeg:
/// arccos(-tan L tan decl) in degrees / 15, the tangents guarded at 90 degrees. Where |tan L tan decl| >= 1
/// the sun never sets (the half day is kPolarDayHalfHours, 12 h) or never rises (0 h).
[[nodiscard]] double HalfDayLength(double latitudeDeg, double declDeg);
constexpr double kPolarDayHalfHours = 12;

} // namespace umbrix
