#pragma once
// The gazetteer as a compact data file, so that a host without the gazetteer library (the WebAssembly
// build) searches the very same places with the same index. The build writes it once from the library's
// records (umbrix-site-data); a host reads it back into records equal to those it was written from.
//
// The file is UTF-8 text, one record a line, fields separated by tabs (no field holds a tab or a line
// break; such characters are written as blanks):
//   umbrix-places 1                                  first line: the format and its version
//   Z <tab> zone                                     the time zones, numbered from 0 in their order
//   C <tab> code <tab> English <tab> German          the countries, numbered from 0
//   S <tab> English <tab> German                     the states, numbered from 0
//   P <tab> own <tab> English <tab> German <tab> state <tab> country <tab> zone <tab> latitude <tab>
//     longitude <tab> population                     a place; an empty English or German name is the own
//                                                    name; state, country and zone by number; longitude
//                                                    east positive; numbers in their shortest exact text

#include "site/place_index.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// The data file of `places`, in their order.
[[nodiscard]] std::string WritePlaceData(const std::vector<PlaceRecord>& places);

/// The places of a data file, or none with `error` naming the line and what is wrong with it.
[[nodiscard]] std::optional<std::vector<PlaceRecord>> ReadPlaceData(std::string_view text, std::string& error);

/// The time zones the places name, sorted, each once.
[[nodiscard]] std::vector<std::string> ZonesNamed(const std::vector<PlaceRecord>& places);

} // namespace umbrix
