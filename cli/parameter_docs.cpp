#include "cli/parameter_docs.h"

#include "core/input_panel.h"

#include <array>
#include <charconv>
#include <cmath>

namespace umbrix {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr ValueBounds Closed(double lo, double hi)
{
    return {lo, hi, false, false};
}

constexpr ValueBounds Spin(SpinRange range)
{
    return Closed(range.lo, range.hi);
}

constexpr std::array<ChoiceDoc, 4> kMarksPerMonth{{
    {"1", "one date mark per month", "eine Datumsmarke je Monat"},
    {"2", "two date marks per month", "zwei Datumsmarken je Monat"},
    {"3", "three date marks per month", "drei Datumsmarken je Monat"},
    {"6", "six date marks per month (not on dial type 7)", "sechs Datumsmarken je Monat (nicht bei Uhrtyp 7)"},
}};

constexpr std::array<ChoiceDoc, 2> kMarksMode{{
    {"1", "the gnomon's date marks lie on one analemma", "die Datumsmarken des Zeigers liegen auf einem Analemma"},
    {"2", "split dial: a morning and an afternoon figure-eight loop (dial type 6 only)",
     "geteilte Uhr: je eine Achterschleife für Vormittag und Nachmittag (nur Uhrtyp 6)"},
}};

constexpr std::array<ChoiceDoc, 8> kDialTypes{{
    {"0", "horizontal plane, vertical gnomon (the usual analemmatic dial)",
     "waagrechte Ebene, senkrechter Zeiger (die übliche analemmatische Uhr)"},
    {"1", "horizontal plane, gnomon inclined and/or turned", "waagrechte Ebene, Zeiger geneigt und/oder gedreht"},
    {"2", "plane inclined and/or turned from south, vertical gnomon",
     "Ebene geneigt und/oder von Süden abweichend, senkrechter Zeiger"},
    {"3", "plane inclined and/or gnomon inclined", "Ebene geneigt und/oder Zeiger geneigt"},
    {"4", "vertical south-facing plane, gnomon inclined in the meridian plane",
     "senkrechte Südebene, Zeiger in der Meridianebene geneigt"},
    {"5", "vertical plane turned from south, gnomon at right angles to it",
     "senkrechte, von Süden abweichende Ebene, Zeiger rechtwinklig dazu"},
    {"6", "mean time: horizontal plane, vertical gnomon, date marks shifted by the equation of time",
     "mittlere Zeit: waagrechte Ebene, senkrechter Zeiger, Datumsmarken um die Zeitgleichung verschoben"},
    {"7", "horizontal plane with a fixed gnomon, inclined and/or turned; every date has its own hour ellipse",
     "waagrechte Ebene mit feststehendem Zeiger, geneigt und/oder gedreht; jedes Datum hat eine eigene "
     "Stundenellipse"},
}};

constexpr std::array<ChoiceDoc, 5> kSplitMethods{{
    {"0", "exact at the two chosen hours of each half day", "genau zu den zwei gewählten Stunden jedes Halbtags"},
    {"1", "mean of the exact positions over a range of hour pairs",
     "Mittel der genauen Positionen über eine Reihe von Stundenpaaren"},
    {"2", "search for the smallest largest hour error", "Suche nach dem kleinsten größten Stundenfehler"},
    {"3", "search for the smallest weighted mean absolute hour error",
     "Suche nach dem kleinsten gewichteten mittleren Betrag des Stundenfehlers"},
    {"4", "search for the smallest weighted root-mean-square hour error",
     "Suche nach dem kleinsten gewichteten quadratischen Mittel des Stundenfehlers"},
}};

using enum ValueKind;
using enum ValueUnit;

constexpr std::array<ParameterDoc, 31> kParameterDocs{{
    {"latitude",
     Real,
     Degrees,
     Closed(-90, 90),
     {},
     "geographic latitude of the site, north positive",
     "geografische Breite des Standorts, Norden positiv"},
    {"longitude",
     Real,
     Degrees,
     Closed(-195, 195),
     {},
     "geographic longitude of the site, west positive, east negative",
     "geografische Länge des Standorts, Westen positiv, Osten negativ"},
    {"zoneMeridian",
     Real,
     Degrees,
     Closed(-195, 195),
     {},
     "meridian of the zone time, signed like the longitude (-15: 15 degrees east)",
     "Bezugsmeridian der Zonenzeit, Vorzeichen wie bei der Länge (-15: 15 Grad Ost)"},
    {"planeInclination",
     Real,
     Degrees,
     Closed(-90, 110),
     {},
     "tilt of the dial plane: 0 horizontal, about 90 vertical",
     "Neigung der Zifferblattebene: 0 waagrecht, etwa 90 senkrecht"},
    {"planeDeviation",
     Real,
     Degrees,
     Closed(-180, 180),
     {},
     "turn of the dial plane away from south, east negative",
     "Abweichung der Zifferblattebene von Süden, Osten negativ"},
    {"gnomonInclination",
     Real,
     Degrees,
     Closed(-150, 150),
     {},
     "tilt of the gnomon; 0 stands upright on a horizontal plane",
     "Neigung des Zeigers; 0 steht senkrecht auf einer waagrechten Ebene"},
    {"gnomonDeviation",
     Real,
     Degrees,
     Closed(-180, 180),
     {},
     "direction (azimuth) towards which the gnomon leans",
     "Richtung (Azimut), in die sich der Zeiger neigt"},
    {"gnomonHeight",
     Real,
     DialUnits,
     {0.05, kInf, true, false},
     {},
     "length of the gnomon, for the shadow path",
     "Länge des Zeigers, für den Schattenweg"},
    {"semiMajorAxis",
     Real,
     DialUnits,
     {1, kInf, true, false},
     {},
     "half the long axis of the hour ellipse; its unit is the unit of every length",
     "große Halbachse der Stundenellipse; ihre Einheit gilt für alle Längen"},
    {"riseSetDeclination",
     Real,
     Degrees,
     {},
     {},
     "sun's declination at which the fixed sunrise and sunset marks stand",
     "Sonnendeklination, bei der die festen Auf- und Untergangsmarken stehen"},
    {"distanceZ",
     Real,
     DialUnits,
     {},
     {},
     "dial type 7: distance of the point Z from the centre of the dial, beyond the date scale",
     "Uhrtyp 7: Abstand des Punktes Z vom Mittelpunkt, außerhalb der Datumsskala",
     "|value| > reach of the date scale",
     "|Wert| > Reichweite der Datumsskala"},
    {"dxfAxisLength",
     Real,
     DialUnits,
     {2, 20, true, false},
     {},
     "semi-major axis of the scaled plot and DXF export; unset, it follows from the dial's own axis",
     "große Halbachse des maßstäblichen Plot- und DXF-Exports; ohne Angabe folgt sie aus der Halbachse der Uhr"},
    {"year", Integer, None, Closed(1700, 2100), {}, "year of the calculation", "Jahr der Berechnung"},
    {"marksPerMonth", Choice, None, {}, kMarksPerMonth, "date marks per month", "Datumsmarken je Monat"},
    {"linesPerHour", Integer, None, Spin(kLinesPerHourRange), {}, "hour marks per hour", "Stundenmarken je Stunde"},
    {"marksMode", Choice, None, {}, kMarksMode, "where the date marks lie", "Lage der Datumsmarken"},
    {"dialType", Choice, None, {}, kDialTypes, "dial type", "Uhrtyp"},
    {"doubleAnalemmaMethod",
     Choice,
     None,
     {},
     kSplitMethods,
     "how the split dial places the gnomon for each date and half day",
     "wie die geteilte Uhr den Zeiger für jedes Datum und jeden Halbtag setzt"},
    {"showZoneTime",
     Boolean,
     None,
     {},
     {},
     "hour marks in zone time instead of apparent local time",
     "Stundenmarken in Zonenzeit statt wahrer Ortszeit"},
    {"showLambertCircle", Boolean, None, {}, {}, "draw the Lambert circle", "den Lambert-Kreis zeichnen"},
    {"hourFrom",
     Integer,
     Hours,
     Spin(kHourFromRange),
     {},
     "first hour of the hour marks, before the last hour",
     "erste Stunde der Stundenmarken, vor der letzten Stunde"},
    {"hourTo",
     Integer,
     Hours,
     Spin(kHourToRange),
     {},
     "last hour of the hour marks, after the first hour",
     "letzte Stunde der Stundenmarken, nach der ersten Stunde"},
    {"errorHourFrom",
     Integer,
     Hours,
     Spin(kErrorHourFromRange),
     {},
     "split dial: first hour of the error table",
     "geteilte Uhr: erste Stunde der Fehlertabelle"},
    {"errorHourTo",
     Integer,
     Hours,
     Spin(kErrorHourToRange),
     {},
     "split dial: last hour of the error table",
     "geteilte Uhr: letzte Stunde der Fehlertabelle"},
    {"shadowDate",
     Date,
     None,
     {},
     {},
     "day of the shadow path and of the extra date line",
     "Tag des Schattenwegs und der zusätzlichen Datumslinie"},
    {"showShadowPath",
     Boolean,
     None,
     {},
     {},
     "compute and draw the shadow path of that day",
     "den Schattenweg dieses Tages berechnen und zeichnen"},
    {"markRiseSet",
     Boolean,
     None,
     {},
     {},
     "mark sunrise and sunset on the dial",
     "Sonnenauf- und -untergang auf der Uhr markieren"},
    {"coordinatesAsXY",
     Boolean,
     None,
     {},
     {},
     "hour-mark table as x/y (1) or as distances to the ends of the north-south axis (0)",
     "Tabelle der Stundenmarken als x/y (1) oder als Abstände zu den Enden der Nord-Süd-Achse (0)"},
    {"useDefaultHours",
     Boolean,
     None,
     {},
     {},
     "split dial: the built-in hours instead of hoursTable",
     "geteilte Uhr: die eingebauten Stunden statt hoursTable"},
    {"fineSearch",
     Boolean,
     None,
     {},
     {},
     "split dial, methods 2 to 4: a finer, slower search",
     "geteilte Uhr, Methoden 2 bis 4: eine feinere, langsamere Suche"},
    {"hoursTable",
     HoursTable,
     None,
     {},
     {},
     "split dial: the hours (and weights) of the hours input table",
     "geteilte Uhr: die Stunden (und Gewichte) der Eingabetabelle"},
}};

std::string Number(double v)
{
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::string UnitText(ValueUnit unit, Language language)
{
    const bool en = language == Language::English;
    switch (unit) {
    case ValueUnit::None:
        return "";
    case ValueUnit::Degrees:
        return en ? " degrees" : " Grad";
    case ValueUnit::DialUnits:
        return en ? " dial units" : " Längeneinheiten";
    case ValueUnit::Hours:
        return " h";
    }
    return "";
}

/// The bounds and the unit: "-90 .. 90 degrees", "> 2, <= 20 dial units", "any number in degrees".
std::string BoundsText(const ValueBounds& b, ValueUnit unit, Language language)
{
    const bool hasLo = std::isfinite(b.lo);
    const bool hasHi = std::isfinite(b.hi);
    if (hasLo && hasHi && !b.loOpen && !b.hiOpen)
        return Number(b.lo) + " .. " + Number(b.hi) + UnitText(unit, language);
    std::string text;
    if (hasLo)
        text = (b.loOpen ? "> " : ">= ") + Number(b.lo);
    if (hasHi)
        text += (hasLo ? ", " : "") + std::string(b.hiOpen ? "< " : "<= ") + Number(b.hi);
    if (text.empty())
        return std::string(language == Language::English ? "any number" : "beliebige Zahl") +
               (unit == ValueUnit::None ? "" : " in" + UnitText(unit, language));
    return text + UnitText(unit, language);
}

std::string Joined(std::span<const ChoiceDoc> choices, std::string_view separator)
{
    std::string text;
    for (const ChoiceDoc& c : choices)
        text += (text.empty() ? "" : std::string(separator)) + std::string(c.value);
    return text;
}

} // namespace

std::span<const ParameterDoc> ParameterDocs()
{
    return kParameterDocs;
}

const ParameterDoc* FindParameterDoc(std::string_view name)
{
    for (const ParameterDoc& doc : kParameterDocs)
        if (doc.name == name)
            return &doc;
    return nullptr;
}

std::string RangeText(const ParameterDoc& doc, Language language)
{
    const std::string_view special = language == Language::English ? doc.rangeEn : doc.rangeDe;
    if (!special.empty())
        return std::string(special);
    switch (doc.kind) {
    case ValueKind::Real:
    case ValueKind::Integer:
        return BoundsText(doc.bounds, doc.unit, language);
    case ValueKind::Choice:
        return Joined(doc.choices, "|");
    case ValueKind::Boolean:
        return "0|1|true|false";
    case ValueKind::Date:
        return language == Language::English ? "dd/mm" : "TT/MM";
    case ValueKind::HoursTable:
        return language == Language::English ? "COLUMN;COLUMN;COLUMN;COLUMN, cells separated by /"
                                             : "SPALTE;SPALTE;SPALTE;SPALTE, Zellen durch / getrennt";
    }
    return "";
}

std::string CompletionValues(const ParameterDoc& doc)
{
    if (doc.kind == ValueKind::Choice)
        return Joined(doc.choices, " ");
    if (doc.kind == ValueKind::Boolean)
        return "0 1 true false";
    return "";
}

} // namespace umbrix
