#pragma once
// An image control with its own drawing canvas: the construction (Image1) and the error graph (ImError).
// Dragging the image with the left button reports the displacement from the press to the release point.

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QWidget>

namespace umbrix {

/// A white canvas of `logicalSize` (at least 1 x 1) at the screen's resolution: logicalSize times
/// devicePixelRatio device pixels, so that a painter on it draws in logical pixels and a HiDPI screen shows
/// every device pixel.
[[nodiscard]] QImage BlankCanvas(QSize logicalSize, qreal devicePixelRatio);

class ImageView : public QWidget {
    Q_OBJECT
public:
    ImageView(const QString& name, int tag, QWidget* parent);

    /// The canvas, sized to the control by prepareCanvas(); drawn as it is by paintEvent.
    QImage& canvas() { return canvas_; }
    const QImage& canvas() const { return canvas_; }
    /// Gives the canvas the control's size (at least 1 x 1) at the control's device pixel ratio and paints
    /// it white.
    QImage& prepareCanvas();

    /// Whether a left-button drag moves the drawing (Image1) or not (ImError).
    void setDraggable(bool on) { draggable_ = on; }

signals:
    /// The left button alone was pressed on the image, at this image point.
    void leftPressed(QPoint point);
    /// The image was dragged onto itself and released at this image point.
    void droppedAt(QPoint point);
    void clicked();
    /// Ctrl and the mouse wheel at this image point: one zoom step in (wheel away from the user) or out.
    void wheelZoom(QPointF point, bool zoomIn);
    /// The pointer moved over the image, to this image point.
    void pointerMoved(QPointF point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage canvas_;
    bool draggable_ = false;
    bool pressed_ = false;
    bool dragging_ = false;
    QPoint pressPoint_;
    int wheelAngle_ = 0; // eighths of a degree turned with Ctrl held, not yet taken as a zoom step
};

} // namespace umbrix
