#include "graphics/recorded_drawing.h"

#include <algorithm>

namespace umbrix {

namespace {

/// A text's extent is asked with the font it is drawn in; the metrics surface's own font is put back.
template <class Measure> int WithFont(Surface& surface, const FontState& font, Measure measure)
{
    const FontState kept = surface.font;
    surface.font = font;
    const int extent = measure(surface);
    surface.font = kept;
    return extent;
}

} // namespace

RecordedDrawing::Op RecordedDrawing::make(Kind kind, int x1, int y1, int x2, int y2, double reach) const
{
    Op op;
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.box = {std::min(x1, x2) - reach, std::min(y1, y2) - reach, std::max(x1, x2) + reach, std::max(y1, y2) + reach};
    op.pen = pen;
    op.brush = brush;
    op.font = font;
    return op;
}

void RecordedDrawing::MoveTo(int x, int y)
{
    currentX_ = x;
    currentY_ = y;
}

void RecordedDrawing::LineTo(int x, int y)
{
    ops_.push_back(make(Kind::Line, currentX_, currentY_, x, y, pen.width));
    currentX_ = x;
    currentY_ = y;
}

void RecordedDrawing::Ellipse(int x1, int y1, int x2, int y2)
{
    ops_.push_back(make(Kind::Ellipse, x1, y1, x2, y2, pen.width));
}

void RecordedDrawing::Rectangle(int x1, int y1, int x2, int y2)
{
    ops_.push_back(make(Kind::Rectangle, x1, y1, x2, y2, pen.width));
}

void RecordedDrawing::TextOut(int x, int y, std::string_view text)
{
    Op op = make(Kind::Text, x, y, x + TextWidth(text), y + TextHeight(text), font.height);
    op.text = std::string(text);
    ops_.push_back(std::move(op));
}

int RecordedDrawing::TextWidth(std::string_view text) const
{
    return WithFont(metrics_, font, [&](const Surface& s) { return s.TextWidth(text); });
}

int RecordedDrawing::TextHeight(std::string_view text) const
{
    return WithFont(metrics_, font, [&](const Surface& s) { return s.TextHeight(text); });
}

void RecordedDrawing::BeginPart(DrawingPart part)
{
    Op op;
    op.kind = Kind::Part;
    op.part = part;
    ops_.push_back(std::move(op));
}

void RecordedDrawing::ReplayWithin(Surface& target, const UnitBox& window) const
{
    bool atEnd = false; // the target's current point is the end of the last line drawn
    int endX = 0;
    int endY = 0;
    for (const Op& op : ops_) {
        if (op.kind == Kind::Part) {
            target.BeginPart(op.part);
            continue;
        }
        if (!op.box.meets(window))
            continue;
        target.pen = op.pen;
        target.brush = op.brush;
        target.font = op.font;
        switch (op.kind) {
        case Kind::Line:
            if (!atEnd || endX != op.x1 || endY != op.y1)
                target.MoveTo(op.x1, op.y1);
            target.LineTo(op.x2, op.y2);
            atEnd = true;
            endX = op.x2;
            endY = op.y2;
            break;
        case Kind::Ellipse:
            target.Ellipse(op.x1, op.y1, op.x2, op.y2);
            break;
        case Kind::Rectangle:
            target.Rectangle(op.x1, op.y1, op.x2, op.y2);
            break;
        case Kind::Text:
            target.TextOut(op.x1, op.y1, op.text);
            break;
        case Kind::Part:
            break;
        }
    }
}

} // namespace umbrix
