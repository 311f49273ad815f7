#include "texts/window_texts.h"

namespace quorvel {
namespace {

using enum CaptionKind;

// English, German, French, Czech.
constexpr CaptionRow kCaptions[] = {
    {"MenuComVirtual",
     MenuCaption,
     {"&Virtual unit (no hardware)", "&Virtuelles Steuergerät (ohne Hardware)", "Boîtier &virtuel (sans matériel)",
      "&Virtuální jednotka (bez hardwaru)"}},
};

constexpr KeyedText kTexts[] = {
    {"StatusSaved", {"Saved %s", "Gespeichert: %s", "Enregistré : %s", "Uloženo: %s"}},
    {"PortMissing",
     {"%s does not exist: is the adapter plugged in? Com > Virtual unit tries the program without a unit.",
      "%s gibt es nicht: Ist der Adapter eingesteckt? Com > Virtuelles Steuergerät probiert das Programm ohne "
      "Steuergerät aus.",
      "%s n'existe pas : l'adaptateur est-il branché ? Com > Boîtier virtuel permet d'essayer le programme sans "
      "boîtier.",
      "%s neexistuje: je převodník připojen? Com > Virtuální jednotka vyzkouší program bez jednotky."}},
    {"PortBusy",
     {"%s is in use by another program: close that program and choose the port again.",
      "%s wird von einem anderen Programm benutzt: Dieses schließen und den Anschluss erneut wählen.",
      "%s est utilisé par un autre programme : fermez-le et choisissez de nouveau le port.",
      "%s používá jiný program: zavřete ho a zvolte port znovu."}},
    {"PortDenied",
     {"No permission to open %s. On Linux join the group dialout (sudo usermod -aG dialout $USER) and log in again.",
      "Keine Berechtigung für %s. Unter Linux der Gruppe dialout beitreten (sudo usermod -aG dialout $USER) und neu "
      "anmelden.",
      "Pas le droit d'ouvrir %s. Sous Linux, rejoindre le groupe dialout (sudo usermod -aG dialout $USER) puis se "
      "reconnecter.",
      "Chybí oprávnění otevřít %s. V Linuxu se přidejte do skupiny dialout (sudo usermod -aG dialout $USER) a znovu "
      "se přihlaste."}},
    {"PortFailed",
     {"%s could not be opened.", "%s ließ sich nicht öffnen.", "%s n'a pas pu être ouvert.",
      "%s se nepodařilo otevřít."}},
};

} // namespace

std::span<const CaptionRow> WindowTexts::captions()
{
    return kCaptions;
}

std::span<const KeyedText> WindowTexts::texts()
{
    return kTexts;
}

std::string_view WindowTexts::text(std::string_view key, Language language)
{
    return findKeyedText(kTexts, key, language).value_or(key);
}

std::string_view WindowTexts::openFailureKey(OpenFailure failure)
{
    switch (failure) {
    case OpenFailure::Missing:
        return "PortMissing";
    case OpenFailure::Busy:
        return "PortBusy";
    case OpenFailure::Denied:
        return "PortDenied";
    case OpenFailure::None:
    case OpenFailure::Other:
        break;
    }
    return "PortFailed";
}

} // namespace quorvel
