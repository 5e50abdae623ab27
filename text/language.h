#pragma once
// The language selection every text lookup depends on.

namespace umbrix {

enum class Language : int { German = 1, English = 2 };

/// languageIndex: 1 = German, 2 = English; it selects the column of the text tables.
/// stringIdOffset: 0 for German, 2000 for English; added to a string-resource id.
struct LanguageState {
    int languageIndex = 1;
    int stringIdOffset = 0;
};

constexpr LanguageState StateFor(Language language)
{
    return language == Language::English ? LanguageState{2, 2000} : LanguageState{1, 0};
}

} // namespace umbrix
