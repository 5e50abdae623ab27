#pragma once
// The font files embedded in the PDF documents: Liberation Sans for the drawing's "Arial", Liberation Mono for
// the printed lists, DejaVu Serif for "MS Serif" and DejaVu Sans for the zodiac signs and every character the
// others lack. Each in regular and bold. The files are found by path, so that a build without the system's
// fonts (WebAssembly with its embedded file system) puts them at a folder of its own.

#include "graphics/surface.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

enum class PdfFace : std::uint8_t {
    Sans,
    SansBold,
    Mono,
    MonoBold,
    Serif,
    SerifBold,
    Signs, // DejaVu Sans: the zodiac signs and the fallback for glyphs the other faces lack
    SignsBold,
};
constexpr std::size_t kPdfFaceCount = 8;

/// The TrueType file of every face, by path.
struct PdfFontFiles {
    std::array<std::string, kPdfFaceCount> paths;
    [[nodiscard]] const std::string& of(PdfFace face) const { return paths[static_cast<std::size_t>(face)]; }
};

/// The file name of a face ("LiberationSans-Regular.ttf").
[[nodiscard]] std::string_view PdfFontFileName(PdfFace face);

/// Where Debian's fonts-liberation and fonts-dejavu-core put a face.
[[nodiscard]] std::string DebianPdfFontPath(PdfFace face);

/// The font files of the PDFs: each face from the folder named by UMBRIX_FONT_DIR when it holds the file
/// there, else at its Debian path. A file that is missing is found missing when the face is first drawn with.
[[nodiscard]] PdfFontFiles DefaultPdfFontFiles();

/// Why the file at `path` is not a TrueType font the PDF library can be given, or nothing when it is one:
/// its header ("\0\1\0\0" or "true"), its table directory and the tables the library reads (cmap, glyf,
/// head, hhea, hmtx, loca, maxp) lying within the file, and a control-value program (prep) that is not
/// empty. libharu reads a file that fails the former past its end, and embeds one without the latter only
/// where the embedded copy's size happens not to be a multiple of 4 KiB.
[[nodiscard]] std::optional<std::string> TrueTypeFileProblem(const std::string& path);

/// The face that draws a font of the drawing: "Arial" Liberation Sans, the list font Liberation Mono,
/// "MS Serif" DejaVu Serif, the zodiac font and any other name DejaVu Sans; bold where the font is bold.
[[nodiscard]] PdfFace FaceOf(const FontState& font);

/// The face that takes over a character its own face lacks: DejaVu Sans of the same weight.
[[nodiscard]] PdfFace FallbackFace(PdfFace face);

} // namespace umbrix
