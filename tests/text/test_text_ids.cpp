// Tests of the names of the text rows and string resources: every name finds a text, the lookups by name
// and by number agree, and the rows read as a first row plus an offset follow each other.

#include "text/text_ids.h"
#include "text/texts.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

namespace umbrix {
namespace {

const LanguageState kDe = StateFor(Language::German);
const LanguageState kEn = StateFor(Language::English);

// Every name of text_ids.h.
constexpr std::array kTextIds{
    TextId::MethodHintFirst,
    TextId::PageTitleFirst,
    TextId::HourMarksTitle,
    TextId::ShadowPathTitle,
    TextId::DateMarksTitle,
    TextId::MeanTimeErrorTitle,
    TextId::NoTableShown,
    TextId::TooFewDataForAverage,
    TextId::HourMarksDistanceTitle,
    TextId::NoYearRoundTime,
    TextId::RiseMark,
    TextId::SetMark,
    TextId::ConfigurationFilter,
    TextId::PlotFileFilter,
    TextId::MinimumAbsoluteValue,
    TextId::LongestSemiMajorAxis,
};
constexpr std::array kLabelIds{
    LabelId::MarksOnAxis,
    LabelId::OneLoop,
    LabelId::TwoLoops,
    LabelId::HourPointsAsXY,
    LabelId::HourPointsAsDistances,
    LabelId::OnePerMonth,
    LabelId::ThreePerMonth,
    LabelId::SixPerMonth,
    LabelId::SplitDial,
    LabelId::NumberOfDateMarks,
    LabelId::AnalemmaticSundial,
    LabelId::Declination,
    LabelId::Sun,
    LabelId::ErrorInDegrees,
    LabelId::ShowErrorTableFor,
    LabelId::Morning,
    LabelId::Afternoon,
    LabelId::DefaultHours,
    LabelId::HoursFromTable,
    LabelId::YearRoundQuestion,
    LabelId::SplitDialCaption,
    LabelId::EastLetter,
    LabelId::ChangeParameters,
    LabelId::DateLine,
    LabelId::ShadowPathOn,
    LabelId::Date,
    LabelId::XLeft,
    LabelId::YLeft,
    LabelId::DeclinationShort,
    LabelId::Time,
    LabelId::Diff,
    LabelId::Weight,
    LabelId::Error,
    LabelId::MaxError,
    LabelId::MeanAbsoluteError,
    LabelId::Spread,
    LabelId::BeforeNoon,
    LabelId::AfterNoon,
    LabelId::XRight,
    LabelId::YRight,
    LabelId::YearHintFirst,
    LabelId::YearHintSecond,
    LabelId::WithStepsOf,
    LabelId::OpeningFor,
    LabelId::WholeYear,
    LabelId::SplitMemoFirst,
    LabelId::SplitMemoLast,
    LabelId::MethodNameFirst,
    LabelId::MethodNameLast,
    LabelId::ScaledToA3,
    LabelId::InAxisUnits,
};
constexpr std::array kMessageIds{
    MessageId::NotARealNumber, MessageId::InputError,     MessageId::ReadError,      MessageId::Year,
    MessageId::NoGnomonShadow, MessageId::ValueInterval,  MessageId::FileSaved,      MessageId::DateError,
    MessageId::CannotSave,     MessageId::ScreenHint,     MessageId::LoopHoursWrong, MessageId::PrinterNotReady,
    MessageId::NotFound,       MessageId::AdjustedTo,     MessageId::Saved,          MessageId::PrintingFailed,
    MessageId::NotConverted,   MessageId::NoInternetLink, MessageId::ScreenSetTo,    MessageId::WithBigFont,
    MessageId::WithSmallFont,
};
constexpr std::array kResourceIds{
    ResourceId::Cancel,
    ResourceId::NewCalculation,
    ResourceId::Degrees,
    ResourceId::AxisQuestion,
    ResourceId::SaveConstructionHpgl,
    ResourceId::SaveConstructionDxf,
    ResourceId::DistanceToZ,
    ResourceId::RiseSetErrorTitle,
    ResourceId::RiseSetDeclination,
    ResourceId::RiseSetPosition,
    ResourceId::HalfAxes,
    ResourceId::Latitude,
    ResourceId::Longitude,
    ResourceId::ZoneMeridian,
    ResourceId::SemiMajorAxis,
    ResourceId::GnomonDeviation,
    ResourceId::GnomonInclination,
    ResourceId::GnomonHeight,
    ResourceId::ApparentTimeOnZoneMeridian,
    ResourceId::CalculationYear,
    ResourceId::NewestVersion,
    ResourceId::CalculatesAnalemmaticSundials,
    ResourceId::PlaneDeviation,
    ResourceId::PlaneInclination,
    ResourceId::DateLines,
    ResourceId::DateMarks,
    ResourceId::DialTitleFirst,
    ResourceId::TermsOfUseFirst,
};

TEST(TextIds, EveryNameFindsATextInBothLanguages)
{
    for (const LanguageState& lang : {kDe, kEn}) {
        for (const TextId id : kTextIds)
            EXPECT_FALSE(TextRow(lang, id).empty()) << "T" << static_cast<int>(id);
        for (const LabelId id : kLabelIds)
            EXPECT_FALSE(LabelRow(lang, id).empty()) << "A" << static_cast<int>(id);
        for (const MessageId id : kMessageIds)
            EXPECT_FALSE(MessageRow(lang, id).empty()) << "M" << static_cast<int>(id);
        for (const ResourceId id : kResourceIds)
            EXPECT_FALSE(ResourceText(lang, id).empty()) << "resource " << static_cast<int>(id);
    }
}

TEST(TextIds, ALookupByNameIsTheLookupByItsNumber)
{
    for (const LanguageState& lang : {kDe, kEn}) {
        for (const TextId id : kTextIds)
            EXPECT_EQ(TextRow(lang, id), TextRow(lang, static_cast<int>(id)));
        for (const LabelId id : kLabelIds)
            EXPECT_EQ(LabelRow(lang, id), LabelRow(lang, static_cast<int>(id)));
        for (const MessageId id : kMessageIds)
            EXPECT_EQ(MessageRow(lang, id), MessageRow(lang, static_cast<int>(id)));
        for (const ResourceId id : kResourceIds) {
            EXPECT_EQ(ResourceText(lang, id), ResourceText(lang, static_cast<int>(id)));
            EXPECT_EQ(ResourceTextPlain(lang, id), ResourceTextPlain(lang, static_cast<int>(id)));
        }
    }
    EXPECT_EQ(LabelRow(kDe, LabelId::Time), "Zeit");
    EXPECT_EQ(TextRow(kEn, TextId::RiseMark), "Sunrise Mark");
    EXPECT_EQ(MessageRow(kDe, MessageId::NotFound), " nicht gefunden!");
    EXPECT_EQ(ResourceText(kDe, ResourceId::Latitude), "geogr. Breite");
    EXPECT_EQ(ResourceText(kEn, ResourceId::Latitude), "Latitude");
    EXPECT_EQ(ResourceText(kDe, ResourceId::ApparentTimeOnZoneMeridian).substr(0, kApparentTimeChars),
              "Wahre Ortszeit");
    EXPECT_EQ(ResourceText(kEn, ResourceId::ApparentTimeOnZoneMeridian).substr(0, kApparentTimeChars),
              "Apparent time ");
}

TEST(TextIds, RowsReadAsAFirstRowPlusAnOffsetFollowEachOther)
{
    for (const LanguageState& lang : {kDe, kEn}) {
        EXPECT_EQ(TextRow(lang, TextId::RiseMark, 1), TextRow(lang, TextId::SetMark));
        EXPECT_EQ(TextRow(lang, TextId::PageTitleFirst, 1), TextRow(lang, TextId::HourMarksTitle));
        EXPECT_EQ(TextRow(lang, TextId::PageTitleFirst, 2), TextRow(lang, TextId::ShadowPathTitle));
        EXPECT_EQ(TextRow(lang, TextId::PageTitleFirst, 3), TextRow(lang, TextId::DateMarksTitle));
        EXPECT_EQ(LabelRow(lang, LabelId::Morning, 1), LabelRow(lang, LabelId::Afternoon));
        EXPECT_EQ(LabelRow(lang, LabelId::YearHintFirst, 1), LabelRow(lang, LabelId::YearHintSecond));
        // One hint and one name for each of the five methods of the split dial.
        for (int method = 0; method <= 4; ++method) {
            EXPECT_FALSE(TextRow(lang, TextId::MethodHintFirst, method).empty()) << method;
            EXPECT_EQ(LabelRow(lang, LabelId::MethodNameFirst, method), LabelRow(lang, 93 + method));
        }
        EXPECT_EQ(LabelRow(lang, LabelId::MethodNameFirst, 4), LabelRow(lang, LabelId::MethodNameLast));
        // One title for each of the eight dial types, and none after them.
        for (int type = 0; type < 8; ++type)
            EXPECT_EQ(ResourceText(lang, ResourceId::DialTitleFirst, type), ResourceText(lang, 251 + type)) << type;
        EXPECT_TRUE(ResourceText(lang, ResourceId::DialTitleFirst, 8).empty());
        EXPECT_EQ(ResourceLines(lang, ResourceId::DialTitleFirst, 8), ResourceLines(lang, 251, 8));
        EXPECT_EQ(ResourceLines(lang, ResourceId::TermsOfUseFirst, kTermsOfUseLines), ResourceLines(lang, 300, 4));
        EXPECT_TRUE(ResourceText(lang, ResourceId::TermsOfUseFirst, kTermsOfUseLines).empty());
        EXPECT_EQ(LabelLines(lang, LabelId::SplitMemoFirst, LabelId::SplitMemoLast), LabelLines(lang, 68, 73));
        EXPECT_EQ(LabelLines(lang, LabelId::MarksOnAxis, LabelId::TwoLoops).size(), 3u);
        EXPECT_EQ(LabelLines(lang, LabelId::OnePerMonth, LabelId::SixPerMonth).size(), 4u);
    }
    EXPECT_EQ(ResourceTextPlain(kDe, ResourceId::DialTitleFirst, 7),
              "Ebene horizontal, FIXIERTER ZEIGER (!), Richtung beliebig (z,D)");
}

TEST(TextIds, AnOffsetOutOfRangeGivesEmptyText)
{
    for (const LanguageState& lang : {kDe, kEn}) {
        for (const int offset : {INT_MAX, INT_MIN, -1000, 1000}) {
            EXPECT_TRUE(TextRow(lang, TextId::RiseMark, offset).empty()) << offset;
            EXPECT_TRUE(LabelRow(lang, LabelId::MethodNameFirst, offset).empty()) << offset;
            EXPECT_TRUE(MessageRow(lang, MessageId::Year, offset).empty()) << offset;
            EXPECT_TRUE(ResourceText(lang, ResourceId::DialTitleFirst, offset).empty()) << offset;
            EXPECT_TRUE(ResourceTextPlain(lang, ResourceId::DialTitleFirst, offset).empty()) << offset;
        }
    }
}

} // namespace
} // namespace umbrix
