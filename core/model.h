#pragma once
// The one model object: dial parameters, shared state, result tables and string grids.
// Owned by the window, by a umbrix-cli run, or by a test; two models share nothing.
//
// Sign conventions used throughout:
//   longitudes and meridians west positive (east negative);
//   hour angles positive in the afternoon; azimuths from south, positive towards west;
//   the equation of time in degrees of hour angle (4 minutes of time per degree);
//   dial lengths in the unit of semiMajorAxis; y up on the dial and the plot.

#include "core/drawing_state.h"
#include "core/grid.h"
#include "core/length_unit.h"
#include "core/results.h"
#include "core/summer_time.h"
#include "text/language.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

enum class DialType : std::uint8_t {
    Horizontal = 0,             // horizontal plane, vertical gnomon
    HorizontalTiltedGnomon = 1, // horizontal plane, gnomon of any direction (z, D)
    InclinedPlane = 2,          // inclined and deviating plane, vertical gnomon
    InclinedPlaneGnomon = 3,    // inclined plane and/or inclined gnomon
    VerticalSouth = 4,          // vertical south dial, gnomon inclined in the meridian plane
    VerticalDeclining = 5,      // vertical declining plane, gnomon orthogonal to it
    MeanTime = 6,               // horizontal, vertical gnomon, equation of time built in
    FixedGnomon = 7,            // horizontal, gnomon fixed at the point Z
};
constexpr int kDialTypeCount = 8;

/// The number of a dial type, as the configuration file, the JSON report and the menus give it.
[[nodiscard]] constexpr int DialTypeNumber(DialType type)
{
    return static_cast<int>(type);
}

/// Where a mean-time dial (type 6) carries its date marks. The number is the configuration file's and the
/// JSON report's; the radio group rgTyp shows it less one.
enum class MarksMode : std::uint8_t {
    DateScale = 0,      // the date scale of the other dial types
    Analemma = 1,       // the date marks on one figure-eight loop
    DoubleAnalemma = 2, // the split dial: a morning and an afternoon dial, each with its loop
};

/// How the split dial places the gnomon for each date and half day; the number is the configuration
/// file's, the JSON report's and the radio group rgMittelwert's item.
enum class DoubleAnalemmaMethod : std::uint8_t {
    ExactAtTwoHours = 0,    // exact at the two chosen hours of each half day
    MeanOfExact = 1,        // the mean of the exact positions over a range of hour pairs
    SearchLargestError = 2, // searches: the smallest largest hour error,
    SearchMeanError = 3,    // the smallest weighted mean absolute hour error,
    SearchRmsError = 4,     // the smallest weighted root-mean-square hour error
};
constexpr int kDoubleAnalemmaMethodCount = 5;

/// Whether the method searches the gnomon position (the methods after the two of exact positions).
[[nodiscard]] constexpr bool IsSearchMethod(DoubleAnalemmaMethod method)
{
    return method >= DoubleAnalemmaMethod::SearchLargestError;
}
/// The inclination of a vertical plane: kept just short of 90 degrees, where the plane's cosine divides.
constexpr double kVerticalPlaneInclinationDeg = 89.995;
/// The zodiac declinations of the fixed-gnomon dial: winter to summer solstice in 5-degree steps of the
/// ecliptic longitude.
constexpr int kZodiacLineCount = 37;

/// Everything that describes a dial. Angles in degrees, lengths in dial units.
struct DialParameters {
    double latitude = 47.25;               // north positive
    double longitude = -9.59;              // west positive, east negative
    double zoneMeridian = -15;             // west positive: -15 = 15 degrees east
    double planeInclination = 0;           // 0 = horizontal, about 90 = vertical
    double planeDeviation = 0;             // from south, negative towards east
    double gnomonInclinationPlus90 = 90;   // always gnomonInclination + 90 (stored in configuration files)
    double gnomonDeviation = 0;            // azimuth of the gnomon
    double gnomonHeight = 1.7;             // length of the gnomon, for the shadow path
    double semiMajorAxis = 2.75;           // semi-major axis of the hour ellipse
    double riseSetDeclination = 20.2;      // declination of the fixed rise/set marks
    double gnomonInclination = 0;          // 0 = perpendicular to a horizontal plane
    std::uint8_t marksPerMonth = 3;        // 1, 2, 3 or 6
    std::uint8_t linesPerHour = 2;         // 1 to 6
    MarksMode marksMode = MarksMode::Analemma;
    DialType dialType = DialType::Horizontal;
    DoubleAnalemmaMethod doubleAnalemmaMethod = DoubleAnalemmaMethod::MeanOfExact;
    bool showZoneTime = false;             // hour marks in zone time instead of apparent local time
    std::int32_t year = 2015;              // 1700 to 2100
    bool showLambertCircle = true;
    double dxfAxisLength = 0; // semi-major axis asked for a scaled plot export
    double distanceZ = -3.0;  // type 7: distance from the centre P(0/0) to the point Z
    DstOptions dst;
    int showLeapCycle = 0;
    // The name of the place the site was taken from ("Wien"), as the user chose it; empty: typed by hand.
    std::string place;

    DialType type() const { return dialType; }

    // The unit of every length parameter; it names the unit and never converts a stored value.
    LengthUnit lengthUnit = LengthUnit::Metre;
    // Magnetic declination at the site in degrees, east positive (unlike the longitudes): magnetic north lies
    // this many degrees east of true north.
    double magneticDeclination = 0;
    // 1: the date marks and the split dial's loops take the means of declination and equation of time over
    // the leap cycle of `year`.
    int leapCycleMean = 0;
    // The body-height planner: the height of the shortest person expected (dial units); none follows
    // gnomonHeight. bodyHeightOrGnomon() is the value in effect.
    std::optional<double> bodyHeight;
    double reachCoverage = 0.9; // the share of the planner's cells whose shadow must reach, (0, 1]
    // The outputs a maker builds from (true-scale SVG, true-size DXF, setting-out plan, template): every whole
    // hour numbered (false) or only the hours the screen numbers (true); numerals hourLabelSize x the
    // semi-major axis high.
    bool hourLabelsScreenRule = false;
    double hourLabelSize = 0.06;

    double bodyHeightOrGnomon() const { return bodyHeight.value_or(gnomonHeight); }
};

/// The split dial: a mean-time dial whose date marks lie on a morning and an afternoon loop, each half day
/// with a centre of its own.
[[nodiscard]] constexpr bool IsSplitDial(const DialParameters& p)
{
    return p.dialType == DialType::MeanTime && p.marksMode == MarksMode::DoubleAnalemma;
}

/// The further shared state every computation reads.
struct SharedState {
    std::int16_t hourFrom = 5;      // first hour of the hour marks, 0..20
    std::int16_t hourTo = 21;       // last hour of the hour marks, 5..24
    std::int16_t errorHourFrom = 8; // first hour of the double-analemma error table, 4..11
    std::int16_t errorHourTo = 19;  // last hour of that table, 13..21
    std::int16_t shadowDay = 1;
    std::int16_t shadowMonth = 5;
    std::string shadowDateText = "01/05";            // "dd/mm"
    std::string shadowDateCaption = "01. Mai";       // "dd. Mon"
    double obliquity = 23.44;                        // degrees, the design year's (RefreshAxes), never a day's
    double roundedObliquity = 23.44;                 // obliquity of the zodiac-table year, 2 decimals
    std::array<double, kZodiacLineCount> ZodiacDeclinationTable{}; // degrees, winter to summer solstice in 5-degree steps
    LanguageState language;                          // languageIndex 1/2, stringIdOffset 0/2000
    std::array<std::string_view, 12> MonthNames{};
    bool showShadowPath = true;
    bool markRiseSet = false;
    bool coordinatesAsXY = true;
    bool doubleAnalemmaActive = false; // dialType 6 with marksMode 2
    bool uiReady = false;
    std::string dialTitle;
    // Double-analemma switches kept with the parameters.
    bool useDefaultHours = true; // rgDefault item 0: the default hour lists
    bool fineSearch = false;     // chbGenau: finer optimisation search
};

/// What the parameters imply for the construction (core/derived_geometry.h derives it; only the driver
/// stores it). Lengths in dial units.
struct DerivedGeometry {
    double cosPlaneGnomon = 1;     // cos(planeInclination - gnomonInclination), kept off zero
    double drawingScaleCosine = 1; // the same cosine with the finer guard of the drawing's scale fit
    double semiMinorAxis = 0;      // of the hour ellipse
    double extentX = 0;            // half-width of the construction
    double extentY = 0;            // half-height of the construction
    double fixedGnomonReach = 0;   // type 7: semi-major axis of the largest hour ellipse
};

/// The string grids of the pages, as plain text.
struct Grids {
    StringGrid StrGridStd;      // hour marks
    StringGrid StrGridShad;     // shadow path
    StringGrid StrGridDat;      // date marks
    StringGrid StrGrid8;        // figure-eight loops, afternoon
    StringGrid StrGrid8b;       // figure-eight loops, morning
    StringGrid StrGridEin;      // double-analemma hour input
    StringGrid StrMittel;       // loop statistics
    std::string lKoordAufUnter; // label text: the rise/set point
};

struct Model {
    DialParameters params;
    SharedState state;
    DerivedGeometry derived; // stored by the driver only
    Results results;
    Grids grids;
    DrawingState drawing; // where the last drawing put the dial, for the exports and printing
};

/// Every parameter and switch at its start-up default, the zodiac table and obliquity of 2017, the axes
/// derived, German texts.
void InitDefaults(Model& model);

} // namespace umbrix

namespace umbrix {

/// Switches the language: language index and string offset, month names, the dial title.
void SetLanguage(Model& model, Language language);

/// The title of the current dial type in the current language (string resource 251 + dialType, no "&").
std::string DialTitle(const Model& model);

} // namespace umbrix
