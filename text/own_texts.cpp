#include "text/own_texts.h"

#include <array>
#include <cstddef>

namespace umbrix {

namespace {

struct OwnTextPair {
    OwnText id;
    std::string_view german;
    std::string_view english;
};

// clang-format off
constexpr std::array<OwnTextPair, 2> kOwnTexts{{
    {OwnText::HourRangeReversed,
     "Die erste Stunde (von) muss vor der letzten Stunde (bis) liegen. Der Stundenbereich bleibt, wie er war.",
     "The first hour (from) must come before the last hour (to). The hour range stays as it was."},
    {OwnText::LoopTablesOnlySplitDial,
     "Die Tabellen der Achterschleifen gibt es nur bei der geteilten Sonnenuhr (dialType=6, marksMode=2).",
     "The figure-eight loop tables exist only for the split dial (dialType=6, marksMode=2)."},
}};
// clang-format on

constexpr bool InIdOrder()
{
    for (std::size_t i = 0; i < kOwnTexts.size(); ++i)
        if (static_cast<std::size_t>(kOwnTexts[i].id) != i)
            return false;
    return true;
}
static_assert(InIdOrder(), "every own text stands at the index of its id");

} // namespace

std::string_view OwnTextOf(const LanguageState& lang, OwnText id)
{
    const auto index = static_cast<std::size_t>(id);
    if (index >= kOwnTexts.size())
        return {};
    return lang.languageIndex == 2 ? kOwnTexts[index].english : kOwnTexts[index].german;
}

} // namespace umbrix
