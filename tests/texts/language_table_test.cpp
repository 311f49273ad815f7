#include "texts/language_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorvel {
namespace {

struct TextCase {
    int number;
    Language language;
    std::string_view expected;
};

class LanguageTableTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(LanguageTableTexts, NumberReadsTheVariantOfTheCurrentLanguage)
{
    const TextCase& c = GetParam();
    const LanguageTable table(c.language);
    EXPECT_EQ(table.text(c.number), c.expected);
}

// The texts the link shows, the edges of the table, trailing spaces and the composed texts.
INSTANTIATE_TEST_SUITE_P(
    Table, LanguageTableTexts,
    ::testing::Values(TextCase{4, Language::English, "quorvel_2007_en.pdf"},
                      TextCase{4, Language::Czech, "quorvel_2007_cz.pdf"},
                      TextCase{5, Language::German, "Programmierfehler!"},
                      TextCase{6, Language::French, "Verifier erreur!"}, TextCase{7, Language::Czech, "Chyba čtení!"},
                      TextCase{8, Language::English, "Program device:"},
                      TextCase{9, Language::English, "Unmatched version of PC and Ignition programs!"},
                      TextCase{10, Language::French, "Vérifier:"}, TextCase{11, Language::French, "Lire"},
                      TextCase{25, Language::German, "Falscher COM-Anschlußes!"},
                      TextCase{31, Language::German, "Zeitpunkt des Ausdruckes   "},
                      TextCase{31, Language::English, "Date and time of printing:  "},
                      TextCase{40, Language::Czech, "Ukládání:"}, TextCase{40, Language::French, "Mémorisation"},
                      TextCase{44, Language::English, "Exhaust servo "}, TextCase{44, Language::German, "Abblaseservo"},
                      TextCase{32, Language::English, "Error by opening file quorvel_2007_en.pdf !"},
                      TextCase{32, Language::French, "Erreur à l´ouvertur du Fichier quorvel_2007_fr.pdf !"},
                      TextCase{32, Language::Czech, "Chyba při otevírání souboru quorvel_2007_cz.pdf !"},
                      TextCase{52, Language::French, "Retard à l´allumage"},
                      TextCase{65, Language::German, "Tacho/Lambda"}, TextCase{77, Language::German, "Min Lage [%]"}));

TEST(LanguageTable, FrenchBytesE0AreShownAsAGrave)
{
    const LanguageTable table(Language::French);
    const std::string_view text = table.text(52);
    // "à" in UTF-8, never the "ŕ" that the Central European code page would show.
    EXPECT_NE(text.find("\xC3\xA0"), std::string_view::npos);
    EXPECT_EQ(text.find("\xC5\x95"), std::string_view::npos);
}

TEST(LanguageTable, EveryUsedNumberHasATextInEveryLanguageAndUnusedNumbersAreEmpty)
{
    const std::set<int> unused{22, 23, 24, 30, 37, 46, 72};
    for (Language language : {Language::English, Language::German, Language::French, Language::Czech}) {
        const LanguageTable table(language);
        for (int n = LanguageTable::kFirstText; n <= LanguageTable::kLastText; ++n)
            EXPECT_EQ(table.text(n).empty(), unused.contains(n)) << "text " << n;
        EXPECT_TRUE(table.text(3).empty());
        EXPECT_TRUE(table.text(78).empty());
        EXPECT_TRUE(table.text(-1).empty());
    }
}

TEST(LanguageTable, SwitchingLanguageRenewsPlainAndComposedTexts)
{
    LanguageTable table(Language::Czech);
    table.setLanguage(Language::English);
    EXPECT_EQ(table.language(), Language::English);
    EXPECT_EQ(table.text(11), "Read:");
    EXPECT_EQ(table.text(32), "Error by opening file quorvel_2007_en.pdf !");
}

TEST(LanguageTable, CylinderSuffixFollowsTheCylinderCount)
{
    EXPECT_EQ(cylinderListSuffix(1), " 1");
    EXPECT_EQ(cylinderListSuffix(2), " 1,2");
    EXPECT_EQ(cylinderListSuffix(3), " 1,2,3");
    EXPECT_EQ(cylinderListSuffix(4), " 1,2,3,4");
    EXPECT_EQ(cylinderListSuffix(0), " 1,2,3,4");
    EXPECT_EQ(cylinderListSuffix(255), " 1,2,3,4");
}

} // namespace
} // namespace quorvel
