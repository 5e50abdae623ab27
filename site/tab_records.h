#pragma once
// The files of the site data (places, zone tables): a header line naming the format and its version, then
// one record a line, its fields separated by tabs.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// Reads `text` record by record: its first line must be `header` (else "line 1: not a WHAT of this
/// version"); `record` gets the fields of every further non-empty line and returns what is wrong with them,
/// or an empty text. The first fault as "line N: ...", or none when every record was taken.
[[nodiscard]] std::optional<std::string> ReadTabRecords(
    std::string_view text, std::string_view header, std::string_view what,
    const std::function<std::string(const std::vector<std::string_view>& fields)>& record);

} // namespace umbrix
