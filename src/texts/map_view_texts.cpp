#include "texts/map_view_texts.h"

namespace quorvel {
namespace {

using enum CaptionKind;

// English, German, French, Czech.
constexpr CaptionRow kCaptions[] = {
    {"DockWidgetView3D", Caption, {"3D view", "3D-Ansicht", "Vue 3D", "3D pohled"}},
    {"DockWidgetCurve", Caption, {"Curve", "Kurve", "Courbe", "Křivka"}},
    {"MenuView", MenuCaption, {"&View", "&Ansicht", "&Affichage", "&Zobrazení"}},
    {"MenuView3D", MenuCaption, {"&3D view", "&3D-Ansicht", "Vue &3D", "&3D pohled"}},
    {"MenuViewCurve", MenuCaption, {"C&urve view", "K&urvenansicht", "Vue en c&ourbe", "Zobrazení &křivky"}},
    {"ToolButtonView3D",
     Hint,
     {"3D view of the map|Shows the active map as a surface beside the grid",
      "3D-Ansicht des Kennfelds|Zeigt das aktive Kennfeld als Fläche neben der Tabelle",
      "Vue 3D de la cartographie|Affiche la cartographie active en surface à côté du tableau",
      "3D pohled na mapu|Zobrazí aktivní mapu jako plochu vedle tabulky"}},
    {"ToolButtonViewCurve",
     Hint,
     {"Curve view|Shows a row, a column or a curve of the page as a line chart",
      "Kurvenansicht|Zeigt eine Zeile, eine Spalte oder eine Kurve der Seite als Liniendiagramm",
      "Vue en courbe|Affiche une ligne, une colonne ou une courbe de la page sous forme de graphique",
      "Zobrazení křivky|Zobrazí řádek, sloupec nebo křivku záložky jako spojnicový graf"}},
    {"MenuCurveRow",
     MenuCaption,
     {"Show row as curve", "Zeile als Kurve zeigen", "Afficher la ligne en courbe", "Zobrazit řádek jako křivku"}},
    {"MenuCurveColumn",
     MenuCaption,
     {"Show column as curve", "Spalte als Kurve zeigen", "Afficher la colonne en courbe",
      "Zobrazit sloupec jako křivku"}},
};

constexpr KeyedText kTexts[] = {
    // Messages of the panes.
    {"View3DNeedsOpenGl",
     {"3D view needs OpenGL, which is not available here",
      "Die 3D-Ansicht braucht OpenGL, das hier nicht verfügbar ist",
      "La vue 3D nécessite OpenGL, qui n'est pas disponible ici",
      "3D pohled potřebuje OpenGL, které zde není k dispozici"}},
    {"View3DOneLine",
     {"This page shows one row or one column: see the curve view",
      "Diese Seite zeigt nur eine Zeile oder Spalte: siehe Kurvenansicht",
      "Cette page n'affiche qu'une ligne ou une colonne : voir la vue en courbe",
      "Tato záložka zobrazuje jen jeden řádek nebo sloupec: viz zobrazení křivky"}},
    {"View3DNoMap",
     {"No map on this page", "Kein Kennfeld auf dieser Seite", "Pas de cartographie sur cette page",
      "Na této záložce není žádná mapa"}},
    {"CurveChooseSlice",
     {"Choose a row or a column of the map", "Wählen Sie eine Zeile oder Spalte des Kennfelds",
      "Choisissez une ligne ou une colonne de la cartographie", "Zvolte řádek nebo sloupec mapy"}},
    {"CurveNone",
     {"No curve on this page", "Keine Kurve auf dieser Seite", "Pas de courbe sur cette page",
      "Na této záložce není žádná křivka"}},
    {"CurveLivePoint", {"Engine now", "Motor jetzt", "Moteur actuel", "Motor nyní"}},
    // Why the 3D view, the curves and the log viewer are greyed; %s names the module file, or
    // what the loader said of it.
    {"ViewsModuleMissing",
     {"Not installed: the 3D view, the curve view and the log viewer need %s beside the program",
      "Nicht installiert: 3D-Ansicht, Kurvenansicht und Aufzeichnungsansicht brauchen %s beim Programm",
      "Non installé : la vue 3D, la vue en courbe et la visionneuse d'enregistrements nécessitent %s à côté "
      "du programme",
      "Nenainstalováno: 3D pohled, zobrazení křivky a prohlížeč záznamů potřebují %s vedle programu"}},
    {"ViewsModuleBroken",
     {"The 3D view, the curve view and the log viewer could not be loaded: %s",
      "3D-Ansicht, Kurvenansicht und Aufzeichnungsansicht konnten nicht geladen werden: %s",
      "La vue 3D, la vue en courbe et la visionneuse d'enregistrements n'ont pas pu être chargées : %s",
      "3D pohled, zobrazení křivky a prohlížeč záznamů nelze načíst: %s"}},

    // Curve names.
    {"CurveMapRow", {"Row %s", "Zeile %s", "Ligne %s", "Řádek %s"}},
    {"CurveMapColumn", {"Column %s", "Spalte %s", "Colonne %s", "Sloupec %s"}},
    {"CurvePositionA", {"Injection position A", "Einspritzlage A", "Position d'injection A", "Poloha vstřiku A"}},
    {"CurvePositionB", {"Injection position B", "Einspritzlage B", "Position d'injection B", "Poloha vstřiku B"}},
    {"CurveKorVoda",
     {"Injection correction by coolant", "Einspritzkorrektur nach Kühlmittel",
      "Correction d'injection selon le liquide de refroidissement", "Korekce vstřiku podle chladicí kapaliny"}},
    {"CurveKorVzduch",
     {"Injection correction by intake air", "Einspritzkorrektur nach Ansaugluft",
      "Correction d'injection selon l'air d'admission", "Korekce vstřiku podle nasávaného vzduchu"}},
    {"CurveIgnVoda",
     {"Advance correction by coolant", "Zündzeitpunktkorrektur nach Kühlmittel",
      "Correction d'avance selon le liquide de refroidissement", "Korekce předstihu podle chladicí kapaliny"}},
    {"CurveStart",
     {"Starting correction at -10 °C", "Startkorrektur bei -10 °C", "Correction de démarrage à -10 °C",
      "Startovací korekce při -10 °C"}},
    {"CurveIdleServoPoz",
     {"Idle target by coolant", "Leerlauf-Sollwert nach Kühlmittel",
      "Consigne de ralenti selon le liquide de refroidissement", "Cíl volnoběhu podle chladicí kapaliny"}},
    {"CurveIdleAdvPoz",
     {"Desired idle RPM by coolant", "Leerlauf-Solldrehzahl nach Kühlmittel",
      "Régime de ralenti souhaité selon le liquide de refroidissement",
      "Požadované otáčky volnoběhu podle chladicí kapaliny"}},

    // Axis titles, in the units the pages show.
    {"AxisRpm", {"RPM [rpm]", "Drehzahl [1/min]", "Régime [tr/min]", "Otáčky [ot/min]"}},
    {"AxisThrottle", {"Throttle [%]", "Drosselklappe [%]", "Papillon [%]", "Škrticí klapka [%]"}},
    {"AxisIap", {"Intake pressure [kPa]", "Saugrohrdruck [kPa]", "Pression d'admission [kPa]", "Tlak v sání [kPa]"}},
    {"AxisAdvance", {"Advance [°]", "Vorzündung [°]", "Avance [°]", "Předstih [°]"}},
    // Short enough for the axis of a chart in a dock beside the grid, unit included: the
    // percent is of the reference time, as the grid's own percentages are.
    {"AxisInjectionPercent", {"Injection [%]", "Einspritzung [%]", "Injection [%]", "Vstřik [%]"}},
    {"AxisInjectionMs", {"Injection [ms]", "Einspritzung [ms]", "Injection [ms]", "Vstřik [ms]"}},
    {"AxisInjectionB", {"Injection B", "Einspritzung B", "Injection B", "Vstřik B"}},
    {"AxisServoPercent", {"Servo [%]", "Servo [%]", "Servo [%]", "Servo [%]"}},
    {"AxisServoMillivolts", {"Servo [mV]", "Servo [mV]", "Servo [mV]", "Servo [mV]"}},
    {"AxisInjectionPosition",
     {"Injection position [°]", "Einspritzlage [°]", "Position d'injection [°]", "Poloha vstřiku [°]"}},
    {"AxisCoolantTemperature",
     {"Coolant temperature [°C]", "Kühlmitteltemperatur [°C]", "Température du liquide de refroidissement [°C]",
      "Teplota chladicí kapaliny [°C]"}},
    {"AxisTemperature", {"Temperature [°C]", "Temperatur [°C]", "Température [°C]", "Teplota [°C]"}},
    // The corrections' axes stand up beside a chart a dock high: short, their unit tells them
    // apart and the legend names the curves.
    {"AxisInjectionCorrection", {"Correction [%]", "Korrektur [%]", "Correction [%]", "Korekce [%]"}},
    {"AxisAdvanceCorrection", {"Correction [°]", "Korrektur [°]", "Correction [°]", "Korekce [°]"}},
    {"AxisStartTime",
     {"Time after start [s]", "Zeit nach dem Start [s]", "Temps après le démarrage [s]", "Čas po startu [s]"}},
    {"AxisIdleTarget", {"Idle target", "Leerlauf-Sollwert", "Consigne de ralenti", "Cíl volnoběhu"}},
    {"AxisIdleTargetPercent",
     {"Idle target [%]", "Leerlauf-Sollwert [%]", "Consigne de ralenti [%]", "Cíl volnoběhu [%]"}},
    {"AxisIdleRpm", {"Idle RPM [rpm]", "Leerlauf [1/min]", "Ralenti [tr/min]", "Volnoběh [ot/min]"}},
};

} // namespace

std::span<const CaptionRow> MapViewTexts::captions()
{
    return kCaptions;
}

std::span<const KeyedText> MapViewTexts::texts()
{
    return kTexts;
}

std::optional<std::string_view> MapViewTexts::text(std::string_view key, Language language)
{
    return findKeyedText(kTexts, key, language);
}

} // namespace quorvel
