#include "graphics/view.h"

#include <cmath>
#include <limits>

namespace umbrix {

namespace {

/// a + b when it fits 32 bits.
bool AddChecked(std::int32_t& target, std::int64_t delta)
{
    const std::int64_t sum = static_cast<std::int64_t>(target) + delta;
    if (sum < std::numeric_limits<std::int32_t>::min() || sum > std::numeric_limits<std::int32_t>::max())
        return false;
    target = static_cast<std::int32_t>(sum);
    return true;
}

} // namespace

bool ZoomIn(ViewState& view)
{
    if (!(view.zoomFactor < kZoomCeiling))
        return false;
    view.zoomFactor *= kZoomStep;
    return true;
}

void ZoomOut(ViewState& view)
{
    view.zoomFactor /= kZoomStep;
}

void ResetView(ViewState& view)
{
    view.zoomFactor = 1.0;
    view.panX = 0;
    view.panY = 0;
}

bool ShiftView(ViewState& view, ShiftDirection direction, int surfaceWidth, int surfaceHeight)
{
    const std::int64_t stepX = surfaceWidth / kPanStepDivisor;
    const std::int64_t stepY = surfaceHeight / kPanStepDivisor;
    switch (direction) {
    case ShiftDirection::Left:
        return AddChecked(view.panX, -stepX);
    case ShiftDirection::Right:
        return AddChecked(view.panX, stepX);
    case ShiftDirection::Up:
        return AddChecked(view.panY, -stepY);
    case ShiftDirection::Down:
        return AddChecked(view.panY, stepY);
    }
    return false;
}

void StartDrag(ViewState& view, std::int32_t x, std::int32_t y)
{
    view.dragStartX = x;
    view.dragStartY = y;
}

bool DropDrag(ViewState& view, std::int32_t x, std::int32_t y)
{
    const std::int64_t dx = static_cast<std::int64_t>(x) - view.dragStartX;
    const std::int64_t dy = static_cast<std::int64_t>(y) - view.dragStartY;
    ViewState moved = view;
    if (!AddChecked(moved.panX, dx) || !AddChecked(moved.panY, dy))
        return false;
    view = moved;
    return true;
}

ViewAction ViewActionForKey(ViewKey key, KeyModifiers modifiers, bool graphicsPageVisible)
{
    const bool onlyCtrl = modifiers.ctrl && !modifiers.alt && !modifiers.shift;
    const bool onlyAlt = modifiers.alt && !modifiers.ctrl && !modifiers.shift;
    if (onlyCtrl && key == ViewKey::KeypadPlus)
        return ViewAction::ZoomIn;
    if (onlyCtrl && key == ViewKey::KeypadMinus)
        return ViewAction::ZoomOut;
    if (!onlyAlt || !graphicsPageVisible)
        return ViewAction::None;
    switch (key) {
    case ViewKey::Left:
        return ViewAction::ShiftLeft;
    case ViewKey::Right:
        return ViewAction::ShiftRight;
    case ViewKey::Up:
        return ViewAction::ShiftUp;
    case ViewKey::Down:
        return ViewAction::ShiftDown;
    case ViewKey::KeypadPlus:
    case ViewKey::KeypadMinus:
    case ViewKey::Other:
        return ViewAction::None;
    }
    return ViewAction::None;
}

bool ApplyViewAction(ViewState& view, ViewAction action, int surfaceWidth, int surfaceHeight)
{
    switch (action) {
    case ViewAction::None:
        return false;
    case ViewAction::ZoomIn:
        return ZoomIn(view);
    case ViewAction::ZoomOut:
        ZoomOut(view);
        return true;
    case ViewAction::ShiftLeft:
        return ShiftView(view, ShiftDirection::Left, surfaceWidth, surfaceHeight);
    case ViewAction::ShiftRight:
        return ShiftView(view, ShiftDirection::Right, surfaceWidth, surfaceHeight);
    case ViewAction::ShiftUp:
        return ShiftView(view, ShiftDirection::Up, surfaceWidth, surfaceHeight);
    case ViewAction::ShiftDown:
        return ShiftView(view, ShiftDirection::Down, surfaceWidth, surfaceHeight);
    }
    return false;
}

std::int64_t PrintPan(std::int32_t panPx, int imageWidthPx, int printAreaWidth)
{
    if (imageWidthPx <= 0)
        return 0;
    return std::llrint(static_cast<double>(printAreaWidth) * panPx / imageWidthPx);
}

} // namespace umbrix
