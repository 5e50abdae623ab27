#include "ui/print/print_surface.h"

#include "graphics/print_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

QColor ToQColor(Colour c)
{
    return QColor(c.r, c.g, c.b);
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// The box of a shape given by two corners in any order.
QRectF ShapeBox(int x1, int y1, int x2, int y2)
{
    return QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
}

} // namespace

QFont PrintFont(const FontState& state)
{
    QFont font;
    if (state.name == kFontListFixed) {
        font.setFamilies(
            {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace")});
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else if (state.name == kFontMsSerif) {
        font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Serif")});
    } else if (state.name == kFontArial) {
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    } else {
        font.setFamilies({ToQString(state.name), QStringLiteral("DejaVu Sans")});
    }
    font.setPixelSize(std::max(state.height, 1));
    font.setBold(state.style == FontStyle::Bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

void PrintSurface::applyPen()
{
    QPen qpen(ToQColor(pen.colour));
    qpen.setWidthF(std::max(pen.width, 1));
    if (pen.dashed)
        qpen.setStyle(Qt::DashLine);
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(qpen);
}

void PrintSurface::applyBrush()
{
    if (brush.style == BrushStyle::Clear)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(ToQColor(brush.colour));
}

void PrintSurface::MoveTo(int x, int y)
{
    currentX_ = x;
    currentY_ = y;
}

void PrintSurface::LineTo(int x, int y)
{
    applyPen();
    painter_.drawLine(QPointF(currentX_, currentY_), QPointF(x, y));
    currentX_ = x;
    currentY_ = y;
}

void PrintSurface::Ellipse(int x1, int y1, int x2, int y2)
{
    applyPen();
    applyBrush();
    painter_.drawEllipse(ShapeBox(x1, y1, x2, y2));
}

void PrintSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    applyPen();
    applyBrush();
    painter_.drawRect(ShapeBox(x1, y1, x2, y2));
}

void PrintSurface::TextOut(int x, int y, std::string_view text)
{
    const QFont qfont = PrintFont(font);
    const QString s = ToQString(text);
    const QFontMetricsF metrics(qfont);
    if (brush.style == BrushStyle::Solid)
        painter_.fillRect(QRectF(x, y, metrics.horizontalAdvance(s), metrics.height()), ToQColor(brush.colour));
    painter_.setFont(qfont);
    painter_.setPen(ToQColor(font.colour));
    painter_.drawText(QPointF(x, y + metrics.ascent()), s);
}

int PrintSurface::TextWidth(std::string_view text) const
{
    return static_cast<int>(std::lround(QFontMetricsF(PrintFont(font)).horizontalAdvance(ToQString(text))));
}

int PrintSurface::TextHeight(std::string_view) const
{
    return static_cast<int>(std::lround(QFontMetricsF(PrintFont(font)).height()));
}

void PrintSurface::SetClip(int x1, int y1, int x2, int y2)
{
    painter_.setClipRect(ShapeBox(x1, y1, x2, y2));
}

void PrintSurface::ResetClip()
{
    painter_.setClipping(false);
}

} // namespace umbrix
