#pragma once
// The drawing surface on a Qt paint device: the screen image of the construction, the error graph, and
// (through the print layout) a printer page.

#include "graphics/surface.h"

#include <QPainter>
#include <QPolygon>

class QPaintDevice;

namespace umbrix {

class QtSurface : public Surface {
public:
    /// Draws on `device` until the surface is destroyed. `pixelsPerInch` turns font sizes in points into
    /// heights (96 on the screen). The surface's units are the device's logical pixels: on an image with a
    /// device pixel ratio of 2 a unit covers 2 x 2 device pixels, and the drawing keeps its full resolution.
    explicit QtSurface(QPaintDevice& device, int pixelsPerInch = 96);
    ~QtSurface() override;
    QtSurface(const QtSurface&) = delete;
    QtSurface& operator=(const QtSurface&) = delete;

    int width() const override { return width_; }
    int height() const override { return height_; }
    int pixelsPerInch() const override { return pixelsPerInch_; }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;

    /// The current point, as the last MoveTo or LineTo left it.
    QPoint currentPoint() const { return current_; }

private:
    /// Lines drawn one after the other with the same pen are stroked as one polyline: one call instead of
    /// one per segment, and without the darker overlap of two antialiased line ends at every joint of a
    /// curve. The polyline is drawn before anything else is (and at the end).
    void flushLines();
    void applyPen(const PenState& state);
    void applyBrush();
    QFont qtFont() const;

    QPainter painter_;
    int width_;
    int height_;
    int pixelsPerInch_;
    QPoint current_;
    QPolygon pendingLine_; // the polyline not yet drawn, from its first point
    PenState pendingPen_;  // the pen it is drawn with
};

/// The platform font for a font name of the construction ("Arial" to Liberation Sans, "MS Serif" to
/// DejaVu Serif); `heightPx` is the em height.
[[nodiscard]] QFont SurfaceFont(std::string_view name, int heightPx, bool bold);

} // namespace umbrix
