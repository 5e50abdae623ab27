#pragma once
// The rows of the design's further settings, after the program's own rows of the parameter table (and so
// after them in the JSON report's `parameters`): the length unit, the magnetic declination, the leap-cycle
// switches, the summer-time ring and its period, and the body-height planner. Each is kept on an extension
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

constexpr ExtensionLine kWritten = ExtensionLine::ReadWrite;

using enum ValueKind;
using enum ValueUnit;
using P = DialParameters;

constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr ValueBounds Closed(double lo, double hi)
{
    return {lo, hi, false, false};
}

constexpr std::array<ParameterRow, 11> kDesignSettingRows{{
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
    {.name = "bodyHeight",
     .unit = DialUnits,
     .bounds = {kMinBodyHeight, kInf, true, false},
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
}};

} // namespace umbrix::design_rows

namespace umbrix {
using design_rows::kDesignSettingRows;
} // namespace umbrix
