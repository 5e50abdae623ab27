#pragma once
// The dial-type presets of the input panel, the parameters as the controls show them, and the setters of
// the spin edits, check boxes and radio groups. Toolkit-free: each returns the control states for the window.

#include "core/fields.h"
#include "core/model.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// Presets, enables and disables the inputs for the current dial type; changes the preset parameters in the
/// model and returns the final state of every control it touches (a disabled field is yellow).
[[nodiscard]] std::vector<ControlState> ConfigureInputPanel(Model& model);

/// Every parameter as its control shows it (the display formats of the parameter table), the controls of the
/// split dial enabled by its settings; sets uiReady.
[[nodiscard]] std::vector<ControlState> ShowParameters(Model& model);

/// The text the input panel shows in `field` for its stored value (the display format of the parameter
/// table); a field the panel does not fill itself (the axis of a scaled plot export) gets its text after a
/// refused input.
[[nodiscard]] std::string ShownFieldText(const Model& model, Field field);

/// The dial-type menu: sets dialType, the presets, the title and the axes. Choosing the fixed-gnomon dial
/// (type 7) moves Z out of the reach of its date scale when the stored distance lies inside it
/// (KeepZOutsideDateScale): eVergr is among the returned states and the message is appended to `messages`.
/// The caller recalculates.
[[nodiscard]] std::vector<ControlState> SelectDialType(Model& model, int dialType, std::vector<UiMessage>& messages);
/// The same where no one is there to read the message of Z (tests and benchmarks set up their dials so).
[[nodiscard]] std::vector<ControlState> SelectDialType(Model& model, int dialType);

/// Ranges of the spin edits.
struct SpinRange {
    int lo;
    int hi;
};
constexpr SpinRange kLinesPerHourRange{1, 6};
constexpr SpinRange kHourFromRange{0, 20};
constexpr SpinRange kHourToRange{5, 24};
constexpr SpinRange kErrorHourFromRange{4, 11};
constexpr SpinRange kErrorHourToRange{13, 21};

/// The hour marks run from hourFrom to hourTo; a range holds at least one hour when the first lies before
/// the last.
[[nodiscard]] constexpr bool HourRangeValid(int hourFrom, int hourTo)
{
    return hourFrom < hourTo;
}
/// The message for a range that does not: "Problem" caption, warning icon.
[[nodiscard]] UiMessage HourRangeMessage(const LanguageState& lang);

/// rgAnzahl: item 0, 1, 2 → 1, 2, 3 marks per month, item 3 → 6 (not on the fixed-gnomon dial, where the
/// group falls back to item 2). Returns the item the group shows afterwards.
int SetMarksPerMonthItem(Model& model, int item);

/// chBSchatt: the shadow path wanted or not; returns the controls shown or hidden with it.
[[nodiscard]] std::vector<ControlState> SetShowShadowPath(Model& model, bool on);

} // namespace umbrix
