#include "graphics/recording_surface.h"

namespace umbrix {

int CodePointCount(std::string_view text)
{
    int count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

RecordedOp RecordingSurface::make(SurfaceOp kind, int x1, int y1, int x2, int y2) const
{
    RecordedOp op;
    op.op = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.pen = pen;
    op.brush = brush;
    op.font = font;
    return op;
}

void RecordingSurface::MoveTo(int x, int y)
{
    ops.push_back(make(SurfaceOp::MoveTo, x, y, x, y));
    currentX_ = x;
    currentY_ = y;
}

void RecordingSurface::LineTo(int x, int y)
{
    ops.push_back(make(SurfaceOp::LineTo, x, y, currentX_, currentY_));
    currentX_ = x;
    currentY_ = y;
}

void RecordingSurface::Ellipse(int x1, int y1, int x2, int y2)
{
    ops.push_back(make(SurfaceOp::Ellipse, x1, y1, x2, y2));
}

void RecordingSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    ops.push_back(make(SurfaceOp::Rectangle, x1, y1, x2, y2));
}

void RecordingSurface::TextOut(int x, int y, std::string_view text)
{
    RecordedOp op = make(SurfaceOp::TextOut, x, y, x, y);
    op.text = std::string(text);
    ops.push_back(std::move(op));
}

int RecordingSurface::TextWidth(std::string_view text) const
{
    return CodePointCount(text) * (font.height / 2);
}

int RecordingSurface::TextHeight(std::string_view) const
{
    return font.height;
}

std::vector<RecordedOp> RecordingSurface::opsOf(SurfaceOp kind) const
{
    std::vector<RecordedOp> out;
    for (const auto& op : ops)
        if (op.op == kind)
            out.push_back(op);
    return out;
}

std::vector<RecordedOp> RecordingSurface::textsEqualTo(std::string_view text) const
{
    std::vector<RecordedOp> out;
    for (const auto& op : ops)
        if (op.op == SurfaceOp::TextOut && op.text == text)
            out.push_back(op);
    return out;
}

} // namespace umbrix
