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

/// The language a state selects: English for languageIndex 2, German otherwise.
constexpr Language LanguageOf(const LanguageState& state)
{
    return state.languageIndex == 2 ? Language::English : Language::German;
}

/// The language's code as the configuration and the command line write it: "de" or "en".
constexpr const char* LanguageCode(const LanguageState& state)
{
    return LanguageOf(state) == Language::English ? "en" : "de";
}

} // namespace umbrix
