#pragma once
// A surface that draws nothing and keeps the pixel box of what each part of the construction would cover:
// lines, shapes and texts (with the text metrics of another surface, the one the drawing is meant for).

#include "graphics/surface.h"

#include <array>
#include <cstdint>

namespace umbrix {

/// An inclusive box of surface units; empty until something is added.
struct PixelBox {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
    bool empty = true;

    void add(std::int64_t x, std::int64_t y);
    void include(const PixelBox& other);
    /// Whether the box lies within x in [0, width), y in [0, height). An empty box does.
    [[nodiscard]] bool inside(int width, int height) const;
};

class ExtentSurface : public Surface {
public:
    /// A surface of widthPx x heightPx whose texts are measured by `metrics` (its font is set to this
    /// surface's font for each measurement).
    ExtentSurface(Surface& metrics, int widthPx, int heightPx) : metrics_(metrics), width_(widthPx), height_(heightPx)
    {
    }

    int width() const override { return width_; }
    int height() const override { return height_; }
    int pixelsPerInch() const override { return metrics_.pixelsPerInch(); }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;
    void BeginPart(DrawingPart part) override { part_ = part; }

    /// What the drawing put on the surface as `part` (drawing before the first BeginPart counts as the
    /// background). A line adds both its ends; a shape its box, widened by half the pen; a text its box.
    [[nodiscard]] const PixelBox& box(DrawingPart part) const { return boxes_[static_cast<std::size_t>(part)]; }

private:
    void add(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);

    Surface& metrics_;
    int width_;
    int height_;
    int currentX_ = 0;
    int currentY_ = 0;
    DrawingPart part_ = DrawingPart::Background;
    std::array<PixelBox, static_cast<std::size_t>(DrawingPart::Captions) + 1> boxes_{};
};

} // namespace umbrix
