#pragma once
// Texts are UTF-8 inside the program; plot and DXF files carry them in Windows-1252.

#include <string>
#include <string_view>

namespace umbrix {

/// UTF-8 to Windows-1252. Characters without a Windows-1252 code (and broken UTF-8) become "?".
[[nodiscard]] std::string Utf8ToWindows1252(std::string_view utf8);

} // namespace umbrix
