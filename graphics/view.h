#pragma once
// The view of the construction on the screen: a magnification on top of the fitted scale and a shift in
// window pixels. The view only changes the mapping from the model to pixels, never the model.

#include <cstdint>

namespace umbrix {

/// Zoom and pan of the screen drawing. panX positive to the right, panY positive downwards (window pixels).
struct ViewState {
    double zoomFactor = 1.0; // 1.0 = the construction fitted to the image
    std::int32_t panX = 0;
    std::int32_t panY = 0;
    std::int32_t dragStartX = 0; // image point of the last left-button press
    std::int32_t dragStartY = 0;
};

constexpr double kZoomStep = 1.2;
/// Zooming in is refused once the factor has reached this value (the last step may end just under 60).
constexpr double kZoomCeiling = 50.0;
/// The pan step is the drawing's width (height) divided by this, truncated.
constexpr int kPanStepDivisor = 40;

/// Multiplies the zoom by 1.2 when it is below 50; returns whether the view changed.
bool ZoomIn(ViewState& view);
/// Divides the zoom by 1.2 (no lower limit).
void ZoomOut(ViewState& view);
/// Zoom 1, no shift. (The window then lays itself out again.)
void ResetView(ViewState& view);

enum class ShiftDirection : std::uint8_t { Left, Right, Up, Down };

/// Shifts by surfaceWidth div 40 (left, right) or surfaceHeight div 40 (up, down), the size of the last
/// drawing. A shift whose result leaves the 32-bit range changes nothing; returns whether the view changed.
bool ShiftView(ViewState& view, ShiftDirection direction, int surfaceWidth, int surfaceHeight);

/// Remembers the press point of a drag on the image.
void StartDrag(ViewState& view, std::int32_t x, std::int32_t y);
/// Adds the displacement from the press point to (x, y) to the pan; an overflow changes nothing.
bool DropDrag(ViewState& view, std::int32_t x, std::int32_t y);

/// The keys the view reacts to.
enum class ViewKey : std::uint8_t { KeypadPlus, KeypadMinus, Left, Right, Up, Down, Other };
struct KeyModifiers {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};
enum class ViewAction : std::uint8_t { None, ZoomIn, ZoomOut, ShiftLeft, ShiftRight, ShiftUp, ShiftDown };

/// Ctrl alone with keypad plus or minus zooms on any page; Alt alone with an arrow key shifts, only while
/// the graphics page is visible. Every other combination does nothing.
[[nodiscard]] ViewAction ViewActionForKey(ViewKey key, KeyModifiers modifiers, bool graphicsPageVisible);

/// Applies an action; returns whether the view changed (the caller then redraws).
bool ApplyViewAction(ViewState& view, ViewAction action, int surfaceWidth, int surfaceHeight);

/// A pan of the window image carried over to a print area: round(printAreaWidth * panPx / imageWidthPx),
/// for x and y alike (both by the width ratio). 0 when the image width is not positive.
[[nodiscard]] std::int64_t PrintPan(std::int32_t panPx, int imageWidthPx, int printAreaWidth);

} // namespace umbrix
