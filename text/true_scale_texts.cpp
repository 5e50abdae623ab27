#include "text/true_scale_texts.h"

#include <array>
#include <cstddef>

namespace umbrix {

namespace {

struct TextPair {
    TrueScaleText id;
    std::string_view german;
    std::string_view english;
};

constexpr std::array<TextPair, static_cast<std::size_t>(TrueScaleText::Count)> kTexts{{
    {TrueScaleText::Scale, "Maßstab", "Scale"},
    {TrueScaleText::Up, "oben", "up"},
    {TrueScaleText::North, "N", "N"},
    {TrueScaleText::TrueNorthNotMagnetic, "geographisch Nord, nicht magnetisch", "true north, not magnetic"},
    {TrueScaleText::MagneticBearing, "Kompasspeilung von geographisch Nord:", "Compass bearing of true north:"},
    {TrueScaleText::UpOnPlane, "Die y-Achse zeigt auf der Ebene nach oben (Falllinie aufwärts).",
     "The y axis points up the plane (up the line of steepest slope)."},
    {TrueScaleText::PlanTitle, "Absteckplan", "Setting-out plan"},
    {TrueScaleText::Unit, "Einheit", "unit"},
    {TrueScaleText::ColumnNumber, "Nr.", "No."},
    {TrueScaleText::ColumnKind, "Art", "kind"},
    {TrueScaleText::ColumnLabel, "Bezeichnung", "label"},
    {TrueScaleText::ColumnChord, "Sehne", "chord"},
    {TrueScaleText::TwoTapes,
     "Zwei Maßbänder: jeder Punkt liegt im Abstand d1 vom Pflock B1 und d2 vom Pflock B2 (Enden der kleinen "
     "Halbachse); die Sehne ist der Abstand zum vorigen Punkt derselben Art.",
     "Two tapes: each point lies at d1 from stake B1 and d2 from stake B2 (the ends of the minor axis); the "
     "chord is the distance to the previous point of the same kind."},
    {TrueScaleText::NorthHint,
     "Nord-Süd-Linie finden: der Schatten eines Lots liegt zum wahren Mittag genau in Nord-Süd-Richtung. "
     "Wahrer Mittag (Zonenzeit) im",
     "Finding the north-south line: a plumb line's shadow lies exactly north-south at apparent noon. "
     "Apparent noon (zone time) in"},
    {TrueScaleText::StringMethod,
     "Fadenmethode: einen Faden der Länge 2A mit seinen Enden an den Brennpunkten F1 und F2 festbinden und "
     "gespannt herumführen:",
     "String method: tie a string of length 2A with its ends at the foci F1 and F2 and draw round it held "
     "taut:"},
    {TrueScaleText::GnomonHeight, "Zeigerhöhe:", "Gnomon height:"},
    {TrueScaleText::StandOnDate, "Zum Ablesen auf das heutige Datum der Datumsskala stellen.",
     "To read the time, stand on today's date on the date scale."},
    {TrueScaleText::FixedGnomonAtZ, "Der Zeiger steht fest im Punkt Z; jede Datumslinie hat ihre eigene Ellipse.",
     "The gnomon stands fixed at Z; each date line has its own ellipse."},
    {TrueScaleText::SplitDialHalves,
     "Geteilte Uhr: Vormittagshälfte (am) westlich, Nachmittagshälfte (pm) östlich, jede mit eigenen Pflöcken.",
     "Split dial: morning half (am) to the west, afternoon half (pm) to the east, each with its own stakes."},
    {TrueScaleText::TemplateTitle, "Schablone in Originalgröße", "Full-size template"},
    {TrueScaleText::Sheet, "Blatt", "Sheet"},
    {TrueScaleText::SheetMap, "Blattübersicht", "Sheet map"},
    {TrueScaleText::CheckBar, "Prüfstrecke 100 mm", "check bar 100 mm"},
    {TrueScaleText::CorrectionFactors, "Druckerkorrektur x/y:", "Printer correction x/y:"},
    {TrueScaleText::TooManySheets, "Die Schablone braucht mehr als 100 Blätter.",
     "The template needs more than 100 sheets."},
    {TrueScaleText::SheetsRefused, "Die Schablone bräuchte mehr als 1000 Blätter und wird nicht erstellt.",
     "The template would need more than 1000 sheets and is not made."},
    {TrueScaleText::Notes, "Hinweise", "Notes"},
    {TrueScaleText::Points, "Punkte", "Points"},
    {TrueScaleText::Day, "Tag", "day"},
    {TrueScaleText::ZoneTime, "Zonenzeit", "zone time"},
}};

static_assert([] {
    for (std::size_t i = 0; i < kTexts.size(); ++i)
        if (static_cast<std::size_t>(kTexts[i].id) != i)
            return false;
    return true;
}());

} // namespace

std::string_view TrueScaleTextOf(const LanguageState& lang, TrueScaleText text)
{
    const std::size_t row = static_cast<std::size_t>(text);
    if (row >= kTexts.size())
        return {};
    return lang.languageIndex == 2 ? kTexts[row].english : kTexts[row].german;
}

} // namespace umbrix
