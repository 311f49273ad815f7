#include "texts/datalog_texts.h"

#include <algorithm>
#include <cstddef>

namespace quorvel {
namespace {

using enum CaptionKind;
using enum DatalogMessage;

constexpr CaptionRow kControls[] = {
    // File menu and tool bar.
    {"MenuStartLog", MenuCaption, {"Start log", "Aufzeichnung starten", "Démarrer l'enregistrement", "Spustit záznam"}},
    {"MenuStopLog", MenuCaption, {"Stop log", "Aufzeichnung beenden", "Arrêter l'enregistrement", "Zastavit záznam"}},
    {"MenuOpenLog",
     MenuCaption,
     {"Open log...", "Aufzeichnung öffnen...", "Ouvrir un enregistrement...", "Otevřít záznam..."}},
    {"SpeedButtonLog",
     Hint,
     {"Start or stop the log|Writes every live data frame of the ignition into a file in the logs folder",
      "Aufzeichnung starten oder beenden|Schreibt alle Live-Daten der Zündbox in eine Datei im Ordner der "
      "Aufzeichnungen",
      "Démarrer ou arrêter l'enregistrement|Écrit toutes les données en direct du boîtier dans un fichier du "
      "dossier des enregistrements",
      "Spustit nebo zastavit záznam|Zapisuje všechna živá data jednotky do souboru ve složce záznamů"}},
    {"CheckBoxFastLogging",
     Caption,
     {"Fast logging", "Schnelle Aufzeichnung", "Enregistrement rapide", "Rychlý záznam"}},
    {"CheckBoxFastLogging",
     Hint,
     {"Asks the ignition for live data on every tick (18 times a second) instead of every sixth",
      "Fragt die Zündbox bei jedem Takt (18-mal pro Sekunde) statt bei jedem sechsten nach Live-Daten",
      "Demande les données en direct au boîtier à chaque cycle (18 fois par seconde) au lieu d'un cycle sur six",
      "Žádá jednotku o živá data v každém taktu (18krát za sekundu) místo v každém šestém"}},

    // The log viewer.
    {"FormLogViewer",
     Caption,
     {"Log viewer", "Aufzeichnung ansehen", "Visionneuse d'enregistrements", "Prohlížeč záznamů"}},
    {"ButtonLogOpen", Caption, {"&Open...", "Ö&ffnen...", "&Ouvrir...", "&Otevřít..."}},
    {"ButtonLogPlay", Caption, {"&Play", "&Abspielen", "&Lecture", "&Přehrát"}},
    {"ButtonLogPause", Caption, {"P&ause", "&Pause", "&Pause", "P&ozastavit"}},
    {"LabelLogSpeed", Caption, {"Speed", "Geschwindigkeit", "Vitesse", "Rychlost"}},
    {"GroupBoxLogChannels", Caption, {"Channels", "Kanäle", "Canaux", "Kanály"}},
    {"LabelLogTime", Caption, {"Time [s]", "Zeit [s]", "Temps [s]", "Čas [s]"}},
    {"LabelLogCursor", Caption, {"Cursor", "Cursor", "Curseur", "Kurzor"}},
    {"LabelLogCursor",
     Hint,
     {"Every value at the moment under the cursor", "Alle Werte zum Zeitpunkt unter dem Cursor",
      "Toutes les valeurs à l'instant sous le curseur", "Všechny hodnoty v okamžiku pod kurzorem"}},
    {"CheckBoxLogCellHits", Caption, {"Time in cells", "Zeit in den Zellen", "Temps par cellule", "Čas v buňkách"}},
    {"CheckBoxLogCellHits",
     Hint,
     {"Colours each cell of the map by the time the engine ran in it",
      "Färbt jede Zelle des Kennfelds nach der Zeit, die der Motor darin lief",
      "Colore chaque cellule de la cartographie selon le temps passé par le moteur",
      "Obarví každou buňku mapy podle doby, po kterou v ní motor běžel"}},
    {"CheckBoxLogLambda", Caption, {"Lambda by cell", "Lambda je Zelle", "Lambda par cellule", "Lambda po buňkách"}},
    {"CheckBoxLogLambda",
     Hint,
     {"Mean lambda voltage of each cell with enough samples, and whether it ran lean or rich",
      "Mittlere Lambdaspannung jeder Zelle mit genügend Messwerten und ob sie mager oder fett lief",
      "Tension lambda moyenne de chaque cellule assez mesurée, et si elle était pauvre ou riche",
      "Průměrné napětí lambdy v každé buňce s dostatkem vzorků a zda byla směs chudá, nebo bohatá"}},
    {"LabelLogThreshold",
     Caption,
     {"Lean/rich threshold [mV]", "Schwelle mager/fett [mV]", "Seuil pauvre/riche [mV]", "Práh chudá/bohatá [mV]"}},
    {"LabelLogMinSamples",
     Caption,
     {"Fewest samples per cell", "Mindestzahl der Messwerte je Zelle", "Nombre minimal de mesures par cellule",
      "Nejmenší počet vzorků v buňce"}},
    {"GroupBoxLogOverlay",
     Caption,
     {"Map overlay", "Anzeige im Kennfeld", "Affichage sur la cartographie", "Zobrazení v mapě"}},
    {"GroupBoxLogChannels",
     Hint,
     {"Tick the values to chart", "Die Werte zum Anzeigen ankreuzen", "Cochez les valeurs à tracer",
      "Zaškrtněte hodnoty, které se mají vykreslit"}},
    {"ChartLogView",
     Hint,
     {"Wheel: zoom|Wheel: zoom, drag: move, click: cursor, right drag: zoom into the span, double click: whole log",
      "Mausrad: Zoom|Mausrad: Zoom, Ziehen: verschieben, Klick: Cursor, Ziehen mit rechter Taste: auf den Bereich "
      "zoomen, Doppelklick: ganze Aufzeichnung",
      "Molette : zoom|Molette : zoom, glisser : déplacer, clic : curseur, glisser avec le bouton droit : zoomer sur "
      "la plage, double clic : tout l'enregistrement",
      "Kolečko: zoom|Kolečko: zoom, tažení: posun, klepnutí: kurzor, tažení pravým tlačítkem: přiblížit úsek, "
      "dvojklik: celý záznam"}},
    {"SliderLogPosition",
     Hint,
     {"Position in the log", "Position in der Aufzeichnung", "Position dans l'enregistrement", "Poloha v záznamu"}},
    {"ButtonSuggestCorrections",
     Caption,
     {"Suggest corrections...", "Korrekturen vorschlagen...", "Proposer des corrections...", "Navrhnout korekce..."}},

    // The dialog of the suggested corrections.
    {"FormSuggestCorrections",
     Caption,
     {"Suggested corrections", "Vorgeschlagene Korrekturen", "Corrections proposées", "Navržené korekce"}},
    {"LabelSuggestStep",
     Caption,
     {"Step per pass [%]", "Schritt je Durchgang [%]", "Pas par passage [%]", "Krok na průchod [%]"}},
    {"LabelSuggestMaxChange",
     Caption,
     {"Largest change [%]", "Größte Änderung [%]", "Variation maximale [%]", "Největší změna [%]"}},
    {"LabelSuggestMinSamples",
     Caption,
     {"Fewest steady samples", "Mindestzahl gleichmäßiger Messwerte", "Nombre minimal de mesures stables",
      "Nejmenší počet ustálených vzorků"}},
    {"LabelSuggestThreshold",
     Caption,
     {"Lean/rich threshold [mV]", "Schwelle mager/fett [mV]", "Seuil pauvre/riche [mV]", "Práh chudá/bohatá [mV]"}},
    {"LabelSuggestSteady",
     Caption,
     {"Steady throttle: change below [%/s]", "Gleichmäßiges Gas: Änderung unter [%/s]",
      "Gaz stable : variation inférieure à [%/s]", "Ustálený plyn: změna pod [%/s]"}},
    {"LabelSuggestNarrowBand",
     Caption,
     {"A narrow-band lambda sensor only tells whether the mixture was richer or leaner than stoichiometric, not "
      "by how much. Each pass therefore moves a cell by one small step: ride again and repeat until the cells "
      "change sides. Use a log of a warm engine; cells on overrun read lean.",
      "Eine Schmalband-Lambdasonde zeigt nur, ob das Gemisch fetter oder magerer als stöchiometrisch war, nicht "
      "um wie viel. Jeder Durchgang ändert eine Zelle daher nur um einen kleinen Schritt: erneut fahren und "
      "wiederholen, bis die Zellen die Seite wechseln. Eine Aufzeichnung mit warmem Motor verwenden; Zellen im "
      "Schiebebetrieb erscheinen mager.",
      "Une sonde lambda à bande étroite indique seulement si le mélange était plus riche ou plus pauvre que la "
      "stœchiométrie, pas de combien. Chaque passage ne modifie donc une cellule que d'un petit pas : roulez à "
      "nouveau et recommencez jusqu'à ce que les cellules changent de côté. Utilisez un enregistrement moteur "
      "chaud ; les cellules en frein moteur paraissent pauvres.",
      "Úzkopásmová lambda sonda ukazuje jen to, zda byla směs bohatší, nebo chudší než stechiometrická, nikoli o "
      "kolik. Každý průchod proto změní buňku jen o malý krok: jeďte znovu a opakujte, dokud buňky nepřejdou na "
      "druhou stranu. Použijte záznam zahřátého motoru; buňky při brzdění motorem vypadají chudě."}},
    {"LabelSuggestPreview",
     Caption,
     {"The proposed cells are shown in the compare colours; nothing changes until you apply them.",
      "Die vorgeschlagenen Zellen erscheinen in den Vergleichsfarben; geändert wird erst mit „Übernehmen“.",
      "Les cellules proposées apparaissent dans les couleurs de comparaison ; rien ne change avant « Appliquer ».",
      "Navržené buňky jsou zobrazeny v barvách porovnání; nic se nezmění, dokud je nepoužijete."}},
    {"TableSuggestCorrections",
     Hint,
     {"Untick a cell to leave it as it is", "Zelle abwählen, um sie unverändert zu lassen",
      "Décochez une cellule pour la laisser telle quelle", "Zrušte zaškrtnutí buňky, kterou chcete ponechat"}},
    {"ButtonSuggestApply", Caption, {"&Apply", "Ü&bernehmen", "&Appliquer", "&Použít"}},
    {"ButtonSuggestCancel", Caption, {"&Cancel", "Abbre&chen", "A&nnuler", "&Zrušit"}},
};

constexpr DatalogMessageRow kMessages[] = {
    {Recording, {"Recording: %s", "Aufzeichnung: %s", "Enregistrement : %s", "Záznam: %s"}},
    {Playback, {"Playback: %s", "Wiedergabe: %s", "Lecture : %s", "Přehrávání: %s"}},
    {CannotCreateLog,
     {"The log could not be created: %s", "Die Aufzeichnung konnte nicht angelegt werden: %s",
      "Impossible de créer l'enregistrement : %s", "Záznam nelze vytvořit: %s"}},
    {CannotWriteLog,
     {"The log could not be written and has stopped: %s",
      "Die Aufzeichnung konnte nicht geschrieben werden und wurde beendet: %s",
      "Impossible d'écrire l'enregistrement, il a été arrêté : %s", "Záznam nelze zapsat a byl zastaven: %s"}},
    {CannotOpenLog,
     {"The log could not be opened: %s", "Die Aufzeichnung konnte nicht geöffnet werden: %s",
      "Impossible d'ouvrir l'enregistrement : %s", "Záznam nelze otevřít: %s"}},
    {NotALog,
     {"%s is not a log of this program.", "%s ist keine Aufzeichnung dieses Programms.",
      "%s n'est pas un enregistrement de ce programme.", "%s není záznam tohoto programu."}},
    {RowsLeftOut,
     {"Damaged rows left out: %d", "Ausgelassene beschädigte Zeilen: %d", "Lignes endommagées ignorées : %d",
      "Vynechané poškozené řádky: %d"}},
    {Lean, {"lean", "mager", "pauvre", "chudá"}},
    {Rich, {"rich", "fett", "riche", "bohatá"}},
    {AtThreshold, {"at the threshold", "an der Schwelle", "au seuil", "na prahu"}},
    {TooFewSamples, {"too few samples", "zu wenige Messwerte", "trop peu de mesures", "příliš málo vzorků"}},
    {CellTimeHint,
     {"Samples: %d, time: %.1f s", "Messwerte: %d, Zeit: %.1f s", "Mesures : %d, temps : %.1f s",
      "Vzorky: %d, čas: %.1f s"}},
    {CellLambdaHint,
     {"Mean lambda: %d mV (%s)", "Mittlere Lambdaspannung: %d mV (%s)", "Lambda moyenne : %d mV (%s)",
      "Průměrná lambda: %d mV (%s)"}},
    {NoSuggestions,
     {"No cell was visited often enough at steady throttle.",
      "Keine Zelle wurde oft genug bei gleichmäßigem Gas angefahren.",
      "Aucune cellule n'a été atteinte assez souvent à gaz stable.",
      "Žádná buňka nebyla při ustáleném plynu navštívena dost často."}},
    {CellsToChange,
     {"Cells to change in %s: %d", "Zu ändernde Zellen in %s: %d", "Cellules à modifier dans %s : %d",
      "Buňky ke změně v %s: %d"}},
    {OnlyInjectionMaps,
     {"Corrections are only suggested for maps of injection times.",
      "Korrekturen werden nur für Kennfelder mit Einspritzzeiten vorgeschlagen.",
      "Les corrections ne sont proposées que pour les cartographies de temps d'injection.",
      "Korekce se navrhují jen pro mapy dob vstřiku."}},
    {CellLambdaTooFew,
     {"Mean lambda: too few samples", "Mittlere Lambdaspannung: zu wenige Messwerte",
      "Lambda moyenne : trop peu de mesures", "Průměrná lambda: příliš málo vzorků"}},
    {LogFileFilter,
     {"Logs (*.csv);;All files (*)", "Aufzeichnungen (*.csv);;Alle Dateien (*)",
      "Enregistrements (*.csv);;Tous les fichiers (*)", "Záznamy (*.csv);;Všechny soubory (*)"}},
    {LogSummary, {"%s: %d rows, %.1f s", "%s: %d Zeilen, %.1f s", "%s : %d lignes, %.1f s", "%s: %d řádků, %.1f s"}},
    {CursorChannel, {"Channel", "Kanal", "Canal", "Kanál"}},
    {CursorValue, {"Value", "Wert", "Valeur", "Hodnota"}},
    {SuggestSamples, {"Steady samples", "Gleichmäßige Messwerte", "Mesures stables", "Ustálené vzorky"}},
    {SuggestMeanLambda,
     {"Mean lambda [mV]", "Mittlere Lambdaspannung [mV]", "Lambda moyenne [mV]", "Průměrná lambda [mV]"}},
    {SuggestReading, {"Mixture", "Gemisch", "Mélange", "Směs"}},
    {SuggestChange, {"Change [%]", "Änderung [%]", "Variation [%]", "Změna [%]"}},
    {SuggestNow, {"Now [µs]", "Jetzt [µs]", "Actuel [µs]", "Nyní [µs]"}},
    {SuggestProposed, {"Proposed [µs]", "Vorschlag [µs]", "Proposé [µs]", "Navrženo [µs]"}},
};

static_assert(std::size(kMessages) == static_cast<std::size_t>(DatalogMessage::Count));

constexpr ChannelCaptionRow kChannels[] = {
    {"rpm", {"Engine speed", "Drehzahl", "Régime moteur", "Otáčky"}},
    {"throttle", {"Throttle", "Drosselklappe", "Papillon des gaz", "Poloha plynu"}},
    {"iap", {"Intake pressure", "Saugrohrdruck", "Pression d'admission", "Tlak v sání"}},
    {"ap", {"Air pressure", "Luftdruck", "Pression atmosphérique", "Atmosférický tlak"}},
    {"lambda", {"Lambda", "Lambda", "Lambda", "Lambda"}},
    {"coolant",
     {"Coolant temperature", "Kühlflüssigkeitstemperatur", "Température moteur", "Teplota chladicí kapaliny"}},
    {"air", {"Air temperature", "Lufttemperatur", "Température de l'air", "Teplota vzduchu"}},
    {"supply", {"Supply voltage", "Bordspannung", "Tension d'alimentation", "Napájecí napětí"}},
    {"advance_1", {"Advance cylinder 1", "Vorzündung Zylinder 1", "Avance cylindre 1", "Předstih válec 1"}},
    {"advance_2", {"Advance cylinder 2", "Vorzündung Zylinder 2", "Avance cylindre 2", "Předstih válec 2"}},
    {"advance_3", {"Advance cylinder 3", "Vorzündung Zylinder 3", "Avance cylindre 3", "Předstih válec 3"}},
    {"advance_4", {"Advance cylinder 4", "Vorzündung Zylinder 4", "Avance cylindre 4", "Předstih válec 4"}},
    {"injection_1a", {"Injection time 1A", "Einspritzzeit 1A", "Temps d'injection 1A", "Doba vstřiku 1A"}},
    {"injection_2a", {"Injection time 2A", "Einspritzzeit 2A", "Temps d'injection 2A", "Doba vstřiku 2A"}},
    {"injection_3a", {"Injection time 3A", "Einspritzzeit 3A", "Temps d'injection 3A", "Doba vstřiku 3A"}},
    {"injection_4a", {"Injection time 4A", "Einspritzzeit 4A", "Temps d'injection 4A", "Doba vstřiku 4A"}},
    {"injection_1b", {"Injection time 1B", "Einspritzzeit 1B", "Temps d'injection 1B", "Doba vstřiku 1B"}},
    {"injection_2b", {"Injection time 2B", "Einspritzzeit 2B", "Temps d'injection 2B", "Doba vstřiku 2B"}},
    {"injection_3b", {"Injection time 3B", "Einspritzzeit 3B", "Temps d'injection 3B", "Doba vstřiku 3B"}},
    {"injection_4b", {"Injection time 4B", "Einspritzzeit 4B", "Temps d'injection 4B", "Doba vstřiku 4B"}},
    {"servo_exhaust_1", {"Exhaust servo 1", "Abblaseservo 1", "Servo d'échappement 1", "Výfukové servo 1"}},
    {"servo_exhaust_2", {"Exhaust servo 2", "Abblaseservo 2", "Servo d'échappement 2", "Výfukové servo 2"}},
    {"servo_intake_1", {"Intake servo 1", "Ansaugservo 1", "Servo d'admission 1", "Sací servo 1"}},
    {"servo_intake_2", {"Intake servo 2", "Ansaugservo 2", "Servo d'admission 2", "Sací servo 2"}},
    {"potentiometer", {"Potentiometer", "Potentiometer", "Potentiomètre", "Potenciometr"}},
    {"gear", {"Gear", "Gang", "Rapport engagé", "Rychlostní stupeň"}},
    {"speed", {"Road speed", "Geschwindigkeit", "Vitesse", "Rychlost"}},
    {"jet_tps_share",
     {"Injection from throttle maps", "Einspritzung nach Drosselklappen-Kennfeldern",
      "Injection selon les cartographies papillon", "Vstřik podle map plynu"}},
    {"position_a", {"Injection position A", "Einspritzlage A", "Position d'injection A", "Poloha vstřiku A"}},
    {"position_b", {"Injection position B", "Einspritzlage B", "Position d'injection B", "Poloha vstřiku B"}},
    {"ap_voltage",
     {"Air pressure sensor voltage", "Spannung Luftdrucksensor", "Tension du capteur de pression atmosphérique",
      "Napětí čidla atmosférického tlaku"}},
    {"iap_voltage",
     {"Intake pressure sensor voltage", "Spannung Saugrohrdrucksensor", "Tension du capteur de pression d'admission",
      "Napětí čidla tlaku v sání"}},
    {"tps_voltage",
     {"Throttle sensor voltage", "Spannung Drosselklappensensor", "Tension du capteur de papillon",
      "Napětí čidla polohy plynu"}},
    {"coolant_voltage",
     {"Coolant sensor voltage", "Spannung Kühlflüssigkeitssensor", "Tension du capteur de température moteur",
      "Napětí čidla chladicí kapaliny"}},
    {"air_voltage",
     {"Air temperature sensor voltage", "Spannung Lufttemperatursensor", "Tension du capteur de température d'air",
      "Napětí čidla teploty vzduchu"}},
    {"gear_voltage",
     {"Gear sensor voltage", "Spannung Gangsensor", "Tension du capteur de rapport",
      "Napětí čidla rychlostního stupně"}},
    {"rpm_speed_ratio",
     {"Engine speed to road speed", "Drehzahl zu Geschwindigkeit", "Rapport régime/vitesse", "Poměr otáčky/rychlost"}},
    {"gear_ratio_1",
     {"Learned ratio, gear 1", "Gelerntes Verhältnis, Gang 1", "Rapport appris, 1re", "Naučený poměr, 1. stupeň"}},
    {"gear_ratio_2",
     {"Learned ratio, gear 2", "Gelerntes Verhältnis, Gang 2", "Rapport appris, 2e", "Naučený poměr, 2. stupeň"}},
    {"gear_ratio_3",
     {"Learned ratio, gear 3", "Gelerntes Verhältnis, Gang 3", "Rapport appris, 3e", "Naučený poměr, 3. stupeň"}},
    {"gear_ratio_4",
     {"Learned ratio, gear 4", "Gelerntes Verhältnis, Gang 4", "Rapport appris, 4e", "Naučený poměr, 4. stupeň"}},
    {"gear_ratio_5",
     {"Learned ratio, gear 5", "Gelerntes Verhältnis, Gang 5", "Rapport appris, 5e", "Naučený poměr, 5. stupeň"}},
    {"gear_ratio_6",
     {"Learned ratio, gear 6", "Gelerntes Verhältnis, Gang 6", "Rapport appris, 6e", "Naučený poměr, 6. stupeň"}},
    {"correction_coolant_inj",
     {"Injection correction, coolant", "Einspritzkorrektur Kühlflüssigkeit",
      "Correction d'injection, température moteur", "Korekce vstřiku, chladicí kapalina"}},
    {"correction_air_inj",
     {"Injection correction, air temperature", "Einspritzkorrektur Lufttemperatur",
      "Correction d'injection, température d'air", "Korekce vstřiku, teplota vzduchu"}},
    {"correction_ap_inj",
     {"Injection correction, air pressure", "Einspritzkorrektur Luftdruck",
      "Correction d'injection, pression atmosphérique", "Korekce vstřiku, atmosférický tlak"}},
    {"correction_start_inj",
     {"Starting enrichment", "Startanreicherung", "Enrichissement au démarrage", "Obohacení po startu"}},
    {"correction_supply_inj",
     {"Injection correction, supply voltage", "Einspritzkorrektur Bordspannung",
      "Correction d'injection, tension d'alimentation", "Korekce vstřiku, napájecí napětí"}},
    {"correction_coolant_adv",
     {"Advance correction, coolant", "Zündkorrektur Kühlflüssigkeit", "Correction d'avance, température moteur",
      "Korekce předstihu, chladicí kapalina"}},
    {"correction_pot_adv",
     {"Advance correction, potentiometer", "Zündkorrektur Potentiometer", "Correction d'avance, potentiomètre",
      "Korekce předstihu, potenciometr"}},
    {"correction_pot_inj",
     {"Injection correction, potentiometer", "Einspritzkorrektur Potentiometer",
      "Correction d'injection, potentiomètre", "Korekce vstřiku, potenciometr"}},
    {"correction_idle_adv",
     {"Advance correction, idle", "Zündkorrektur Leerlauf", "Correction d'avance, ralenti",
      "Korekce předstihu, volnoběh"}},
    {"start_time", {"Time since start", "Zeit seit dem Start", "Temps depuis le démarrage", "Čas od startu"}},
    {"saving_countdown",
     {"Storing the parameters", "Speichern der Parameter", "Mémorisation des paramètres", "Ukládání parametrů"}},
    {"fall_sensor_in", {"Fall sensor input", "Fallsensor Eingang", "Capteur de chute, entrée", "Pádový senzor, vstup"}},
    {"fall_sensor_out",
     {"Fall sensor output", "Fallsensor Ausgang", "Capteur de chute, sortie", "Pádový senzor, výstup"}},
    {"blocking_in", {"Blocking input", "Blockierung Eingang", "Blocage, entrée", "Blokování, vstup"}},
    {"blocking_out", {"Blocking output", "Blockierung Ausgang", "Blocage, sortie", "Blokování, výstup"}},
    {"start_limiter_in",
     {"Start limiter input", "Startbegrenzer Eingang", "Limiteur de départ, entrée", "Startovací omezovač, vstup"}},
    {"start_limiter_out",
     {"Start limiter output", "Startbegrenzer Ausgang", "Limiteur de départ, sortie", "Startovací omezovač, výstup"}},
    {"clutch_in", {"Clutch master input", "Schaltautomat Eingang", "Shifter, entrée", "Clutch master, vstup"}},
    {"clutch_out", {"Clutch master output", "Schaltautomat Ausgang", "Shifter, sortie", "Clutch master, výstup"}},
    {"tacho_lambda_in",
     {"Tacho/lambda input", "Tacho/Lambda Eingang", "Compte-tours/lambda, entrée", "Otáčkoměr/lambda, vstup"}},
    {"tacho_output",
     {"Tacho output (0: lambda)", "Tacho-Ausgang (0: Lambda)", "Sortie compte-tours (0 : lambda)",
      "Výstup otáčkoměru (0: lambda)"}},
    {"limiter_ignition", {"Limiter by ignition", "Begrenzer - Zündung", "Limiteur par l'allumage", "Omezovač zápalem"}},
    {"limiter_injection",
     {"Limiter by injection", "Begrenzer - Einspritzung", "Limiteur par l'injection", "Omezovač vstřikem"}},
    {"limiter_retard",
     {"Limiter by retard", "Begrenzer - Spätzündung", "Limiteur par retard d'allumage", "Omezovač předstihem"}},
    {"servo_exhaust_working",
     {"Exhaust servo working", "Abblaseservo in Betrieb", "Servo d'échappement en service",
      "Výfukové servo v provozu"}},
    {"servo_intake_working",
     {"Intake servo working", "Ansaugservo in Betrieb", "Servo d'admission en service", "Sací servo v provozu"}},
    {"map_share_off",
     {"Map shares unused", "Kennfeldanteile ungenutzt", "Parts de cartographie inutilisées", "Podíly map nepoužity"}},
    {"n2o", {"N2O active", "N2O aktiv", "N2O actif", "N2O aktivní"}},
    {"base_advance", {"Base advance", "Grundzündung", "Avance de base", "Základní předstih"}},
    {"cooling", {"Cooling", "Kühlung", "Refroidissement", "Chlazení"}},
    {"ckps_signal", {"Pick-up (CKPS)", "Geber (CKPS)", "Capteur (CKPS)", "Snímač (CKPS)"}},
    {"cmps_signal", {"Pick-up (CMPS)", "Geber (CMPS)", "Capteur (CMPS)", "Snímač (CMPS)"}},
    {"data_error",
     {"Programmed data error", "Fehler der programmierten Daten", "Erreur des données programmées",
      "Chyba naprogramovaných dat"}},
    {"tps_error",
     {"Throttle sensor error", "Fehler Drosselklappensensor", "Défaut du capteur de papillon",
      "Porucha čidla polohy plynu"}},
    {"iap_error",
     {"Intake pressure sensor error", "Fehler Saugrohrdrucksensor", "Défaut du capteur de pression d'admission",
      "Porucha čidla tlaku v sání"}},
    {"ap_error",
     {"Air pressure sensor error", "Fehler Luftdrucksensor", "Défaut du capteur de pression atmosphérique",
      "Porucha čidla atmosférického tlaku"}},
    {"intake_servo_idle",
     {"Intake servo at idle", "Ansaugservo im Leerlauf", "Servo d'admission au ralenti", "Sací servo ve volnoběhu"}},
    {"coolant_error",
     {"Coolant sensor error", "Fehler Kühlflüssigkeitssensor", "Défaut du capteur de température moteur",
      "Porucha čidla chladicí kapaliny"}},
    {"air_error",
     {"Air temperature sensor error", "Fehler Lufttemperatursensor", "Défaut du capteur de température d'air",
      "Porucha čidla teploty vzduchu"}},
    {"pilot_light",
     {"Pilot light (1 on, 2 blinking)", "Kontrollleuchte (1 an, 2 blinkt)", "Témoin (1 allumé, 2 clignotant)",
      "Kontrolka (1 svítí, 2 bliká)"}},
    {"cell_page", {"Map page of the cell", "Kennfeldseite der Zelle", "Page de la cellule", "Záložka mapy buňky"}},
    {"cell_row", {"Cell row", "Zeile der Zelle", "Ligne de la cellule", "Řádek buňky"}},
    {"cell_column", {"Cell column", "Spalte der Zelle", "Colonne de la cellule", "Sloupec buňky"}},
};

} // namespace

std::span<const CaptionRow> DatalogTexts::controls()
{
    return kControls;
}

std::span<const DatalogMessageRow> DatalogTexts::messages()
{
    return kMessages;
}

std::span<const ChannelCaptionRow> DatalogTexts::channels()
{
    return kChannels;
}

std::optional<std::string_view> DatalogTexts::find(std::string_view control, CaptionKind kind, Language language)
{
    const auto row = std::ranges::find_if(
        kControls, [&](const CaptionRow& candidate) { return candidate.control == control && candidate.kind == kind; });
    if (row == std::end(kControls))
        return std::nullopt;
    return textIn(row->texts, language);
}

std::string_view DatalogTexts::message(DatalogMessage message, Language language)
{
    const auto row = std::ranges::find(kMessages, message, &DatalogMessageRow::message);
    return row == std::end(kMessages) ? std::string_view{} : textIn(row->texts, language);
}

std::optional<std::string_view> DatalogTexts::channel(std::string_view column, Language language)
{
    const auto row = std::ranges::find(kChannels, column, &ChannelCaptionRow::column);
    if (row == std::end(kChannels))
        return std::nullopt;
    return textIn(row->texts, language);
}

} // namespace quorvel
