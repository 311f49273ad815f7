#include "texts/tuning_texts.h"

namespace quorvel {
namespace {

using enum CaptionKind;

// English, German, French, Czech.
constexpr CaptionRow kCaptions[] = {
    {"MenuLiveTuning", MenuCaption, {"Live tuning...", "Live-Abstimmung...", "Réglage en direct...", "Živé ladění..."}},
    {"MenuLiveTuning",
     Hint,
     {"Live tuning|Moves the injection map toward the target cell by cell while the engine runs",
      "Live-Abstimmung|Bringt das Einspritzkennfeld Zelle für Zelle zum Ziel, während der Motor läuft",
      "Réglage en direct|Amène la cartographie d'injection vers la cible cellule par cellule, moteur en marche",
      "Živé ladění|Posouvá mapu vstřiku k cíli buňku po buňce, zatímco motor běží"}},
};

constexpr KeyedText kTexts[] = {
    // The dock.
    {"DockTuning", {"Live tuning", "Live-Abstimmung", "Réglage en direct", "Živé ladění"}},
    {"TuningTarget", {"Target [mV]", "Ziel [mV]", "Cible [mV]", "Cíl [mV]"}},
    {"TuningBand", {"Band +- [mV]", "Band +- [mV]", "Bande +- [mV]", "Pásmo +- [mV]"}},
    {"TuningRpmWindow", {"RPM window +-", "Drehzahlfenster +-", "Fenêtre de régime +-", "Okno otáček +-"}},
    {"TuningTpsWindow",
     {"Throttle window +- [%]", "Drosselfenster +- [%]", "Fenêtre de papillon +- [%]", "Okno plynu +- [%]"}},
    {"TuningHold", {"Hold [ms]", "Haltezeit [ms]", "Maintien [ms]", "Držet [ms]"}},
    {"TuningStep", {"Step per pass [%]", "Schritt je Durchgang [%]", "Pas par passe [%]", "Krok na průchod [%]"}},
    {"TuningMaxChange", {"Most change [%]", "Größte Änderung [%]", "Changement maximal [%]", "Největší změna [%]"}},
    {"TuningMap", {"Map", "Kennfeld", "Cartographie", "Mapa"}},
    {"TuningChecks", {"Before start", "Vor dem Start", "Avant le départ", "Před spuštěním"}},
    {"TuningChecksClear",
     {"Nothing stands in the way", "Nichts steht im Weg", "Rien ne s'y oppose", "Nic tomu nebrání"}},
    {"TuningFix", {"Fix", "Beheben", "Corriger", "Opravit"}},
    {"TuningStart", {"Start", "Start", "Démarrer", "Spustit"}},
    {"TuningStop", {"Stop", "Stopp", "Arrêter", "Zastavit"}},
    {"TuningApply", {"Apply", "Übernehmen", "Appliquer", "Použít"}},
    {"TuningApplyEveryPass",
     {"Apply after every pass", "Nach jedem Durchgang übernehmen", "Appliquer après chaque passe",
      "Použít po každém průchodu"}},
    {"TuningCellHint",
     {"Held %.1f s, %d samples, mean %d mV: %s", "Gehalten %.1f s, %d Werte, Mittel %d mV: %s",
      "Tenue %.1f s, %d mesures, moyenne %d mV : %s", "Drženo %.1f s, %d vzorků, průměr %d mV: %s"}},
    {"TuningCellLocked", {"Locked", "Gesperrt", "Verrouillée", "Zamčeno"}},
    {"TuningLock",
     {"Lock for live tuning", "Für Live-Abstimmung sperren", "Verrouiller pour le réglage en direct",
      "Zamknout pro živé ladění"}},
    {"TuningLocksUnread",
     {"The tuning locks could not be read: %s", "Die Sperren der Abstimmung ließen sich nicht lesen: %s",
      "Les verrous du réglage n'ont pu être lus : %s", "Zámky ladění nelze přečíst: %s"}},
    {"TuningLocksUnsaved",
     {"The tuning locks could not be saved: %s", "Die Sperren der Abstimmung ließen sich nicht speichern: %s",
      "Les verrous du réglage n'ont pu être enregistrés : %s", "Zámky ladění nelze uložit: %s"}},

    // Pre-flight findings.
    {"PreflightNoUnit",
     {"No ignition answers: connect it and let the live data run",
      "Keine Zündung antwortet: anschließen und die Live-Daten laufen lassen",
      "Aucun allumage ne répond : branchez-le et laissez passer les données en direct",
      "Žádné zapalování neodpovídá: připojte je a nechte běžet živá data"}},
    {"PreflightLambdaLineIsTacho",
     {"The tacho/lambda input carries the tacho, not the lambda sensor",
      "Der Drehzahl/Lambda-Eingang führt den Drehzahlmesser, nicht die Lambdasonde",
      "L'entrée compte-tours/lambda porte le compte-tours, pas la sonde lambda",
      "Vstup otáčkoměr/lambda vede otáčkoměr, ne lambda sondu"}},
    {"PreflightCoolantSensorFailed",
     {"The coolant sensor has failed", "Der Kühlmittelfühler ist ausgefallen",
      "Le capteur de liquide de refroidissement est en défaut", "Čidlo chladicí kapaliny selhalo"}},
    {"PreflightCoolantCold",
     {"The engine is cold: the warm-up correction adds fuel",
      "Der Motor ist kalt: die Warmlaufkorrektur gibt Kraftstoff zu",
      "Le moteur est froid : la correction de chauffe ajoute du carburant",
      "Motor je studený: korekce zahřívání přidává palivo"}},
    {"PreflightTargetOutsideSwitching",
     {"The target voltage and band reach beyond the sensor's switching range",
      "Zielspannung und Band reichen über den Schaltbereich der Sonde hinaus",
      "La tension cible et sa bande dépassent la plage de basculement de la sonde",
      "Cílové napětí a pásmo přesahují přepínací rozsah sondy"}},
    {"PreflightMapTakesNoTuning",
     {"Only the injection maps can be tuned", "Nur die Einspritzkennfelder lassen sich abstimmen",
      "Seules les cartographies d'injection se règlent", "Ladit lze jen mapy vstřiku"}},
    {"PreflightMapFollowsJet1A",
     {"In \"1=2=3=4\" this map is a copy of Inj. 1A: tune Inj. 1A",
      "Bei \"1=2=3=4\" ist dieses Kennfeld eine Kopie von Einspr. 1A: Einspr. 1A abstimmen",
      "En \"1=2=3=4\" cette cartographie copie Inj. 1A : réglez Inj. 1A",
      "Při \"1=2=3=4\" je tato mapa kopií Vstř. 1A: laďte Vstř. 1A"}},
    {"PreflightMapNotInUse",
     {"The ignition doses by another map now, or the cylinder is not fitted",
      "Die Zündung dosiert gerade nach einem anderen Kennfeld, oder der Zylinder ist nicht vorhanden",
      "L'allumage dose en ce moment par une autre cartographie, ou le cylindre n'existe pas",
      "Zapalování nyní dávkuje podle jiné mapy, nebo válec není osazen"}},
    {"PreflightMapNotShown",
     {"The page shown is not the map being tuned", "Die angezeigte Seite ist nicht das abgestimmte Kennfeld",
      "La page affichée n'est pas la cartographie réglée", "Zobrazená stránka není laděná mapa"}},
    {"PreflightCouplingAddsToOtherMaps",
     {"\"Coupled\": every change of Inj. 1A goes into 2A..4A too",
      "\"Gekoppelt\": jede Änderung von Einspr. 1A geht auch in 2A..4A",
      "\"Couplé\" : chaque changement d'Inj. 1A passe aussi dans 2A..4A",
      "\"Spřaženo\": každá změna Vstř. 1A jde i do 2A..4A"}},
    {"PreflightCouplingCopiesToOtherMaps",
     {"\"1=2=3=4\": 2A..4A become copies of Inj. 1A", "\"1=2=3=4\": 2A..4A werden Kopien von Einspr. 1A",
      "\"1=2=3=4\" : 2A..4A deviennent des copies d'Inj. 1A", "\"1=2=3=4\": 2A..4A se stanou kopiemi Vstř. 1A"}},
    {"PreflightCouplingLeavesOtherMaps",
     {"The sensor sees every cylinder, but only this map changes",
      "Die Sonde sieht alle Zylinder, aber nur dieses Kennfeld ändert sich",
      "La sonde voit tous les cylindres, mais seule cette cartographie change",
      "Sonda vidí všechny válce, ale mění se jen tato mapa"}},
    {"PreflightFrameWouldNotCount",
     {"As the engine runs now nothing would count: %s", "So wie der Motor jetzt läuft, zählt nichts: %s",
      "Tel que tourne le moteur, rien ne compterait : %s", "Jak motor nyní běží, nic by se nepočítalo: %s"}},
    {"PreflightBlocks", {"Cannot start", "Start nicht möglich", "Démarrage impossible", "Nelze spustit"}},
    {"PreflightAdvice", {"Note", "Hinweis", "Remarque", "Poznámka"}},

    // Why frames do not count.
    {"VerdictCounts", {"counts", "zählt", "compte", "počítá se"}},
    {"VerdictLambdaLineIsTacho",
     {"the input carries the tacho", "der Eingang führt den Drehzahlmesser", "l'entrée porte le compte-tours",
      "vstup vede otáčkoměr"}},
    {"VerdictEngineStopped", {"engine stopped", "Motor steht", "moteur arrêté", "motor stojí"}},
    {"VerdictMapNotInUse",
     {"another map doses", "ein anderes Kennfeld dosiert", "une autre cartographie dose", "dávkuje jiná mapa"}},
    {"VerdictFuelCut", {"fuel cut", "Schubabschaltung", "coupure d'injection", "odpojení paliva"}},
    {"VerdictLimiter", {"limiter", "Begrenzer", "limiteur", "omezovač"}},
    {"VerdictCorrectionActive",
     {"a correction is active", "eine Korrektur ist aktiv", "une correction est active", "korekce je aktivní"}},
    {"VerdictLinkGap", {"gap in the live data", "Lücke in den Live-Daten", "trou dans les données", "mezera v datech"}},
    {"VerdictThrottleMoving",
     {"throttle moving", "Drosselklappe bewegt sich", "papillon en mouvement", "plyn se pohybuje"}},
    {"VerdictSensorSilent",
     {"sensor silent (cold or unplugged)", "Sonde stumm (kalt oder nicht angeschlossen)",
      "sonde muette (froide ou débranchée)", "sonda mlčí (studená nebo odpojená)"}},
    {"VerdictOutsideRange",
     {"outside the cells tuned", "außerhalb der abgestimmten Zellen", "hors des cellules réglées",
      "mimo laděné buňky"}},
    {"VerdictOutsideWindows",
     {"outside the RPM or throttle window", "außerhalb des Drehzahl- oder Drosselfensters",
      "hors de la fenêtre de régime ou de papillon", "mimo okno otáček nebo plynu"}},

    // Readings of a held cell.
    {"ReadingNone", {"not held", "nicht gehalten", "non tenue", "nedržena"}},
    {"ReadingLean", {"lean", "mager", "pauvre", "chudá"}},
    {"ReadingInBand", {"in band", "im Band", "dans la bande", "v pásmu"}},
    {"ReadingRich", {"rich", "fett", "riche", "bohatá"}},

    // Why applying after every pass stopped.
    {"StopNone", {"", "", "", ""}},
    {"StopLinkFault",
     {"Stopped: the ignition did not take the change", "Angehalten: die Zündung hat die Änderung nicht übernommen",
      "Arrêté : l'allumage n'a pas pris le changement", "Zastaveno: zapalování změnu nepřevzalo"}},
    {"StopVerifyRefused",
     {"Stopped: the verify after programming found differences",
      "Angehalten: der Vergleich nach dem Programmieren fand Unterschiede",
      "Arrêté : la vérification après programmation a trouvé des différences",
      "Zastaveno: kontrola po naprogramování našla rozdíly"}},
    {"StopCellAtLimit",
     {"Stopped: cell %s is at its limit", "Angehalten: Zelle %s ist an ihrer Grenze",
      "Arrêté : la cellule %s est à sa limite", "Zastaveno: buňka %s je na své mezi"}},
    {"TuningProgress",
     {"%d of %d cells held, %d in band", "%d von %d Zellen gehalten, %d im Band",
      "%d cellules sur %d tenues, %d dans la bande", "%d z %d buněk drženo, %d v pásmu"}},
    {"TuningApplied", {"%d cells changed", "%d Zellen geändert", "%d cellules modifiées", "%d buněk změněno"}},
    {"TuningOvertaken",
     {"%d cells left as edited by hand", "%d Zellen bleiben wie von Hand geändert",
      "%d cellules laissées telles que modifiées à la main", "%d buněk ponecháno podle ruční úpravy"}},
};

} // namespace

std::span<const CaptionRow> TuningTexts::captions()
{
    return kCaptions;
}

std::span<const KeyedText> TuningTexts::texts()
{
    return kTexts;
}

std::optional<std::string_view> TuningTexts::text(std::string_view key, Language language)
{
    return findKeyedText(kTexts, key, language);
}

} // namespace quorvel
