#pragma once
// Input checks of the parameter fields, toolkit-free: each takes the field's text and returns what the
// window must do (the stored value, the text shown, the messages, where the focus goes).

#include "core/host.h"
#include "core/model.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// A refused text as a message repeats it: at most its first 40 bytes, cut before a UTF-8 sequence, and
/// "…" when something was cut.
[[nodiscard]] std::string EchoedValue(std::string_view text);

/// The 13 numeric input fields, by their control names.
enum class Field : std::uint8_t {
    eBreit,    // latitude
    eLang,     // longitude
    eZone,     // zone meridian
    eIncl,     // plane inclination
    eDek,      // plane deviation
    eGnomInc,  // gnomon inclination
    eGnomDek,  // gnomon deviation
    eHoehe,    // gnomon height
    eHalb,     // semi-major axis
    eRiseSet,  // rise/set declination
    eVergr,    // distance to Z (type 7)
    EddxfAchs, // axis length of a scaled plot export
    ejahr,     // year of calculation
};
constexpr int kFieldCount = 13;

std::string_view FieldName(Field field);

/// A message box: caption, text and icon, in the current language.
struct UiMessage {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::Warning;
};

/// The state a window control should take; only the members that are set change.
struct ControlState {
    std::string name{};                // the control's object name
    std::optional<std::string> text{}; // caption or field text
    std::optional<bool> enabled{};
    std::optional<bool> visible{};
    std::optional<bool> checked{};
    std::optional<int> item{};               // radio-group item
    std::optional<bool> yellow{};            // painted as a disabled input
    std::optional<std::string> fontColour{}; // text colour "#rrggbb": labels greyed or black, dimmed captions
};

/// What leaving a field leads to.
struct FieldOutcome {
    bool handled = false;              // false: the text was not modified and nothing happened
    bool accepted = false;             // the value was stored
    std::optional<std::string> text{}; // the field's text afterwards; unset: it keeps the typed text
    std::vector<UiMessage> messages;   // shown in this order
    bool focusBack = false;            // the focus returns to the field
    std::vector<ControlState> others;  // other controls that show new values
    bool recalculate = false;          // shadow path when wanted, then the full recalculation
};

/// Reads a real number: leading blanks allowed, "." as decimal separator, the whole text must be a finite
/// number. Empty text: no value (the caller decides what it stands for).
struct RealParse {
    bool error = false;
    std::optional<double> value{};
};
[[nodiscard]] RealParse ParseRealText(std::string_view text);

/// What the integer reader of a field leads to.
struct FieldRead {
    bool error = false;
    std::optional<std::string> text{}; // what the field shows afterwards, when it changes
    std::optional<UiMessage> message;
};

/// The integer reader: an empty text keeps `value`; an unreadable value or one outside lo..hi shows
/// label + "=" + text + M13 + " [lo..hi] !" and reports an error; otherwise `value` is the integer read.
[[nodiscard]] FieldRead ParseIntegerField(const LanguageState& lang, std::string_view text, int lo, int hi,
                                          std::string_view label, int& value);

/// The on-leave check of a numeric field. Nothing happens unless `modified`. On success the value is
/// stored (with the per-field rules), the derived values are brought up to date and `recalculate` is set;
/// on failure the stored value is kept, the messages name the fault and the focus returns.
[[nodiscard]] FieldOutcome ValidateField(Model& model, Field field, std::string_view text, bool modified);

/// Z of the fixed-gnomon dial (type 7) must lie beyond the reach of its date scale, semiMajorAxis * k
/// (k of the range test of eVergr). When it does not, distanceZ becomes side * (reach + 0.01) * 1.5, side
/// the sign of distanceZ (south for 0), and the result holds what eVergr shows and the message that says so.
/// Other dial types have no point Z: their distance stays as it is and nothing is returned. The check of
/// eHalb runs it after every new semi-major axis, the dial-type menu when type 7 is chosen.
struct DistanceZAdjustment {
    ControlState eVergr;
    UiMessage message;
};
[[nodiscard]] std::optional<DistanceZAdjustment> KeepZOutsideDateScale(Model& model);

/// Where a shadow date comes from: the date field, the configuration loader, or elsewhere.
enum class DateSource { MaskEdit1, ConfigurationLoader, Other };

/// The check of a shadow date "dd/mm". A valid date stores day, month, shadowDateText ("dd/mm") and
/// shadowDateCaption ("dd. Mon"). 29 February is valid exactly in Gregorian leap years of `year`.
struct DateOutcome {
    bool empty = false; // the empty mask "  /  ": only the focus returns
    bool valid = false;
    std::optional<UiMessage> message; // M17 for a wrong date
    std::string maskText;             // what MaskEdit1 shows afterwards
    std::string caption;              // what lDat2 shows afterwards
    bool recalculate = false;         // a valid or a wrong date both lead to the recalculation
};
[[nodiscard]] DateOutcome ParseShadowDate(Model& model, std::string_view text, DateSource source);

/// True when 29 February exists in `year` (Gregorian: divisible by 4 and not by 100, or by 400).
[[nodiscard]] bool IsLeapYear(int year);

/// The second line of every rejection of a field: its caption as the window's label shows it in the current
/// language (capitalised, without accelerator marks, colon or a range of its own), ": ", and the values the
/// field takes in the model's state, with the unit: "Geogr. Breite: −90 … 90°", "Grosse Halbachse: > 1 m".
/// The distance to Z states the bounds of its absolute value: "Distance Z to P(0/0): 6.16 < |value| ≤ 1e7 m"
/// (its numbers written out in full).
[[nodiscard]] std::string RejectionLine(const Model& model, Field field);

/// "dd. Mon" for the date in the current language, e.g. "01. Mai", "28. Feb".
[[nodiscard]] std::string ShadowDateCaption(const SharedState& state, int day, int month);

} // namespace umbrix
