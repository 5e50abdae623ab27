#pragma once
// Texts of this program that have no row in the numbered tables (whose row numbers other modules use in
// arithmetic), each under its own id, in German and English.

#include "text/language.h"

#include <cstdint>
#include <string_view>

namespace umbrix {

enum class OwnText : std::uint8_t {
    HourRangeReversed,       // the first hour of the hour marks is not before the last
    LoopTablesOnlySplitDial, // umbrix-cli: a loop table asked of a dial that is not split
};

/// The text of `id` in the language of `lang` (English for languageIndex 2, German otherwise).
[[nodiscard]] std::string_view OwnTextOf(const LanguageState& lang, OwnText id);

} // namespace umbrix
