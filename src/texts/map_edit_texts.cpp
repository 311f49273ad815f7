#include "texts/map_edit_texts.h"

#include "core/text_format.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace quorvel {
namespace {

using enum MapEditMessage;
using enum CaptionKind;

struct MessageRow {
    MapEditMessage message;
    int arguments;
    LanguageTexts texts;      // English, German, French, Czech
    LanguageTexts singular{}; // the text for a first number of 1, where it reads apart
    int words = 0;            // %s words in place of numbers
};

// The names of the pages, the coupling menu and its items are those the window shows in each
// language ("Inj. 1", "Einsp. 1", "Vstřik 1"; "Separate", "Getrennt", "Séparé", "Oddělený").
// Czech counts above one are written after a colon, so that one form serves every number; a
// count of one reads as a sentence of its own in every language. A singular text takes the
// numbers after the first.
constexpr MessageRow kMessages[] = {
    {CellsChanged,
     1,
     {"%d cells changed", "%d Zellen geändert", "%d cases modifiées", "Změněno buněk: %d"},
     {"1 cell changed", "1 Zelle geändert", "1 case modifiée", "Změněna 1 buňka"}},
    {CellsPasted,
     1,
     {"%d cells pasted", "%d Zellen eingefügt", "%d cases collées", "Vloženo buněk: %d"},
     {"1 cell pasted", "1 Zelle eingefügt", "1 case collée", "Vložena 1 buňka"}},
    {MapPasted,
     1,
     {"Whole map pasted with its heads: %d cells", "Ganzes Kennfeld mit Achsen eingefügt: %d Zellen",
      "Cartographie entière collée avec ses en-têtes : %d cases", "Vložena celá mapa se záhlavími, buněk: %d"}},
    {NothingChanged,
     0,
     {"No cell changed", "Keine Zelle geändert", "Aucune case modifiée", "Žádná buňka se nezměnila"}},
    {NoSelection,
     0,
     {"Select map cells first", "Zuerst Zellen des Kennfelds auswählen",
      "Sélectionnez d'abord des cases de la cartographie", "Nejprve vyberte buňky mapy"}},
    {FollowerMap,
     0,
     {"This map follows Inj. 1: change Inj. 1, or choose Separate in the Jet 1234 menu",
      "Dieses Kennfeld folgt Einsp. 1: Einsp. 1 ändern oder im Menü Einspritzung 1234 „Getrennt“ wählen",
      "Cette cartographie suit Inj. 1 : modifiez Inj. 1 ou choisissez « Séparé » dans le menu inject 1234",
      "Tato mapa následuje Vstřik 1: upravte Vstřik 1, nebo v nabídce Vstřik 1234 zvolte „Oddělený“"}},
    {TooFewToInterpolate,
     0,
     {"Select at least three cells in the direction of the interpolation",
      "Mindestens drei Zellen in Richtung der Interpolation auswählen",
      "Sélectionnez au moins trois cases dans le sens de l'interpolation",
      "Vyberte alespoň tři buňky ve směru interpolace"}},
    {NothingToSmooth,
     0,
     {"The selection has no inner cells to smooth", "Die Auswahl hat keine inneren Zellen zum Glätten",
      "La sélection n'a pas de cases intérieures à lisser", "Výběr nemá žádné vnitřní buňky k vyhlazení"}},
    {EngineStopped,
     0,
     {"The engine is not running: there is no live cell", "Der Motor läuft nicht: es gibt keinen Betriebspunkt",
      "Le moteur ne tourne pas : il n'y a pas de case active", "Motor neběží: není žádný pracovní bod"}},
    {NoLiveCell,
     0,
     {"The engine's operating cell is not shown on this map", "Der Betriebspunkt liegt nicht in den angezeigten Zellen",
      "La case où tourne le moteur n'est pas affichée sur cette cartographie",
      "Pracovní bod motoru není na této mapě zobrazen"}},
    {NegativePercentage,
     0,
     {"The percentage must not be negative", "Der Prozentsatz darf nicht negativ sein",
      "Le pourcentage ne doit pas être négatif", "Procento nesmí být záporné"}},
    {EmptyText,
     0,
     {"The text holds no map values", "Der Text enthält keine Kennfeldwerte",
      "Le texte ne contient aucune valeur de cartographie", "Text neobsahuje žádné hodnoty mapy"}},
    {TextTooLarge,
     1,
     {"The text is larger than %d kB, far more than a map: nothing was read",
      "Der Text ist größer als %d kB, weit mehr als ein Kennfeld: nichts wurde gelesen",
      "Le texte dépasse %d ko, bien plus qu'une cartographie : rien n'a été lu",
      "Text je větší než %d kB, mnohem víc než mapa: nic nebylo načteno"}},
    {BadNumber,
     2,
     {"Line %d, column %d: not a number", "Zeile %d, Spalte %d: keine Zahl",
      "Ligne %d, colonne %d : ce n'est pas un nombre", "Řádek %d, sloupec %d: není číslo"}},
    {EmptyField,
     2,
     {"Line %d, column %d: empty field", "Zeile %d, Spalte %d: leeres Feld", "Ligne %d, colonne %d : champ vide",
      "Řádek %d, sloupec %d: prázdné pole"}},
    {AmbiguousDecimal,
     2,
     {"Line %d, column %d: decimal comma or thousands separator? Write the number without separators",
      "Zeile %d, Spalte %d: Dezimalkomma oder Tausendertrennzeichen? Die Zahl ohne Trennzeichen schreiben",
      "Ligne %d, colonne %d : virgule décimale ou séparateur de milliers ? Écrivez le nombre sans séparateur",
      "Řádek %d, sloupec %d: desetinná čárka, nebo oddělovač tisíců? Zapište číslo bez oddělovačů"}},
    {WrongShape,
     2,
     {"Line %d, column %d: a map has 11 lines of 16 fields (the RPM heads, then 10 rows, each after its head)",
      "Zeile %d, Spalte %d: ein Kennfeld hat 11 Zeilen zu 16 Feldern (die Drehzahlachse, dann 10 Zeilen mit "
      "ihrem Kopf)",
      "Ligne %d, colonne %d : une cartographie a 11 lignes de 16 champs (les régimes, puis 10 lignes précédées "
      "de leur en-tête)",
      "Řádek %d, sloupec %d: mapa má 11 řádků po 16 polích (osa otáček a pak 10 řádků, každý za svým záhlavím)"}},
    {UnitDiffers,
     2,
     {"Line %d, column %d: the values are in another unit than this map shows",
      "Zeile %d, Spalte %d: die Werte haben eine andere Einheit als dieses Kennfeld",
      "Ligne %d, colonne %d : les valeurs sont dans une autre unité que celle de cette cartographie",
      "Řádek %d, sloupec %d: hodnoty jsou v jiné jednotce, než ukazuje tato mapa"}},
    {BadRpmHead,
     2,
     {"Line %d, column %d: the RPM heads must rise from left to right within 300 to 25000 rpm",
      "Zeile %d, Spalte %d: die Drehzahlen müssen von links nach rechts steigen, im Bereich 300 bis 25000 U/min",
      "Ligne %d, colonne %d : les régimes doivent croître de gauche à droite, entre 300 et 25000 tr/min",
      "Řádek %d, sloupec %d: otáčky musí zleva doprava stoupat v rozsahu 300 až 25000 ot/min"}},
    {BadRowHead,
     2,
     {"Line %d, column %d: the row heads do not fit this map (the throttle rows 0 % to 100 %, or pressures "
      "rising from 0 to 1000 kPa)",
      "Zeile %d, Spalte %d: die Zeilenköpfe passen nicht zu diesem Kennfeld (Drosselklappe 0 % bis 100 % oder "
      "steigende Drücke von 0 bis 1000 kPa)",
      "Ligne %d, colonne %d : les en-têtes de ligne ne conviennent pas à cette cartographie (papillon de 0 % à "
      "100 %, ou pressions croissantes de 0 à 1000 kPa)",
      "Řádek %d, sloupec %d: záhlaví řádků neodpovídají této mapě (škrticí klapka 0 % až 100 %, nebo tlaky "
      "stoupající od 0 do 1000 kPa)"}},
    {BadNewRpmHead,
     1,
     {"RPM head %d: the heads must rise strictly from 300 to 25000 rpm in steps of 100",
      "Drehzahlpunkt %d: die Drehzahlen müssen streng steigen, von 300 bis 25000 U/min in Schritten von 100",
      "Régime %d : les régimes doivent croître strictement de 300 à 25000 tr/min par pas de 100",
      "Bod otáček %d: otáčky musí ostře stoupat od 300 do 25000 ot/min po krocích 100"}},
    {NoRpmAxis,
     0,
     {"This page shows no RPM axis to change", "Diese Seite zeigt keine Drehzahlachse zum Ändern",
      "Cette page n'affiche pas d'axe de régime à modifier", "Tato záložka neukazuje žádnou osu otáček ke změně"}},
    {FollowerAxesWouldNotRise,
     0,
     {"The coupled RPM axes of Inj. 2 to Inj. 4 would no longer rise; choose Separate in the Jet 1234 menu first",
      "Die gekoppelten Drehzahlachsen von Einsp. 2 bis Einsp. 4 würden nicht mehr steigen; zuerst im Menü "
      "Einspritzung 1234 „Getrennt“ wählen",
      "Les axes de régime couplés d'Inj. 2 à Inj. 4 ne seraient plus croissants ; choisissez d'abord « Séparé » "
      "dans le menu inject 1234",
      "Spřažené osy otáček Vstřik 2 až Vstřik 4 by už nestoupaly; nejprve v nabídce Vstřik 1234 zvolte "
      "„Oddělený“"}},
    {RpmAxisChanged,
     0,
     {"RPM axis changed and the map interpolated to it", "Drehzahlachse geändert, Kennfeld neu interpoliert",
      "Axe de régime modifié, cartographie réinterpolée", "Osa otáček změněna, mapa přepočtena interpolací"}},
    {MapExported, 0, {"Map exported", "Kennfeld exportiert", "Cartographie exportée", "Mapa exportována"}},
    {MapImported, 0, {"Map imported", "Kennfeld importiert", "Cartographie importée", "Mapa importována"}},
    {PromptSetValue,
     0,
     {"Set the selected cells to [%s]:", "Ausgewählte Zellen setzen auf [%s]:",
      "Mettre les cases sélectionnées à [%s] :", "Nastavit vybrané buňky na [%s]:"},
     {},
     1},
    {PromptAdd,
     0,
     {"Add to the selected cells [%s]:", "Zu den ausgewählten Zellen addieren [%s]:",
      "Ajouter aux cases sélectionnées [%s] :", "Přičíst k vybraným buňkám [%s]:"},
     {},
     1},
    {PromptSubtract,
     0,
     {"Subtract from the selected cells [%s]:", "Von den ausgewählten Zellen subtrahieren [%s]:",
      "Soustraire des cases sélectionnées [%s] :", "Odečíst od vybraných buněk [%s]:"},
     {},
     1},
    {PromptScale,
     0,
     {"Percent of the present values (100 = unchanged, 110 = ten percent more):",
      "Prozent der jetzigen Werte (100 = unverändert, 110 = zehn Prozent mehr):",
      "Pourcentage des valeurs actuelles (100 = inchangé, 110 = dix pour cent de plus) :",
      "Procenta současných hodnot (100 = beze změny, 110 = o deset procent víc):"}},
    {PromptRpmAxis,
     0,
     {"New RPM heads in rpm, rising from left to right:",
      "Neue Drehzahlpunkte in U/min, von links nach rechts "
      "steigend:",
      "Nouveaux régimes en tr/min, croissants de gauche à droite :",
      "Nové body otáček v ot/min, stoupající zleva doprava:"}},
    {LegendMinimum, 1, {"min %d", "min. %d", "min. %d", "min. %d"}},
    {LegendMaximum, 1, {"max %d", "max. %d", "max. %d", "max. %d"}},
    {CsvFileFilter, 0, {"CSV files (*.csv)", "CSV-Dateien (*.csv)", "Fichiers CSV (*.csv)", "Soubory CSV (*.csv)"}},
    {ValueOutOfRange,
     0,
     {"%s: %s is outside the range %s; nothing was changed",
      "%s: %s liegt außerhalb des Bereichs %s; nichts wurde geändert",
      "%s : %s est hors de la plage %s ; rien n'a été modifié", "%s: %s je mimo rozsah %s; nic nebylo změněno"},
     {},
     3},
    {CellPlace, 0, {"Row %s, %s rpm", "Zeile %s, %s U/min", "Ligne %s, %s tr/min", "Řádek %s, %s ot/min"}, {}, 2},
    {RangeText, 0, {"%s to %s %s", "%s bis %s %s", "%s à %s %s", "%s až %s %s"}, {}, 3},
    {CellsChangedHeld,
     2,
     {"%d cells changed; values held at the end of their range: %d",
      "%d Zellen geändert; an der Bereichsgrenze gehaltene Werte: %d",
      "%d cases modifiées ; valeurs maintenues à la limite de leur plage : %d",
      "Změněno buněk: %d; hodnot podržených na mezi rozsahu: %d"},
     {"1 cell changed; values held at the end of their range: %d",
      "1 Zelle geändert; an der Bereichsgrenze gehaltene Werte: %d",
      "1 case modifiée ; valeurs maintenues à la limite de leur plage : %d",
      "Změněna 1 buňka; hodnot podržených na mezi rozsahu: %d"}},
    {CellsPastedHeld,
     2,
     {"%d cells pasted; values held at the end of their range: %d",
      "%d Zellen eingefügt; an der Bereichsgrenze gehaltene Werte: %d",
      "%d cases collées ; valeurs maintenues à la limite de leur plage : %d",
      "Vloženo buněk: %d; hodnot podržených na mezi rozsahu: %d"},
     {"1 cell pasted; values held at the end of their range: %d",
      "1 Zelle eingefügt; an der Bereichsgrenze gehaltene Werte: %d",
      "1 case collée ; valeurs maintenues à la limite de leur plage : %d",
      "Vložena 1 buňka; hodnot podržených na mezi rozsahu: %d"}},
    {MapImportedHeld,
     1,
     {"Map imported; values held at the end of their range: %d",
      "Kennfeld importiert; an der Bereichsgrenze gehaltene Werte: %d",
      "Cartographie importée ; valeurs maintenues à la limite de leur plage : %d",
      "Mapa importována; hodnot podržených na mezi rozsahu: %d"}},
    {FieldRounded,
     0,
     {"%s: %s stored as %s, the nearest value the unit holds",
      "%s: %s als %s gespeichert, der nächste Wert, den das "
      "Steuergerät hält",
      "%s : %s enregistré comme %s, la valeur la plus proche que le boîtier garde",
      "%s: %s uloženo jako %s, nejbližší hodnota, kterou jednotka pojme"},
     {},
     3},
};

// Menu items keep the plain captions of the Tools menu (no accelerators): the grid's keys and
// the shortcuts of the menu structure reach them.
constexpr CaptionRow kCaptionRows[] = {
    {"MenuMapSelectAll", MenuCaption, {"Select all", "Alles auswählen", "Tout sélectionner", "Vybrat vše"}},
    {"MenuMapCopy", MenuCaption, {"Copy", "Kopieren", "Copier", "Kopírovat"}},
    {"MenuMapCopyWithHeads",
     MenuCaption,
     {"Copy map with heads", "Kennfeld mit Achsen kopieren", "Copier la cartographie avec ses en-têtes",
      "Kopírovat mapu se záhlavími"}},
    {"MenuMapPaste", MenuCaption, {"Paste", "Einfügen", "Coller", "Vložit"}},
    {"MenuMapSetValue", MenuCaption, {"Set value...", "Wert setzen...", "Fixer la valeur...", "Nastavit hodnotu..."}},
    {"MenuMapAdd", MenuCaption, {"Add...", "Addieren...", "Ajouter...", "Přičíst..."}},
    {"MenuMapSubtract", MenuCaption, {"Subtract...", "Subtrahieren...", "Soustraire...", "Odečíst..."}},
    {"MenuMapScale",
     MenuCaption,
     {"Scale by percent...", "Prozentual skalieren...", "Multiplier en pour cent...", "Vynásobit v procentech..."}},
    {"MenuMapInterpolateHorizontal",
     MenuCaption,
     {"Interpolate horizontally", "Waagerecht interpolieren", "Interpoler horizontalement", "Interpolovat vodorovně"}},
    {"MenuMapInterpolateVertical",
     MenuCaption,
     {"Interpolate vertically", "Senkrecht interpolieren", "Interpoler verticalement", "Interpolovat svisle"}},
    {"MenuMapInterpolateBoth",
     MenuCaption,
     {"Interpolate both ways", "In beide Richtungen interpolieren", "Interpoler dans les deux sens",
      "Interpolovat oběma směry"}},
    {"MenuMapSmooth", MenuCaption, {"Smooth", "Glätten", "Lisser", "Vyhladit"}},
    {"MenuMapFillLive",
     MenuCaption,
     {"Fill with the live cell's value", "Mit dem Wert des Betriebspunkts füllen",
      "Remplir avec la valeur de la case active", "Vyplnit hodnotou pracovního bodu"}},
    {"MenuMapChangeRpmAxis",
     MenuCaption,
     {"Change RPM axis...", "Drehzahlachse ändern...", "Modifier l'axe de régime...", "Změnit osu otáček..."}},
    {"MenuMapExportCsv",
     MenuCaption,
     {"Export map as CSV...", "Kennfeld als CSV exportieren...", "Exporter la cartographie en CSV...",
      "Exportovat mapu do CSV..."}},
    {"MenuMapImportCsv",
     MenuCaption,
     {"Import map from CSV...", "Kennfeld aus CSV importieren...", "Importer une cartographie depuis un CSV...",
      "Importovat mapu z CSV..."}},
    {"CheckBoxColours_Uni", Caption, {"Colours", "Farben", "Couleurs", "Barvy"}},
    {"CheckBoxColours_Uni",
     Hint,
     {"Colour by value|Colours every cell from blue (the lowest value of the map) to red (the highest)",
      "Farbe nach Wert|Färbt jede Zelle von Blau (kleinster Wert des Kennfelds) bis Rot (größter Wert)",
      "Couleur selon la valeur|Colore chaque case du bleu (plus petite valeur de la cartographie) au rouge (plus "
      "grande)",
      "Barva podle hodnoty|Obarví každou buňku od modré (nejmenší hodnota mapy) po červenou (největší)"}},
    {"MenuMapPaste",
     Hint,
     {"|Pastes a block from a spreadsheet at the selected cell, or a whole map with its heads",
      "|Fügt einen Block aus einer Tabellenkalkulation an der gewählten Zelle ein, oder ein ganzes Kennfeld mit "
      "Achsen",
      "|Colle un bloc venant d'un tableur à la case sélectionnée, ou une cartographie entière avec ses en-têtes",
      "|Vloží blok z tabulkového procesoru na vybranou buňku, nebo celou mapu se záhlavími"}},
    {"MenuMapInterpolateBoth",
     Hint,
     {"|Fills the selection between its four corner cells", "|Füllt die Auswahl zwischen ihren vier Eckzellen",
      "|Remplit la sélection entre ses quatre cases d'angle", "|Vyplní výběr mezi jeho čtyřmi rohovými buňkami"}},
    {"MenuMapSmooth",
     Hint,
     {"|Weighted mean of each cell with its eight neighbours; the edge of the selection stays",
      "|Gewichtetes Mittel jeder Zelle mit ihren acht Nachbarn; der Rand der Auswahl bleibt",
      "|Moyenne pondérée de chaque case avec ses huit voisines ; le bord de la sélection reste",
      "|Vážený průměr každé buňky s jejími osmi sousedy; okraj výběru zůstane"}},
    {"MenuMapFillLive",
     Hint,
     {"|Sets the selected cells to the value of the cell the engine runs in",
      "|Setzt die ausgewählten Zellen auf den Wert der Zelle, in der der Motor gerade läuft",
      "|Met les cases sélectionnées à la valeur de la case où tourne le moteur",
      "|Nastaví vybrané buňky na hodnotu buňky, ve které motor právě běží"}},
    {"MenuMapChangeRpmAxis",
     Hint,
     {"|New RPM heads; the map is interpolated so that the engine gets the same values at the heads kept",
      "|Neue Drehzahlpunkte; das Kennfeld wird so interpoliert, dass der Motor an beibehaltenen Punkten dieselben "
      "Werte erhält",
      "|Nouveaux régimes ; la cartographie est interpolée pour que le moteur garde les mêmes valeurs aux régimes "
      "conservés",
      "|Nové body otáček; mapa se přepočte interpolací tak, aby motor v zachovaných bodech dostal stejné "
      "hodnoty"}},
    {"MenuMapExportCsv",
     Hint,
     {"|Writes the active map with its heads into a CSV file, in the units the page shows",
      "|Schreibt das aktive Kennfeld mit Achsen in eine CSV-Datei, in den Einheiten der Seite",
      "|Écrit la cartographie active avec ses en-têtes dans un fichier CSV, dans les unités de la page",
      "|Zapíše aktivní mapu se záhlavími do souboru CSV v jednotkách, které záložka ukazuje"}},
    {"MenuMapImportCsv",
     Hint,
     {"|Reads the active map with its heads from a CSV file, in the units the page shows",
      "|Liest das aktive Kennfeld mit Achsen aus einer CSV-Datei, in den Einheiten der Seite",
      "|Lit la cartographie active avec ses en-têtes depuis un fichier CSV, dans les unités de la page",
      "|Načte aktivní mapu se záhlavími ze souboru CSV v jednotkách, které záložka ukazuje"}},
};

const MessageRow& rowOf(MapEditMessage message)
{
    const auto row = std::ranges::find(kMessages, message, &MessageRow::message);
    return row != std::end(kMessages) ? *row : kMessages[0];
}

} // namespace

int argumentCount(MapEditMessage message)
{
    return rowOf(message).arguments;
}

int wordCount(MapEditMessage message)
{
    return rowOf(message).words;
}

std::string_view mapEditFormat(MapEditMessage message, Language language)
{
    return textIn(rowOf(message).texts, language);
}

std::string_view mapEditSingular(MapEditMessage message, Language language)
{
    return textIn(rowOf(message).singular, language);
}

namespace {

// "Row 20%, 3000 rpm: 75 deg is outside the range 0 to 60 deg": the place, the value and the
// range put together in the language. Words: row head, RPM head (empty for a parameter, whose
// name is the row head), value, lowest, highest, unit (empty where a parameter has none).
std::string outOfRangeText(const MapEditStatus& status, Language language)
{
    std::array<std::string, 6> w;
    for (std::size_t i = 0; i < w.size() && i < status.words.size(); ++i)
        w.at(i) = status.words[i];
    const auto withUnit = [&](const std::string& value) { return w[5].empty() ? value : value + " " + w[5]; };
    const std::string place =
        w[1].empty() ? w[0] : formatText(mapEditFormat(CellPlace, language), w[0].c_str(), w[1].c_str());
    std::string range = formatText(mapEditFormat(RangeText, language), w[3].c_str(), w[4].c_str(), w[5].c_str());
    while (!range.empty() && range.back() == ' ')
        range.pop_back();
    return formatText(mapEditFormat(ValueOutOfRange, language), place.c_str(), withUnit(w[2]).c_str(), range.c_str());
}

} // namespace

std::string mapEditText(const MapEditStatus& status, Language language)
{
    if (status.message == ValueOutOfRange)
        return outOfRangeText(status, language);
    const std::string_view singular = mapEditSingular(status.message, language);
    if (status.first == 1 && !singular.empty())
        return argumentCount(status.message) == 2 ? formatText(singular, status.second) : std::string(singular);
    const std::string_view format = mapEditFormat(status.message, language);
    const auto word = [&](std::size_t i) { return i < status.words.size() ? status.words[i].c_str() : ""; };
    switch (wordCount(status.message)) {
    case 1:
        return formatText(format, word(0));
    case 2:
        return formatText(format, word(0), word(1));
    case 3:
        return formatText(format, word(0), word(1), word(2));
    default:
        break;
    }
    switch (argumentCount(status.message)) {
    case 1:
        return formatText(format, status.first);
    case 2:
        return formatText(format, status.first, status.second);
    default:
        return std::string(format);
    }
}

std::span<const CaptionRow> mapEditCaptionRows()
{
    return kCaptionRows;
}

} // namespace quorvel
