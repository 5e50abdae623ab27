#pragma once
// The German and English texts of the program as plain data, and their lookup.
// Rows and ids are those other modules cite: T r (TextTable), A r (LabelTable), M r (MessageTable),
// string resources by id (German n, English 2000 + n).

#include "text/language.h"
#include "text/text_ids.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

// Every lookup takes its language from LanguageState: languageIndex 2 selects English, any other
// value German; string resources are found under id + stringIdOffset. Nothing here allocates at
// start-up: the texts are constant data, and a lookup out of range yields an empty text.

constexpr int kTextRows = 32;    // TextTable rows 0..31
constexpr int kLabelRows = 123;  // LabelTable rows 0..122
constexpr int kMessageRows = 57; // MessageTable rows 0..56
constexpr int kMenuEntries = 30; // menu caption list: entries 0..28 used, 29 empty

/// Row r of the TextTable in the current language; empty for a row without text or out of range.
std::string_view TextRow(const LanguageState& lang, int row);
/// Row r of the LabelTable in the current language; empty for a row without text or out of range.
std::string_view LabelRow(const LanguageState& lang, int row);
/// Row r of the MessageTable in the current language; empty for a row without text or out of range.
std::string_view MessageRow(const LanguageState& lang, int row);
/// The named rows, or the row offset rows after a named first row (the dial titles, the method hints ...).
std::string_view TextRow(const LanguageState& lang, TextId row, int offset = 0);
std::string_view LabelRow(const LanguageState& lang, LabelId row, int offset = 0);
std::string_view MessageRow(const LanguageState& lang, MessageId row, int offset = 0);

/// The message-box caption pairs.
enum class Caption { Warning, Error, Information, Problem, SaveDrawing, LoadData, SaveTable };
std::string_view CaptionText(const LanguageState& lang, Caption caption);

/// The string resources: German text under id, English text under kEnglishResourceOffset + id.
/// Ids 1..258 that carry a text, and 300..303 (terms of use); kResourceCount entries in all.
constexpr int kEnglishResourceOffset = 2000;
constexpr int kResourceCount = 97;
struct ResourceEntry {
    int id;
    std::string_view german;
    std::string_view english;
};
/// Every string resource, sorted by (German) id.
std::span<const ResourceEntry, kResourceCount> ResourceEntries();
/// The resource under the full id (German id, or 2000 + id for English); empty when there is none.
std::string_view ResourceTextById(int fullId);

/// String resource id + stringIdOffset; empty when there is no such resource.
std::string_view ResourceText(const LanguageState& lang, int id);
/// ResourceText with every "&" removed.
std::string ResourceTextPlain(const LanguageState& lang, int id);
/// The named resources, or the resource offset ids after a named first id (the dial titles).
std::string_view ResourceText(const LanguageState& lang, ResourceId id, int offset = 0);
std::string ResourceTextPlain(const LanguageState& lang, ResourceId id, int offset = 0);
/// ResourceText of first .. first + count - 1, one line per id (empty where an id has no text).
/// Ids beyond the span of the resources (below id 1 or past the last id) are left out of the list.
std::vector<std::string> ResourceLines(const LanguageState& lang, int first, int count);
std::vector<std::string> ResourceLines(const LanguageState& lang, ResourceId first, int count);
/// LabelTable rows first .. last in the current language, one line per row (empty rows give empty
/// lines); rows outside 0..kLabelRows - 1 are left out of the list.
std::vector<std::string> LabelLines(const LanguageState& lang, int first, int last);
std::vector<std::string> LabelLines(const LanguageState& lang, LabelId first, LabelId last);

/// The 30 main-menu captions of the current language, in menu walk order.
std::span<const std::string_view, kMenuEntries> MenuCaptions(const LanguageState& lang);
/// The twelve three-letter month names of the current language, January first.
std::span<const std::string_view, 12> MonthNames(const LanguageState& lang);

} // namespace umbrix
