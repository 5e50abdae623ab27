// The built-in text tables (TextTable, LabelTable, MessageTable, the message-box
// caption pairs, the main-menu caption lists) and the month names, with their lookup.
// Every text is reproduced byte for byte; blanks at either end are part of it.
// "\r" and "\n" are the carriage return and line feed the texts carry.

#include "text/texts.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace umbrix {
namespace {

struct TextPair {
    std::string_view german;
    std::string_view english;
};

// clang-format off

// TextTable (T r): row r = T{r}; {German, English}.
constexpr std::array<TextPair, 32> kTextTable{{
    /* T0 */ {" Tabelle der Zeitgleichung", " Equation of Time -Table "},
    /* T1 */ {" Tabelle Sonnendeklination", " Declination of Sun -Table "},
    /* T2 */ {" Konstruktion einer ", "Construction of a"},
    /* T3 */ {"genaue Anzeige für diese 2 Std.", "exact display for these 2 hours"},
    /* T4 */ {"Stunden von..bis, +Intervall", "hours from..to, and time intervall"},
    /* T5 */ {"Stunden mit \"Fehlergewichtung\"", "hours and \"error weight\""},
    /* T6 */ {"Stunden mit \"Fehlergewichtung\"", "hours and \"error weight\""},
    /* T7 */ {"folgende Stunden", "following hours"},
    /* T8 */ {"|-ab 12 Uhr", "|  p.m."},
    /* T9 */ {"bis", " to"},
    /* T10 */ {"-bis 12 Uhr", "   a.m."},
    /* T11 */ {"Sonne: Auf-/Untergang", "Sun: Rise and Set"},
    /* T12 */ {"     Grafik      ", " Graphic Display "},
    /* T13 */ {"Stundenmarkierung - Koordinaten", " Hour Marks - Coordinates "},
    /* T14 */ {" Weg des Schattens ", "  Shadow Path  "},
    /* T15 */ {" Datumsmarkierung ", "     Date Marks     "},
    /* T16 */ {"  Doppelanalemma  ", "    Split Analemma     "},
    /* T17 */ {"Fehlertabelle bei Ablesung mittlerer Zeit", "Reading Mean Time - Error Table"},
    /* T18 */ {"Kein Ausdruck möglich,\n\rweil keine Tabelle angezeigt wird!",
               "Cannot print table!\n\rNo table but graphic is displayed!"},
    /* T19 */ {"Speichern aller Parameter", "Save all Parameters"},
    /* T20 */ {"Laden aller Parameter", "Load all Parameters"},
    /* T21 */ {" Schliessen", "  Close"},
    /* T22 */ {"Zu wenig Daten für Fehlerdurchschnitt!", "Not eneough data for average calculation!"},
    /* T23 */ {"Stundenmarkierung - Distanz zu den Endpunkten der N-S-Achse der Ellipse",
               "Hour Marks - Distance to endpoints of N-S-axis of ellipse"},
    /* T24 */ {"Dieser Uhrtyp ist zur ganzjährigen\n\rZeitanzeige ungeeignet!",
               "A dial with these parameters cannot\n\rregister time well all the year long!"},
    /* T25 */ {"Neigung der Sonnenuhr (Inklination) eingeben", "Input of Sundial-Inclination"},
    /* T26 */ {"Aufgangspunkt", "Sunrise Mark"},
    /* T27 */ {"Untergangspunkt", "Sunset Mark"},
    /* T28 */ {"Konstruktionsdaten (*.ini)|*.ini|Konstruktionsdaten alt( *.adt)|*.adt|Alle Dateien (*.*)|*.*",
               "Construction Data (*.ini)|*.ini|Construction Data old (*.adt)|*.adt|All Files (*.*)|*.*"},
    /* T29 */ {"HPGL-Datei (*.plt)|*.plt|dxf-Datei (*.dxf)|*.dxf|Anderes Format (*.*)|*.*",
               "HPGL-graphics file (*.plt)|*.plt|dxf-Graphics file (*.dxf)|*.dxf|All Files (*.*)|*.*"},
    /* T30 */ {"Minimaler Absolutwert =", "Minimum absolute value ="},
    /* T31 */ {"Groeßte Halbachse =", "Longest semimajor axis ="},
}};

// LabelTable (A r); rows 9, 10, 65, 71, 76, 83, 98, 99, 101, 109, 110, 119..122 empty: row r = A{r}; {German, English}.
constexpr std::array<TextPair, 123> kLabelTable{{
    /* A0 */ {" N&ord", " N&orth"},
    /* A1 */ {" &Süd", " &South"},
    /* A2 */ {" &Ost", " &East"},
    /* A3 */ {" &West", " &West"},
    /* A4 */ {" y-Achse", " along N-S-axis"},
    /* A5 */ {" einer 8er-Schleife", " one single 8-slope"},
    /* A6 */ {" zwei 8er-Schleifen", " two 8-slopes"},
    /* A7 */ {"x/y-Koordinaten der Stundenpunkte", "x/y - coordinates of hour points"},
    /* A8 */ {"Abstand zu den Endpunkten der kl. Achse", "distance to end points of vertical ellipse axis"},
    /* A9 */ {"", ""},
    /* A10 */ {"", ""},
    /* A11 */ {" 1 pro Monat", " 1 per month"},
    /* A12 */ {" 2 pro Monat (1/15)", " 2 per month (1/15)"},
    /* A13 */ {" 3 pro Monat (1/11/21)", " 3 per month (1/11/21)"},
    /* A14 */ {" am 1/6/11/16/21/26", " on 1/6/11/16/21/26"},
    /* A15 */ {"  Doppelanalemma  ", "  Split Analemma  "},
    /* A16 */ {"  Datumsmarkierungen ", " Number of Date Marks "},
    /* A17 */ {" Zonenzeit", " Time of zone meridian"},
    /* A18 */ {"Analemmatische Sonnenuhr", "Analemmatic Sundial"},
    /* A19 */ {"Deklin.", "Declin."},
    /* A20 */ {"Sonne", " Sun "},
    /* A21 */ {"Fehler in Grad", "Error in degrees"},
    /* A22 */ {"  Zeige Fehlertabelle für  ", "  Show Error Table for  "},
    /* A23 */ {"Vormittag", " morning"},
    /* A24 */ {"Nachmittag", "afternoon"},
    /* A25 */ {"Default", "default"},
    /* A26 */ {"lautTabelle", "from table"},
    /* A27 */ {"Ist dieser Uhrtyp zur ganzjährigen Zeitanzeige geeignet?",
               "Do these parameters allow correct time indication all year long?"},
    /* A28 */ {"zweigeteilte Sonnenuhr: ", "Split dial: "},
    /* A29 */ {"O", "E"},
    /* A30 */ {"Eingabewerte der Konstruktion bitte ändern!", "Please, change construction parameters!"},
    /* A31 */ {"  &keine Koordinatenausgabe", " &no output of co-ordinates"},
    /* A32 */ {"  auf &Drucker  ausdrucken", " &print co-ordinates"},
    /* A33 */ {"  in &Textdatei speichern", " &save co-ordinates into file"},
    /* A34 */ {" Datumslinie auf ", "   Date Line   "},
    /* A35 */ {"Schattenweg und Auf-/Untergangszeit am ", "Shadow  path and rise/set time on "},
    /* A36 */ {"Schattenweg am [dd/mm] ", "Shadow path on [dd/mm] "},
    /* A37 */ {"Jahrestabelle fuer ", " Table shows "},
    /* A38 */ {" Zeitdifferenz fuer geogr. Laenge", "    Correction for longitude"},
    /* A39 */ {"Datum  ", " Date  "},
    /* A40 */ {" x-li. ", " x_left "},
    /* A41 */ {" y-li. ", " y_left "},
    /* A42 */ {" Dekl.  ", " decl. "},
    /* A43 */ {"Zeit", "Time"},
    /* A44 */ {"Diff", "diff"},
    /* A45 */ {"Gewicht", "Weight"},
    /* A46 */ {"Fehler ", "Error"},
    /* A47 */ {"  Grad", "  degrees"},
    /* A48 */ {"Speichern / Laden der Konstruktionsdaten", "Save / Load sundial construction data"},
    /* A49 */ {"Tabelle für ", "  Table for "},
    /* A50 */ {"Groesse von 1 Laengeneinheit (Default=10 [mm]) :", "Width of grid (default=10 [mm] :"},
    /* A51 */ {"Koordinatennetz zeichnen", "Display Grid of Coordinates"},
    /* A52 */ {" max. Fehler", " max. Error "},
    /* A53 */ {" mittlerer Absolutfehler ", " Absolute Error Average"},
    /* A54 */ {" Streuung", " Deviation"},
    /* A55 */ {"vor 12", " a.m."},
    /* A56 */ {"ab 12 ", " p.m."},
    /* A57 */ {"  x-re. ", " x_right"},
    /* A58 */ {" y-re. ", " y_right"},
    /* A59 */ {"Derzeit erfolgen die Berechnungen ", "At this time you selected for all"},
    /* A60 */ {"für das Jahr ", "computations the year "},
    /* A61 */ {" im Intervall", " with steps of"},
    /* A62 */ {" (für", " (for"},
    /* A63 */ {"    Jahreswert", "   for the whole year"},
    /* A64 */ {"Nachmittag für ", "Afternoon for "},
    /* A65 */ {"", ""},
    /* A66 */ {"  Grad", "  deg"},
    /* A67 */ {"Eingabe?", "Input?"},
    /* A68 */ {"   Die beiden ersten und die beiden letzten", "     The first two columns  and the last two"},
    /* A69 */ {"   Spalten geben die  Koordinaten der zwei", "     columns show the coordinates of the two"},
    /* A70 */ {"   Achterschleifen einer geteilten Sonnenuhr an:", "     8-slopes in the split sundial:"},
    /* A71 */ {"", ""},
    /* A72 */ {"        links:    Punkte für den Vormittag", "           left:    points for morning"},
    /* A73 */ {"        rechts:  Punkte für den Nachmittag", "           right:  points for afternoon"},
    /* A74 */ {"    Alle Zeiten in Zonenzeit (= UT", "All times are standard time (= UT"},
    /* A75 */ {", keine Sommerzeit!", ", no Daylight Saving Time!"},
    /* A76 */ {"", ""},
    /* A77 */ {"Zeitgleichung in min:sec für das Jahr ", "Equation of Time in min:sec for the Year "},
    /* A78 */ {"   Tabelle der Sonnendeklination für das Jahr ", "    Declination of Sun in dd.dd for the Year "},
    /* A79 */ {"   Die Werte gelten für 12 Uhr Zonenzeit,  aber nicht Sommerzeit!",
               "   All values for 12 standard time, but not Daylight Saving Time!"},
    /* A80 */ {"   Die Deklination ist in Grad (auf Hundertstel genau) angegeben!",
               "          The declination is exact to within 0.01 deg !"},
    /* A81 */ {"       Es gilt:   Zeitgleichung = wahre Ortszeit - mittlere Ortszeit",
               "        ( Equation of Time = Local Apparent Time - Local Mean Time )"},
    /* A82 */ {"(Zonenmeridian: ", "(Zone meridian: "},
    /* A83 */ {"", ""},
    /* A84 */ {"Geogr. Ort: ", " Location:  "},
    /* A85 */ {"Laenge (oestl. neg.) ... ", "Longitude (East neg.)... "},
    /* A86 */ {"Breite  ", "Latitude"},
    /* A87 */ {"    Geogr. Breite:  ", "    Latitude :      "},
    /* A88 */ {"    Geogr. Laenge: ", "    Longitude:     "},
    /* A89 */ {"    Datum:           ", "    Date :           "},
    /* A90 */ {" Grad         Zonenmeridian: ", " deg          Zone meridian: "},
    /* A91 */ {"Sonnendeklination: ", "Sun declination :  "},
    /* A92 */ {"Zeitgleichung:     ", "Equation of Time:  "},
    /* A93 */ {"exakt für 2 ausgewählte Stunden", "exact for 2 selected hours"},
    /* A94 */ {"Mittelwert von Methode 1", "mean value of method 1"},
    /* A95 */ {"kleinster mittlerer Absolutfehler", "minimal absolute error average"},
    /* A96 */ {"geringste Streuung", "minimal standard deviation"},
    /* A97 */ {"kleinster Absolutfehler", "minimal absolute error"},
    /* A98 */ {"", ""},
    /* A99 */ {"", ""},
    /* A100 */ {"Uhrzeit:       ", "Time :         "},
    /* A101 */ {"", ""},
    /* A102 */ {"Azimut:      ", "azimuth :    "},
    /* A103 */ {"Sonnendeklination: ", "Sun declination:   "},
    /* A104 */ {"[negativ bei Abweichung gegen Osten]", "[negative for deviations eastward]"},
    /* A105 */ {" Grad", " deg "},
    /* A106 */ {"   Werte für 12 Uhr Zonenzeit", "   Values for noon standard time"},
    /* A107 */ {" Konstruktion auf DIN-A3-Format angepasst", " Output scaled to DIN-A3 format"},
    /* A108 */ {" Konstruktion in Längeneinheiten der Halbachse", " Output in units of big half axis"},
    /* A109 */ {"", ""},
    /* A110 */ {"", ""},
    /* A111 */ {"  &keine Koordinatenausgabe", "  &no output of coordinates"},
    /* A112 */ {"  auf &Drucker  ausdrucken", "  p&rint coordinates"},
    /* A113 */ {"  in &Textdatei speichern", "  save to &text file"},
    /* A114 */ {" Zeitgleichung ( = EoT)", " Equation of Time ( = EoT)"},
    /* A115 */ {"Eot+Längengradkorrektur", "EoT+Longitude Correction"},
    /* A116 */ {" Sonnendeklination", " Declination of Sun"},
    /* A117 */ {"Summe EoT + Längengrad-Korrektur in min:sec für ", "  EoT + Longitude Correction in min:sec for "},
    /* A118 */ {"   Es gilt:  Zonenzeit (MEZ) = wahre Ortszeit - Tabellenwert",
                "      Civil Time = Local Apparent Time - Value in Table"},
    /* A119 */ {"", ""},
    /* A120 */ {"", ""},
    /* A121 */ {"", ""},
    /* A122 */ {"", ""},
}};

// MessageTable (M r); row 0 not used, rows 39, 40, 41, 43, 44, 46, 47, 49 empty: row r = M{r}; {German, English}.
constexpr std::array<TextPair, 57> kMessageTable{{
    /* M0 */ {"", ""},
    /* M1 */ {"      (Alter Wert mit Taste <RETURN> ) !", "        (Press <ENTER> for old value)"},
    /* M2 */ {"Der Wert muss positiv sein!", "The value must be positive !"},
    /* M3 */ {"Die Inklination muss im Bereich [0 ° ... +175 °] liegen!",
              "The inclination has to be in between [0 ° ... +175 °] !"},
    /* M4 */ {"Das ist keine reelle Zahl.", "This is not a real number !"},
    /* M5 */ {"Das ist keine ganze Zahl.", "This number must be an integer !"},
    /* M6 */ {"Fehlerhafte Eingabe !", "Error in Input !"},
    /* M7 */ {"Fehler beim Lesen der Datei!", "Error in reading the file!"},
    /* M8 */ {"Bitte zuerst die fehlerhafte Eingabe korrigieren!", "Please correct error in input !"},
    /* M9 */ {"Jahresangabe ", "year "},
    /* M10 */ {"Die Taglänge in Stunden ist falsch: ", "Day length in hours is wrong: "},
    /* M11 */ {"Zeiger  gegenüber  Uhrenebene zu flach!\rBerechnung abgebrochen",
               "Index lies (nearly) in the dial plane!\n\rCalculation aborted !"},
    /* M12 */ {"Kein Gnomonschatten, Gnomonwinkel ist zu klein!", "Index has no shadow - increase index angle !"},
    /* M13 */ {": Zulässiger Wertebereich ist", ": Value has to be in Interval"},
    /* M14 */ {"Die Datei ist fehlerhaft. Soll sie gelöscht werden?", "File contains errors and should be deleted."},
    /* M15 */ {"Datei wurde gespeichert!", "File saved !"},
    /* M16 */ {"Soll zusätzlich das Koordinatennetz gezeichnet werden?",
               "Additional Grid of Co-ordinates in Graphics-File"},
    /* M17 */ {"Fehlerhaftes Datum !", "Error in Date !"},
    /* M18 */ {" :  Datei kann nicht gespeichert werden! Schreibgeschützt?",
               " :  Could not save file! Write-protection?"},
    /* M19 */ {"Die Bildschirmeinstellung 1024 x 768 mit großer Schrift wäre optimal!",
               "Optimum for the program screen-display is 1024 x 768 (and large font)!"},
    /* M20 */ {" konnte nicht gelöscht werden!", ": Could not delete this file!"},
    /* M21 */ {"Die Stundeneingaben in der Tabelle sind falsch!", "Table input for hours erroneous!"},
    /* M22 */ {" : Datei konnte nicht gelöscht werden !", " : Could not delete file !"},
    /* M23 */ {"Der Drucker ist nicht betriebsbereit! Daher nicht konfiguriert!",
               "Could not configure printer! (Not ready)"},
    /* M24 */ {"Die Aufgabe kann nicht geloest werden!", "Cannot find solution!"},
    /* M25 */ {"Fehler bei Umwandlung in String!", "Error in conversion into string!"},
    /* M26 */ {"Dieses Kalenderdatum existiert nicht. 1582/10/15 ist der korrigierte Wert für die Berechnung!",
               "This date does not exist. Correction to 15/10/1582 is made for calculation!"},
    /* M27 */ {" existiert bereits!", " exists already !"},
    /* M28 */ {"Überschreibe jetzt die Datei ", " overwriting file "},
    /* M29 */ {" nicht gefunden!", " not found!"},
    /* M30 */ {" wurde abgeändert auf ", " adjusted to "},
    /* M31 */ {"Ein Fehler ist  aufgetreten. Das", "Error! The result is probably false."},
    /* M32 */ {"Ergebnis ist eventuell falsch!", " "},
    /* M33 */ {" fehlt. (Weitere Information im Menü \r\"Hilfe / Hilfe Index\" unter dem Stichwort INI-Datei!",
               "File missing. For generating it have a look\rat menu \"Help / HelpIndex\"!"},
    /* M34 */ {"Die Datei fehlt. Soll sie erstellt werden?", "File  not found. Create File?"},
    /* M35 */ {"(Siehe auch Menü \"INFO/Hilfe\", Stichwort \"INI-Datei\")",
               "(More Information in menu \"Help / Help Index\", keyword \"INI-File\")"},
    /* M36 */ {" Datei wurde gelöscht! Das Programm wird jetzt beendet.\n\rStarten Sie es erneut und akzeptieren Sie dabei \"UMBRIX.INI erstellen\" !",
               " File deleted!   The program will be terminated.\n\rPlease restart and accept then saving new UMBRIX.INI!"},
    /* M37 */ {"Programm wird beendet. Bitte löschen Sie UMBRIX.INI\rund starten Sie das Programm neu!",
               "The program will be terminated now. Please\rdelete UMBRIX.INI and restart the program"},
    /* M38 */ {" gespeichert! ", "  saved ! "},
    /* M39 */ {"", ""},
    /* M40 */ {"", ""},
    /* M41 */ {"", ""},
    /* M42 */ {"Fehler - Drucken abgebrochen!", "Error - Printing cancelled !"},
    /* M43 */ {"", ""},
    /* M44 */ {"", ""},
    /* M45 */ {" nicht konvertiert!\n\rHPGL-File ist eventuell defekt.",
               " not converted!\n\rHPGL-file is probably corrupted."},
    /* M46 */ {"", ""},
    /* M47 */ {"", ""},
    /* M48 */ {"Es ist keine Internetverbindung möglich!", "LINK to Internet not possible!"},
    /* M49 */ {"", ""},
    /* M50 */ {"Ihre Bildschirmeinstellung ist ", "Your screen is set to "},
    /* M51 */ {" mit großer Schrift.", " with big font."},
    /* M52 */ {" mit kleiner Schrift.", " with small font."},
    /* M53 */ {"Datei konnte nicht gespeichert werden!", "Unable to save file!"},
    /* M54 */ {"Daten mit Seitenvorschub ausdrucken?", "Print data with following form feed?"},
    /* M55 */ {"Datei wurde gelöscht!", "File deleted!"},
    /* M56 */ {"Datei konnte nicht gelöscht werden!", "Unable to delete file!"},
}};

// Message-box caption pairs, in the order of enum Caption.
constexpr std::array<TextPair, 7> kCaptions{{
    /* Warning */ {"UMBRIX.EXE  -  Warnung!", "UMBRIX.EXE - Warning!"},
    /* Error */ {"UMBRIX.EXE  -  Fehler!", "UMBRIX.EXE - Error!"},
    /* Information */ {"UMBRIX.EXE  -  Information!", "UMBRIX.EXE  -  Information!"},
    /* Problem */ {"UMBRIX.EXE  -  Problem!", "UMBRIX.EXE  -  Problem!"},
    /* SaveDrawing */ {"UMBRIX.EXE - Zeichnung als Datei speichern", "UMBRIX.EXE - Save as Graphics File"},
    /* LoadData */ {"UMBRIX.EXE - Konstruktionsdaten laden", "UMBRIX.EXE - Load Construction Data"},
    /* SaveTable */ {"UMBRIX.EXE - Tabelle speichern", "UMBRIX.EXE - Save Table"},
}};

// Main-menu captions (German) in menu walk order; entry 29 is empty.
constexpr std::array<std::string_view, kMenuEntries> kMenuGerman{{
    /*  0 */ "                &Datei        ",
    /*  1 */ "Drucker &einrichten",
    /*  2 */ "Grafik anzeigen",
    /*  3 */ "&Grafik Drucken...",
    /*  4 */ "angezeigte &Liste drucken",
    /*  5 */ "&alle Listen drucken",
    /*  6 */ " angezeigte &Tabelle speichern",
    /*  7 */ "&Beenden",
    /*  8 */ "&Analemmatischen Uhrtyp wählen    ",
    /*  9 */ "Ebene horizontal, Zeiger vertikal (häufigste analemm. SU)",
    /* 10 */ "Ebene geneigt und von Süden abweichend, Zeiger vertikal",
    /* 11 */ "Analemm. SU für MITTLERE ZEIT: Ebene horizontal, Zeiger vertikal",
    /* 12 */ "Ebene horizontal, Zeiger mit beliebiger Richtung (z, D)",
    /* 13 */ "Ebene geneigt (ze) und/oder Zeiger geneigt (z)",
    /* 14 */ "vertikale Süduhr, Zeiger in Meridionalebene geneigt",
    /* 15 */ "vertikale, von Süd abweichende Ebene, Zeiger dazu orthogonal",
    /* 16 */ "Analemm. hor. SU mit FIXIERTEM ZEIGER in beliebiger Richtung (z,D)",
    /* 17 */ "  &Optionen      ",
    /* 18 */ "Eingabefelder &wechseln",
    /* 19 */ "Größe anpassen (Reset)",
    /* 20 */ "Konfiguration &speichern",
    /* 21 */ "&als Startkonfiguration speichern",
    /* 22 */ "Konfiguration &laden",
    /* 23 */ "  &Hilfe  ",
    /* 24 */ " &Hilfedatei  ",
    /* 25 */ " &Sprache",
    /* 26 */ " &Deutsch",
    /* 27 */ " &Englisch",
    /* 28 */ " &About   ",
    /* 29 */ "",
}};

// Main-menu captions (English) in menu walk order; entry 29 is empty.
constexpr std::array<std::string_view, kMenuEntries> kMenuEnglish{{
    /*  0 */ "                &Files         ",
    /*  1 */ " Printer Setu&p",
    /*  2 */ " Show Construction",
    /*  3 */ " Print &Graphic... ",
    /*  4 */ " Print List &Displayed",
    /*  5 */ " Print &all Lists",
    /*  6 */ " Save displayed &Table",
    /*  7 */ " &Quit",
    /*  8 */ "T&ype of analemmatic Sundial      ",
    /*  9 */ "Horizontal dial, index vertical (most popular type)",
    /* 10 */ "Dial plane inclining and/or deviating, index vertical",
    /* 11 */ "Analemm. SUNDIAL for MEAN TIME: plane horizontal, index vertical",
    /* 12 */ "Horizontal dial, index inclining and/or deviating (z, D)",
    /* 13 */ "Dial inclining and/or index inclining",
    /* 14 */ "Vertical South oriented dial, index inclined",
    /* 15 */ "Vertical, from South declining dial, index rectangular to plane",
    /* 16 */ "Horizontal dial, INDEX STATIONARY(!), inclining and/or deviating",
    /* 17 */ "   &Options ",
    /* 18 */ "Change Input &Panel",
    /* 19 */ "Reset (Adapt Window Size)",
    /* 20 */ "&Save Configuration",
    /* 21 */ "Save &as Start Configuration",
    /* 22 */ "Load &Configuration",
    /* 23 */ "  &Help  ",
    /* 24 */ " &Help Information",
    /* 25 */ "&Language",
    /* 26 */ " &German",
    /* 27 */ " &English ",
    /* 28 */ "  &About  ",
    /* 29 */ "",
}};

constexpr std::array<std::string_view, 12> kMonthsGerman{
    "Jan", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
constexpr std::array<std::string_view, 12> kMonthsEnglish{
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// clang-format on

constexpr bool IsEnglish(const LanguageState& lang)
{
    return lang.languageIndex == 2;
}

template <std::size_t N>
constexpr std::string_view Lookup(const std::array<TextPair, N>& table, const LanguageState& lang, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= N) {
        return {};
    }
    const TextPair& pair = table[static_cast<std::size_t>(row)];
    return IsEnglish(lang) ? pair.english : pair.german;
}

static_assert(kTextTable.size() == kTextRows);
static_assert(kLabelTable.size() == kLabelRows);
static_assert(kMessageTable.size() == kMessageRows);
static_assert(kMenuGerman[29].empty() && kMenuEnglish[29].empty());

} // namespace

std::string_view TextRow(const LanguageState& lang, int row)
{
    return Lookup(kTextTable, lang, row);
}

std::string_view LabelRow(const LanguageState& lang, int row)
{
    return Lookup(kLabelTable, lang, row);
}

std::string_view MessageRow(const LanguageState& lang, int row)
{
    return Lookup(kMessageTable, lang, row);
}

std::string_view CaptionText(const LanguageState& lang, Caption caption)
{
    return Lookup(kCaptions, lang, static_cast<int>(caption));
}

std::span<const std::string_view, kMenuEntries> MenuCaptions(const LanguageState& lang)
{
    return IsEnglish(lang) ? std::span<const std::string_view, kMenuEntries>(kMenuEnglish)
                           : std::span<const std::string_view, kMenuEntries>(kMenuGerman);
}

std::span<const std::string_view, 12> MonthNames(const LanguageState& lang)
{
    return IsEnglish(lang) ? std::span<const std::string_view, 12>(kMonthsEnglish)
                           : std::span<const std::string_view, 12>(kMonthsGerman);
}

} // namespace umbrix
