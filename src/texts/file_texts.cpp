#include "texts/file_texts.h"

namespace quorvel {
namespace {

constexpr KeyedText kTexts[] = {
    {"FileNotRegular",
     {"%s is not a regular file.", "%s ist keine gewöhnliche Datei.", "%s n'est pas un fichier ordinaire.",
      "%s není běžný soubor."}},
    {"FileTooLarge",
     {"%s is larger than %s and was not read.", "%s ist größer als %s und wurde nicht gelesen.",
      "%s dépasse %s et n'a pas été lu.", "%s je větší než %s a nebyl načten."}},
    {"SettingsNotRead",
     {"The settings were not read; the program starts with its defaults:\n%s",
      "Die Einstellungen wurden nicht gelesen; das Programm startet mit seinen Vorgaben:\n%s",
      "Les réglages n'ont pas été lus ; le programme démarre avec ses valeurs par défaut :\n%s",
      "Nastavení nebylo načteno; program začíná s výchozími hodnotami:\n%s"}},
    {"SettingsNotSaved",
     {"The settings and the parameters on screen could not be kept for the next start:\n%s",
      "Die Einstellungen und die angezeigten Parameter konnten nicht für den nächsten Start behalten werden:\n%s",
      "Les réglages et les paramètres affichés n'ont pas pu être conservés pour le prochain démarrage :\n%s",
      "Nastavení a zobrazené parametry se nepodařilo uchovat pro příští spuštění:\n%s"}},
};

} // namespace

std::span<const KeyedText> FileTexts::texts()
{
    return kTexts;
}

std::optional<std::string_view> FileTexts::text(std::string_view key, Language language)
{
    return findKeyedText(kTexts, key, language);
}

} // namespace quorvel
