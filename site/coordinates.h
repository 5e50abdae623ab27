#pragma once
// Coordinates as people copy them from maps and guides, read into the program's convention (latitude north
// positive, longitude WEST positive). Accepted, latitude first unless the letters say otherwise:
//   "48.2085, 16.3721"                 a map's decimal degrees, east positive
//   "48°12'30.6\"N 16°22'19.6\"E"      degrees, minutes and seconds with the hemisphere after
//   "48° 12.51' N, 16° 22.33' E"       degrees and decimal minutes
//   "N 48.2085 E 16.3721"              the hemisphere before
// "O" (Ost) is east as well as "E"; ′ and ″ stand for ' and ".

#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

struct SiteCoordinates {
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, WEST positive
};

/// The coordinates of a text, or none when it is not one of the accepted forms or a value is out of range.
[[nodiscard]] std::optional<SiteCoordinates> ParseCoordinates(std::string_view text);

/// The message for a text that cannot be read, with an example of every accepted form.
[[nodiscard]] std::string CoordinatesProblem(std::string_view text, bool english);

} // namespace umbrix
