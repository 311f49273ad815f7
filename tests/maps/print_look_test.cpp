#include "maps/print_look.h"

#include "texts/about_texts.h"
#include "texts/language_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace quorvel {
namespace {

int countOf(const PrintLook& look, std::string_view name, PrintHiding hiding)
{
    return static_cast<int>(std::ranges::count_if(
        look.hidden, [&](const PrintHiddenControl& c) { return c.key.name == name && c.hiding == hiding; }));
}

TEST(PrintLook, CzechStatusLineHasTheDateFourSpacesAndTheTime)
{
    const LanguageTable czech(Language::Czech);
    EXPECT_EQ(printStatusLine(czech, "06.10.2007", "23:22"), "Datum a čas tisku:  06.10.2007    23:22");
    const LanguageTable german(Language::German);
    EXPECT_EQ(printLook(german, kPageBike, "6.10.07", "9:05").statusLine, "Zeitpunkt des Ausdruckes   6.10.07    9:05");
}

TEST(PrintLook, SpinButtonsGoButTheValuesStay)
{
    const PrintLook look = printLook(LanguageTable(Language::English), kPageInj1A, "d", "t");
    EXPECT_EQ(countOf(look, "UpDownMap_Uni", PrintHiding::SpinButtons), 150);
    EXPECT_EQ(countOf(look, "UpDownRpm_Uni", PrintHiding::SpinButtons), 15);
    EXPECT_EQ(countOf(look, "CSpinButtonColumn_Uni", PrintHiding::Control), 15);
    EXPECT_EQ(countOf(look, "UpDownExtra_Uni", PrintHiding::SpinButtons), 6);
    int positionUpDowns = 0;
    for (std::string_view name : {"UpDownPolohaARpm", "UpDownPolohaA", "UpDownPolohaBRpm", "UpDownPolohaB"})
        positionUpDowns += countOf(look, name, PrintHiding::SpinButtons);
    EXPECT_EQ(positionUpDowns, 60);
    EXPECT_EQ(countOf(look, "UpDownKorVoda", PrintHiding::SpinButtons) +
                  countOf(look, "UpDownKorVzduch", PrintHiding::SpinButtons),
              10);
    EXPECT_EQ(countOf(look, "UpDownChlazeni", PrintHiding::SpinButtons), 1);
    EXPECT_EQ(countOf(look, "CGaugeRpm", PrintHiding::Control), 1);
    EXPECT_EQ(countOf(look, "StatusBar1", PrintHiding::Control), 1);
    EXPECT_EQ(countOf(look, "LabelSpojeni", PrintHiding::Control), 1);
    EXPECT_EQ(countOf(look, "CGaugeProgram", PrintHiding::Control), 1);
    // Every up-down keeps its field on paper; every other control goes as a whole.
    for (const PrintHiddenControl& control : look.hidden)
        EXPECT_EQ(control.key.name.starts_with("UpDown"), control.hiding == PrintHiding::SpinButtons)
            << control.key.objectName();
}

TEST(PrintLook, NothingIsHiddenTwice)
{
    const PrintLook look = printLook(LanguageTable(Language::English), kPageBike, "d", "t");
    std::set<std::string> names;
    for (const PrintHiddenControl& control : look.hidden)
        EXPECT_TRUE(names.insert(control.key.objectName()).second) << control.key.objectName();
}

TEST(PrintLook, OnlyTheCurrentTabIsShownAndTheRowLabelsAreWhite)
{
    const PrintLook look = printLook(LanguageTable(Language::English), kPageGas, "d", "t");
    for (int page = 0; page < kPageCount; ++page)
        EXPECT_EQ(look.tabVisible[static_cast<std::size_t>(page)], page == kPageGas) << page;
    EXPECT_EQ(look.whiteBackground.size(), 11u);
    EXPECT_EQ(look.whiteBackground.front().objectName(), "LabelHlaseni");
    EXPECT_EQ(look.whiteBackground.back().objectName(), "LabelRow_Uni9");
}

TEST(AboutTexts, CaptionFollowsTheLanguageAndVersionIsTheUnitProgram)
{
    EXPECT_EQ(aboutCaption(Language::English), "About Quorvel_2007");
    EXPECT_EQ(aboutCaption(Language::German), "Über Programm Quorvel_2007");
    EXPECT_EQ(aboutCaption(Language::French), "Information Quorvel_2007");
    EXPECT_EQ(aboutCaption(Language::Czech), "O programu Quorvel_2007");
    EXPECT_EQ(aboutVersionText(), "Version - 71");
}

TEST(AboutTexts, ManualIsTheFileOfTheLanguageInTheProgramDirectory)
{
    EXPECT_EQ(manualPath("/opt/quorvel", LanguageTable(Language::Czech)),
              std::filesystem::path("/opt/quorvel/quorvel_2007_cz.pdf"));
    EXPECT_EQ(manualPath("/opt/quorvel/", LanguageTable(Language::English)),
              std::filesystem::path("/opt/quorvel/quorvel_2007_en.pdf"));
}

} // namespace
} // namespace quorvel
