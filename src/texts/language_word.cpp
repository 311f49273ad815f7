#include "texts/language_word.h"

#include <array>

namespace quorvel {
namespace {

struct LanguageNames {
    Language language;
    std::string_view commandWord;
    std::string_view menuItem;
};

constexpr std::array kLanguages{
    LanguageNames{Language::English, "ENGLISH", "MenuEnglish"},
    LanguageNames{Language::German, "DEUTSCH", "MenuGerman"},
    LanguageNames{Language::French, "FRENCH", "MenuFrench"},
    LanguageNames{Language::Czech, "CESKY", "MenuCzech"},
};

} // namespace

std::optional<Language> languageFromCommandWord(std::string_view word)
{
    for (const LanguageNames& names : kLanguages) {
        if (names.commandWord == word)
            return names.language;
    }
    return std::nullopt;
}

Language languageFromIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(kLanguages.size()))
        return Language::English;
    return kLanguages[static_cast<std::size_t>(index)].language;
}

std::string_view languageMenuItem(Language language)
{
    return kLanguages[static_cast<std::size_t>(languageFromIndex(static_cast<int>(language)))].menuItem;
}

} // namespace quorvel
