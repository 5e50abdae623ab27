#pragma once
// The calculation driver: brings every result up to date after a change, in a fixed order, and the
// handlers of the inputs that start it.
//
// Recalculate: shadow test (error 12 when the gnomon stands within 15 degrees of the dial plane's
// direction), date scale or double analemma, hour marks, then - only without error - the shadow path and
// the redraw. An error is reported once through the host and the drawing is blanked.

#include "core/fields.h"
#include "core/host.h"
#include "core/model.h"
#include "text/text_ids.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// Error codes of the calculation: each is the row of the message table that describes it (0 = none).
constexpr std::uint8_t kErrorNone = 0;
constexpr std::uint8_t kErrorNoGnomonShadow = static_cast<std::uint8_t>(MessageId::NoGnomonShadow);
constexpr int kErrorBannerChars = 39;          // characters of the message written on the drawing
constexpr double kMinGnomonPlaneAngleDeg = 15; // the gnomon must stand at least this far off the plane

/// The control that started a calculation. Only rgKoordAusg and btGo2 change what happens: they leave
/// the drawing as it was.
enum class RecalcSource : std::uint8_t {
    None,
    BitBtn1,      // "  &Calculation"
    btGo2,        // "  Go .."
    rgKoordAusg,  // x/y or distances in the hour table
    rgAnzahl,     // marks per month
    rgTyp,        // on the analemma / double analemma
    rgMittelwert, // double-analemma method
    chbGenau,     // finer optimisation
    Field,        // a numeric input field was left
    MaskEdit1,    // the shadow date was left
    eLph,
    eStart,
    eEnd,
    chBzonzeit,
    ChBRiseSet,
    chBSchatt,
    lStart,
    DialTypeMenu,
    Configuration, // a configuration was loaded
    Activation,    // the window was activated
};

/// What the driver asks of the window's drawing and pages. Every member does nothing here; the window
/// overrides them once the construction drawing exists. umbrix-cli and the tests use it as it is.
struct Redraw {
    virtual ~Redraw() = default;
    /// Remember the active tab page at the start of Recalculate.
    virtual void rememberActivePage() {}
    /// Make the remembered tab page active again at the end of Recalculate.
    virtual void restoreActivePage() {}
    /// Show or hide the shadow-path tab.
    virtual void showShadowPathTab(bool /*visible*/) {}
    /// Draw the construction on the screen canvas with the current view transform, and store what the
    /// drawing left (StoreDrawing).
    virtual void construction(const Model& /*model*/) {}
    /// Blank the drawing area: a rectangle one pixel inside its border with the canvas's current pen and
    /// brush.
    virtual void blank() {}
    /// Write `text` (the first 39 characters of the error message) on the drawing at x = 20 on the current
    /// text line. Called after the message box, for error codes above 10 only.
    virtual void writeErrorBanner(std::string_view /*text*/) {}
};

/// After a change of the parameters: the derived geometry anew (the fixed gnomon's reach, then the axes with
/// the design year's obliquity, DesignYearObliquity), stored in model.derived; the obliquity is stored in
/// model.state.obliquity. Every handler that changes a parameter calls this, and every calculation once.
void RefreshDerivedGeometry(Model& model);

/// The axes for the current parameters and the design year's obliquity, keeping the fixed gnomon's reach
/// as it was last derived (by RefreshDerivedGeometry).
void RefreshAxes(Model& model);


/// Recomputes everything for the current parameters and stores the results in the model. Steps: remember
/// the page; error 12 when |90 - |gnomonInclination - planeInclination|| < 15 (the computations run all
/// the same); the parameter limits of the calculation (the vertical south dial's gnomon inclination, the
/// rise/set declination and, when the shadow path will be drawn, a plane kept 0.03 degrees off the
/// vertical), then the derived geometry once (RefreshDerivedGeometry), which every step below reads and
/// none writes; the date scale (types 0 to 5, and 6 on the analemma) or the double analemma (type 6,
/// marksMode 2); the hour marks (fixed-gnomon marks for type 7) and the rise/set error curve; without
/// error: the shadow path for types 0, 1, 3, 4, 6 and 7; without error, unless the source is rgKoordAusg
/// or btGo2, the redraw; with error c: blank the drawing, show message row c with the "Problem" caption
/// and the warning icon, and for c > 10 write its first 39 characters on the drawing; restore the page.
/// Returns the error code.
[[nodiscard]] std::uint8_t Recalculate(Model& model, Host& host, RecalcSource source, Redraw& redraw);
/// The same without a window.
[[nodiscard]] std::uint8_t Recalculate(Model& model, Host& host, RecalcSource source = RecalcSource::None);

/// The lighter sequence after a change of the hour range, the marks per hour or one of the check boxes:
/// hour marks (fixed-gnomon marks for type 7), the shadow path when it is wanted and the type has one,
/// the redraw when the controls show the parameters. The date scale is not recomputed.
void RecalculateHourMarks(Model& model, Host& host, RecalcSource source, Redraw& redraw);

/// The double analemma of the split dial for mean time (type 6, marksMode 2) by doubleAnalemmaMethod,
/// stored in the model; returns its error code: method 0 ExactTwoHourLoops, 1 MeanOfPairsLoops, 2 to 4
/// OptimisedLoops. A wrong hour input leaves the method's loops without rows and empties the grids that
/// could show a stale one (StrGrid8, StrGrid8b, StrGridDat, StrGridShad, StrGridStd).
[[nodiscard]] std::uint8_t ComputeDoubleAnalemma(Model& model, Host& host);

/// The date scale (ComputeDateMarks) stored in the model, the loop grids emptied. The vertical south dial
/// keeps a gnomon inclination of at least 0.01 degrees from here on.
void ComputeDateScale(Model& model);

/// Stores what a drawing left: its drawing state into `target` (the window's model.drawing, or the drawing
/// state of a command-line picture), and into the model what the drawing asks of it: the Lambert radius
/// message shown in this calculation, the loop grids of an impossible split dial emptied. A fixed-gnomon
/// dial keeps at most 3 marks per month once drawn.
void StoreDrawing(Model& model, DrawingState& target, const DrawingOutcome& outcome);

/// Stores what a printed drawing left (StoreDrawing into model.drawing), except what the window's view reads
/// from the last screen drawing: its size (the pan step), its centres (the drag) and its tick length stay.
void StorePrintedDrawing(Model& model, const DrawingOutcome& outcome);

/// The text of error code `code` in the current language (message table row; empty for a code without
/// text).
[[nodiscard]] std::string_view ErrorText(const Model& model, std::uint8_t code);

/// The first `count` characters (not bytes) of a UTF-8 text.
[[nodiscard]] std::string FirstCharacters(std::string_view text, int count);

// --- What each input triggers. Each handler stores what its control changed and starts the calculation
// --- its control asks for; the result says whether a calculation ran and with which code.

struct Recalculation {
    bool ran = false;
    std::uint8_t errorCode = kErrorNone;
};

/// A numeric field was left and its check accepted the value: the shadow path when it is wanted, then the
/// full calculation.
[[nodiscard]] Recalculation OnFieldAccepted(Model& model, Host& host, Redraw& redraw);

/// MaskEdit1 was left and checked: a valid date redraws and recalculates, a wrong date recalculates, the
/// empty mask does nothing.
[[nodiscard]] Recalculation OnShadowDateLeft(Model& model, Host& host, Redraw& redraw, const DateOutcome& outcome);

/// Spin edits eLph (1..6), eStart (0..20), eEnd (5..24): the value (brought into the spin range) is stored,
/// then RecalculateHourMarks. A first hour at or after the last hour is not stored: the host shows the
/// hour-range message and nothing is recalculated. The hour handlers return the hour the spin edit shows
/// afterwards (the stored one).
void OnLinesPerHourChanged(Model& model, Host& host, Redraw& redraw, int linesPerHour);
[[nodiscard]] int OnHourFromChanged(Model& model, Host& host, Redraw& redraw, int hourFrom);
[[nodiscard]] int OnHourToChanged(Model& model, Host& host, Redraw& redraw, int hourTo);
/// Check boxes chBzonzeit, ChBRiseSet: the switch is stored, then RecalculateHourMarks.
void OnZoneTimeClicked(Model& model, Host& host, Redraw& redraw, bool checked);
void OnRiseSetClicked(Model& model, Host& host, Redraw& redraw, bool checked);
/// chBSchatt: the switch and the controls shown with it, then RecalculateHourMarks. Returns the controls.
[[nodiscard]] std::vector<ControlState> OnShadowPathClicked(Model& model, Host& host, Redraw& redraw, bool checked);

/// rgAnzahl: marks per month by item (0..3 for 1, 2, 3, 6; type 7 falls back from item 3 to item 2), then
/// Recalculate. The group shows the item of marksPerMonth afterwards.
[[nodiscard]] Recalculation OnMarksPerMonthChanged(Model& model, Host& host, Redraw& redraw, int item);
/// rgKoordAusg: item 0 x/y, item 1 distances; then Recalculate without redraw.
[[nodiscard]] Recalculation OnCoordinatesOutputChanged(Model& model, Host& host, Redraw& redraw, int item);
/// rgTyp: marksMode = item + 1; Recalculate when the controls show the parameters.
[[nodiscard]] Recalculation OnMarksModeChanged(Model& model, Host& host, Redraw& redraw, int item);
/// rgMittelwert: the method item 0..4; Recalculate when the controls show the parameters, the double
/// analemma is chosen and the group itself was clicked.
[[nodiscard]] Recalculation OnDoubleAnalemmaMethodChanged(Model& model, Host& host, Redraw& redraw, int item,
                                                          bool clickedByUser);
/// chbGenau: the fine-search switch; Recalculate when the controls show the parameters.
[[nodiscard]] Recalculation OnFineSearchClicked(Model& model, Host& host, Redraw& redraw, bool checked);
/// efEnd (13..21): the hour is stored; with the double analemma the two loop grids are emptied. Nothing is
/// recalculated.
void OnErrorHourToChanged(Model& model, int hour);
/// ChBLambert: only the switch; the circle appears at the next redraw.
void OnLambertClicked(Model& model, bool checked);

/// Shows the control states a handler returns, before the calculation the handler starts.
using ShowControls = std::function<void(const std::vector<ControlState>&)>;

/// The dial-type menu: presets, title and axes for the type; `show` gets the control states, a message of Z
/// moved out of the date scale goes to the host; then Recalculate. Returns the control states.
struct DialTypeChange {
    std::vector<ControlState> controls;
    Recalculation recalculation;
};
[[nodiscard]] DialTypeChange OnDialTypeChosen(Model& model, Host& host, Redraw& redraw, int dialType,
                                              const ShowControls& show = {});

/// BitBtn1 and btGo2: Recalculate (btGo2 leaves the drawing as it was).
[[nodiscard]] Recalculation OnCalculateClicked(Model& model, Host& host, Redraw& redraw, RecalcSource button);

/// First activation of the window: the parameters into the controls (given to `show` and returned), the
/// dial title, the axes, Recalculate. The menu captions, the layout of the figure-eight page and pSplit are
/// the window's, which it sets up in `show`.
[[nodiscard]] DialTypeChange OnWindowActivated(Model& model, Host& host, Redraw& redraw, const ShowControls& show = {});

} // namespace umbrix
