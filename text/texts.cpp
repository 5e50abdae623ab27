// Lookups built on the tables: ResourceTextPlain, ResourceLines and LabelLines.

#include "text/texts.h"

#include <algorithm>
#include <string>
#include <vector>

namespace umbrix {

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

} // namespace umbrix
