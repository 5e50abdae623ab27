// The program's own texts, German and English.

#include "ui/text/own_texts.h"

#include <array>

namespace umbrix {

namespace {

struct OwnPair {
    std::string_view german;
    std::string_view english;
};

// clang-format off
constexpr std::array<OwnPair, kOwnTextCount> kOwnTexts{{
    /* NoSuchFile */         {"Datei oder Ordner existiert nicht", "no such file or folder"},
    /* PermissionDenied */   {"Zugriff verweigert", "permission denied"},
    /* ReadOnlyFileSystem */ {"Dateisystem nur lesbar", "read-only file system"},
    /* DiskFull */           {"Datenträger voll", "disk full"},
    /* IsFolder */           {"ist ein Ordner", "is a folder"},
    /* InputOutputError */   {"Ein-/Ausgabefehler", "input/output error"},
    /* NameTooLong */        {"Name zu lang", "name too long"},
    /* DanglingLink */       {"Verknüpfung ohne Ziel", "symbolic link without a target"},
    /* NotAFile */           {"ist keine Datei (Gerät oder Socket)", "is not a file (device or socket)"},
    /* FileTooLarge */       {"Datei zu groß für eine Konfiguration", "file too large for a configuration"},
    /* FileEmpty */          {"Datei ist leer", "file is empty"},
    /* LineOutOfRange */     {"Zeile %1, %2: Wert außerhalb des zulässigen Bereichs",
                              "line %1, %2: value out of range"},
    /* UnknownExtension */   {"Zeile %1: unbekannter Eintrag %2 wird übergangen",
                              "line %1: unknown entry %2 is ignored"},
    /* BadExtensionValue */  {"Zeile %1: ungültiger Wert für %2 wird übergangen",
                              "line %1: invalid value for %2 is ignored"},
    /* StandardOutput */     {"Standardausgabe", "standard output"},
}};
// clang-format on

} // namespace

std::string_view OwnTextRow(const LanguageState& lang, OwnText text)
{
    const OwnPair& pair = kOwnTexts[static_cast<std::size_t>(text)];
    return lang.languageIndex == 2 ? pair.english : pair.german;
}

std::string OwnTextWith(const LanguageState& lang, OwnText text, std::string_view first, std::string_view second)
{
    std::string out;
    const std::string_view pattern = OwnTextRow(lang, text);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace umbrix
