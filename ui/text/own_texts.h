#pragma once
// Texts of this program's own, in German and English, beside the numbered tables: the reasons a file could
// not be read or written, and the remarks of the configuration reader. Plain data, looked up like the tables.

#include "ui/text/language.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace umbrix {

enum class OwnText : std::uint8_t {
    NoSuchFile,         // the file or one of its folders does not exist
    PermissionDenied,   // the system or the file's mode forbids the access
    ReadOnlyFileSystem, // the file lies on a file system mounted read-only
    DiskFull,           // no space left, or the user's quota is used up
    IsFolder,           // a folder where a file was expected
    InputOutputError,   // the device reported an error
    NameTooLong,        // the path or one of its names is too long
    DanglingLink,       // a symbolic link whose target does not exist
    NotAFile,           // a device or a socket where a configuration was expected
    FileTooLarge,       // longer than any configuration file can be
    FileEmpty,          // the file holds no line
    LineOutOfRange,     // "%1" line number, "%2" parameter: a value outside its field's range
    UnknownExtension,   // "%1" line number, "%2" name: an extension line nobody knows
    BadExtensionValue,  // "%1" line number, "%2" name: an extension line with a value its parameter refuses
    StandardOutput,     // what "-" stands for in a file message
};
constexpr int kOwnTextCount = 15;

/// The text in the current language (languageIndex 2: English, otherwise German).
[[nodiscard]] std::string_view OwnTextRow(const LanguageState& lang, OwnText text);

/// The text with "%1" replaced by `first` and "%2" by `second`.
[[nodiscard]] std::string OwnTextWith(const LanguageState& lang, OwnText text, std::string_view first,
                                      std::string_view second = {});

} // namespace umbrix
