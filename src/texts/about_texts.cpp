#include "texts/about_texts.h"

#include "core/image_constants.h"
#include "texts/caption_table.h"
#include "texts/language_word.h"

namespace quorvel {
namespace {

constexpr LanguageTexts kAboutWords{"About", "Über Programm", "Information", "O programu"};
constexpr int kManualFileText = 4;

} // namespace

std::string aboutCaption(Language language)
{
    return std::string(textIn(kAboutWords, languageFromIndex(static_cast<int>(language)))) + " " +
           std::string(kProgramName);
}

std::string aboutVersionText()
{
    return "Version - " + std::to_string(kProgramVersion);
}

std::filesystem::path manualPath(const std::filesystem::path& programDirectory, const MessageTexts& texts)
{
    return programDirectory / std::filesystem::path(std::string(texts.text(kManualFileText)));
}

} // namespace quorvel
