#pragma once
// The controls of the split dial for mean time and of the date-mark page, toolkit-free: each operation
// changes the model as its control asks and returns the state the window's controls take afterwards
// (only the properties that change). The calculation a control starts is the driver's (driver.h): the
// window calls the matching On... handler there after applying these states.
//
// A radio-group item caption is addressed as "group/index", for example "rgAnzahl/3".

#include "core/fields.h"
#include "core/model.h"

#include <vector>

namespace umbrix {

/// Text colours of the labels and captions these controls grey out or dim.
inline constexpr const char* kColourBlack = "#000000";
inline constexpr const char* kColourGrey = "#808080";         // a label of an inactive range
inline constexpr const char* kColourButtonShadow = "#A0A0A0"; // a dimmed group caption

/// Enables the controls of one variant. notSplit ("auf Analemma"): eRiseSet enabled, ChBRiseSet enabled
/// when |planeInclination| <= 0.1, the "von"/"bis" labels of the error range grey, pFehler hidden,
/// StrGridEin, rgDefault and btGo2 disabled, StrMittel emptied, rgMittelwert dimmed, doubleAnalemmaActive
/// cleared. Split ("Doppelanalemma"): eRiseSet and ChBRiseSet disabled, the labels black, pFehler shown,
/// the StrMittel headers written, StrGridEin, rgDefault and btGo2 enabled, rgMittelwert black,
/// doubleAnalemmaActive set.
[[nodiscard]] std::vector<ControlState> VariantControls(Model& model, bool notSplit);

/// The row and column titles of the loop statistics (StrMittel) in the language lang.
void WriteLoopStatisticsTitles(StringGrid& grid, const LanguageState& lang);

/// The layout of the date-mark page for the current variant: pErrGraph shown and ChBRiseSet enabled only
/// for dial type 0 (remembered in results.riseSetMarksEnabled for the plot), the memo mSplit with its six
/// lines. StrGridDat keeps its 9 columns in the model; the window shows 9 of them for the split dial
/// (columns 3 and 6 narrow separators) and 7 otherwise (column 3 narrow).
[[nodiscard]] std::vector<ControlState> TSAnaDatEnter(Model& model);

/// rgTyp: when the click comes from the group itself, marksMode = item + 1 (item 0 or 1). The split variant
/// (dial type 6 with marksMode 2) shows the figure-eight tab tsSlope and pSplit and enables btGo2; then
/// VariantControls and TSAnaDatEnter. The calculation follows through the driver when the click came from
/// the group and the controls show the parameters.
[[nodiscard]] std::vector<ControlState> rgTypClick(Model& model, int item, bool fromGroup);

/// rgAnzahl: marks per month 1, 2, 3 for items 0, 1, 2 and 6 for item 3; on the fixed-gnomon dial the
/// fourth item reads " 3 pro Monat (1/11/21)" and selects 3. Then the driver recalculates.
[[nodiscard]] std::vector<ControlState> rgAnzahlClick(Model& model, int item);

/// rgMittelwert: the method item 0..4 is stored; Label4 shows its input hint (text rows 3 to 7),
/// lOptimier is shown for items other than 0 and chbGenau enabled for items above 1. The driver
/// recalculates when the controls show the parameters, the split dial is chosen and the group was clicked.
[[nodiscard]] std::vector<ControlState> rgMittelwertClick(Model& model, int item);

/// rgAnzeige: item 0 shows the morning grid StrGrid8b, item 1 the afternoon grid StrGrid8; one of the two
/// is visible.
[[nodiscard]] std::vector<ControlState> rgAnzeigeClick(int item);
/// A double click on the visible loop grid (shownItem as in rgAnzeige) switches to the other one.
[[nodiscard]] std::vector<ControlState> LoopGridDblClick(int shownItem);

/// Entering StrGridEin: StrGrid8, StrGrid8b and StrGridDat are emptied and rgDefault turns to "aus
/// Tabelle" (the hours come from the table).
[[nodiscard]] std::vector<ControlState> StrGridEinEnter(Model& model);

/// rgDefault: item 0 ("Defaultwerte") uses the default hours, item 1 the table.
[[nodiscard]] std::vector<ControlState> rgDefaultClick(Model& model, int item);

/// efStart (4..11) or efEnd (13..21) changed: both hours are stored (brought into their ranges); with the
/// split dial the two loop grids are emptied.
[[nodiscard]] std::vector<ControlState> efEndChange(Model& model, int errorHourFrom, int errorHourTo);

/// chbGenau: the fine search of the optimising methods; the driver recalculates when the controls show
/// the parameters.
[[nodiscard]] std::vector<ControlState> chbGenauClick(Model& model, bool checked);

/// StrGrid8SelectCell: the cell editor of StrGrid8 is active only in column 2.
[[nodiscard]] bool StrGrid8CellEditable(int col);

} // namespace umbrix
