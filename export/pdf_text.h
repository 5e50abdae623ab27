#pragma once
// Texts on their way into a PDF: UTF-8 decoded and encoded again per font run, the document information in
// PDFDocEncoding, and libharu's error numbers in words.

#include <string>
#include <string_view>

namespace umbrix {

constexpr char32_t kReplacementCharacter = 0xFFFD;
/// libharu maps characters of the basic multilingual plane only.
constexpr char32_t kLastBmpCodePoint = 0xFFFF;

/// The code points of a UTF-8 text; a byte that does not begin a valid sequence (a stray continuation
/// byte, an overlong form, a surrogate, a value beyond U+10FFFF, a sequence cut short) stands for U+FFFD.
[[nodiscard]] std::u32string DecodeUtf8(std::string_view text);

/// Appends one code point (at most U+10FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

/// A document-information text in PDFDocEncoding, which agrees with Latin-1 for the printable characters
/// above 0xA0: the umlauts and the sharp s of the German titles; any other character becomes "?".
[[nodiscard]] std::string DocEncoded(std::string_view text);

/// A libharu error number and its detail as a message.
[[nodiscard]] std::string PdfErrorText(unsigned long error, unsigned long detail);

} // namespace umbrix
