#pragma once
// The rows of the design's further settings, after the program's own rows of the parameter table (and so
// after them in the JSON report's `parameters`): the length unit, the magnetic declination, the leap-cycle
// switches, the summer-time ring and its period, the body-height planner, and the hour numerals of the maker's
// outputs. Each is kept on an extension
// line; dstStart, dstEnd and bodyHeight only while they are set. Included by parameter_table.cpp alone.

#include "core/parameter_effects.h"
#include "core/parameters.h"
#include "core/reach_planner.h"
#include "core/summer_time.h"

#include <array>
#include <limits>

namespace umbrix::design_rows {

constexpr std::array<ChoiceDoc, 5> kLengthUnits{{
    {"m", "metres", "Meter"},
    {"cm", "centimetres", "Zentimeter"},
    {"mm", "millimetres", "Millimeter"},
    {"in", "inches (25.4 mm)", "Zoll (25,4 mm)"},
    {"ft", "feet (304.8 mm)", "Fuß (304,8 mm)"},
}};

constexpr std::array<ChoiceDoc, 3> kDstRings{{
    {"0", "no summer-time hours", "keine Sommerzeitstunden"},
    {"1", "every hour point gets a second label, its hour plus dstOffsetHours",
     "jeder Stundenpunkt erhält eine zweite Beschriftung, seine Stunde plus dstOffsetHours"},
    {"2",
     "an inner hour ellipse with its own date scale, scaled by dstRingScale (dial types 0, 1 and 6, not the "
     "split dial)",
     "eine innere Stundenellipse mit eigener Datumsskala, um dstRingScale verkleinert (Uhrtypen 0, 1 und 6, nicht "
     "die geteilte Uhr)"},
}};

constexpr std::array<ChoiceDoc, 4> kSummerTimeRules{{
    {"zone", "the summer time of timeZone in the design year (the default with a time zone)",
     "die Sommerzeit von timeZone im Entwurfsjahr (Vorgabe bei gesetzter Zeitzone)"},
    {"none", "no summer time", "keine Sommerzeit"},
    {"eu",
     "the EU rule: 01:00 UTC on the last Sunday of March to 01:00 UTC on the last Sunday of October (the "
     "default without a time zone)",
     "die EU-Regel: 01:00 UTC am letzten Sonntag im März bis 01:00 UTC am letzten Sonntag im Oktober (Vorgabe "
     "ohne Zeitzone)"},
    {"custom", "dstStart to dstEnd, switching at 02:00 zone time, with dstOffsetHours",
     "dstStart bis dstEnd, Umstellung um 02:00 Zonenzeit, mit dstOffsetHours"},
}};

constexpr std::array<ChoiceDoc, 2> kHourLabelRules{{
    {"all", "every whole hour of the range", "jede volle Stunde des Bereichs"},
    {"screen", "the hours the screen numbers", "die Stunden, die der Bildschirm beziffert"},
}};

constexpr ExtensionLine kWritten = ExtensionLine::ReadWrite;

using enum ValueKind;
using enum ValueUnit;
using P = DialParameters;

constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr ValueBounds Closed(double lo, double hi)
{
    return {lo, hi, false, false};
}

constexpr std::array<ParameterRow, 16> kDesignSettingRows{{
    {.name = "lengthUnit",
     .kind = Choice,
     .choices = kLengthUnits,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = DefaultText("m"),
     .read = [](const Model& m) -> ParameterValue { return std::string(UnitName(m.params.lengthUnit)); },
     .apply = ApplyLengthUnit,
     .meaningEn = "the unit of every length parameter; it names the unit and never converts a stored value",
     .meaningDe = "die Einheit aller Längen; sie benennt die Einheit und rechnet gespeicherte Werte nie um"},
    {.name = "magneticDeclination",
     .unit = Degrees,
     .bounds = Closed(-180, 180),
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = Default(0),
     .real = &P::magneticDeclination,
     .apply = ApplyMagneticDeclination,
     .meaningEn = "magnetic declination at the site, EAST positive (unlike the longitudes): magnetic north lies "
                  "this many degrees east of true north; the setting-out plan gives the compass bearing with it",
     .meaningDe = "Missweisung am Standort, OSTEN positiv (anders als bei den Längen): magnetisch Nord liegt so "
                  "viele Grad östlich von geografisch Nord; der Absteckplan gibt damit die Kompassrichtung an"},
    {.name = "showLeapCycle",
     .kind = Boolean,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = Default(0),
     .read = [](const Model& m) -> ParameterValue { return m.params.showLeapCycle != 0; },
     .apply = ApplyShowLeapCycle,
     .meaningEn = "report the scatter of every date mark over the four years of the leap cycle",
     .meaningDe = "die Streuung jeder Datumsmarke über die vier Jahre des Schaltjahreszyklus ausgeben"},
    {.name = "leapCycleMean",
     .kind = Boolean,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = Default(0),
     .read = [](const Model& m) -> ParameterValue { return m.params.leapCycleMean != 0; },
     .apply = ApplyLeapCycleMean,
     .meaningEn = "date marks and loops from the means of declination and equation of time over the leap cycle",
     .meaningDe = "Datumsmarken und Schleifen aus den Mitteln von Deklination und Zeitgleichung über den "
                  "Schaltjahreszyklus"},
    {.name = "dstRing",
     .kind = Choice,
     .choices = kDstRings,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = Default(0),
     .read = [](const Model& m) -> ParameterValue { return static_cast<int>(m.params.dst.ring); },
     .apply = ApplyDstRing,
     .refusedBySet = DstRingRefusedBySet,
     .meaningEn = "the daylight-saving hour ring",
     .meaningDe = "der Sommerzeitring"},
    {.name = "dstOffsetHours",
     .unit = Hours,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = Default(1),
     .read = [](const Model& m) -> ParameterValue { return m.params.dst.offsetHours; },
     .apply = ApplyDstOffsetHours,
     .meaningEn = "summer time minus standard time of the zone meridian",
     .meaningDe = "Sommerzeit minus Normalzeit des Zonenmeridians",
     .rangeEn = "-2 .. 2 h in steps of 0.5, not 0",
     .rangeDe = "-2 .. 2 h in Schritten von 0.5, nicht 0"},
    {.name = "dstRingScale",
     .bounds = Closed(kDstRingScaleMin, kDstRingScaleMax),
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = Default(0.8),
     .read = [](const Model& m) -> ParameterValue { return m.params.dst.ringScale; },
     .apply = ApplyDstRingScale,
     .meaningEn = "size of the inner summer-time ring (dstRing 2) as a fraction of the dial, about the centre P",
     .meaningDe = "Größe des inneren Sommerzeitrings (dstRing 2) als Bruchteil der Uhr, um den Mittelpunkt P"},
    {.name = "dstStart",
     .kind = Date,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = DefaultText(""),
     .read = [](const Model& m) -> ParameterValue { return DayMonthText(m.params.dst.start); },
     .apply = ApplyDstStart,
     .isSet = [](const Model& m) { return m.params.dst.start.has_value(); },
     .meaningEn = "first day of summer time; empty: the last Sunday of March in `year` (European rule)",
     .meaningDe = "erster Tag der Sommerzeit; leer: der letzte Sonntag im März des Jahres `year` (europäische "
                  "Regel)"},
    {.name = "dstEnd",
     .kind = Date,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = DefaultText(""),
     .read = [](const Model& m) -> ParameterValue { return DayMonthText(m.params.dst.end); },
     .apply = ApplyDstEnd,
     .isSet = [](const Model& m) { return m.params.dst.end.has_value(); },
     .meaningEn = "last day of summer time; empty: the last Sunday of October in `year` (European rule); before "
                  "dstStart: the period wraps over the new year",
     .meaningDe = "letzter Tag der Sommerzeit; leer: der letzte Sonntag im Oktober des Jahres `year` (europäische "
                  "Regel); vor dstStart: der Zeitraum reicht über den Jahreswechsel"},
    {.name = "timeZone",
     .kind = Text,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = DefaultText(""),
     .read = [](const Model& m) -> ParameterValue { return m.params.dst.timeZone; },
     .apply = ApplyTimeZone,
     .isSet = [](const Model& m) { return !m.params.dst.timeZone.empty(); },
     .meaningEn = "the IANA time zone of the site (Europe/Vienna); it sets zoneMeridian from its standard offset "
                  "and gives the summer time; empty: none",
     .meaningDe = "die IANA-Zeitzone des Standorts (Europe/Vienna); sie setzt zoneMeridian aus ihrem Normalversatz "
                  "und gibt die Sommerzeit; leer: keine",
     .rangeEn = "a zone name of the tz database, or empty",
     .rangeDe = "ein Zonenname der tz-Datenbank, oder leer"},
    {.name = "summerTimeRule",
     .kind = Choice,
     .choices = kSummerTimeRules,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = DefaultText("eu"),
     .read = [](const Model& m) -> ParameterValue { return std::string(RuleName(RuleInForce(m.params.dst))); },
     .apply = ApplySummerTimeRule,
     .isSet = [](const Model& m) { return m.params.dst.rule.has_value(); },
     .meaningEn = "where the summer time comes from; by default zone with a time zone, custom when dstStart or "
                  "dstEnd is set, else eu",
     .meaningDe = "woher die Sommerzeit kommt; ohne Angabe zone bei gesetzter Zeitzone, custom bei gesetztem "
                  "dstStart oder dstEnd, sonst eu"},
    {.name = "place",
     .kind = Text,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = DefaultText(""),
     .read = [](const Model& m) -> ParameterValue { return m.params.place; },
     .apply = ApplyPlace,
     .isSet = [](const Model& m) { return !m.params.place.empty(); },
     .meaningEn = "the name of the place the site was taken from (umbrix-cli --place); empty: typed by hand",
     .meaningDe = "der Name des Orts, aus dem der Standort stammt (umbrix-cli --place); leer: von Hand eingegeben"},
    {.name = "bodyHeight",
     .unit = DialUnits,
     .bounds = {kMinBodyHeight, kMaxBodyHeight, true, false},
     .saved = {.line = 0, .extension = kWritten},
     .read = [](const Model& m) -> ParameterValue { return m.params.bodyHeightOrGnomon(); },
     .apply = ApplyBodyHeight,
     .isSet = [](const Model& m) { return m.params.bodyHeight.has_value(); },
     .meaningEn = "body-height planner: height of the shortest person expected; until set it follows gnomonHeight, "
                  "empty unsets it",
     .meaningDe = "Körpergrößen-Planer: Größe der kleinsten erwarteten Person; ohne Angabe folgt sie gnomonHeight, "
                  "leer hebt die Angabe auf"},
    {.name = "reachCoverage",
     .bounds = {0, 1, true, false},
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = Default(0.9),
     .real = &P::reachCoverage,
     .apply = ApplyReachCoverage,
     .meaningEn = "body-height planner: the share of date and hour cells whose shadow the person must reach",
     .meaningDe = "Körpergrößen-Planer: der Anteil der Datums- und Stundenzellen, deren Schatten die Person "
                  "erreichen muss"},
    {.name = "hourLabels",
     .kind = Choice,
     .choices = kHourLabelRules,
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = DefaultText("all"),
     .read = [](const Model& m) -> ParameterValue {
         return std::string(m.params.hourLabelsScreenRule ? "screen" : "all");
     },
     .apply = ApplyHourLabels,
     .meaningEn = "which hours are numbered on the true-scale SVG, the true-size DXF, the setting-out plan and the "
                  "template; the screen, the print, the plot and the R10 DXF keep their own rule",
     .meaningDe = "welche Stunden auf der maßstäblichen SVG-Zeichnung, der DXF-Datei in Originalgröße, dem "
                  "Absteckplan und der Schablone beziffert werden; Bildschirm, Druck, Plot und R10-DXF behalten ihre "
                  "eigene Regel"},
    {.name = "hourLabelSize",
     .bounds = Closed(kMinHourLabelSize, kMaxHourLabelSize),
     .saved = {.line = 0, .extension = kWritten},
     .byDefault = Default(0.06),
     .real = &P::hourLabelSize,
     .apply = ApplyHourLabelSize,
     .meaningEn = "height of the hour numerals on those outputs, as a fraction of the semi-major axis",
     .meaningDe = "Höhe der Stundenziffern auf diesen Ausgaben, als Bruchteil der großen Halbachse"},
}};

} // namespace umbrix::design_rows

namespace umbrix {
using design_rows::kDesignSettingRows;
} // namespace umbrix
