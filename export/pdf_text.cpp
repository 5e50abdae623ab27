#include "export/pdf_text.h"

#include <hpdf.h>

#include <cstdio>

namespace umbrix {

std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            length = 1;
            cp = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07u;
        }
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0u) == 0x80u;
            cp = (cp << 6) | (next & 0x3Fu);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not characters.
        if (valid && ((length == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
                      (length == 4 && (cp < 0x10000 || cp > 0x10FFFF))))
            valid = false;
        if (!valid) {
            out.push_back(kReplacementCharacter);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string DocEncoded(std::string_view text)
{
    std::string out;
    for (const char32_t cp : DecodeUtf8(text)) {
        if ((cp >= 0x20 && cp < 0x7F) || (cp >= 0xA1 && cp <= 0xFF))
            out.push_back(static_cast<char>(static_cast<unsigned char>(cp)));
        else
            out.push_back('?');
    }
    return out;
}

std::string PdfErrorText(unsigned long error, unsigned long detail)
{
    const char* what = "the PDF library reported an error";
    switch (error) {
    case HPDF_FAILD_TO_ALLOC_MEM:
        what = "the PDF library ran out of memory";
        break;
    case HPDF_FILE_OPEN_ERROR:
    case HPDF_FILE_IO_ERROR:
        what = "the PDF library could not read a font file";
        break;
    case HPDF_TTF_CANNOT_EMBEDDING_FONT:
    case HPDF_TTF_INVALID_CMAP:
    case HPDF_TTF_INVALID_FOMAT:
    case HPDF_TTF_MISSING_TABLE:
    case HPDF_INVALID_FONTDEF_DATA:
        what = "a font file is not a TrueType font the PDF library can embed";
        break;
    default:
        break;
    }
    char code[48];
    std::snprintf(code, sizeof code, " (libharu error 0x%04X, detail %u)", static_cast<unsigned>(error),
                  static_cast<unsigned>(detail));
    return std::string(what) + code;
}

} // namespace umbrix
