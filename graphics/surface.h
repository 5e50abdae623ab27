#pragma once
// The drawing surface of the construction: a few canvas operations in integer pixels (or 0.1 mm on a
// printer page) with a pen, a brush and a font, as the construction drawing, the error graph and the print
// layout use them. x grows to the right, y downwards; the origin is the top-left corner of the surface.
// Implementations: SvgSurface (umbrix-cli), RecordingSurface (tests), the Qt surfaces of the window.

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace umbrix {

/// An RGB colour.
struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Colour, Colour) = default;
};

constexpr Colour kBlack{0x00, 0x00, 0x00};
constexpr Colour kWhite{0xFF, 0xFF, 0xFF};
constexpr Colour kRed{0xFF, 0x00, 0x00};
constexpr Colour kGreen{0x00, 0x80, 0x00};
constexpr Colour kNavy{0x00, 0x00, 0x80};
constexpr Colour kBlue{0x00, 0x00, 0xFF};
constexpr Colour kTeal{0x00, 0x80, 0x80};
constexpr Colour kLime{0x00, 0xFF, 0x00};
constexpr Colour kMaroon{0x80, 0x00, 0x00};
constexpr Colour kSilver{0xC0, 0xC0, 0xC0};
constexpr Colour kLightGrey{0xDF, 0xDF, 0xDF};
constexpr Colour kPaleBlueGreen{0xAF, 0xE7, 0xDF};
constexpr Colour kYellow{0xFF, 0xFF, 0x00};
constexpr Colour kSummerTime{0xB0, 0x5A, 0x00}; // the summer-time ring, apart from the shadow path's maroon

enum class BrushStyle : std::uint8_t { Solid, Clear };
enum class FontStyle : std::uint8_t { Regular, Bold };

struct PenState {
    Colour colour = kBlack;
    int width = 1;       // surface units (pixels)
    bool dashed = false; // lines in dashes of about four pen widths, for a second scale beside the first
};

struct BrushState {
    Colour colour = kWhite;
    BrushStyle style = BrushStyle::Solid;
};

/// The parts of the construction drawing, announced to the surface before each is drawn: what belongs to
/// the dial itself and what runs across the whole surface by design (the axes, the background and the
/// captions in its corners, the shadow path that runs towards infinity near sunrise and sunset).
enum class DrawingPart : std::uint8_t { Background, Axes, Dial, ShadowPath, Captions };

/// Font names are those of the construction ("Arial", "MS Serif", "DejaVu Sans"); each surface maps them to
/// a font the platform has ("Arial" to Liberation Sans, "MS Serif" to DejaVu Serif).
struct FontState {
    std::string name = "Arial";
    int height = 16; // em height in surface units
    Colour colour = kBlack;
    FontStyle style = FontStyle::Regular;
};

constexpr std::string_view kFontArial = "Arial";
constexpr std::string_view kFontMsSerif = "MS Serif";
/// The font of the zodiac signs that mark the fixed-gnomon dial (U+2648 aries, U+264B cancer, U+2651 capricorn).
constexpr std::string_view kFontZodiac = "DejaVu Sans";

/// The canvas interface. The pen, brush and font are plain state read by every operation, as on a
/// toolkit canvas: set them, then draw.
class Surface {
public:
    virtual ~Surface() = default;

    /// Size of the area that can be drawn on, in surface units.
    virtual int width() const = 0;
    virtual int height() const = 0;
    /// Resolution used to turn a font size in points into a height: 96 on the screen, 254 on a page in 0.1 mm.
    virtual int pixelsPerInch() const { return 96; }

    /// Sets the current point.
    virtual void MoveTo(int x, int y) = 0;
    /// Line with the pen from the current point to (x, y), which becomes the current point.
    virtual void LineTo(int x, int y) = 0;
    /// Ellipse inscribed in the box (x1, y1) - (x2, y2), outlined with the pen and filled with the brush
    /// unless the brush is clear. Leaves the current point alone.
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    /// Rectangle (x1, y1) - (x2, y2), outlined with the pen and filled with the brush unless it is clear.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    /// Text (UTF-8) in the font, its top-left corner at (x, y); with a solid brush on the brush colour.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    /// Extent of a text in the current font, in surface units.
    virtual int TextWidth(std::string_view text) const = 0;
    virtual int TextHeight(std::string_view text) const = 0;

    /// Limits the following drawing to a rectangle (surfaces that cannot clip draw everything), until
    /// ResetClip.
    virtual void SetClip(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {}
    virtual void ResetClip() {}

    /// The drawing that follows belongs to `part`, until the next call. Surfaces that draw everything alike
    /// ignore it.
    virtual void BeginPart(DrawingPart /*part*/) {}

    /// Font size in points: sets the height for this surface's resolution.
    void setFontSize(int points) { font.height = static_cast<int>(std::lround(points * pixelsPerInch() / 72.0)); }
    int fontSize() const { return static_cast<int>(std::lround(font.height * 72.0 / pixelsPerInch())); }

    PenState pen;
    BrushState brush;
    FontState font;
};

} // namespace umbrix
