#pragma once
// The drawing surface of a printer page: a QPainter whose transform makes one logical unit 0.1 mm, with y
// downwards from the printable origin. Font heights and pen widths are in the same unit.

#include "graphics/surface.h"

#include <QFont>

class QPainter;

namespace umbrix {

/// One inch in the unit of a printer page, 0.1 mm.
constexpr double kTenthMmPerInch = 254.0;

class PrintSurface : public Surface {
public:
    /// Draws with `painter`, which must already map 0.1 mm onto its device.
    explicit PrintSurface(QPainter& painter) : painter_(painter) {}

    /// The printable size of the current page, 0.1 mm.
    void setPageSize(int widthTenthMm, int heightTenthMm)
    {
        width_ = widthTenthMm;
        height_ = heightTenthMm;
    }

    int width() const override { return width_; }
    int height() const override { return height_; }
    int pixelsPerInch() const override { return static_cast<int>(kTenthMmPerInch); } // 0.1 mm units

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;
    void SetClip(int x1, int y1, int x2, int y2) override;
    void ResetClip() override;

private:
    void applyPen();
    void applyBrush();

    QPainter& painter_;
    int width_ = 0;
    int height_ = 0;
    int currentX_ = 0;
    int currentY_ = 0;
};

/// The platform font for a font of the drawing: "Arial" is Liberation Sans, "MS Serif" DejaVu Serif, the
/// list font a fixed-pitch font (Liberation Mono or DejaVu Sans Mono). The height is the em height in
/// logical units; glyph advances are unhinted, so measured and printed widths agree at any scale.
[[nodiscard]] QFont PrintFont(const FontState& font);

} // namespace umbrix
