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

/// A device's extent in device pixels as logical pixels.
int LogicalPixels(int devicePixels, qreal devicePixelRatio)
{
    return devicePixelRatio > 0 ? qRound(devicePixels / devicePixelRatio) : devicePixels;
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
    : painter_(&device), width_(LogicalPixels(device.width(), device.devicePixelRatioF())),
      height_(LogicalPixels(device.height(), device.devicePixelRatioF())), pixelsPerInch_(pixelsPerInch)
{
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QtSurface::~QtSurface()
{
    flushLines();
    painter_.end();
}

void QtSurface::applyPen(const PenState& state)
{
    QPen qtPen(ToQColor(state.colour));
    qtPen.setWidth(std::max(state.width, 1));
    if (state.dashed)
        qtPen.setStyle(Qt::DashLine);
    painter_.setPen(qtPen);
}

void QtSurface::flushLines()
{
    if (pendingLine_.size() < 2) {
        pendingLine_.clear();
        return;
    }
    applyPen(pendingPen_);
    // A single line keeps its square caps even when its ends coincide (a dot).
    if (pendingLine_.size() == 2)
        painter_.drawLine(pendingLine_[0], pendingLine_[1]);
    else
        painter_.drawPolyline(pendingLine_);
    pendingLine_.clear();
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
    flushLines();
    current_ = QPoint(x, y);
}

void QtSurface::LineTo(int x, int y)
{
    const bool samePen =
        pendingPen_.colour == pen.colour && pendingPen_.width == pen.width && pendingPen_.dashed == pen.dashed;
    if (!pendingLine_.isEmpty() && !samePen)
        flushLines();
    if (pendingLine_.isEmpty()) {
        pendingLine_ << current_;
        pendingPen_ = pen;
    }
    current_ = QPoint(x, y);
    pendingLine_ << current_;
}

void QtSurface::Ellipse(int x1, int y1, int x2, int y2)
{
    flushLines();
    applyPen(pen);
    applyBrush();
    painter_.drawEllipse(ShapeBox(x1, y1, x2, y2));
}

void QtSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    flushLines();
    applyPen(pen);
    applyBrush();
    // Axis-parallel edges are drawn crisp whatever the antialiasing of the curves.
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawRect(ShapeBox(x1, y1, x2, y2));
    painter_.restore();
}

void QtSurface::TextOut(int x, int y, std::string_view text)
{
    flushLines();
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
