#include "export/pdf_fonts.h"

#include "graphics/print_layout.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace umbrix {

namespace {

constexpr std::string_view kLiberationDir = "/usr/share/fonts/truetype/liberation/";
constexpr std::string_view kDejaVuDir = "/usr/share/fonts/truetype/dejavu/";

bool IsLiberation(PdfFace face)
{
    switch (face) {
    case PdfFace::Sans:
    case PdfFace::SansBold:
    case PdfFace::Mono:
    case PdfFace::MonoBold:
        return true;
    case PdfFace::Serif:
    case PdfFace::SerifBold:
    case PdfFace::Signs:
    case PdfFace::SignsBold:
        return false;
    }
    return false;
}

/// A big-endian number of `bytes` bytes at `at`.
std::uint32_t BigEndian(const std::string& data, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<unsigned char>(data[at + static_cast<std::size_t>(i)]);
    return v;
}

constexpr std::size_t kMaxFontBytes = 64u << 20; // far beyond any font of the PDFs
constexpr std::size_t kDirectoryEntryBytes = 16;
constexpr std::size_t kOffsetTableBytes = 12;

} // namespace

std::optional<std::string> TrueTypeFileProblem(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "it cannot be opened";
    std::string data;
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (data.size() > kMaxFontBytes)
        return "it is too large for a font";
    if (data.size() < kOffsetTableBytes)
        return "it is not a TrueType font";
    const std::uint32_t version = BigEndian(data, 0, 4);
    if (version != 0x00010000u && version != 0x74727565u) // "true"
        return "it is not a TrueType font";
    const std::size_t tables = BigEndian(data, 4, 2);
    if (kOffsetTableBytes + tables * kDirectoryEntryBytes > data.size())
        return "its table directory is cut short";
    constexpr std::array<std::string_view, 7> kRequired = {"cmap", "glyf", "head", "hhea", "hmtx", "loca", "maxp"};
    std::array<bool, kRequired.size()> found{};
    bool controlValueProgram = false;
    for (std::size_t t = 0; t < tables; ++t) {
        const std::size_t entry = kOffsetTableBytes + t * kDirectoryEntryBytes;
        const std::string_view tag(data.data() + entry, 4);
        const std::uint64_t offset = BigEndian(data, entry + 8, 4);
        const std::uint64_t length = BigEndian(data, entry + 12, 4);
        if (offset + length > data.size())
            return "its table " + std::string(tag) + " lies beyond the end of the file";
        const auto at = std::find(kRequired.begin(), kRequired.end(), tag);
        if (at != kRequired.end())
            found[static_cast<std::size_t>(at - kRequired.begin())] = true;
        if (tag == "prep" && length > 0)
            controlValueProgram = true;
    }
    for (std::size_t i = 0; i < kRequired.size(); ++i)
        if (!found[i])
            return "it has no table " + std::string(kRequired[i]);
    // libharu writes the embedded copy's tables in a fixed order that ends with prep, and fails to seek to
    // an empty last table whenever the copy so far fills its 4 KiB buffers exactly: such a font would make
    // some documents and not others.
    if (!controlValueProgram)
        return "it has no control-value program (table prep)";
    return std::nullopt;
}

std::string_view PdfFontFileName(PdfFace face)
{
    switch (face) {
    case PdfFace::Sans:
        return "LiberationSans-Regular.ttf";
    case PdfFace::SansBold:
        return "LiberationSans-Bold.ttf";
    case PdfFace::Mono:
        return "LiberationMono-Regular.ttf";
    case PdfFace::MonoBold:
        return "LiberationMono-Bold.ttf";
    case PdfFace::Serif:
        return "DejaVuSerif.ttf";
    case PdfFace::SerifBold:
        return "DejaVuSerif-Bold.ttf";
    case PdfFace::Signs:
        return "DejaVuSans.ttf";
    case PdfFace::SignsBold:
        return "DejaVuSans-Bold.ttf";
    }
    return "DejaVuSans.ttf";
}

std::string DebianPdfFontPath(PdfFace face)
{
    return std::string(IsLiberation(face) ? kLiberationDir : kDejaVuDir) + std::string(PdfFontFileName(face));
}

PdfFontFiles DefaultPdfFontFiles()
{
    namespace fs = std::filesystem;
    const char* folder = std::getenv("UMBRIX_FONT_DIR");
    PdfFontFiles files;
    for (std::size_t i = 0; i < kPdfFaceCount; ++i) {
        const auto face = static_cast<PdfFace>(i);
        std::string path = DebianPdfFontPath(face);
        if (folder && *folder) {
            std::error_code ec;
            const fs::path own = fs::path(folder) / PdfFontFileName(face);
            if (fs::is_regular_file(own, ec))
                path = own.string();
        }
        files.paths[i] = std::move(path);
    }
    return files;
}

PdfFace FaceOf(const FontState& font)
{
    const bool bold = font.style == FontStyle::Bold;
    if (font.name == kFontArial)
        return bold ? PdfFace::SansBold : PdfFace::Sans;
    if (font.name == kFontListFixed)
        return bold ? PdfFace::MonoBold : PdfFace::Mono;
    if (font.name == kFontMsSerif)
        return bold ? PdfFace::SerifBold : PdfFace::Serif;
    return bold ? PdfFace::SignsBold : PdfFace::Signs;
}

PdfFace FallbackFace(PdfFace face)
{
    switch (face) {
    case PdfFace::SansBold:
    case PdfFace::MonoBold:
    case PdfFace::SerifBold:
    case PdfFace::SignsBold:
        return PdfFace::SignsBold;
    case PdfFace::Sans:
    case PdfFace::Mono:
    case PdfFace::Serif:
    case PdfFace::Signs:
        return PdfFace::Signs;
    }
    return PdfFace::Signs;
}

} // namespace umbrix
