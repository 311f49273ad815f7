#include "texts/language_table.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace quorvel {
namespace {

constexpr int kLanguageCount = 4;

struct MessageRow {
    int number;
    std::array<std::string_view, kLanguageCount> variants; // English, German, French, Czech
};

// The texts as the unit's users know them, trailing spaces included. The French texts hold
// the bytes E0 and E8 of their code page, shown as "à" and "è". Text 32 holds only its lead;
// the composition below completes it.
constexpr MessageRow kMessageRows[] = {
    {4, {"quorvel_2007_en.pdf", "quorvel_2007_de.pdf", "quorvel_2007_fr.pdf", "quorvel_2007_cz.pdf"}},
    {5, {"Program error!", "Programmierfehler!", "Erreur de programmation!", "Chyba programování"}},
    {6, {"Verify error!", "Vergleichsfehler", "Verifier erreur!", "Chyba verifikace!"}},
    {7, {"Read error!", "Lesefehler", "Lire erreur!", "Chyba čtení!"}},
    {8, {"Program device:", "Programmieren:", "Programmer:", "Programování:"}},
    {9,
     {"Unmatched version of PC and Ignition programs!",
      "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
      "Programme du boitier d´alumage non compatible avec programme PC!",
      "Neshodné verze proramu v PC a v zapalování!"}},
    {10, {"Verify:", "Vergleichen:", "Vérifier:", "Verifikace:"}},
    {11, {"Read:", "Lesen:", "Lire", "Čtení:"}},
    {12, {"Advance", "Vorzündung", "Avance", "Předstih"}},
    {13,
     {"Number of Programing = ", "Programmierungsanzahl = ", "Nombre de programmations = ", "Počet programování = "}},
    {14, {"Blocking ", "Blockierung ", "Blocage ", "Blokování "}},
    {15, {"Start limiter", "Start Begrenzer", "Limitateur départ", "Startovací omezovač"}},
    {16, {"Limiter by ignition", "Begrenzer - Zündung", "Limiter by ignition", "Omezovač zápalem"}},
    {17, {"Limiter by injection", "Begrenzer - Einspritz", "Limiter by injection", "Omezovač vstřikem"}},
    {18, {"Limiter by retard", "Begrenzer - Spätzündung", "Limiter by retard", "Omezovač předstihem"}},
    {19, {"YES", "JA", "Oui", "ANO"}},
    {20, {"NO", "NEIN", "Non", "NE"}},
    {21, {"Twinkle", "Blinken", "Twinkle", "Bliká"}},
    {25,
     {"Com opening error!", "Falscher COM-Anschlußes!", "Erreur connections PC!", "Chyba při otevírání portu Com!"}},
    {26,
     {"Open file error!", "Fehler beim öffnen der Datei!", "Erreur ouvertur fichier!", "Chyba při otevírání souboru!"}},
    {27,
     {"Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?",
      "Voulez vous la programation de base?", "Chcete nastavit základní hodnoty?"}},
    {28,
     {"Do you want default setting for this page?", "Wollen Sie Standardeinstellungen für diese Seite öffnen?",
      "Voulez vous la programation de base pour page?", "Chcete nastavit základní hodnoty pro tuto záložku?"}},
    {29,
     {"Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!",
      "Programme du fichier non compatible avec programme PC!", "Neshodná verze souboru *.ign!"}},
    {31,
     {"Date and time of printing:  ", "Zeitpunkt des Ausdruckes   ",
      "Date et heur de l´imprimé:   ", "Datum a čas tisku:  "}},
    {32,
     {"Error by opening file ", "Fehler beim öffnen der Datei ", "Erreur à l´ouvertur du Fichier ",
      "Chyba při otevírání souboru "}},
    {33, {"Pick-up (CKPS)", "Geber (CKPS)", "Capteur (CKPS)", "Snímač (CKPS)"}},
    {34, {"Pick-up (CMPS)", "Geber (CMPS)", "Capteur (CMPS)", "Snímač (CMPS)"}},
    {35, {" is running", " läuft", " fonctionne", " pracuje"}},
    {36, {" no signal", " kein Signal", " pas de signal", " bez signálu"}},
    {38,
     {"This version of program Quorvel_Halvex.exe is not for required bike!",
      "Diese Version des Programs Quorvel_Halvex.exe ist nicht für angeforderte Motorrad!",
      "This version of program Quorvel_Halvex.exe is not for required bike!",
      "Tato verze programu Quorvel_Halvex.exe není pro požadovanou motorku!"}},
    {39, {"Base advance [°]", "Basis Vorzündung [°]", "Avance de base [°]", "Základní předstih [°]"}},
    {40, {"Saving:", "Speicherung:", "Mémorisation", "Ukládání:"}},
    {41, {"Injection time", "Einspritzzeit", "Temp de injection", "Čas vstřiku"}},
    {42, {"Max injection", "Max.Einspritz", "Max injection", "Max. vstřik"}},
    {43, {"Position", "Lage", "Positon", "Poloha"}},
    {44, {"Exhaust servo ", "Abblaseservo", "Exhaust servo ", "Výfuk. servo "}},
    {45, {"Intake servo", "Ansaugservo", "Intake servo", "Sací servo "}},
    {47, {"Potentiometer", "Potentiometer", "Potentiometer", "Potenciometr"}},
    {48, {"Fall sensor", "Fallsensor", "Fall sensor", "Pádový senzor"}},
    {49, {"Cooling", "Kühlung", "Cooling", "Chlazení"}},
    {50, {"Gear", "Gang", "Gear", "Rychlost. stupeň"}},
    {51, {"Speed", "Geschwindigkeit", "Vitesse", "Rychlost"}},
    {52, {"Gear Shift Light", "Schaltblitz", "Retard à l´allumage", "Kontrolka řazení"}},
    {53, {"Choke", "Startvergaser", "Choke", "Sytič"}},
    {54, {"IAP -> TP ", "IAP -> TP ", "IAP -> TP ", "IAP -> TP "}},
    {55, {"Hysteresis [mV]", "Hysteresis [mV]", "Hysteresis [mV]", "Hystereze [mV]"}},
    {56, {"Width of Lobe [°]", "Leitstückbreite [°]", "Width of Lobe [°]", "Šířka výstupku [°]"}},
    {57, {"Correction for cylinder", "Korrektion für Zylinder", "Correction for cylinder", "Korekce pro válec"}},
    {58, {"TPS min", "TPS min", "TPS min", "TPS min"}},
    {59, {"TPS max", "TPS max", "TPS max", "TPS max"}},
    {60, {"RPM min", "RPM min", "RPM min", "RPM min"}},
    {61, {"RPM max", "RPM max", "RPM max", "RPM max"}},
    {62, {"Clutch master", "Schaltautomat", "Clutch master", "Clutch master"}},
    {63, {"Tacho", "Tacho", "Tacho", "Tacho"}},
    {64, {"Lambda", "Lambda", "Lambda", "Lambda"}},
    {66, {"Jet according TPS", "Jet nach TPS", "Jet according TPS", "Jet dle TPS"}},
    {67, {"Period [ms]", "Periode [ms]", "Période [ms]", "Perioda [ms]"}},
    {68, {"Excitation [us]", "Anfachung [us]", "Excitation [us]", "Buzení [us]"}},
    {69, {"Coolant", "Kühlflüssigkeit", "Températur moteur", "Teplota vody"}},
    {70,
     {"Intake servo must be enabled", "Intake servo must be enabled", "Intake servo must be enabled",
      "Musí být povoleno sací servo"}},
    {71,
     {"Intake servo must be disabled", "Intake servo must be disabled", "Intake servo must be disabled",
      "Sací servo nesmí být povoleno"}},
    {73, {"Idle", "Freilauf", "Idle", "Volnoběh"}},
    {74, {"Desired RPM", "Gewünschte RPM", "Desired RPM", "Požadované RPM"}},
    {75,
     {"Start position of intake servo", "Startlage des Ansaugservo", "Start position of intake servo",
      "Start. poloha sacího serva"}},
    {76,
     {"TPS min [in steps of servo]", "TPS min [in schritt des Servo]", "TPS min [in steps of servo]",
      "TPS min [kroku serva]"}},
    {77, {"Min position [%]", "Min Lage [%]", "Min position [%]", "Min. poloha [%]"}},
};

// A piece of a composed text: another text's variant in the same language, or a fixed string.
struct Piece {
    int textNumber = 0; // 0 for a literal
    std::string_view literal;
};

struct ComposedText {
    int number;
    std::array<Piece, 3> pieces;
};

constexpr ComposedText kComposedTexts[] = {
    {32, {Piece{32, {}}, Piece{4, {}}, Piece{0, " !"}}},
    {65, {Piece{63, {}}, Piece{0, "/"}, Piece{64, {}}}},
};

constexpr bool rowsAreOrderedAndInRange()
{
    int previous = LanguageTable::kFirstText - 1;
    for (const MessageRow& row : kMessageRows) {
        if (row.number <= previous || row.number > LanguageTable::kLastText)
            return false;
        previous = row.number;
    }
    return true;
}
static_assert(rowsAreOrderedAndInRange());

std::string_view variantOf(int number, Language language)
{
    const auto* row = std::ranges::find(kMessageRows, number, &MessageRow::number);
    if (row == std::end(kMessageRows))
        return {};
    return row->variants[static_cast<std::size_t>(language)];
}

} // namespace

LanguageTable::LanguageTable(Language language)
{
    setLanguage(language);
}

void LanguageTable::setLanguage(Language language)
{
    m_language = static_cast<int>(language) < kLanguageCount ? language : Language::English;
    for (std::string& text : m_current)
        text.clear();
    for (const MessageRow& row : kMessageRows)
        m_current[static_cast<std::size_t>(row.number)] = row.variants[static_cast<std::size_t>(m_language)];
    // Composed from the table's own variants, so the result never depends on the order of
    // the compositions.
    for (const ComposedText& composed : kComposedTexts) {
        std::string result;
        for (const Piece& piece : composed.pieces)
            result += piece.textNumber == 0 ? piece.literal : variantOf(piece.textNumber, m_language);
        m_current[static_cast<std::size_t>(composed.number)] = std::move(result);
    }
}

std::string_view LanguageTable::text(int number) const
{
    if (number < kFirstText || number > kLastText)
        return {};
    return m_current[static_cast<std::size_t>(number)];
}

std::string_view cylinderListSuffix(std::uint8_t cylinderCount)
{
    switch (cylinderCount) {
    case 1:
        return " 1";
    case 2:
        return " 1,2";
    case 3:
        return " 1,2,3";
    default:
        return " 1,2,3,4";
    }
}

} // namespace quorvel
