// The program's own texts: every id has a German and an English text of its own.

#include "text/own_texts.h"

#include <gtest/gtest.h>

namespace umbrix {
namespace {

TEST(OwnTexts, EveryIdHasAGermanAndADifferentEnglishText)
{
    const LanguageState de = StateFor(Language::German);
    const LanguageState en = StateFor(Language::English);
    for (const OwnText id : {OwnText::HourRangeReversed, OwnText::LoopTablesOnlySplitDial}) {
        EXPECT_FALSE(OwnTextOf(de, id).empty()) << static_cast<int>(id);
        EXPECT_FALSE(OwnTextOf(en, id).empty()) << static_cast<int>(id);
        EXPECT_NE(OwnTextOf(de, id), OwnTextOf(en, id)) << static_cast<int>(id);
    }
    EXPECT_EQ(OwnTextOf(en, OwnText::HourRangeReversed),
              "The first hour (from) must come before the last hour (to). The hour range stays as it was.");
}

} // namespace
} // namespace umbrix
