#pragma once
// The unit the lengths of a design are in. It names the unit of every length parameter (semi-major axis,
// gnomon height, distance to Z) and never converts a stored value: a 40 cm dial is entered as
// semiMajorAxis = 20 with the unit cm. The true-scale outputs turn dial units into millimetres with it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

enum class LengthUnit : std::uint8_t { Metre = 0, Centimetre = 1, Millimetre = 2, Inch = 3, Foot = 4 };

/// The size of one unit in millimetres (the inch and the foot as defined in 1959: 25.4 and 304.8 mm).
[[nodiscard]] double UnitSizeMm(LengthUnit unit);

/// Decimals a length in this unit is written with in the true-scale outputs: m 4, cm 2, mm 1, in 3, ft 4
/// (a tenth of a millimetre or finer).
[[nodiscard]] int UnitDecimals(LengthUnit unit);

/// The unit's symbol as it is written and read: "m", "cm", "mm", "in", "ft".
[[nodiscard]] std::string_view UnitName(LengthUnit unit);

/// The unit of a symbol (exactly as UnitName writes it); nothing for any other text.
[[nodiscard]] std::optional<LengthUnit> ParseLengthUnit(std::string_view name);

/// x with exactly `decimals` decimals (FormatFixed's rounding and "."), without padding; the empty text for
/// a value that is not finite.
[[nodiscard]] std::string FormatDecimals(double x, int decimals);

/// A length in dial units written with the unit's decimals, "." as decimal point, no padding;
/// a value that is not finite gives the empty text.
[[nodiscard]] std::string FormatLength(double length, LengthUnit unit);

} // namespace umbrix
