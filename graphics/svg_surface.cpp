#include "graphics/svg_surface.h"

#include "core/length_unit.h"
#include "core/numeric.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace umbrix {

namespace {

// Advance widths of the printable ASCII characters 32..126 in 1/1000 em. Liberation Sans shares its
// advance widths with Arial, whose widths are those of the Helvetica font metrics.
constexpr std::array<std::int16_t, 95> kRegularWidths{
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // space .. /
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, // 0 .. ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // @ .. O
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556, // P .. _
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556, // ` .. o
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};     // p .. ~
constexpr std::array<std::int16_t, 95> kBoldWidths{
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278, // space .. /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611, // 0 .. ?
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778, // @ .. O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556, // P .. _
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611, // ` .. o
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};     // p .. ~

constexpr double kAscent = 0.905;  // Liberation Sans ascender, em
constexpr double kDescent = 0.212; // Liberation Sans descender, em
constexpr int kZodiacWidth = 838;  // DejaVu Sans, the signs U+2648..U+2653, 1/1000 em
constexpr int kAverageWidth = 556;

/// Decodes the next UTF-8 code point at text[i], advancing i; a broken sequence yields U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (byte(i++) & 0x3F);
    }
    return cp;
}

/// The ASCII letter whose width a Latin-1 letter with an accent or umlaut shares, or 0. The small letters
/// 0xE0..0xFE sit 0x20 above their capitals.
char BaseLetter(char32_t cp)
{
    if (cp == 0xFF)
        return 'y';
    const bool small = cp >= 0xE0 && cp <= 0xFE;
    const char32_t capital = small ? cp - 0x20 : cp;
    char base = 0;
    if (capital >= 0xC0 && capital <= 0xC6)
        base = 'A';
    else if (capital == 0xC7)
        base = 'C';
    else if (capital >= 0xC8 && capital <= 0xCB)
        base = 'E';
    else if (capital >= 0xCC && capital <= 0xCF)
        base = 'I';
    else if (capital == 0xD1)
        base = 'N';
    else if ((capital >= 0xD2 && capital <= 0xD6) || capital == 0xD8)
        base = 'O';
    else if (capital >= 0xD9 && capital <= 0xDC)
        base = 'U';
    else if (capital == 0xDD)
        base = 'Y';
    if (base != 0 && small)
        base = static_cast<char>(base + ('a' - 'A'));
    return base;
}

int CharWidth(char32_t cp, bool bold)
{
    const auto& table = bold ? kBoldWidths : kRegularWidths;
    if (cp >= 32 && cp <= 126)
        return table[cp - 32];
    if (const char base = BaseLetter(cp))
        return table[static_cast<std::size_t>(base - 32)];
    if (cp == 0xDF) // sharp s
        return 611;
    if (cp == 0xB0) // degree sign
        return 400;
    if (cp >= 0x2648 && cp <= 0x2653)
        return kZodiacWidth;
    return kAverageWidth;
}

std::string ColourText(Colour c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c.r, c.g, c.b);
    return buffer;
}

std::string Escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            // Control characters are not allowed in XML 1.0; a line feed or tab becomes a blank.
            out += (static_cast<unsigned char>(c) < 0x20) ? ' ' : c;
        }
    }
    return out;
}

std::string FontFamily(std::string_view name)
{
    if (name == kFontArial)
        return "'Liberation Sans', Arial, Helvetica, sans-serif";
    if (name == kFontMsSerif)
        return "'DejaVu Serif', serif";
    if (name == kFontZodiac)
        return "'DejaVu Sans', sans-serif";
    return "'" + Escaped(name) + "', sans-serif";
}

std::string Num(long long v)
{
    return std::to_string(v);
}

/// Half-integer coordinates of an ellipse centre or radius: written with one decimal when needed.
std::string Half(long long twice)
{
    std::string s = std::to_string(twice / 2);
    if (twice % 2 != 0)
        s = (twice < 0 && twice / 2 == 0 ? "-" : "") + s + ".5";
    return s;
}

std::string StrokeAttributes(const PenState& pen)
{
    std::string attributes =
        " stroke=\"" + ColourText(pen.colour) + "\" stroke-width=\"" + Num(std::max(pen.width, 1)) + "\"";
    if (pen.dashed)
        attributes += " stroke-dasharray=\"" + Num(4 * std::max(pen.width, 2)) + "," + Num(3 * std::max(pen.width, 2)) + "\"";
    return attributes;
}

// Lines are clipped to a wide band around the surface: renderers work in limited fixed-point ranges, and a
// line ending two billion pixels away must still show its visible part.
constexpr long long kClipMargin = 20000;

/// Liang-Barsky clipping of the segment (x0, y0) - (x1, y1) to the box; false when nothing remains.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top, double right, double bottom)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{x0 - left, right - x0, y0 - top, bottom - y0};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double sx = x0 + t0 * dx;
    const double sy = y0 + t0 * dy;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = sx;
    y0 = sy;
    return true;
}

} // namespace

double TextAdvance(std::string_view text, double emHeight, bool bold)
{
    long long total = 0;
    for (std::size_t i = 0; i < text.size();)
        total += CharWidth(NextCodePoint(text, i), bold);
    return static_cast<double>(total) * emHeight / 1000.0;
}

int TextLineHeight(int emHeight)
{
    return static_cast<int>(std::lround(emHeight * (kAscent + kDescent)));
}

int TextAscent(int emHeight)
{
    return static_cast<int>(std::lround(emHeight * kAscent));
}

SvgSurface::SvgSurface(int widthPx, int heightPx) : width_(std::max(widthPx, 1)), height_(std::max(heightPx, 1)) {}

std::string SvgSurface::polylineText() const
{
    if (polyline_.size() < 2)
        return {};
    std::string out = "<polyline fill=\"none\"" + StrokeAttributes(polylinePen_) + " points=\"";
    for (std::size_t k = 0; k < polyline_.size(); ++k) {
        if (k > 0)
            out += ' ';
        out += Num(polyline_[k].first) + "," + Num(polyline_[k].second);
    }
    out += "\"/>\n";
    return out;
}

void SvgSurface::flushPolyline()
{
    body_ += polylineText();
    polyline_.clear();
}

void SvgSurface::MoveTo(int x, int y)
{
    currentX_ = x;
    currentY_ = y;
}

void SvgSurface::LineTo(int x, int y)
{
    double x0 = currentX_;
    double y0 = currentY_;
    double x1 = x;
    double y1 = y;
    currentX_ = x;
    currentY_ = y;
    const double left = -kClipMargin;
    const double top = -kClipMargin;
    const double right = static_cast<double>(width_) + kClipMargin;
    const double bottom = static_cast<double>(height_) + kClipMargin;
    const bool inside = x0 >= left && x0 <= right && y0 >= top && y0 <= bottom && x1 >= left && x1 <= right &&
                        y1 >= top && y1 <= bottom;
    if (!inside) {
        flushPolyline();
        if (ClipSegment(x0, y0, x1, y1, left, top, right, bottom)) {
            body_ += "<line" + StrokeAttributes(pen) + " x1=\"" + Num(std::llround(x0)) + "\" y1=\"" +
                     Num(std::llround(y0)) + "\" x2=\"" + Num(std::llround(x1)) + "\" y2=\"" + Num(std::llround(y1)) +
                     "\"/>\n";
        }
        return;
    }
    const std::pair<int, int> from{static_cast<int>(x0), static_cast<int>(y0)};
    if (polyline_.empty() || polyline_.back() != from || !(polylinePen_.colour == pen.colour) ||
        polylinePen_.width != pen.width || polylinePen_.dashed != pen.dashed) {
        flushPolyline();
        polyline_.push_back(from);
        polylinePen_ = pen;
    }
    polyline_.emplace_back(x, y);
}

bool SvgSurface::outsideBand(long long left, long long top, long long right, long long bottom) const
{
    return right < -kClipMargin || bottom < -kClipMargin || left > width_ + kClipMargin || top > height_ + kClipMargin;
}

void SvgSurface::Ellipse(int x1, int y1, int x2, int y2)
{
    flushPolyline();
    const long long left = std::min(x1, x2);
    const long long right = std::max(x1, x2);
    const long long top = std::min(y1, y2);
    const long long bottom = std::max(y1, y2);
    if (outsideBand(left, top, right, bottom))
        return;
    const std::string fill = brush.style == BrushStyle::Clear ? "none" : ColourText(brush.colour);
    body_ += "<ellipse fill=\"" + fill + "\"" + StrokeAttributes(pen) + " cx=\"" + Half(left + right) + "\" cy=\"" +
             Half(top + bottom) + "\" rx=\"" + Half(right - left) + "\" ry=\"" + Half(bottom - top) + "\"/>\n";
}

void SvgSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    flushPolyline();
    const long long left = std::min(x1, x2);
    const long long right = std::max(x1, x2);
    const long long top = std::min(y1, y2);
    const long long bottom = std::max(y1, y2);
    if (outsideBand(left, top, right, bottom))
        return;
    const std::string fill = brush.style == BrushStyle::Clear ? "none" : ColourText(brush.colour);
    body_ += "<rect fill=\"" + fill + "\"" + StrokeAttributes(pen) + " x=\"" + Num(left) + "\" y=\"" + Num(top) +
             "\" width=\"" + Num(right - left) + "\" height=\"" + Num(bottom - top) + "\"/>\n";
}

void SvgSurface::TextOut(int x, int y, std::string_view text)
{
    flushPolyline();
    // No text is as long as the band around the surface is wide: one anchored outside it is invisible.
    if (text.empty() || outsideBand(x, y, x, y))
        return;
    const long long top = y;
    if (brush.style == BrushStyle::Solid) {
        body_ += "<rect fill=\"" + ColourText(brush.colour) + "\" stroke=\"none\" x=\"" + Num(x) + "\" y=\"" +
                 Num(top) + "\" width=\"" + Num(TextWidth(text)) + "\" height=\"" + Num(TextHeight(text)) + "\"/>\n";
    }
    body_ += "<text x=\"" + Num(x) + "\" y=\"" + Num(top + TextAscent(font.height)) + "\" font-family=\"" +
             FontFamily(font.name) + "\" font-size=\"" + Num(font.height) + "\"";
    if (font.style == FontStyle::Bold)
        body_ += " font-weight=\"bold\"";
    body_ += " fill=\"" + ColourText(font.colour) + "\">" + Escaped(text) + "</text>\n";
}

int SvgSurface::TextWidth(std::string_view text) const
{
    return static_cast<int>(std::lround(TextAdvance(text, font.height, font.style == FontStyle::Bold)));
}

int SvgSurface::TextHeight(std::string_view) const
{
    return TextLineHeight(font.height);
}

std::string SvgSurface::wrapped(const std::string& svgAttributes, const std::string& body) const
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                      "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
                      "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" " + svgAttributes +
           " xml:space=\"preserve\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    out += body;
    out += "</svg>\n";
    return out;
}

std::string SvgSurface::document() const
{
    return wrapped("width=\"" + Num(width_) + "\" height=\"" + Num(height_) + "\" viewBox=\"0 0 " + Num(width_) + " " +
                       Num(height_) + "\"",
                   body_ + polylineText());
}

std::string SvgSurface::documentInMm(double mmPerUnit) const
{
    const std::string w = FormatDecimals(width_ * mmPerUnit, 4);
    const std::string h = FormatDecimals(height_ * mmPerUnit, 4);
    return wrapped("width=\"" + w + "mm\" height=\"" + h + "mm\" viewBox=\"0 0 " + w + " " + h + "\"",
                   "<g transform=\"scale(" + FormatDecimals(mmPerUnit, 6) + ")\">\n" + body_ + polylineText() +
                       "</g>\n");
}

} // namespace umbrix
