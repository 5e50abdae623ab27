#include "ui/image_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace umbrix {

QImage BlankCanvas(QSize logicalSize, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
    const QSize logical(std::max(logicalSize.width(), 1), std::max(logicalSize.height(), 1));
    QImage canvas(logical * ratio, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::white);
    return canvas;
}

ImageView::ImageView(const QString& name, int tag, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setProperty("tag", tag);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& ImageView::prepareCanvas()
{
    const qreal ratio = devicePixelRatioF();
    if (canvas_.isNull() || canvas_.devicePixelRatio() != ratio ||
        canvas_.deviceIndependentSize() != QSizeF(std::max(width(), 1), std::max(height(), 1)))
        canvas_ = BlankCanvas(size(), ratio);
    else
        canvas_.fill(Qt::white);
    return canvas_;
}

void ImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!canvas_.isNull())
        painter.drawImage(0, 0, canvas_);
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    // Only the left button alone starts a drag; the drag itself begins once the pointer has moved
    // beyond the platform's drag distance.
    pressed_ = draggable_ && event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton;
    dragging_ = false;
    if (pressed_) {
        pressPoint_ = event->position().toPoint();
        emit leftPressed(pressPoint_);
    }
    event->accept();
}

void ImageView::mouseMoveEvent(QMouseEvent* event)
{
    if (pressed_ && !dragging_ &&
        (event->position().toPoint() - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
        dragging_ = true;
        setCursor(Qt::PointingHandCursor);
    }
    emit pointerMoved(event->position());
    event->accept();
}

void ImageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) {
        event->accept();
        return;
    }
    const QPoint releasePoint = event->position().toPoint();
    const QPoint displacement = releasePoint - pressPoint_;
    const bool moved = dragging_ || displacement.manhattanLength() >= QApplication::startDragDistance();
    pressed_ = dragging_ = false;
    unsetCursor();
    if (moved) {
        // A drop outside the image is no drop on it.
        if (rect().contains(releasePoint))
            emit droppedAt(releasePoint);
    } else {
        emit clicked();
    }
    event->accept();
}

void ImageView::wheelEvent(QWheelEvent* event)
{
    if (!draggable_ || !(event->modifiers() & Qt::ControlModifier)) {
        wheelAngle_ = 0;
        event->ignore();
        return;
    }
    // A wheel notch is 15 degrees (120 eighths); fine-grained wheels and touchpads add up to a notch.
    constexpr int kNotch = 120;
    wheelAngle_ += event->angleDelta().y();
    while (std::abs(wheelAngle_) >= kNotch) {
        const bool in = wheelAngle_ > 0;
        wheelAngle_ += in ? -kNotch : kNotch;
        emit wheelZoom(event->position(), in);
    }
    event->accept();
}

} // namespace umbrix
