#include "texts/fault_message.h"

#include <array>

namespace quorvel {
namespace {

struct FaultTexts {
    std::string_view fault;   // followed by the description
    std::string_view saved;   // followed by the path of the rescue file
    std::string_view unsaved; // followed by the reason in brackets
    std::string_view ends;
    std::string_view outOfMemory; // stands for kOutOfMemory
};

// By Language: English, German, French, Czech.
constexpr std::array<FaultTexts, 4> kTexts{{
    {"Internal error: ", "The last action was not completed. The parameters on screen were saved to ",
     "The last action was not completed. The parameters on screen could not be saved", "The program has to end.",
     "out of memory"},
    {"Interner Fehler: ", "Die letzte Aktion wurde nicht abgeschlossen. Die angezeigten Parameter wurden gesichert in ",
     "Die letzte Aktion wurde nicht abgeschlossen. Die angezeigten Parameter konnten nicht gesichert werden",
     "Das Programm muss beendet werden.", "nicht genug Arbeitsspeicher"},
    {"Erreur interne : ", "La dernière action n'a pas été terminée. Les paramètres affichés ont été enregistrés dans ",
     "La dernière action n'a pas été terminée. Les paramètres affichés n'ont pas pu être enregistrés",
     "Le programme doit s'arrêter.", "mémoire insuffisante"},
    {"Vnitřní chyba: ", "Poslední akce nebyla dokončena. Zobrazené parametry byly uloženy do ",
     "Poslední akce nebyla dokončena. Zobrazené parametry se nepodařilo uložit", "Program musí skončit.",
     "nedostatek paměti"},
}};

} // namespace

std::string faultMessage(Language language, std::string_view what, const std::optional<Rescue>& rescue)
{
    const auto index = static_cast<std::size_t>(language);
    const FaultTexts& texts = kTexts[index < kTexts.size() ? index : 0];
    std::string text(texts.fault);
    text += what == kOutOfMemory ? texts.outOfMemory : what;
    text += "\n";
    if (!rescue) {
        text += texts.ends;
    } else if (rescue->error) {
        text += texts.unsaved;
        text += " (" + *rescue->error + ").";
    } else {
        text += texts.saved;
        text += rescue->path.string() + ".";
    }
    return text;
}

} // namespace quorvel
