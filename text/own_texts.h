#pragma once
// Texts of this program that have no row in the numbered tables (whose row numbers other modules use in
// arithmetic), each under its own id, in German and English: messages of the input checks and of
// umbrix-cli, the reasons a file could not be read or written, the remarks of the configuration reader, and
// the texts of the true-scale outputs.

#include "text/language.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace umbrix {

enum class OwnText : std::uint16_t {
    // Input checks and umbrix-cli
    HourRangeReversed,       // the first hour of the hour marks is not before the last
    LoopTablesOnlySplitDial, // umbrix-cli: a loop table asked of a dial that is not split
    // Files: why a file could not be read or written, and the configuration reader's remarks
    NoSuchFile,         // the file or one of its folders does not exist
    PermissionDenied,   // the system or the file's mode forbids the access
    ReadOnlyFileSystem, // the file lies on a file system mounted read-only
    DiskFull,           // no space left, or the user's quota is used up
    IsFolder,           // a folder where a file was expected
    InputOutputError,   // the device reported an error
    NameTooLong,        // the path or one of its names is too long
    DanglingLink,       // a symbolic link whose target does not exist
    NotAFile,           // a device or a socket where a configuration was expected
    FileTooLarge,       // longer than any configuration file can be
    FileEmpty,          // the file holds no line
    LineOutOfRange,     // "%1" line number, "%2" parameter: a value outside its field's range
    UnknownExtension,   // "%1" line number, "%2" name: an extension line nobody knows
    BadExtensionValue,  // "%1" line number, "%2" name: an extension line with a value its parameter refuses
    StandardOutput,     // what "-" stands for in a file message
    NoReader,           // a FIFO to write that no program opened for reading in time
    FifoRefused,        // the window neither writes nor reads a FIFO
    TemporaryFolder,    // "%1" the folder: the true-size DXF's temporary file could not be written there
    OutOfMemory,        // not enough memory for what was asked
    ActionFailed,       // "%1" the action, "%2" the reason: an action of the window that could not be done
    LinesKept,          // "%1" the first line the file lacks: lines %1 to 26 keep their values
    FallbackUsed,       // "%1" the value read, "%2" the value used instead
    ExtraNumbers,       // "%1" how many numbers the line uses
    NotAPlainNumber,    // "%1" the text: a number with an exponent, or text after it
    LineOfFile,         // "%1" the file, "%2" the line number: where a configuration error is
    WarningsOfFile,     // "%1" the file: the head of the warnings after loading it
    // The true-scale outputs (scale drawing, true-size DXF, setting-out plan, full-size template)
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
    // The maker's outputs: stakes named by their direction, axes, the two tapes' two points, the noon shadow
    StakeNorth, // after a stake's name: it lies north of P
    StakeSouth,
    StakeUp, // on a plane that is not horizontal
    StakeDown,
    AxesNorth,          // x east, y north
    AxesUp,             // x across, y up the plane
    TwoPointsEastWest,  // which of the two crossings of two tapes to take
    TwoPointsRightLeft, // the same on a plane that is not horizontal
    NoonShadowNorth,    // the plumb line's noon shadow in the northern hemisphere
    NoonShadowSouth,    // and in the southern
    KindHour,           // the point table's kinds in the plan's language
    KindDate,
    KindCentre,
    KindStake,
    KindFocus,
    KindZ,
    KindLoopAm,
    KindLoopPm,
    KindDstHour,
    KindDstDate,
    ColumnEast,  // "x (Ost +)"
    ColumnNorth, // "y (Nord +)"
    ColumnRight, // "x (rechts +)" on a plane that is not horizontal
    ColumnUp,    // "y (oben +)"
    GnomonTooShort, // "%1" the share of the hour marks reached, "%2" the height that reaches 90 %
    Warning,        // before a warning on a page
    SheetEmpty,         // on the sheet map: a sheet left out
    EmptySheetsLeftOut, // "%1" the sheets left out, "%2" the sheets printed
    TemplateOrientationLabel, // the template dialog's orientation choice and its items
    OrientationPortrait,
    OrientationLandscape,
    OrientationAuto,
    TemplateContentLabel, // the template dialog's content choice and its items
    ContentFull,
    ContentMarks,
    // The plan's setting-out checklist, offsets, date distances and the sun's azimuth
    ChecklistHeading,
    StepNorthNoon,    // "%1" the clock time of apparent noon on the shadow date
    StepNorthCompass, // "%1" the compass bearing of true north
    StepCentre,
    StepStakes,  // "%1" B1 with its y, "%2" B2 with its y
    StepFoci,    // "%1" the foci with their coordinates
    StepHours,   // "%1" the first and last number of the hour rows
    StepDates,   // date marks by their distance from P
    StepCheck,   // followed by the chords
    StepCheckSpan, // "%1" 2a: the 6 h to 18 h span
    OffsetsHeading,
    OffsetsNorth, // y along the axis from P, then x at right angles
    OffsetsUp,
    DateDistancesHeading,
    DateDistancesNote,
    AzimuthHeading, // "%1" the date
    AzimuthNote,
    ColumnClock,
    ColumnSunAzimuth,
    ColumnShadowAzimuth,
    ColumnAltitude,
    ColumnChordFromTo,
    EveryHourNumbered,  // check box: every whole hour numbered on the plan, template, SVG and DXF
    HourLabelSizeLabel, // label of hourLabelSize
    BudgetNoSun,    // a blank row of the error budget: no shadow on the dial at that hour
    // The setting-out plan's error budget and correction table
    ErrorBudgetHeading,
    ErrorBudgetNote,
    ColumnAlong,
    ColumnAcross,
    ColumnTiltNS,
    ColumnTiltEW,
    ColumnLatitude,
    Day,
    ZoneTime,
    // Summer time
    SummerTimeHeading, // "%1" the offset with its sign, such as "+ 1" or "- 0.5"
    // The window's view of the drawing
    FitToWindowItem, // the menu item, with its accelerator
    FitToWindowTool, // the button of the tool column
    FitToWindowTip,  // the tooltip of both, naming the shortcut
    // Tooltips of the tool column, each naming its keyboard equivalent where it has one
    ZoomOutTip,
    ZoomInTip,
    LeftTip,
    RightTip,
    UpTip,
    DownTip,
    ResizeTip,
    PrintDialTip,
    PrintListsTip,
    SaveHpglTip,
    SaveDxfTip,
    // Beside the input fields and in the help window
    DegreeSign,    // the unit beside every angle field
    FieldEscTip,   // appended to a field's tooltip: Escape brings back the stored value
    HelpClose,     // the help window's close button, with its accelerator
    HelpCloseTip,  // its tooltip, naming Esc
    ShowInDrawing, // context menu of the loop tables: show the row's point in the drawing
    // Configuration files like a desktop program, and what the window keeps between runs
    RecentFiles,          // the File menu's list of recently used configuration files
    NoRecentFiles,        // the list's only, disabled item while it is empty
    ForgetWindowSettings, // menu item: forget size, page, recent files and last folder
    UnsavedCaption,       // caption of the question before parameters that differ from their file are left
    SaveChangesQuestion,  // "%1" the file name
    // The document: its name, the File and Edit menus, the steps that undo takes back
    Untitled,        // the name of a document that was never saved
    FileNew,         // menu items, with their accelerators
    FileOpen,
    FileSave,
    FileSaveAs,
    EditMenu,
    EditUndo,        // "%1" the step, or nothing
    EditRedo,        // "%1" the step, or nothing
    StepSeveral,     // "%1" how many parameters changed at once
    StepOpened,      // "%1" the file
    // The status bar
    StatusCursor,    // "%1" x, "%2" y, both with the unit
    StatusHourDate,  // "%1" the hour, "%2" the date under the cursor
    StatusScale,     // "%1" pixels per unit with the unit, "%2" the zoom
    StatusCalcTime,  // "%1" milliseconds
    StatusSaved,     // "%1" the file
    StatusNotANumber, // "%1" the character the field dropped
    // Choosing another length unit
    UnitQuestionCaption,
    UnitQuestion,    // "%1" the lengths converted, "%2" the numbers kept
    UnitConvert,     // the buttons
    UnitKeep,
    UnitNoConversion, // converted lengths would leave their fields' ranges
    LengthsIn,       // "%1" the unit beside a table
    // Help and the template dialog
    HelpFind,        // the help window's search field
    HelpFindTip,
    TemplateSheets,  // "%1" sheets, "%2" pages
    // The design-error map (window page and --svg-accuracy)
    AccuracyMapTitle,       // the heat map's title
    LargestMagnitudeSuffix, // appended to the title, followed by the minutes
    DateHeading,            // over the row labels of the date tables
    AccuracyNoValue,        // the legend of a grey cell
    // The window's true-scale outputs in the File menu
    SettingOutItem,     // the menu item, with its accelerator
    PrintFullSizeItem,  // the menu item, with its accelerator
    SettingOutFilter,   // the save dialog's filters, "description|pattern|..."
    TemplateFilter,     // the template's save dialog filter
    SettingOutEnding,   // "%1" the file: neither .pdf nor .csv
    PdfNotMade,         // "%1" the file, "%2" the reason
    PrintFullSizeTitle, // the template dialog's title
    Paper,              // its paper choice
    CorrectionFactorX,  // the printer's correction factor across
    CorrectionFactorY,  // and along the sheet
    ToPdfFile,          // the template goes to a PDF file
    ToPrinter,          // or to the printer
    SheetsQuestion,     // "%1" the sheets counted: more than 100
    SheetsCounted,      // "%1" the sheets counted: more than 1000 refused
    // The accuracy page
    AccuracyPageTitle,
    AccuracyMaxAbs,    // "%1" minutes
    AccuracyMeanAbs,   // "%1" minutes
    AccuracyWorst,     // "%1" date, "%2" hour and minutes
    AccuracyNoReading, // no cell has a value
    AccuracyAmbiguous, // "%1" the cells where the shadow crosses the hour curve twice
    BudgetHeading,
    BudgetHoursHeading,
    BudgetDatesHeading,
    BudgetTime,
    BudgetAlong,
    BudgetAcross,
    BudgetTiltNS,
    BudgetTiltEW,
    BudgetLatitude,
    BudgetMarkNS,
    BudgetMarkEW,
    BudgetWorstRow, // the last row: the worst value of each column
    // The simulation page
    SimulationPageTitle,
    SimulationInstant, // the date and time control's caption
    SimulationNow,     // the button taking the system clock
    SimulationPlay,    // the button starting the animation
    SimulationPause,   // the same button while it runs
    SimulationReading, // "%1" the time read
    SimulationNoShadow,
    SimulationNoCrossing,
    SimulationDialTime,    // "%1" the time the dial is built to show
    SimulationClockZone,   // "%1" the clock time, no summer time
    SimulationClockSummer, // "%1" the clock time in summer time
    SimulationClockZoneNamed,   // "%1" the clock time in zone time, "%2" the zone's abbreviation
    SimulationClockSummerNamed, // "%1" the clock time in summer time, "%2" the zone's abbreviation
    SimulationDifference,  // "%1" minutes: clock time minus reading
    SimulationSun,         // "%1" altitude, "%2" azimuth
    SimulationGnomon,      // "%1" the coordinates, "%2" the nearest mark
    SimulationCannotShow,  // the dial cannot show the instant
    CorrectionHeading,
    CorrectionStandard, // column: minutes to add for standard time
    CorrectionSummer,   // column: minutes to add for summer time
    CorrectionNoon,     // column: clock time of apparent noon
    // Options: the summer-time ring, the further settings, and the body-height planner's page
    DstDialogItem,         // the Options menu's item, with its accelerator
    DstDialogTitle,        // the dialog's title
    DstRingNone,           // ring 0
    DstRingLabels,         // ring 1: a second label on every hour point
    DstRingInner,          // ring 2: an inner hour ellipse
    DstRingInnerRefused,   // tooltip of ring 2 where the dial type cannot carry it
    DstOffset,             // the offset's label
    DstRingScale,          // the inner ring's scale
    DstStart,              // first day
    DstEnd,                // last day
    DstEuropeanRule,       // beside the two dates: what an empty date means
    DstRuleLabel,          // the summer-time rule's label
    DstRuleZoneUnset,      // the rule of the time zone while no zone is chosen
    SettingsDialogItem,    // the Options menu's item, with its accelerator
    SettingsDialogTitle,   // the dialog's title
    MagneticDeclination,   // label: degrees, east positive
    ShowLeapCycle,         // check box
    LeapCycleMean,         // check box
    PlannerPage,           // the page's tab
    PlannerNotForType,     // the page for dial types it does not apply to
    PlannerBodyHeight,     // label of bodyHeight
    PlannerCoverage,       // label of reachCoverage
    PlannerReached,        // "%1" the share in percent, "%2" the semi-major axis with its unit
    PlannerNoCells,        // no cell has a value
    PlannerRecommended,    // "%1" the recommendation with its unit
    PlannerApply,          // the button, with its accelerator
    PlannerUseCentimetres, // the recommendation is below the semi-major axis check
    PlannerMapTitle,       // the heat map's title
    PlannerMapReached,     // after the title, followed by the share in percent
    PlannerMapRatio,       // the colour bar's caption
    PlannerMapNoValue,     // the legend of the grey cells
    // Where and when: the site's time zone and summer time
    SiteWithoutSummerTime, // dstRing refused: the rule or the zone has no summer time
    SummerRuleEu,          // the rule in force, named where summer time is shown
    SummerRuleCustom,
    SummerRuleZone, // "%1" the zone's name
    SummerRuleNone,
    SummerTimeLabel, // the label of a summer clock time without a zone's abbreviation
    ClockTime,       // column: the clock time, summer or zone time
    SitePlace,       // label of the place field
    SitePlaceTip,    // its tooltip
    SiteZone,        // label of the time-zone list
    SiteZoneTip,     // its tooltip
    SitePaste,       // the button that reads pasted coordinates
    SitePasteTitle,  // its dialog's title
    SitePastePrompt, // its dialog's prompt
    SiteReverseSign, // the question after a sign warning
    LongitudeUnit,   // the longitude field's unit, with its sign convention
    // Column heads, messages and titles of the core's and umbrix-cli's own tables and checks
    LeapDeclinationOfYear, // leap-cycle column head before its year
    LeapEquationOfTimeOfYear, // leap-cycle column head before its year
    LeapDeclinationSpread, // leap-cycle column head
    LeapEquationOfTimeSpread, // leap-cycle column head
    LeapPositionSpread, // leap-cycle column head before the length unit
    FieldDisabled, // "%1" the parameter's name
    ValueAllowed, // between NAME=VALUE and the allowed range
    TheSplitDial, // the split dial, in a sentence
    DstInnerRingNotFor, // after "dstRing=N"; "%1" the dial
    TableErroneous, // the hour table of the split dial cannot be used
    TableFewerThanTwoHours, // its reason
    TableMoreThanThirtyHours, // its reason
    EastWestShort, // the east-west direction in a column head
    ColumnDate, // a table's date column
    LargestMagnitude, // summary row of the design-error table
    MeanMagnitude, // summary row of the design-error table
    WorstCell, // summary row of the design-error table
    DesignErrorTableTitle, // title of the design-error table
    CorrectionEquationOfTime, // correction table column
    CorrectionLongitude, // correction table column
    CorrectionStandardTime, // correction table column
    CorrectionSummerTime, // correction table column
    CorrectionApparentNoon, // correction table column
    CorrectionApparentNoonSummer, // correction table column
    CorrectionTableTitle, // title of the correction table
    CorrectionSummerOffset, // in the title's brackets, before the offset in hours
    SimulationZoneTime, // after the clock time of the instant
    SimulationSummerTime, // after the summer-time clock time, in brackets
    SimulationReads, // before the time the dial shows
    SimulationMissesCurve, // the shadow falls beside the hour curve
    SimulationTextNoShadow, // the shadow does not fall on the dial
    BeyondTheDateScale, // distanceZ's range: between the date scale's reach and the largest value
    DxfWithoutEof,      // a written DXF file that lacks its closing record
    Count
};

/// The text of `id` in the language of `lang` (English for languageIndex 2, German otherwise). UTF-8.
[[nodiscard]] std::string_view OwnTextOf(const LanguageState& lang, OwnText id);

/// The text with "%1" replaced by `first` and "%2" by `second`.
[[nodiscard]] std::string OwnTextWith(const LanguageState& lang, OwnText id, std::string_view first,
                                      std::string_view second = {});

} // namespace umbrix
