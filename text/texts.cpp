// Lookups built on the tables: ResourceTextPlain, ResourceLines, LabelLines and the lookups by name.

#include "text/texts.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace umbrix {

namespace {

/// The number of a named row or resource, offset rows on; -1, which names no text, past the int range.
template <typename Id> constexpr int Number(Id id, int offset = 0)
{
    const long long number = static_cast<long long>(id) + offset;
    return number <= std::numeric_limits<int>::max() ? static_cast<int>(number) : -1;
}

} // namespace

std::string_view TextRow(const LanguageState& lang, TextId row, int offset)
{
    return TextRow(lang, Number(row, offset));
}

std::string_view LabelRow(const LanguageState& lang, LabelId row, int offset)
{
    return LabelRow(lang, Number(row, offset));
}

std::string_view MessageRow(const LanguageState& lang, MessageId row, int offset)
{
    return MessageRow(lang, Number(row, offset));
}

std::string_view ResourceText(const LanguageState& lang, ResourceId id, int offset)
{
    return ResourceText(lang, Number(id, offset));
}

std::string ResourceTextPlain(const LanguageState& lang, ResourceId id, int offset)
{
    return ResourceTextPlain(lang, Number(id, offset));
}

std::string ResourceTextPlain(const LanguageState& lang, int id)
{
    std::string text(ResourceText(lang, id));
    std::erase(text, '&');
    return text;
}

std::vector<std::string> ResourceLines(const LanguageState& lang, int first, int count)
{
    // The list is cut to the ids that can hold a resource in this language: 1 .. last English id.
    const long long lastFullId = kEnglishResourceOffset + ResourceEntries().back().id;
    const long long low = std::max<long long>(first, 1LL - lang.stringIdOffset);
    const long long high =
        std::min<long long>(static_cast<long long>(first) + count - 1, lastFullId - lang.stringIdOffset);
    std::vector<std::string> lines;
    if (high < low) {
        return lines;
    }
    lines.reserve(static_cast<std::size_t>(high - low + 1));
    for (long long id = low; id <= high; ++id) {
        lines.emplace_back(ResourceText(lang, static_cast<int>(id)));
    }
    return lines;
}

std::vector<std::string> LabelLines(const LanguageState& lang, int first, int last)
{
    const int low = std::max(first, 0);
    const int high = std::min(last, kLabelRows - 1);
    std::vector<std::string> lines;
    for (int row = low; row <= high; ++row) {
        lines.emplace_back(LabelRow(lang, row));
    }
    return lines;
}

std::vector<std::string> ResourceLines(const LanguageState& lang, ResourceId first, int count)
{
    return ResourceLines(lang, Number(first), count);
}

std::vector<std::string> LabelLines(const LanguageState& lang, LabelId first, LabelId last)
{
    return LabelLines(lang, Number(first), Number(last));
}

} // namespace umbrix
