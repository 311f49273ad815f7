#include "texts/compare_texts.h"

namespace quorvel {
namespace {

using enum CaptionKind;

// English, German, French, Czech. The unit is "the ignition" to its users, as everywhere else.
constexpr CaptionRow kCaptions[] = {
    {"MenuCompareFile",
     MenuCaption,
     {"Compare with file...", "Mit Datei vergleichen...", "Comparer avec un fichier...", "Porovnat se souborem..."}},
    {"MenuCompareFile",
     Hint,
     {"Compare with file|Marks every value that differs from a parameter file, without loading it",
      "Mit Datei vergleichen|Markiert jeden Wert, der von einer Parameterdatei abweicht, ohne sie zu laden",
      "Comparer avec un fichier|Marque chaque valeur qui diffère d'un fichier de paramètres, sans le charger",
      "Porovnat se souborem|Označí každou hodnotu, která se liší od souboru parametrů, aniž by jej načetl"}},
    {"MenuEndCompare",
     MenuCaption,
     {"End compare", "Vergleich beenden", "Terminer la comparaison", "Ukončit porovnání"}},
    {"MenuCompareUnit",
     MenuCaption,
     {"Compare with ignition", "Mit Zündung vergleichen", "Comparer avec l'allumage", "Porovnat se zapalováním"}},
    {"MenuCompareUnit",
     Hint,
     {"Compare with ignition|Lists what Program would change in the ignition, as read or verified in this "
      "connection",
      "Mit Zündung vergleichen|Listet auf, was das Programmieren in der Zündung ändern würde, so wie sie in "
      "dieser Verbindung gelesen oder verglichen wurde",
      "Comparer avec l'allumage|Liste ce que la programmation changerait dans l'allumage, tel qu'il a été lu ou "
      "vérifié pendant cette connexion",
      "Porovnat se zapalováním|Vypíše, co by programování v zapalování změnilo, podle stavu přečteného nebo "
      "ověřeného v tomto spojení"}},
    {"MenuRestoreBackup",
     MenuCaption,
     {"Restore backup...", "Sicherung wiederherstellen...", "Restaurer une sauvegarde...", "Obnovit zálohu..."}},
    {"MenuRestoreBackup",
     Hint,
     {"Restore backup|Opens a parameter set the ignition held when it was read or before it was programmed",
      "Sicherung wiederherstellen|Öffnet einen Parametersatz, den die Zündung beim Lesen oder vor dem "
      "Programmieren enthielt",
      "Restaurer une sauvegarde|Ouvre un jeu de paramètres que l'allumage contenait à la lecture ou avant la "
      "programmation",
      "Obnovit zálohu|Otevře sadu parametrů, kterou zapalování obsahovalo při čtení nebo před programováním"}},
    {"DockWidgetCompare", Caption, {"Differences", "Unterschiede", "Différences", "Rozdíly"}},
    {"DialogRestoreBackup",
     Caption,
     {"Restore backup", "Sicherung wiederherstellen", "Restaurer une sauvegarde", "Obnovit zálohu"}},
    {"ButtonRestoreOpen", Caption, {"&Open", "Ö&ffnen", "&Ouvrir", "&Otevřít"}},
    {"ButtonRestoreCancel", Caption, {"Cancel", "Abbrechen", "Annuler", "Zrušit"}},
};

constexpr KeyedText kTexts[] = {
    // The tooltip of a marked control or cell: the file's value, then the image's.
    {"CompareTooltip", {"file: %s  here: %s", "Datei: %s  hier: %s", "fichier : %s  ici : %s", "soubor: %s  zde: %s"}},
    {"CompareUnitTooltip",
     {"ignition: %s  here: %s", "Zündung: %s  hier: %s", "allumage : %s  ici : %s", "zapalování: %s  zde: %s"}},
    {"CompareColumnPage", {"Page", "Seite", "Page", "Záložka"}},
    {"CompareColumnParameter", {"Parameter", "Parameter", "Paramètre", "Parametr"}},
    {"CompareColumnFile", {"File", "Datei", "Fichier", "Soubor"}},
    {"CompareColumnUnit", {"Ignition", "Zündung", "Allumage", "Zapalování"}},
    {"CompareColumnHere", {"Here", "Hier", "Ici", "Zde"}},
    {"CompareCount", {"%d differences", "%d Unterschiede", "%d différences", "Počet rozdílů: %d"}},
    {"CompareNone", {"No differences", "Keine Unterschiede", "Aucune différence", "Žádné rozdíly"}},
    {"CompareNoPage", {"(no page)", "(keine Seite)", "(aucune page)", "(bez záložky)"}},
    // Where a value of a map stands in the grid, counted from 1, and a byte no parameter holds.
    {"CompareCell", {"Row %d, column %d", "Zeile %d, Spalte %d", "Ligne %d, colonne %d", "Řádek %d, sloupec %d"}},
    {"CompareAxisPoint",
     {"RPM of column %d", "Drehzahl der Spalte %d", "Régime de la colonne %d", "Otáčky sloupce %d"}},
    {"ComparePressureRow", {"Pressure of row %d", "Druck der Zeile %d", "Pression de la ligne %d", "Tlak řádku %d"}},
    {"CompareByte", {"Byte %d", "Byte %d", "Octet %d", "Bajt %d"}},
    {"CompareJumpHint",
     {"Double-click a line to go to the value", "Doppelklick auf eine Zeile springt zum Wert",
      "Double-cliquez sur une ligne pour aller à la valeur", "Dvojklikem na řádek přejdete na hodnotu"}},
    {"CompareFileTitle",
     {"Differences from %s", "Unterschiede zu %s", "Différences avec %s", "Rozdíly proti souboru %s"}},
    {"CompareUnitTitle",
     {"Parameters that Program will change in the ignition", "Parameter, die das Programmieren in der Zündung ändert",
      "Paramètres que la programmation va modifier dans l'allumage",
      "Parametry, které programování v zapalování změní"}},
    {"CompareVerifyTitle",
     {"Parameters that differ in the ignition", "Parameter, die in der Zündung abweichen",
      "Paramètres différents dans l'allumage", "Parametry, které se v zapalování liší"}},
    {"CompareUnitNotSeen",
     {"The ignition was not read or verified in this connection.",
      "Die Zündung wurde in dieser Verbindung weder gelesen noch verglichen.",
      "L'allumage n'a été ni lu ni vérifié pendant cette connexion.",
      "Zapalování nebylo v tomto spojení přečteno ani ověřeno."}},
    {"CompareUnitPartlySeen",
     {"Only the blocks seen in this connection are compared.",
      "Verglichen werden nur die in dieser Verbindung gelesenen Blöcke.",
      "Seuls les blocs lus pendant cette connexion sont comparés.",
      "Porovnávají se jen bloky přečtené v tomto spojení."}},
    {"BackupReading",
     {"Backup of the ignition:", "Sicherung der Zündung:", "Sauvegarde de l'allumage :", "Záloha zapalování:"}},
    {"BackupSaved",
     {"Backup saved: %s", "Sicherung gespeichert: %s", "Sauvegarde enregistrée : %s", "Záloha uložena: %s"}},
    {"BackupWriteFailed",
     {"The backup of the ignition's parameters could not be written:\n%s",
      "Die Sicherung der Parameter der Zündung konnte nicht geschrieben werden:\n%s",
      "La sauvegarde des paramètres de l'allumage n'a pas pu être écrite :\n%s",
      "Zálohu parametrů zapalování se nepodařilo zapsat:\n%s"}},
    {"BackupProgramAnyway",
     {"Program the ignition without a backup?", "Die Zündung ohne Sicherung programmieren?",
      "Programmer l'allumage sans sauvegarde ?", "Naprogramovat zapalování bez zálohy?"}},
    {"RestoreColumnDate", {"Date", "Datum", "Date", "Datum"}},
    {"RestoreColumnBike", {"Motorbike", "Motorrad", "Moto", "Motocykl"}},
    {"RestoreColumnReason", {"Reason", "Anlass", "Motif", "Důvod"}},
    {"RestoreColumnMemo", {"Memo", "Notiz", "Mémo", "Poznámka"}},
    {"RestoreColumnDifferences",
     {"Differences to the current set", "Unterschiede zum aktuellen Satz", "Différences avec le jeu actuel",
      "Rozdíly proti aktuální sadě"}},
    {"RestoreReasonRead", {"Read", "Lesen", "Lecture", "Čtení"}},
    {"RestoreReasonProgram",
     {"Before programming", "Vor dem Programmieren", "Avant la programmation", "Před programováním"}},
    {"RestoreUnreadable", {"unreadable", "unlesbar", "illisible", "nečitelná"}},
    {"RestoreEmpty",
     {"No backups yet.", "Noch keine Sicherungen.", "Aucune sauvegarde pour l'instant.", "Zatím žádné zálohy."}},
    {"RestoreFolder",
     {"Backups folder: %s", "Ordner der Sicherungen: %s", "Dossier des sauvegardes : %s", "Složka záloh: %s"}},
};

} // namespace

std::span<const CaptionRow> CompareTexts::captions()
{
    return kCaptions;
}

std::span<const KeyedText> CompareTexts::texts()
{
    return kTexts;
}

std::optional<std::string_view> CompareTexts::text(std::string_view key, Language language)
{
    return findKeyedText(kTexts, key, language);
}

} // namespace quorvel
