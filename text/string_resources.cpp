// The string resources: German texts under ids 1..258, English ones under 2000 + id,
// and ids 300..303 (2300..2303), four lines of terms of use shown in the About panel.
// Every text is reproduced byte for byte, "&" accelerator marks and blanks included.

#include "text/texts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace umbrix {
namespace {

// clang-format off
// {id, German (id), English (2000 + id)}, sorted by id.
constexpr std::array<ResourceEntry, kResourceCount> kResources{{
    {1, " &Nächstes... >", " &Next... >"},
    {2, "&Speichern...", " &Save as.."},
    {3, " &Drucken", "  &Print"},
    {4, "Parameter &speichern", "&Save Parameters"},
    {5, "Parameter &laden", "&Load Parameters"},
    {6, "&Zeiger Höhe:", "&Index Height"},
    {7, " S&chließen", "  &Close"},
    {8, " Abbru&ch", " &Cancel"},
    {9, " &Weiter >", " &Next... >"},
    {10, " &Hilfe", " &Help"},
    {12, "S&peichern...", " Save &as.."},
    {13, " &Laden...", " &Load..."},
    {14, "Sp&eichern...", " Sa&ve..."},
    {15, "&weitere Eingaben ...", "&More Options ..."},
    {16, "&neue Berechnung", "&New Calculation"},
    {17, "Tabelle speichern ...", "Save Table ..."},
    {19, "Genaue Anzeige für diese 2 Std.", "Exact Display for 2 + 2 Hours"},
    {20, "Stunden von..bis, +Intervall", "Hours from..to, and Time Intervall"},
    {21, "folgende Stunden", "for following hours"},
    {22, "Stunden mit 'Fehlergewichtung'", "Hours and 'Error Weight'"},
    {23, "Stunden mit 'Fehlergewichtung'", "Hours and 'Error Weight'"},
    {24, "Grad", "degrees"},
    {25, "Grad (Vorzeichenwechsel bei Deklination<0)", "degrees (sign changes if declination<0)"},
    {30, "Auf-/Untergangszeit mit Bailey-Punkten finden", "Time of rise/set with Bailey-points (sample)"},
    {31, "genauere Rechnung", "higher precision"},
    {32, "Tabelle zeigt", "Table shows"},
    {33, "pro Stunde", "per hour"},
    {34, "und", "and"},
    {40, "Laenge der großen Halbachse? [2,..., 20]", "Length of big half axis [2,... ,20]"},
    {41, "Konstruktion speichern (hpgl-Format)", "Save Construction (hpgl-format)"},
    {42, "Konstruktion speichern (dxf-Format)", "Save Construction (dxf-format)"},
    {43, "Distanz P(0/0) nach Z", "Distance Z to P(0/0)"},
    {90, "Fehler tabellieren", "Error Evaluation"},
    {91, "Fehler bei Ablesung über Auf-/Untergangsmarken",
     "Error for reading Sun rise/set  if rise/set marks are used"},
    {92, "Max. Richtungsfehler:", "Maximal Direction Error:"},
    {93, "Deklination für fixierten Auf/Untergangspunkt: ", "Declination for fixed Seasonal Markers : "},
    {94, "Auf-/Untergangspunkt (Position): ", "Position of Sun rise/set marks: "},
    {95, " Exakte Konstruktion des Auf-/Untergangs in Grafik hinzufügen",
     " Add exact construction for rise/set in graphic display"},
    {98, "Halbachsen a || b", "half axes a || b"},
    {99, "kleine Halbachse", "Minor half axis"},
    {100, "Art der Sonnenuhr", "Analemmatic Sundial"},
    {101, "analemm. Sonnenuhr", "Analemmatic Sundial"},
    {102, "Zeitmarkierungen", "Hour marks"},
    {103, "geogr. Breite", "Latitude"},
    {104, "geogr. Laenge", "Longitude"},
    {105, "Zonenmeridian", "Zone meridian"},
    {106, "grosse Halbachse", "Major half axis"},
    {107, "Zeiger Abweichung", "Index deviation"},
    {108, "Zeiger Neigung", "Index inclination"},
    {109, "Zeigerlaenge", "Index length"},
    {110, "von", "from"},
    {111, "bis", "to"},
    {112, "vor 12 Uhr", "   a.m."},
    {113, "| ab 12 Uhr", "|  p.m."},
    {114, "Wahre Ortszeit am Zonenmeridian", "Apparent time on zone meridian"},
    {115, "Zonenzeit anzeigen", "Show time on zone meridian"},
    {116, "Berechnung fuer Jahr", "Calculations for year"},
    {117, "am [dd/mm]", "on [dd/mm]"},
    {118, "More ...", "More ..."},
    {119, "für Sonnendeklination", " for sun declination"},
    {120, "Für die neueste Programmversion :", "For the newest version goto:"},
    {121, "Sprache", "Language"},
    {122, "Name der INI-Datei", "Name of INI-file"},
    {123, "&Weiter >", "&More >"},
    {124, "zur Berechnung analemmatischer Sonnenuhren", "               calculates analemmatic sundials"},
    {125, "Eingabe ", "Input"},
    {126, "Optimierung fuer", "Search optimum for"},
    {127, "Schattenweg", "Shadow path"},
    {128, "Ebene Abweichung", "Plane deviation"},
    {129, "Ebene Neigung", "Plane inclination"},
    {130, "Horizontale analemm. Sonnenuhr ", "Horizontal Analemmatic Sundial"},
    {131, "Vertikale analemm. Sonnenuhr ", "Vertical Analemmatic Sundial"},
    {132, "Analemm. Sonnenuhr f. mittlere Zeit", "Analemmatic Sundial for Mean Time"},
    {133, "Schiefe analemm. Sonnenuhr ", "Inclining Analemmatic Sundial"},
    {199, "   Datumslinien   ", "     Date Lines     "},
    {200, " Datumsmarkierung ", "     Date Marks     "},
    {201, "Reset (Größe anpassen)", "Reset (Size Adaption)"},
    {202, "Drucker einrichten", "Printer Setup"},
    {203, "Grafik drucken", "Print Graphic"},
    {204, "angezeigte Liste drucken", "Print Displayed List"},
    {205, "alle Listen drucken", "Print all Lists"},
    {206, "Konfiguration speichern", "Save actual Configuration"},
    {207, "Konfiguration laden", "Load Configuration"},
    {220, "Anzeige 'Schattenweg' nicht aktiviert!", "Display of 'Shadow path' is deactivated!"},
    {250, "Arten von analemmatischen Sonnenuhren", "Types of Analemmatic Sundials"},
    {251, "Ebene horizontal, Zeiger vertikal (häufigste analemm. SU)",
     "Horizontal dial, index vertical (most popular type)"},
    {252, "Ebene horizontal, Zeiger mit beliebiger Richtung (z, D)",
     "Horizontal dial, index inclining and/or deviating (z, D)"},
    {253, "Ebene geneigt und von Süden abweichend, Zeiger vertikal", "Dial inclining and/or deviating, index vertical"},
    {254, "Ebene geneigt (ze) und/oder Zeiger geneigt (z)", "Dial inclining and/or index inclining"},
    {255, "vertikale Süduhr, Zeiger in Meridianebene geneigt",
     "Vertical South-dial, index inclining (in meridional plane)"},
    {256, "vertikale, von Süd abweichende Ebene, Zeiger dazu orthogonal",
     "Vertical, from South declining dial, index rectangular to plane"},
    {257, "Analem. SU für mittlere Zeit: Ebene horizontal, Zeiger vertikal",
     "Analemm. sundial for mean time: plane horizontal, index vertical"},
    {258, "Ebene horizontal, FIXIERTER ZEIGER (!), Richtung beliebig (z,D)",
     "Horizontal dial, INDEX STATIONARY(!), inclining and/or deviating"},
    {300, "Umbrix ist freie Software und wird ohne jede Gewährleistung zur Verfügung gestellt.",
     "Umbrix is free software and comes without any warranty."},
    {301, "Die Benutzung erfolgt auf eigene Gefahr; für Schäden wird keine Haftung übernommen.",
     "You use it at your own risk; no liability is accepted for any damage."},
    {302, "Prüfen Sie die berechnete Konstruktion sorgfältig, bevor Sie die Sonnenuhr bauen.",
     "Check the computed construction carefully before you build the sundial."},
    {303, "Sie dürfen das Programm frei weitergeben, verändern und weiterverbreiten.",
     "You may freely use, copy, modify and pass on the program."},
}};
// clang-format on

constexpr bool SortedAndUnique()
{
    for (std::size_t i = 1; i < kResources.size(); ++i) {
        if (kResources[i - 1].id >= kResources[i].id) {
            return false;
        }
    }
    return true;
}
static_assert(SortedAndUnique(), "string resources must be sorted by id without duplicates");
static_assert(kResources.front().id >= 1 && kResources.back().id < kEnglishResourceOffset);

constexpr const ResourceEntry* Find(int id)
{
    const auto it = std::lower_bound(kResources.begin(), kResources.end(), id,
                                     [](const ResourceEntry& entry, int key) { return entry.id < key; });
    return (it != kResources.end() && it->id == id) ? &*it : nullptr;
}

} // namespace

std::span<const ResourceEntry, kResourceCount> ResourceEntries()
{
    return kResources;
}

std::string_view ResourceTextById(int fullId)
{
    const bool english = fullId >= kEnglishResourceOffset;
    const ResourceEntry* entry = Find(english ? fullId - kEnglishResourceOffset : fullId);
    if (entry == nullptr) {
        return {};
    }
    return english ? entry->english : entry->german;
}

std::string_view ResourceText(const LanguageState& lang, int id)
{
    const long long fullId = static_cast<long long>(id) + lang.stringIdOffset;
    if (fullId < 1 || fullId > kEnglishResourceOffset + kResources.back().id) {
        return {};
    }
    return ResourceTextById(static_cast<int>(fullId));
}

} // namespace umbrix
