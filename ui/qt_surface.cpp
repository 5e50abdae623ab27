#include "ui/qt_surface.h"

#include "ui/qt_text.h"

#include <QFontMetrics>
#include <QPaintDevice>

#include <algorithm>

namespace umbrix {

namespace {

QColor ToQColor(Colour c)
{
    return QColor(c.r, c.g, c.b);
}

/// The box of a GDI-style shape: (x1, y1) inclusive, (x2, y2) exclusive, whatever order the corners come in.
QRect ShapeBox(int x1, int y1, int x2, int y2)
{
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    const int w = std::abs(x2 - x1);
    const int h = std::abs(y2 - y1);
    return QRect(left, top, std::max(w - 1, 0), std::max(h - 1, 0));
}

} // namespace

QFont SurfaceFont(std::string_view name, int heightPx, bool bold)
{
    QFont font;
    if (name == kFontMsSerif)
        font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Serif")});
    else if (name == kFontArial)
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    else
        font.setFamilies({ToQt(name), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(std::max(heightPx, 1));
    font.setBold(bold);
    return font;
}

QtSurface::QtSurface(QPaintDevice& device, int pixelsPerInch)
    : painter_(&device), width_(device.width()), height_(device.height()), pixelsPerInch_(pixelsPerInch)
{
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QtSurface::~QtSurface()
{
    painter_.end();
}

void QtSurface::applyPen()
{
    QPen pen(ToQColor(this->pen.colour));
    pen.setWidth(std::max(this->pen.width, 1));
    painter_.setPen(pen);
}

void QtSurface::applyBrush()
{
    if (brush.style == BrushStyle::Clear)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(ToQColor(brush.colour));
}

QFont QtSurface::qtFont() const
{
    return SurfaceFont(font.name, font.height, font.style == FontStyle::Bold);
}

void QtSurface::MoveTo(int x, int y)
{
    current_ = QPoint(x, y);
}

void QtSurface::LineTo(int x, int y)
{
    applyPen();
    painter_.drawLine(current_, QPoint(x, y));
    current_ = QPoint(x, y);
}

void QtSurface::Ellipse(int x1, int y1, int x2, int y2)
{
    applyPen();
    applyBrush();
    painter_.drawEllipse(ShapeBox(x1, y1, x2, y2));
}

void QtSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    applyPen();
    applyBrush();
    // Axis-parallel edges are drawn crisp whatever the antialiasing of the curves.
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawRect(ShapeBox(x1, y1, x2, y2));
    painter_.restore();
}

void QtSurface::TextOut(int x, int y, std::string_view text)
{
    const QFont f = qtFont();
    const QString s = ToQt(text);
    const QFontMetrics metrics(f, painter_.device());
    if (brush.style == BrushStyle::Solid)
        painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()), ToQColor(brush.colour));
    painter_.setFont(f);
    painter_.setPen(ToQColor(font.colour));
    painter_.drawText(QPoint(x, y + metrics.ascent()), s);
}

int QtSurface::TextWidth(std::string_view text) const
{
    return QFontMetrics(qtFont(), painter_.device()).horizontalAdvance(ToQt(text));
}

int QtSurface::TextHeight(std::string_view text) const
{
    (void)text;
    return QFontMetrics(qtFont(), painter_.device()).height();
}

} // namespace umbrix
