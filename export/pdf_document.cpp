#include "export/pdf_document.h"

#include "export/pdf_text.h"

#include <hpdf.h>
#include <hpdf_doc.h>
#include <hpdf_fontdef.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace umbrix {

namespace {

constexpr std::string_view kPdfStart = "%PDF-";
constexpr std::string_view kPdfEnd = "%%EOF";
constexpr std::size_t kPdfTailBytes = 1024; // the end marker lies within this tail

/// PDF points per 0.1 mm: 72 points to the inch of 254 tenths of a millimetre.
constexpr double kPointsPerTenthMm = 72.0 / 254.0;
constexpr double kMmPerInch = 25.4;
/// libharu's font metrics are in thousandths of the em.
constexpr double kGlyphUnitsPerEm = 1000.0;

} // namespace

bool IsCompletePdf(std::string_view bytes)
{
    if (!bytes.starts_with(kPdfStart))
        return false;
    const std::string_view tail = bytes.substr(bytes.size() > kPdfTailBytes ? bytes.size() - kPdfTailBytes : 0);
    return tail.find(kPdfEnd) != std::string_view::npos;
}

PdfPageFormat PdfPageFormat::turned() const
{
    // A quarter turn anticlockwise: the left margin comes to the bottom, the top margin to the left.
    return {heightMm, widthMm, marginTopMm, marginRightMm, marginBottomMm, marginLeftMm};
}

PrinterCapabilities CapabilitiesOf(const PdfPageFormat& format)
{
    const double pixelsPerMm = kPdfDotsPerInch / kMmPerInch;
    const double widthMm = format.widthMm - format.marginLeftMm - format.marginRightMm;
    const double heightMm = format.heightMm - format.marginTopMm - format.marginBottomMm;
    PrinterCapabilities caps;
    caps.horzSizeMm = widthMm;
    caps.vertSizeMm = heightMm;
    caps.horzRes = static_cast<int>(std::lround(widthMm * pixelsPerMm));
    caps.vertRes = static_cast<int>(std::lround(heightMm * pixelsPerMm));
    caps.physicalOffsetX = static_cast<int>(std::lround(format.marginLeftMm * pixelsPerMm));
    caps.physicalOffsetY = static_cast<int>(std::lround(format.marginTopMm * pixelsPerMm));
    caps.portrait = !format.landscape();
    return caps;
}

// --- the document -------------------------------------------------------------------------------------------

class PdfDocument::Impl : public Surface {
public:
    Impl(const PdfInfo& info, PdfFontFiles fonts) : files_(std::move(fonts))
    {
        doc_ = HPDF_New(&Impl::OnError, this);
        if (!doc_) {
            fail("the PDF library could not start a document");
            return;
        }
#ifndef UMBRIX_PDF_NO_COMPRESSION
        HPDF_SetCompressionMode(doc_, HPDF_COMP_ALL); // content streams and the embedded fonts
#endif
        HPDF_UseUTFEncodings(doc_);
        if (!info.title.empty())
            HPDF_SetInfoAttr(doc_, HPDF_INFO_TITLE, DocEncoded(info.title).c_str());
        if (!info.creator.empty())
            HPDF_SetInfoAttr(doc_, HPDF_INFO_CREATOR, DocEncoded(info.creator).c_str());
    }
    ~Impl() override
    {
        if (doc_)
            HPDF_Free(doc_);
    }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    bool ok() const { return !failure_; }
    const std::optional<std::string>& failure() const { return failure_; }
    std::string& bytes() { return bytes_; }
    bool hasPage() const { return page_ != nullptr; }

    void fail(std::string why)
    {
        if (!failure_)
            failure_ = std::move(why);
    }

    /// Ends the current page (if any) and starts one in `format`.
    bool startPage(const PdfPageFormat& format)
    {
        endPage();
        if (!ok())
            return false;
        page_ = HPDF_AddPage(doc_);
        if (!page_ || !ok()) {
            page_ = nullptr;
            return false;
        }
        // The paper in whole points, as printers and viewers name it (A4 595 x 842 pt, within 0.1 mm of the
        // nominal sheet); the drawing keeps its true scale from the top-left corner.
        const double widthPt = std::round(format.widthMm * 10 * kPointsPerTenthMm);
        const double heightPt = std::round(format.heightMm * 10 * kPointsPerTenthMm);
        pageHeightTenthMm_ = heightPt / kPointsPerTenthMm;
        HPDF_Page_SetWidth(page_, static_cast<HPDF_REAL>(widthPt));
        HPDF_Page_SetHeight(page_, static_cast<HPDF_REAL>(heightPt));
        originXTenthMm_ = format.marginLeftMm * 10;
        originYTenthMm_ = format.marginTopMm * 10;
        width_ = static_cast<int>(std::floor((format.widthMm - format.marginLeftMm - format.marginRightMm) * 10));
        height_ = static_cast<int>(std::floor((format.heightMm - format.marginTopMm - format.marginBottomMm) * 10));
        forgetState();
        // As on paper: nothing beyond the printable area.
        HPDF_Page_GSave(page_);
        HPDF_Page_SetLineCap(page_, HPDF_BUTT_END);
        HPDF_Page_SetLineJoin(page_, HPDF_MITER_JOIN);
        clipTo(0, 0, width_, height_);
        return ok();
    }

    void endPage()
    {
        if (!page_)
            return;
        flushPath();
        ResetClip();
        HPDF_Page_GRestore(page_);
        page_ = nullptr;
    }

    bool save()
    {
        endPage();
        if (!ok())
            return false;
        if (HPDF_SaveToStream(doc_) != HPDF_OK || !ok())
            return false;
        HPDF_UINT32 size = HPDF_GetStreamSize(doc_);
        bytes_.assign(size, '\0');
        reading_ = true;
        HPDF_UINT32 read = size;
        const HPDF_STATUS status =
            size == 0 ? HPDF_OK : HPDF_ReadFromStream(doc_, reinterpret_cast<HPDF_BYTE*>(bytes_.data()), &read);
        reading_ = false;
        if ((status != HPDF_OK && status != HPDF_STREAM_EOF) || read != size || !ok()) {
            fail("the PDF document could not be read back from memory");
            bytes_.clear();
            return false;
        }
        if (!IsCompletePdf(bytes_)) {
            fail("the PDF document is incomplete");
            bytes_.clear();
            return false;
        }
        return true;
    }

    // --- Surface ---

    int width() const override { return width_; }
    int height() const override { return height_; }
    int pixelsPerInch() const override { return 254; } // 0.1 mm units

    void MoveTo(int x, int y) override
    {
        currentX_ = x;
        currentY_ = y;
    }

    void LineTo(int x, int y) override
    {
        if (!drawable()) {
            MoveTo(x, y);
            return;
        }
        // Consecutive lines with one pen form one path: a polyline is stroked once, its joins mitred.
        const bool continues = pathOpen_ && pathPen_.colour == pen.colour && pathPen_.width == pen.width &&
                               pathPen_.dashed == pen.dashed && pathEndX_ == currentX_ && pathEndY_ == currentY_;
        if (!continues) {
            flushPath();
            applyPen();
            if (pen.dashed) {
                // The dash pattern is in whole units of the user space: draw this path in 0.1 mm.
                HPDF_Page_GSave(page_);
                HPDF_Page_Concat(page_, static_cast<HPDF_REAL>(kPointsPerTenthMm), 0, 0,
                                 static_cast<HPDF_REAL>(kPointsPerTenthMm), 0, 0);
                const auto w = static_cast<HPDF_UINT16>(std::clamp(std::max(pen.width, 1), 1, 4000));
                const HPDF_UINT16 pattern[2] = {static_cast<HPDF_UINT16>(4 * w), static_cast<HPDF_UINT16>(2 * w)};
                HPDF_Page_SetLineWidth(page_, static_cast<HPDF_REAL>(w));
                HPDF_Page_SetDash(page_, pattern, 2, 0);
                HPDF_Page_MoveTo(page_, tenthX(currentX_), tenthY(currentY_));
            } else {
                HPDF_Page_MoveTo(page_, ptX(currentX_), ptY(currentY_));
            }
            pathOpen_ = true;
            pathPen_ = pen;
        }
        if (pen.dashed)
            HPDF_Page_LineTo(page_, tenthX(x), tenthY(y));
        else
            HPDF_Page_LineTo(page_, ptX(x), ptY(y));
        pathEndX_ = x;
        pathEndY_ = y;
        MoveTo(x, y);
    }

    void Ellipse(int x1, int y1, int x2, int y2) override
    {
        if (!drawable())
            return;
        flushPath();
        prepareShape();
        const double cx = 0.5 * (x1 + x2);
        const double cy = 0.5 * (y1 + y2);
        const double rx = 0.5 * std::abs(x2 - x1) * kPointsPerTenthMm;
        const double ry = 0.5 * std::abs(y2 - y1) * kPointsPerTenthMm;
        HPDF_Page_Ellipse(page_, ptX(cx), ptY(cy), static_cast<HPDF_REAL>(rx), static_cast<HPDF_REAL>(ry));
        paintShape();
    }

    void Rectangle(int x1, int y1, int x2, int y2) override
    {
        if (!drawable())
            return;
        flushPath();
        prepareShape();
        rectanglePath(x1, y1, x2, y2);
        paintShape();
    }

    void TextOut(int x, int y, std::string_view text) override
    {
        if (!drawable())
            return;
        flushPath();
        const std::vector<Run> runs = runsOf(text);
        if (!ok())
            return;
        const Metrics m = metrics();
        if (brush.style == BrushStyle::Solid) {
            double w = 0;
            for (const Run& run : runs)
                w += run.width;
            setFill(brush.colour);
            const double top = y;
            HPDF_Page_Rectangle(page_, ptX(x), ptY(top + m.height),
                                static_cast<HPDF_REAL>(w * kPointsPerTenthMm),
                                static_cast<HPDF_REAL>(m.height * kPointsPerTenthMm));
            HPDF_Page_Fill(page_);
        }
        setFill(font.colour);
        HPDF_Page_BeginText(page_);
        const auto sizePt = static_cast<HPDF_REAL>(std::max(font.height, 1) * kPointsPerTenthMm);
        double penX = x;
        const double baseline = y + m.ascent;
        for (const Run& run : runs) {
            HPDF_Page_SetFontAndSize(page_, run.font, sizePt);
            HPDF_Page_TextOut(page_, ptX(penX), ptY(baseline), run.utf8.c_str());
            penX += run.width;
        }
        HPDF_Page_EndText(page_);
    }

    int TextWidth(std::string_view text) const override
    {
        double w = 0;
        for (const Run& run : const_cast<Impl*>(this)->runsOf(text))
            w += run.width;
        return static_cast<int>(std::lround(w));
    }

    int TextHeight(std::string_view) const override
    {
        return static_cast<int>(std::lround(const_cast<Impl*>(this)->metrics().height));
    }

    void SetClip(int x1, int y1, int x2, int y2) override
    {
        if (!drawable())
            return;
        flushPath();
        ResetClip();
        HPDF_Page_GSave(page_);
        ownClip_ = true;
        clipTo(x1, y1, x2, y2);
    }

    void ResetClip() override
    {
        if (!page_ || !ownClip_)
            return;
        flushPath();
        HPDF_Page_GRestore(page_);
        ownClip_ = false;
        forgetState();
    }

private:
    struct Run {
        HPDF_Font font = nullptr;
        std::string utf8;
        double width = 0; // 0.1 mm at the current font height
    };
    struct Metrics {
        double ascent = 0; // 0.1 mm
        double height = 0; // ascent + descent
    };
    struct Face {
        bool tried = false;
        HPDF_Font font = nullptr;
        HPDF_FontDef def = nullptr;
    };

    static void OnError(HPDF_STATUS error, HPDF_STATUS detail, void* self)
    {
        auto* impl = static_cast<Impl*>(self);
        if (impl->reading_ && error == HPDF_STREAM_EOF)
            return;
        impl->fail(PdfErrorText(error, detail));
    }

    bool drawable() const { return page_ && ok(); }

    HPDF_REAL ptX(double x) const { return static_cast<HPDF_REAL>((originXTenthMm_ + x) * kPointsPerTenthMm); }
    HPDF_REAL ptY(double y) const
    {
        return static_cast<HPDF_REAL>((pageHeightTenthMm_ - originYTenthMm_ - y) * kPointsPerTenthMm);
    }
    HPDF_REAL tenthX(double x) const { return static_cast<HPDF_REAL>(originXTenthMm_ + x); }
    HPDF_REAL tenthY(double y) const { return static_cast<HPDF_REAL>(pageHeightTenthMm_ - originYTenthMm_ - y); }

    void forgetState()
    {
        strokeKnown_ = false;
        fillKnown_ = false;
        widthKnown_ = false;
    }

    void applyPen()
    {
        if (!strokeKnown_ || stroke_ != pen.colour) {
            HPDF_Page_SetRGBStroke(page_, pen.colour.r / 255.0f, pen.colour.g / 255.0f, pen.colour.b / 255.0f);
            stroke_ = pen.colour;
            strokeKnown_ = true;
        }
        const int w = std::max(pen.width, 1);
        if (!widthKnown_ || lineWidth_ != w) {
            HPDF_Page_SetLineWidth(page_, static_cast<HPDF_REAL>(w * kPointsPerTenthMm));
            lineWidth_ = w;
            widthKnown_ = true;
        }
    }

    void setFill(Colour c)
    {
        if (fillKnown_ && fill_ == c)
            return;
        HPDF_Page_SetRGBFill(page_, c.r / 255.0f, c.g / 255.0f, c.b / 255.0f);
        fill_ = c;
        fillKnown_ = true;
    }

    void flushPath()
    {
        if (!pathOpen_)
            return;
        pathOpen_ = false;
        if (!page_)
            return;
        HPDF_Page_Stroke(page_);
        if (pathPen_.dashed) {
            HPDF_Page_GRestore(page_);
            // The restore brought back the colour and width from before the dashed path's own.
            widthKnown_ = false;
        }
    }

    void rectanglePath(int x1, int y1, int x2, int y2)
    {
        const int left = std::min(x1, x2);
        const int bottom = std::max(y1, y2);
        HPDF_Page_Rectangle(page_, ptX(left), ptY(bottom), static_cast<HPDF_REAL>(std::abs(x2 - x1) * kPointsPerTenthMm),
                            static_cast<HPDF_REAL>(std::abs(y2 - y1) * kPointsPerTenthMm));
    }

    /// The pen and (for a solid brush) the fill colour: colours cannot be set once a path is begun.
    void prepareShape()
    {
        applyPen();
        if (brush.style == BrushStyle::Solid)
            setFill(brush.colour);
    }

    void paintShape()
    {
        if (brush.style == BrushStyle::Solid) {
            HPDF_Page_FillStroke(page_);
        } else {
            HPDF_Page_Stroke(page_);
        }
    }

    void clipTo(int x1, int y1, int x2, int y2)
    {
        rectanglePath(x1, y1, x2, y2);
        HPDF_Page_Clip(page_);
        HPDF_Page_EndPath(page_);
    }

    /// The face's font, loaded and embedded on first use; nothing (and the failure kept) when its file is
    /// missing or unusable.
    Face& face(PdfFace which)
    {
        Face& f = faces_[static_cast<std::size_t>(which)];
        if (f.tried || !ok() || !doc_)
            return f;
        f.tried = true;
        const std::string& path = files_.of(which);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) {
            fail("the font file " + path + " is missing (Debian packages fonts-liberation and fonts-dejavu-core)");
            return f;
        }
        if (const std::optional<std::string> problem = TrueTypeFileProblem(path)) {
            fail("the font file " + path + " cannot be embedded: " + *problem);
            return f;
        }
        const char* name = HPDF_LoadTTFontFromFile(doc_, path.c_str(), HPDF_TRUE);
        if (!name || !ok()) {
            // The library's reason, with the file it concerns.
            failure_ = "the font file " + path + " could not be embedded: " +
                       failure_.value_or("the PDF library gave no font");
            return f;
        }
        f.font = HPDF_GetFont(doc_, name, "UTF-8");
        f.def = HPDF_GetFontDef(doc_, name);
        if (!f.font || !f.def || !ok()) {
            f.font = nullptr;
            fail("the font file " + path + " could not be embedded");
        }
        return f;
    }

    /// Whether the face has a glyph for the character (libharu maps only the basic multilingual plane).
    static bool HasGlyph(const Face& f, char32_t cp)
    {
        return cp <= kLastBmpCodePoint && HPDF_TTFontDef_GetGlyphid(f.def, static_cast<HPDF_UINT16>(cp)) != 0;
    }

    /// The text in runs of one face each: the font's face, or DejaVu Sans for a character it lacks.
    std::vector<Run> runsOf(std::string_view text)
    {
        std::vector<Run> runs;
        const PdfFace own = FaceOf(font);
        Face& primary = face(own);
        if (!primary.font)
            return runs;
        Face* fallback = nullptr;
        for (const char32_t decoded : DecodeUtf8(text)) {
            // Control characters draw nothing a reader would want; libharu has no glyph beyond U+FFFF.
            char32_t cp = decoded < 0x20 || decoded == 0x7F ? U' ' : decoded;
            if (cp > kLastBmpCodePoint)
                cp = kReplacementCharacter;
            HPDF_Font use = primary.font;
            if (!HasGlyph(primary, cp)) {
                if (!fallback)
                    fallback = &face(FallbackFace(own));
                if (fallback->font && HasGlyph(*fallback, cp))
                    use = fallback->font;
            }
            if (runs.empty() || runs.back().font != use)
                runs.push_back({use, {}, 0});
            AppendUtf8(runs.back().utf8, cp);
        }
        const double emTenthMm = std::max(font.height, 1);
        for (Run& run : runs) {
            const HPDF_TextWidth w = HPDF_Font_TextWidth(run.font, reinterpret_cast<const HPDF_BYTE*>(run.utf8.data()),
                                                         static_cast<HPDF_UINT>(run.utf8.size()));
            run.width = w.width * emTenthMm / kGlyphUnitsPerEm;
        }
        return runs;
    }

    /// Ascent and height of the font's own face at the current height, 0.1 mm.
    Metrics metrics()
    {
        const Face& f = face(FaceOf(font));
        if (!f.font)
            return {};
        const double em = std::max(font.height, 1);
        const double ascent = HPDF_Font_GetAscent(f.font) * em / kGlyphUnitsPerEm;
        const double descent = -HPDF_Font_GetDescent(f.font) * em / kGlyphUnitsPerEm;
        return {ascent, ascent + descent};
    }

    HPDF_Doc doc_ = nullptr;
    HPDF_Page page_ = nullptr;
    PdfFontFiles files_;
    std::array<Face, kPdfFaceCount> faces_{};
    std::optional<std::string> failure_;
    std::string bytes_;
    bool reading_ = false;

    double pageHeightTenthMm_ = 0; // the page's height in points, in 0.1 mm
    double originXTenthMm_ = 0;
    double originYTenthMm_ = 0;
    int width_ = 0;
    int height_ = 0;
    int currentX_ = 0;
    int currentY_ = 0;
    bool ownClip_ = false;

    bool pathOpen_ = false;
    PenState pathPen_;
    int pathEndX_ = 0;
    int pathEndY_ = 0;

    // What the page's graphics state holds, so that it is set only when it changes.
    bool strokeKnown_ = false;
    Colour stroke_;
    bool fillKnown_ = false;
    Colour fill_;
    bool widthKnown_ = false;
    int lineWidth_ = 0;
};

PdfDocument::PdfDocument(const PdfPageFormat& format, const PdfInfo& info, PdfFontFiles fonts)
    : impl_(std::make_unique<Impl>(info, std::move(fonts))), format_(format)
{
}

PdfDocument::~PdfDocument() = default;

bool PdfDocument::begin()
{
    if (impl_->hasPage())
        return impl_->ok();
    return impl_->startPage(format_);
}

bool PdfDocument::StartPrintPage(DrawingState& state)
{
    const std::optional<PrintGeometry> geometry = ComputePrintGeometry(CapabilitiesOf(format_));
    if (!geometry) {
        impl_->fail("the PDF page has no printable area");
        return false;
    }
    if (!begin())
        return false;
    StorePrintGeometry(state, *geometry);
    return true;
}

Surface& PdfDocument::page()
{
    return *impl_;
}

bool PdfDocument::NewPage()
{
    return impl_->startPage(format_);
}

bool PdfDocument::finish()
{
    return impl_->save();
}

const std::optional<std::string>& PdfDocument::failure() const
{
    return impl_->failure();
}

PdfBytes PdfDocument::result(const std::string& whatFailed)
{
    if (impl_->failure())
        return {{}, impl_->failure()};
    if (impl_->bytes().empty())
        return {{}, whatFailed};
    return {std::move(impl_->bytes()), std::nullopt};
}

} // namespace umbrix
