#pragma once
// The texts of the true-scale outputs (scale drawing, true-size DXF, setting-out plan, full-size template),
// German and English.

#include "text/language.h"

#include <cstdint>
#include <string_view>

namespace umbrix {

enum class TrueScaleText : std::uint8_t {
    Scale,                // "Maßstab"
    Up,                   // the arrow of a plane that is not horizontal
    North,                // the letter of the north arrow
    TrueNorthNotMagnetic, // beside the north arrow
    MagneticBearing,      // followed by the compass bearing of true north in degrees
    UpOnPlane,            // which way is up on an inclined or vertical plane
    PlanTitle,
    Unit,
    ColumnNumber,
    ColumnKind,
    ColumnLabel,
    ColumnChord,
    TwoTapes,     // how d1 and d2 are used
    NorthHint,    // followed by the month and the times
    StringMethod, // followed by A and c
    GnomonHeight, // followed by the height
    StandOnDate,
    FixedGnomonAtZ,
    SplitDialHalves,
    TemplateTitle,
    Sheet, // followed by "column/row"
    SheetMap,
    CheckBar,
    CorrectionFactors, // followed by the two factors
    TooManySheets,     // more than 100 sheets
    SheetsRefused,     // more than 1000 sheets
    Notes,
    Points,
    Day,
    ZoneTime,
    Count
};

/// The text in the language of `lang` (German for a languageIndex other than 2). UTF-8.
[[nodiscard]] std::string_view TrueScaleTextOf(const LanguageState& lang, TrueScaleText text);

} // namespace umbrix
