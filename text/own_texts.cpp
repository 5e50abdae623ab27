#include "text/own_texts.h"

#include <array>
#include <cstddef>

namespace umbrix {

namespace {

struct OwnTextPair {
    OwnText id;
    std::string_view german;
    std::string_view english;
};

// clang-format off
constexpr std::array<OwnTextPair, static_cast<std::size_t>(OwnText::Count)> kOwnTexts{{
    {OwnText::HourRangeReversed,
     "Die erste Stunde (von) muss vor der letzten Stunde (bis) liegen. Der Stundenbereich bleibt, wie er war.",
     "The first hour (from) must come before the last hour (to). The hour range stays as it was."},
    {OwnText::LoopTablesOnlySplitDial,
     "Die Tabellen der Achterschleifen gibt es nur bei der geteilten Sonnenuhr (dialType=6, marksMode=2).",
     "The figure-eight loop tables exist only for the split dial (dialType=6, marksMode=2)."},
    {OwnText::NoSuchFile, "Datei oder Ordner existiert nicht", "no such file or folder"},
    {OwnText::PermissionDenied, "Zugriff verweigert", "permission denied"},
    {OwnText::ReadOnlyFileSystem, "Dateisystem nur lesbar", "read-only file system"},
    {OwnText::DiskFull, "Datenträger voll", "disk full"},
    {OwnText::IsFolder, "ist ein Ordner", "is a folder"},
    {OwnText::InputOutputError, "Ein-/Ausgabefehler", "input/output error"},
    {OwnText::NameTooLong, "Name zu lang", "name too long"},
    {OwnText::DanglingLink, "Verknüpfung ohne Ziel", "symbolic link without a target"},
    {OwnText::NotAFile, "ist keine Datei (Gerät oder Socket)", "is not a file (device or socket)"},
    {OwnText::FileTooLarge, "Datei zu groß für eine Konfiguration", "file too large for a configuration"},
    {OwnText::FileEmpty, "Datei ist leer", "file is empty"},
    {OwnText::LineOutOfRange, "Zeile %1, %2: Wert außerhalb des zulässigen Bereichs",
                              "line %1, %2: value out of range"},
    {OwnText::UnknownExtension, "Zeile %1: unbekannter Eintrag %2 wird übergangen",
                              "line %1: unknown entry %2 is ignored"},
    {OwnText::BadExtensionValue, "Zeile %1: ungültiger Wert für %2 wird übergangen",
                              "line %1: invalid value for %2 is ignored"},
    {OwnText::StandardOutput, "Standardausgabe", "standard output"},
    {OwnText::NoReader, "kein Leser an der benannten Pipe (10 s gewartet)", "no reader on the named pipe (waited 10 s)"},
    {OwnText::FifoRefused, "ist eine benannte Pipe (FIFO); das Fenster liest und schreibt keine",
                           "is a named pipe (FIFO); the window neither reads nor writes one"},
    {OwnText::TemporaryFolder, "Temporärer Ordner %1", "temporary folder %1"},
    {OwnText::OutOfMemory, "nicht genug Speicher", "not enough memory"},
    {OwnText::ActionFailed, "%1 konnte nicht ausgeführt werden: %2. Fenster und Parameter bleiben, wie sie waren.",
                            "%1 could not be done: %2. The window and its parameters stay as they were."},
    {OwnText::LinesKept, "die Zeilen %1 bis 26 behalten die aktuellen Werte",
                         "lines %1 to 26 keep the current values"},
    {OwnText::FallbackUsed, "Wert %1 außerhalb des Bereichs, %2 wird verwendet", "value %1 out of range, %2 used"},
    {OwnText::ExtraNumbers, "die Zeile nutzt %1 Zahl(en), die weiteren werden übergangen",
                            "the line uses %1 number(s), the others are ignored"},
    {OwnText::NotAPlainNumber, "%1 ist keine einfache Zahl (kein Exponent, nichts dahinter)",
                               "%1 is not a plain number (no exponent, nothing after it)"},
    {OwnText::LineOfFile, "%1:%2", "%1:%2"},
    {OwnText::WarningsOfFile, "Beim Laden von %1:", "While loading %1:"},
    {OwnText::Scale, "Maßstab", "Scale"},
    {OwnText::Up, "oben", "up"},
    {OwnText::North, "N", "N"},
    {OwnText::TrueNorthNotMagnetic, "geographisch Nord, nicht magnetisch", "true north, not magnetic"},
    {OwnText::MagneticBearing, "Kompasspeilung von geographisch Nord:", "Compass bearing of true north:"},
    {OwnText::UpOnPlane, "Die y-Achse zeigt auf der Ebene nach oben (Falllinie aufwärts).",
     "The y axis points up the plane (up the line of steepest slope)."},
    {OwnText::PlanTitle, "Absteckplan", "Setting-out plan"},
    {OwnText::Unit, "Einheit", "unit"},
    {OwnText::ColumnNumber, "Nr.", "No."},
    {OwnText::ColumnKind, "Art", "kind"},
    {OwnText::ColumnLabel, "Bezeichnung", "label"},
    {OwnText::ColumnChord, "Sehne", "chord"},
    {OwnText::TwoTapes,
     "Zwei Maßbänder: jeder Punkt liegt im Abstand d1 vom Pflock B1 und d2 vom Pflock B2 (Enden der kleinen "
     "Halbachse); die Sehne ist der Abstand zum vorigen Punkt derselben Art.",
     "Two tapes: each point lies at d1 from stake B1 and d2 from stake B2 (the ends of the minor axis); the "
     "chord is the distance to the previous point of the same kind."},
    {OwnText::NorthHint,
     "Nord-Süd-Linie finden: der Schatten eines Lots liegt zum wahren Mittag genau in Nord-Süd-Richtung. "
     "Wahrer Mittag (Zonenzeit) im",
     "Finding the north-south line: a plumb line's shadow lies exactly north-south at apparent noon. "
     "Apparent noon (zone time) in"},
    {OwnText::StringMethod,
     "Fadenmethode: einen Faden der Länge 2A mit seinen Enden an den Brennpunkten F1 und F2 festbinden und "
     "gespannt herumführen:",
     "String method: tie a string of length 2A with its ends at the foci F1 and F2 and draw round it held "
     "taut:"},
    {OwnText::GnomonHeight, "Zeigerhöhe:", "Gnomon height:"},
    {OwnText::StandOnDate, "Zum Ablesen auf das heutige Datum der Datumsskala stellen.",
     "To read the time, stand on today's date on the date scale."},
    {OwnText::FixedGnomonAtZ, "Der Zeiger steht fest im Punkt Z; jede Datumslinie hat ihre eigene Ellipse.",
     "The gnomon stands fixed at Z; each date line has its own ellipse."},
    {OwnText::SplitDialHalves,
     "Geteilte Uhr: Vormittagshälfte (am) westlich, Nachmittagshälfte (pm) östlich, jede mit eigenen Pflöcken.",
     "Split dial: morning half (am) to the west, afternoon half (pm) to the east, each with its own stakes."},
    {OwnText::TemplateTitle, "Schablone in Originalgröße", "Full-size template"},
    {OwnText::Sheet, "Blatt", "Sheet"},
    {OwnText::SheetMap, "Blattübersicht", "Sheet map"},
    {OwnText::CheckBar, "Prüfstrecke 100 mm", "check bar 100 mm"},
    {OwnText::CorrectionFactors, "Druckerkorrektur x/y:", "Printer correction x/y:"},
    {OwnText::TooManySheets, "Die Schablone braucht mehr als 100 Blätter.",
     "The template needs more than 100 sheets."},
    {OwnText::SheetsRefused, "Die Schablone bräuchte mehr als 1000 Blätter und wird nicht erstellt.",
     "The template would need more than 1000 sheets and is not made."},
    {OwnText::Notes, "Hinweise", "Notes"},
    {OwnText::Points, "Punkte", "Points"},
    {OwnText::StakeNorth, "Nord", "north"},
    {OwnText::StakeSouth, "Süd", "south"},
    {OwnText::StakeUp, "oben", "up"},
    {OwnText::StakeDown, "unten", "down"},
    {OwnText::AxesNorth,
     "Achsen: x zeigt nach Osten, y nach Norden, beide vom Mittelpunkt P(0/0) aus. B1 ist der Pflock am Ende der "
     "kleinen Achse beim 12-Uhr-Punkt, B2 der am anderen Ende.",
     "Axes: x points east, y north, both from the centre P(0/0). B1 is the stake at the end of the minor axis by "
     "the 12 o'clock point, B2 the one at its other end."},
    {OwnText::AxesUp,
     "Achsen: x waagrecht auf der Ebene (positiv nach rechts, von vorn gesehen), y auf der Ebene nach oben, beide "
     "vom Mittelpunkt P(0/0) aus. B1 ist der Pflock am Ende der kleinen Achse beim 12-Uhr-Punkt, B2 der am "
     "anderen Ende.",
     "Axes: x level on the plane (positive to the right, seen from the front), y up the plane, both from the "
     "centre P(0/0). B1 is the stake at the end of the minor axis by the 12 o'clock point, B2 the one at its "
     "other end."},
    {OwnText::TwoPointsEastWest,
     "Zwei gespannte Bänder treffen sich in zwei Punkten, einer östlich und einer westlich der Mittagslinie "
     "(y-Achse): bei positivem x den östlichen nehmen, bei negativem x den westlichen; bei x = 0 liegt der Punkt "
     "auf der Mittagslinie.",
     "Two taut tapes meet in two points, one east and one west of the noon line (the y axis): take the eastern "
     "one where x is positive, the western one where x is negative; where x = 0 the point lies on the noon line."},
    {OwnText::TwoPointsRightLeft,
     "Zwei gespannte Bänder treffen sich in zwei Punkten, einer rechts und einer links der Mittagslinie "
     "(y-Achse): bei positivem x den rechten nehmen, bei negativem x den linken; bei x = 0 liegt der Punkt auf "
     "der Mittagslinie.",
     "Two taut tapes meet in two points, one right and one left of the noon line (the y axis): take the right "
     "one where x is positive, the left one where x is negative; where x = 0 the point lies on the noon line."},
    {OwnText::NoonShadowNorth,
     "Der Schatten eines Lots zeigt zum wahren Mittag von der Sonne weg, auf der Nordhalbkugel also genau nach "
     "Norden.",
     "At apparent noon a plumb line's shadow points away from the sun: in the northern hemisphere exactly "
     "north."},
    {OwnText::NoonShadowSouth,
     "Der Schatten eines Lots zeigt zum wahren Mittag von der Sonne weg, auf der Südhalbkugel also genau nach "
     "Süden.",
     "At apparent noon a plumb line's shadow points away from the sun: in the southern hemisphere exactly "
     "south."},
    {OwnText::KindHour, "Stunde", "hour"},
    {OwnText::KindDate, "Datum", "date"},
    {OwnText::KindCentre, "Mitte", "centre"},
    {OwnText::KindStake, "Pflock", "stake"},
    {OwnText::KindFocus, "Brennpunkt", "focus"},
    {OwnText::KindZ, "Z", "Z"},
    {OwnText::KindLoopAm, "Schleife am", "loop am"},
    {OwnText::KindLoopPm, "Schleife pm", "loop pm"},
    {OwnText::KindDstHour, "Sommerstunde", "summer hour"},
    {OwnText::KindDstDate, "Sommerdatum", "summer date"},
    {OwnText::ColumnEast, "x (Ost +)", "x (east +)"},
    {OwnText::ColumnNorth, "y (Nord +)", "y (north +)"},
    {OwnText::ColumnRight, "x (rechts +)", "x (right +)"},
    {OwnText::ColumnUp, "y (oben +)", "y (up +)"},
    {OwnText::GnomonTooShort,
     "Der Schatten dieses Zeigers erreicht nur %1 der Stundenmarken; eine Zeigerhöhe von %2 erreicht 90 %.",
     "this gnomon's shadow reaches only %1 of the hour marks; a gnomon height of %2 reaches 90 %."},
    {OwnText::Warning, "Warnung:", "Warning:"},
    {OwnText::SheetEmpty, "leer", "empty"},
    {OwnText::EmptySheetsLeftOut,
     "%1 leere Blätter (nur Kreuze, Prüfstrecken und Achsen) werden nicht gedruckt; gedruckt werden %2.",
     "%1 empty sheets (crosses, check bars and axes only) are left out; %2 are printed."},
    {OwnText::TemplateOrientationLabel, "Ausrichtung", "Orientation"},
    {OwnText::OrientationPortrait, "Hochformat", "portrait"},
    {OwnText::OrientationLandscape, "Querformat", "landscape"},
    {OwnText::OrientationAuto, "automatisch (weniger Blätter)", "automatic (fewer sheets)"},
    {OwnText::TemplateContentLabel, "Inhalt", "Content"},
    {OwnText::ContentFull, "ganze Konstruktion", "whole construction"},
    {OwnText::ContentMarks, "nur Marken (Stundenpunkte, Ziffern, Datumsskala)",
     "marks only (hour points, numerals, date scale)"},
    {OwnText::ChecklistHeading, "Abstecken Schritt für Schritt", "Setting out step by step"},
    {OwnText::StepNorthNoon,
     "1. Nord finden: zum wahren Mittag (am Schattendatum um %1, Tabelle unten) zeigt der Schatten eines Lots "
     "die Nord-Süd-Linie; zu jeder anderen vollen Stunde gibt die Azimuttabelle seine Richtung.",
     "1. Find north: at apparent noon (on the shadow date at %1, table below) a plumb line's shadow gives the "
     "north-south line; at any other full hour the azimuth table gives its direction."},
    {OwnText::StepNorthCompass, "Mit dem Kompass: geographisch Nord liegt bei %1.",
     "With a compass: true north lies at %1."},
    {OwnText::StepCentre, "2. Den Mittelpunkt P(0/0) abstecken und die Nord-Süd-Linie (y-Achse) durch ihn spannen.",
     "2. Stake the centre P(0/0) and stretch the north-south line (the y axis) through it."},
    {OwnText::StepStakes, "3. Die Pflöcke auf der y-Achse abstecken: %1 und %2.",
     "3. Stake the stakes on the y axis: %1 and %2."},
    {OwnText::StepFoci, "4. Die Brennpunkte für die Fadenmethode abstecken: %1.",
     "4. Stake the foci for the string method: %1."},
    {OwnText::StepHours,
     "5. Die Stundenpunkte (Nr. %1) mit zwei Bändern markieren: d1 von B1, d2 von B2, auf der Seite, die das "
     "Vorzeichen von x nennt.",
     "5. Mark the hour points (No. %1) by two tapes: d1 from B1, d2 from B2, on the side the sign of x names."},
    {OwnText::StepDates, "6. Die Datumsskala markieren: jede Marke im Abstand y von P entlang der y-Achse "
                         "(Tabelle Datumsmarken).",
     "6. Mark the date scale: each mark at its distance y from P along the y axis (table of date marks)."},
    {OwnText::StepCheck,
     "7. Prüfen: die Sehnen durch P zwischen gegenüberliegenden Stundenpunkten müssen diese Längen haben:",
     "7. Check: the chords through P between opposite hour points must have these lengths:"},
    {OwnText::StepCheckSpan, "Die Strecke vom 6-Uhr- zum 18-Uhr-Punkt ist gleich 2a = %1.",
     "The span from the 6 o'clock to the 18 o'clock point equals 2a = %1."},
    {OwnText::OffsetsHeading, "Abstecken mit Grundlinie und Abständen", "Setting out by baseline and offsets"},
    {OwnText::OffsetsNorth,
     "Ohne zwei Bänder: von P aus y entlang der y-Achse messen (positiv nach Norden), dort rechtwinklig x "
     "abtragen (positiv nach Osten, negativ nach Westen). x und y stehen in der Punkttabelle.",
     "Without two tapes: from P measure y along the y axis (positive to the north), there measure x at right "
     "angles (positive to the east, negative to the west). x and y are in the point table."},
    {OwnText::OffsetsUp,
     "Ohne zwei Bänder: von P aus y entlang der y-Achse messen (positiv nach oben), dort rechtwinklig x "
     "abtragen (positiv nach rechts, negativ nach links). x und y stehen in der Punkttabelle.",
     "Without two tapes: from P measure y along the y axis (positive upwards), there measure x at right angles "
     "(positive to the right, negative to the left). x and y are in the point table."},
    {OwnText::DateDistancesHeading, "Datumsmarken: Abstände von P", "Date marks: distances from P"},
    {OwnText::DateDistancesNote,
     "Jede Datumsmarke liegt im Abstand y von P entlang der y-Achse und x quer dazu.",
     "Each date mark lies at the distance y from P along the y axis and x across it."},
    {OwnText::AzimuthHeading, "Nord ohne Mittag: Azimut der Sonne am %1", "North without noon: the sun's azimuth on %1"},
    {OwnText::AzimuthNote,
     "Azimut von geographisch Nord im Uhrzeigersinn. Zur angegebenen Uhrzeit zeigt der Schatten eines Lots in "
     "die Richtung der letzten Spalte; Nord liegt um diesen Winkel gegen den Uhrzeigersinn vom Schatten.",
     "Azimuth from true north, clockwise. At the clock time given a plumb line's shadow points in the "
     "direction of the last column; north lies that angle anticlockwise from the shadow."},
    {OwnText::ColumnClock, "Uhrzeit", "clock time"},
    {OwnText::ColumnSunAzimuth, "Azimut Sonne", "sun azimuth"},
    {OwnText::ColumnShadowAzimuth, "Azimut Schatten", "shadow azimuth"},
    {OwnText::ColumnAltitude, "Höhe", "altitude"},
    {OwnText::ColumnChordFromTo, "Sehne", "chord"},
    {OwnText::EveryHourNumbered, "Jede volle Stunde beziffern (Plan, Schablone, SVG, DXF)",
     "Number every whole hour (plan, template, SVG, DXF)"},
    {OwnText::HourLabelSizeLabel, "Ziffernhöhe (Bruchteil der großen Halbachse)",
     "Numeral height (fraction of the semi-major axis)"},
    {OwnText::BudgetNoSun, "kein Schatten auf dem Zifferblatt", "no shadow on the dial"},
    {OwnText::ErrorBudgetHeading, "Fehlerbudget: was ein Fehler beim Abstecken kostet",
     "Error budget: what a setting-out error costs"},
    {OwnText::ErrorBudgetNote,
     "Minuten Zeit je Millimeter Fehler eines Stundenpunkts entlang und quer zur Stundenkurve, je Grad Neigung "
     "des Zeigers nach Nord-Süd und Ost-West und je 0,1 Grad Fehler der geographischen Breite; für jede "
     "Datumsmarke je Millimeter Fehler der Zeigerstellung nach Nord-Süd und Ost-West.",
     "Minutes of time per millimetre of error of an hour point along and across the hour curve, per degree of "
     "gnomon tilt towards north-south and east-west and per 0.1 degree of latitude error; for every date mark "
     "per millimetre of error of the gnomon's position north-south and east-west."},
    {OwnText::ColumnAlong, "entlang", "along"},
    {OwnText::ColumnAcross, "quer", "across"},
    {OwnText::ColumnTiltNS, "Neigung N-S", "tilt N-S"},
    {OwnText::ColumnTiltEW, "Neigung O-W", "tilt E-W"},
    {OwnText::ColumnLatitude, "Breite 0,1°", "latitude 0.1°"},
    {OwnText::Day, "Tag", "day"},
    {OwnText::ZoneTime, "Zonenzeit", "zone time"},
    {OwnText::SummerTimeHeading, "Sommerzeit = Zonenzeit %1 h", "Summer time = zone time %1 h"},
    {OwnText::FitToWindowItem, "An Fenster an&passen", "&Fit to Window"},
    {OwnText::FitToWindowTool, "Einpassen", "Fit"},
    {OwnText::FitToWindowTip, "Die ganze Konstruktion ins Fenster einpassen (Strg+0)",
     "Frame the whole construction in the window (Ctrl+0)"},
    {OwnText::ZoomOutTip, "Verkleinern (Strg+Minus im Ziffernblock)", "Zoom out (Ctrl+keypad minus)"},
    {OwnText::ZoomInTip, "Vergrößern (Strg+Plus im Ziffernblock)", "Zoom in (Ctrl+keypad plus)"},
    {OwnText::LeftTip, "Zeichnung nach links schieben (Alt+Pfeil links)", "Move the drawing left (Alt+Left)"},
    {OwnText::RightTip, "Zeichnung nach rechts schieben (Alt+Pfeil rechts)", "Move the drawing right (Alt+Right)"},
    {OwnText::UpTip, "Zeichnung nach oben schieben (Alt+Pfeil hoch)", "Move the drawing up (Alt+Up)"},
    {OwnText::DownTip, "Zeichnung nach unten schieben (Alt+Pfeil runter)", "Move the drawing down (Alt+Down)"},
    {OwnText::ResizeTip, "Ansicht auf den Anfangsmaßstab zurücksetzen", "Reset the view to its starting scale"},
    {OwnText::PrintDialTip, "Die Zeichnung drucken", "Print the drawing"},
    {OwnText::PrintListsTip, "Alle Tabellen drucken", "Print all tables"},
    {OwnText::SaveHpglTip, "Die Konstruktion als HPGL-Plotdatei speichern", "Save the construction as an HPGL plot file"},
    {OwnText::SaveDxfTip, "Die Konstruktion als DXF-Zeichnung speichern", "Save the construction as a DXF drawing"},
    {OwnText::DegreeSign, "°", "°"},
    {OwnText::FieldEscTip, "Esc: gespeicherten Wert zurückholen", "Esc: bring back the stored value"},
    {OwnText::HelpClose, "&Schließen", "C&lose"},
    {OwnText::HelpCloseTip, "Hilfe schließen (Esc)", "Close the help (Esc)"},
    {OwnText::ShowInDrawing, "In der Zeichnung zeigen", "Show in drawing"},
    {OwnText::RecentFiles, "Zuletzt verwendete Dateien", "Recent Files"},
    {OwnText::NoRecentFiles, "(keine)", "(none)"},
    {OwnText::ForgetWindowSettings, "Fenstereinstellungen vergessen", "Forget Window Settings"},
    {OwnText::UnsavedCaption, "Geänderte Parameter", "Changed Parameters"},
    {OwnText::SaveChangesQuestion, "Die Parameter weichen von „%1“ ab. Vorher speichern?",
     "The parameters differ from \"%1\". Save them first?"},
    {OwnText::Untitled, "Unbenannt", "Untitled"},
    {OwnText::FileNew, "&Neu", "&New"},
    {OwnText::FileOpen, "Ö&ffnen …", "Op&en …"},
    {OwnText::FileSave, "&Speichern", "&Save"},
    {OwnText::FileSaveAs, "Speichern &unter …", "Sa&ve As …"},
    {OwnText::EditMenu, "&Bearbeiten", "&Edit"},
    {OwnText::EditUndo, "&Rückgängig %1", "&Undo %1"},
    {OwnText::EditRedo, "&Wiederholen %1", "&Redo %1"},
    {OwnText::StepSeveral, "%1 Parameter", "%1 parameters"},
    {OwnText::StepOpened, "Geöffnet: %1", "Opened: %1"},
    {OwnText::StatusCursor, "x %1   y %2", "x %1   y %2"},
    {OwnText::StatusHourDate, "%1 Uhr, %2", "%1 h, %2"},
    {OwnText::StatusScale, "%1 Pixel je %2, Zoom %3", "%1 pixels per %2, zoom %3"},
    {OwnText::StatusCalcTime, "Rechenzeit %1 ms", "calculated in %1 ms"},
    {OwnText::StatusSaved, "Gespeichert: %1", "Saved: %1"},
    {OwnText::StatusNotANumber, "„%1“ gehört nicht zu einer Zahl", "'%1' is not part of a number"},
    {OwnText::UnitQuestionCaption, "Längeneinheit", "Length Unit"},
    {OwnText::UnitQuestion, "Die Längen umrechnen (%1) oder die Zahlen behalten (%2)?",
     "Convert the lengths (%1) or keep the numbers (%2)?"},
    {OwnText::UnitConvert, "&Umrechnen", "&Convert"},
    {OwnText::UnitKeep, "Zahlen &behalten", "&Keep the numbers"},
    {OwnText::UnitNoConversion, "Umgerechnet läge eine Länge außerhalb ihres Bereichs; die Zahlen bleiben (%1).",
     "Converted, a length would leave its range; the numbers stay (%1)."},
    {OwnText::LengthsIn, "Längen in %1", "lengths in %1"},
    {OwnText::HelpFind, "&Suchen:", "&Find:"},
    {OwnText::HelpFindTip, "Enter: nächste Stelle, Umschalt+Enter: vorige", "Enter: next match, Shift+Enter: previous"},
    {OwnText::TemplateSheets, "%1 Blätter, %2 Seiten", "%1 sheets, %2 pages"},
    {OwnText::AccuracyMapTitle, "Entwurfsfehler der Ablesung (Ablesung - Zeit)",
     "Design error of the reading (reading - time)"},
    {OwnText::LargestMagnitudeSuffix, ", größter Betrag ", ", largest magnitude "},
    {OwnText::DateHeading, "Datum", "Date"},
    {OwnText::AccuracyNoValue, "kein Wert: kein Schatten auf dem Zifferblatt oder keine Ablesung",
     "no value: no shadow on the dial, or no reading"},
    {OwnText::SettingOutItem, "Absteck&plan …", "Setting-&out Plan …"},
    {OwnText::PrintFullSizeItem, "In &Originalgröße drucken …", "Print &Full Size …"},
    {OwnText::SettingOutFilter, "PDF-Dokument (*.pdf)|*.pdf|CSV-Tabelle (*.csv)|*.csv",
     "PDF document (*.pdf)|*.pdf|CSV table (*.csv)|*.csv"},
    {OwnText::TemplateFilter, "PDF-Dokument (*.pdf)|*.pdf", "PDF document (*.pdf)|*.pdf"},
    {OwnText::SettingOutEnding, "Der Absteckplan wird als .pdf oder .csv gespeichert, nicht als „%1“.",
     "The setting-out plan is saved as .pdf or .csv, not as \"%1\"."},
    {OwnText::PdfNotMade, "Das PDF-Dokument „%1“ konnte nicht erstellt werden: %2",
     "The PDF document \"%1\" could not be made: %2"},
    {OwnText::PrintFullSizeTitle, "In Originalgröße drucken", "Print Full Size"},
    {OwnText::Paper, "Papier:", "Paper:"},
    {OwnText::CorrectionFactorX, "Korrekturfaktor x:", "Correction factor x:"},
    {OwnText::CorrectionFactorY, "Korrekturfaktor y:", "Correction factor y:"},
    {OwnText::ToPdfFile, "Als PDF-Datei speichern", "Save as a PDF file"},
    {OwnText::ToPrinter, "Auf dem Drucker ausgeben", "Send to the printer"},
    {OwnText::SheetsQuestion, "Die Schablone braucht %1 Blätter. Trotzdem ausgeben?",
     "The template needs %1 sheets. Make it all the same?"},
    {OwnText::SheetsCounted, "Die Schablone bräuchte %1 Blätter, mehr als 1000, und wird nicht erstellt. Ein "
     "größeres Papier oder eine kleinere Sonnenuhr hilft.",
     "The template would need %1 sheets, more than 1000, and is not made. Larger paper or a smaller dial helps."},
    {OwnText::AccuracyPageTitle, "Genauigkeit", "Accuracy"},
    {OwnText::AccuracyMaxAbs, "Größter Betrag: %1 min", "Largest magnitude: %1 min"},
    {OwnText::AccuracyMeanAbs, "Mittlerer Betrag: %1 min", "Mean magnitude: %1 min"},
    {OwnText::AccuracyWorst, "Größter Fehler: %1, %2 min", "Worst cell: %1, %2 min"},
    {OwnText::AccuracyNoReading, "Keine Ablesung im Stundenbereich.", "No reading within the hour range."},
    {OwnText::AccuracyAmbiguous, "%1 Werte, wo der Schatten die Stundenkurve zweimal kreuzt",
     "%1 cells where the shadow crosses the hour curve twice"},
    {OwnText::BudgetHeading, "Fehlerbudget: Minuten je Fehler beim Abstecken",
     "Error budget: minutes per setting-out error"},
    {OwnText::BudgetHoursHeading, "je Stundenpunkt", "per hour point"},
    {OwnText::BudgetDatesHeading, "je Datumsmarke", "per date mark"},
    {OwnText::BudgetTime, "Zeit", "Time"},
    {OwnText::BudgetAlong, "min/mm längs", "min/mm along"},
    {OwnText::BudgetAcross, "min/mm quer", "min/mm across"},
    {OwnText::BudgetTiltNS, "min/° Neigung N-S", "min/° tilt N-S"},
    {OwnText::BudgetTiltEW, "min/° Neigung O-W", "min/° tilt E-W"},
    {OwnText::BudgetLatitude, "min/0,1° Breite", "min/0.1° latitude"},
    {OwnText::BudgetMarkNS, "min/mm N-S", "min/mm N-S"},
    {OwnText::BudgetMarkEW, "min/mm O-W", "min/mm E-W"},
    {OwnText::BudgetWorstRow, "Größter", "Worst"},
    {OwnText::SimulationPageTitle, "Simulation", "Simulation"},
    {OwnText::SimulationInstant, "Datum und Zonenzeit:", "Date and zone time:"},
    {OwnText::SimulationNow, "Jetzt", "Now"},
    {OwnText::SimulationPlay, "Abspielen", "Play"},
    {OwnText::SimulationPause, "Anhalten", "Pause"},
    {OwnText::SimulationReading, "Ablesung: %1", "Reading: %1"},
    {OwnText::SimulationNoShadow, "Ablesung: kein Schatten auf dem Zifferblatt", "Reading: no shadow on the dial"},
    {OwnText::SimulationNoCrossing, "Ablesung: der Schatten verfehlt die Stundenkurve",
     "Reading: the shadow misses the hour curve"},
    {OwnText::SimulationDialTime, "Zeit der Sonnenuhr: %1", "Dial time: %1"},
    {OwnText::SimulationClockZone, "Uhrzeit: %1 Zonenzeit", "Clock: %1 zone time"},
    {OwnText::SimulationClockSummer, "Uhrzeit: %1 Sommerzeit", "Clock: %1 summer time"},
    {OwnText::SimulationDifference, "Uhr - Ablesung: %1 min", "Clock - reading: %1 min"},
    {OwnText::SimulationSun, "Sonne: Höhe %1°, Azimut %2°", "Sun: altitude %1°, azimuth %2°"},
    {OwnText::SimulationGnomon, "Zeiger bei %1 (%2)", "Gnomon at %1 (%2)"},
    {OwnText::SimulationCannotShow, "Diese Sonnenuhr kann den Zeitpunkt nicht zeigen.",
     "This dial cannot show the instant."},
    {OwnText::CorrectionHeading, "Korrektur: Minuten zur Ablesung addieren", "Correction: minutes to add to the reading"},
    {OwnText::CorrectionStandard, "Zonenzeit", "Zone time"},
    {OwnText::CorrectionSummer, "Sommerzeit", "Summer time"},
    {OwnText::CorrectionNoon, "Mittag (Uhr)", "Noon (clock)"},
    {OwnText::DstDialogItem, "So&mmerzeit …", "&Daylight Saving …"},
    {OwnText::DstDialogTitle, "Sommerzeit", "Daylight Saving"},
    {OwnText::DstRingNone, "keine Sommerzeitstunden", "no summer-time hours"},
    {OwnText::DstRingLabels, "zweite Beschriftung an jedem Stundenpunkt", "a second label on every hour point"},
    {OwnText::DstRingInner, "innerer Ring mit eigener Datumsskala", "an inner ring with its own date scale"},
    {OwnText::DstRingInnerRefused, "Nur für die Uhrtypen 0, 1 und 6, nicht für die geteilte Uhr",
     "Only for dial types 0, 1 and 6, not for the split dial"},
    {OwnText::DstOffset, "Sommerzeit - Zonenzeit (h):", "Summer time - zone time (h):"},
    {OwnText::DstRingScale, "Größe des inneren Rings (0.5 .. 0.95):", "Size of the inner ring (0.5 .. 0.95):"},
    {OwnText::DstStart, "Erster Tag (TT/MM):", "First day (dd/mm):"},
    {OwnText::DstEnd, "Letzter Tag (TT/MM):", "Last day (dd/mm):"},
    {OwnText::DstEuropeanRule, "leer: europäische Regel, letzter Sonntag im März bis letzter Sonntag im Oktober",
     "empty: the European rule, last Sunday of March to last Sunday of October"},
    {OwnText::SettingsDialogItem, "Weitere &Einstellungen …", "Fu&rther Settings …"},
    {OwnText::SettingsDialogTitle, "Weitere Einstellungen", "Further Settings"},
    {OwnText::MagneticDeclination, "Missweisung (Grad, OSTEN positiv - anders als die Längen):",
     "Magnetic declination (degrees, EAST positive - unlike the longitudes):"},
    {OwnText::ShowLeapCycle, "Streuung der Datumsmarken über den Schaltjahreszyklus zeigen",
     "Show the scatter of the date marks over the leap cycle"},
    {OwnText::LeapCycleMean, "Datumsmarken aus den Mitteln über den Schaltjahreszyklus",
     "Date marks from the means over the leap cycle"},
    {OwnText::PlannerPage, "Planer", "Planner"},
    {OwnText::PlannerNotForType, "Der Körpergrößen-Planer gilt nur für die Uhrtypen 0 und 6, nicht für diesen Uhrtyp.",
     "The body-height planner is for dial types 0 and 6 only, not for this dial type."},
    {OwnText::PlannerBodyHeight, "Kleinste Körpergröße:", "Shortest body height:"},
    {OwnText::PlannerCoverage, "Anteil erreichter Zellen (0 .. 1):", "Share of cells reached (0 .. 1):"},
    {OwnText::PlannerReached, "Der Schatten erreicht %1 % der Zellen bei a = %2.",
     "The shadow reaches %1 % of the cells at a = %2."},
    {OwnText::PlannerNoCells, "Keine Zelle mit Sonne über dem Horizont.", "No cell with the sun above the horizon."},
    {OwnText::PlannerRecommended, "Empfohlene große Halbachse: %1", "Recommended semi-major axis: %1"},
    {OwnText::PlannerApply, "Ü&bernehmen", "A&pply"},
    {OwnText::PlannerUseCentimetres, "Die Empfehlung ist für die große Halbachse zu klein: Längeneinheit cm wählen.",
     "The recommendation is too small for the semi-major axis: choose the length unit cm."},
    {OwnText::PlannerMapTitle, "Schattenreichweite: Schattenlänge / Abstand zum Stundenpunkt",
     "Shadow reach: shadow length / distance to the hour point"},
    {OwnText::PlannerMapReached, ", erreicht: ", ", reached: "},
    {OwnText::PlannerMapRatio, "Verhältnis", "ratio"},
    {OwnText::PlannerMapNoValue, "kein Wert: Sonne unter dem Horizont", "no value: the sun is down"},
    {OwnText::SiteWithoutSummerTime, "dieser Standort hat keine Sommerzeit", "this site has no summer time"},
    {OwnText::SummerRuleEu, "Sommerzeit nach EU-Regel", "summer time by the EU rule"},
    {OwnText::SummerRuleCustom, "Sommerzeit nach eigenen Daten", "summer time by the dates given"},
    {OwnText::SummerRuleZone, "Sommerzeit der Zone %1", "summer time of the zone %1"},
    {OwnText::SummerRuleNone, "keine Sommerzeit", "no summer time"},
    {OwnText::SummerTimeLabel, "Sommerzeit", "summer time"},
    {OwnText::ClockTime, "Uhrzeit", "clock time"},
    {OwnText::SitePlace, "Ort", "Place"},
    {OwnText::SitePlaceTip, "Ort suchen (Name oder \"Name, Land\"); setzt Breite, Länge und Zeitzone (Daten: GeoNames, CC BY 4.0)",
     "Find a place (name or \"name, country\"); sets latitude, longitude and time zone (data: GeoNames, CC BY 4.0)"},
    {OwnText::SiteZone, "Zeitzone", "Time zone"},
    {OwnText::SiteZoneTip, "IANA-Zeitzone; setzt den Zonenmeridian und die Sommerzeit",
     "IANA time zone; sets the zone meridian and the summer time"},
    {OwnText::SitePaste, "Koordinaten einfügen …", "Paste coordinates …"},
    {OwnText::SitePasteTitle, "Koordinaten einfügen", "Paste coordinates"},
    {OwnText::SitePastePrompt, "Koordinaten, z. B. 48.2085, 16.3721 oder 48°12'30.6\"N 16°22'19.6\"E:",
     "Coordinates, such as 48.2085, 16.3721 or 48°12'30.6\"N 16°22'19.6\"E:"},
    {OwnText::SiteReverseSign, "Vorzeichen umkehren?", "Reverse the sign?"},
    {OwnText::LongitudeUnit, "° (W +)", "° (W +)"},
}};
// clang-format on

constexpr bool InIdOrder()
{
    for (std::size_t i = 0; i < kOwnTexts.size(); ++i)
        if (static_cast<std::size_t>(kOwnTexts[i].id) != i)
            return false;
    return true;
}
static_assert(InIdOrder(), "every own text stands at the index of its id");

} // namespace

std::string_view OwnTextOf(const LanguageState& lang, OwnText id)
{
    const auto index = static_cast<std::size_t>(id);
    if (index >= kOwnTexts.size())
        return {};
    return lang.languageIndex == 2 ? kOwnTexts[index].english : kOwnTexts[index].german;
}

std::string OwnTextWith(const LanguageState& lang, OwnText id, std::string_view first, std::string_view second)
{
    std::string out;
    const std::string_view pattern = OwnTextOf(lang, id);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace umbrix
