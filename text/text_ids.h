#pragma once
// Names of the rows of the text tables and of the string resources that the program looks up. The number of
// each name is its row (or resource id) in the tables of texts.cpp; a name's number never changes, since
// some rows are read as a first row plus an offset (the dial titles, the method hints).

namespace umbrix {

/// Rows of the text table.
enum class TextId : int {
    MethodHintFirst = 3, // the caption of the split dial's method 0; methods 1..4 follow
    PageTitleFirst = 12, // the graphic page's tab; the hour marks, shadow path, date marks and split dial follow
    HourMarksTitle = 13,
    ShadowPathTitle = 14,
    DateMarksTitle = 15,
    MeanTimeErrorTitle = 17,
    NoTableShown = 18,
    TooFewDataForAverage = 22,
    HourMarksDistanceTitle = 23, // the hour marks as distances to the ends of the minor axis
    NoYearRoundTime = 24,        // the banner of a dial whose date scale cannot tell the time all year
    RiseMark = 26,               // "Aufgangspunkt"; the set mark follows
    SetMark = 27,
    ConfigurationFilter = 28,
    PlotFileFilter = 29,
    MinimumAbsoluteValue = 30,
    LongestSemiMajorAxis = 31,
};

/// Rows of the label table.
enum class LabelId : int {
    MarksOnAxis = 4, // the marks modes of the mean-time dial: on the axis, one loop, two loops
    OneLoop = 5,
    TwoLoops = 6,
    HourPointsAsXY = 7,
    HourPointsAsDistances = 8,
    OnePerMonth = 11, // the date marks per month: 1, 2, 3, and on the 1st/6th/11th/16th/21st/26th
    ThreePerMonth = 13,
    SixPerMonth = 14,
    SplitDial = 15,
    NumberOfDateMarks = 16,
    AnalemmaticSundial = 18,
    Declination = 19,
    Sun = 20,
    ErrorInDegrees = 21,
    ShowErrorTableFor = 22,
    Morning = 23,
    Afternoon = 24,
    DefaultHours = 25,
    HoursFromTable = 26,
    YearRoundQuestion = 27,
    SplitDialCaption = 28,
    EastLetter = 29,
    ChangeParameters = 30,
    DateLine = 34,
    ShadowPathOn = 36,
    Date = 39,
    XLeft = 40,
    YLeft = 41,
    DeclinationShort = 42,
    Time = 43,
    Diff = 44,
    Weight = 45,
    Error = 46,
    MaxError = 52,
    MeanAbsoluteError = 53,
    Spread = 54,
    BeforeNoon = 55,
    AfterNoon = 56,
    XRight = 57,
    YRight = 58,
    YearHintFirst = 59,
    YearHintSecond = 60,
    WithStepsOf = 61,
    OpeningFor = 62, // " (für"
    WholeYear = 63,
    SplitMemoFirst = 68, // the note on the split dial's coordinate columns, to row 73
    SplitMemoLast = 73,
    MethodNameFirst = 93, // the name of the split dial's method 0; methods 1..4 follow, to row 97
    MethodNameLast = 97,
    ScaledToA3 = 107, // the scales of a plot export
    InAxisUnits = 108,
};

/// Rows of the message table. An error code of the calculation is itself a message row.
enum class MessageId : int {
    NotARealNumber = 4,
    InputError = 6,
    ReadError = 7,
    Year = 9,
    NoGnomonShadow = 12,
    ValueInterval = 13,
    FileSaved = 15,
    DateError = 17,
    CannotSave = 18,
    ScreenHint = 19,
    LoopHoursWrong = 21,
    PrinterNotReady = 23,
    NotFound = 29,
    AdjustedTo = 30,
    Saved = 38,
    PrintingFailed = 42,
    NotConverted = 45,
    NoInternetLink = 48,
    ScreenSetTo = 50,
    WithBigFont = 51,
    WithSmallFont = 52,
};

/// String resources (German id; the English text is kEnglishResourceOffset further on).
enum class ResourceId : int {
    Cancel = 8,
    NewCalculation = 16,
    Degrees = 24,
    AxisQuestion = 40,
    SaveConstructionHpgl = 41,
    SaveConstructionDxf = 42,
    DistanceToZ = 43,
    RiseSetErrorTitle = 91,
    RiseSetDeclination = 93,
    RiseSetPosition = 94,
    HalfAxes = 98,
    Latitude = 103,
    Longitude = 104,
    ZoneMeridian = 105,
    SemiMajorAxis = 106,
    GnomonDeviation = 107,
    GnomonInclination = 108,
    GnomonHeight = 109,
    ApparentTimeOnZoneMeridian = 114,
    CalculationYear = 116,
    NewestVersion = 120,
    CalculatesAnalemmaticSundials = 124,
    PlaneDeviation = 128,
    PlaneInclination = 129,
    DateLines = 199,
    DateMarks = 200,
    DialTitleFirst = 251,  // the title of dial type 0; types 1..7 follow
    TermsOfUseFirst = 300, // four lines, to id 303
};
constexpr int kTermsOfUseLines = 4;
/// The first characters of ApparentTimeOnZoneMeridian, which name the apparent time alone.
constexpr int kApparentTimeChars = 14;

} // namespace umbrix
