#pragma once
// The program's one conversion between numbers and their text. Every number written to or read from a file,
// a field or a report goes through these functions, in every build.
//
// They keep the contract of std::to_chars / std::from_chars: "." as the decimal point whatever the C or C++
// locale, no leading blanks or "+", "inf"/"nan" for non-finite values, round-trip exact (the shortest text
// reads back to the very same double), decimal rounding to nearest of the exact binary value.
// Where the standard library supplies floating-point <charconv> (libstdc++) it does the work; where it does
// not (the libc++ of the WebAssembly toolchain), an exact replacement built on the C library's correctly
// rounded printf/strtod takes its place, with the syntax checked here so that both accept the same texts.

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace umbrix {

/// How a real is written: Shortest is the shortest text that reads back exactly (fixed or scientific,
/// whichever is shorter, fixed on a tie); the others take a precision as printf's %f, %e and %g do.
enum class RealFormat { Shortest, Fixed, Scientific, General };

/// Writes v into [first, last) as std::to_chars(first, last, v[, format, precision]) does. On too small a
/// buffer: {last, std::errc::value_too_large}, the buffer's contents unspecified.
std::to_chars_result WriteReal(char* first, char* last, double v, RealFormat format = RealFormat::Shortest,
                               int precision = 0);

/// v as text (WriteReal into a buffer large enough for any double, precision capped at 100).
[[nodiscard]] std::string RealText(double v, RealFormat format = RealFormat::Shortest, int precision = 0);

/// Reads a real at the start of `text` as std::from_chars(..., chars_format::general) does: an optional "-",
/// then decimal digits with an optional point and exponent, or "inf", "infinity", "nan", "nan(...)" (any
/// letter case). ptr points past the number read (text.data() when none: std::errc::invalid_argument).
/// A number whose magnitude is beyond a double's range, or nonzero but below its least subnormal, gives
/// std::errc::result_out_of_range with ptr past it and `value` unchanged.
std::from_chars_result ReadReal(std::string_view text, double& value);

/// Reads a decimal integer at the start of `text` as std::from_chars does (optional "-", digits only).
std::from_chars_result ReadInteger(std::string_view text, int& value);
std::from_chars_result ReadInteger(std::string_view text, long& value);
std::from_chars_result ReadInteger(std::string_view text, long long& value);

namespace portable {
// The replacement built on printf/strtod, compiled in every build so that the native tests hold it
// against the standard library's conversions.
std::to_chars_result WriteReal(char* first, char* last, double v, RealFormat format, int precision);
std::from_chars_result ReadReal(std::string_view text, double& value);
} // namespace portable

} // namespace umbrix
