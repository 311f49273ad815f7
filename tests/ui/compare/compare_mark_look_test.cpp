#include "ui/compare/compare_mark_look.h"

#include "gui_application.h"
#include "ui/binding/colour_palette.h"

#include <QCheckBox>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

CompareMark mark(std::string file, std::string here)
{
    return {FieldControl{"EditKorVoda", 1}, std::move(file), std::move(here)};
}

class CompareMarkLookTest : public test::WidgetTest {
protected:
    CompareMarkLookTest()
    {
        m_field.setToolTip("Coolant correction");
        ColourPalette::paintField(m_field, ColourRole::Lime); // the live mark's background
        m_ownText = m_field.palette().color(QPalette::Text);
    }

    QSpinBox m_field;
    QColor m_ownText;
};

TEST_F(CompareMarkLookTest, MarkColoursTheTextAndNamesBothValuesUntilUnmarked)
{
    markCompared(m_field, mark("57", "50"), Language::English);
    EXPECT_TRUE(isMarkedCompared(m_field));
    EXPECT_EQ(m_field.toolTip(), "file: 57  here: 50");
    EXPECT_EQ(m_field.palette().color(QPalette::Text), ColourPalette::colour(ColourRole::Compare));
    EXPECT_TRUE(m_field.font().bold());
    // The live mark's background is left to the live marks.
    EXPECT_EQ(m_field.palette().color(QPalette::Base), ColourPalette::colour(ColourRole::Lime));

    markCompared(m_field, mark("57", "53"), Language::German); // an edit, then another language
    EXPECT_EQ(m_field.toolTip(), "Datei: 57  hier: 53");
    markCompared(m_field, mark("57", "53"), Language::English, CompareSource::Unit);
    EXPECT_EQ(m_field.toolTip(), "ignition: 57  here: 53");

    unmarkCompared(m_field);
    EXPECT_FALSE(isMarkedCompared(m_field));
    EXPECT_EQ(m_field.toolTip(), "Coolant correction");
    EXPECT_EQ(m_field.palette().color(QPalette::Text), m_ownText);
    EXPECT_FALSE(m_field.font().bold());
    EXPECT_EQ(m_field.palette().color(QPalette::Base), ColourPalette::colour(ColourRole::Lime));
    unmarkCompared(m_field); // twice is harmless
    EXPECT_EQ(m_field.toolTip(), "Coolant correction");
}

TEST_F(CompareMarkLookTest, HintGivenWhileMarkedIsTheOneThatComesBack)
{
    markCompared(m_field, mark("57", "50"), Language::English);
    m_field.setToolTip("Kühlmittelkorrektur"); // the window applied the German hints meanwhile
    markCompared(m_field, mark("57", "50"), Language::German);
    EXPECT_EQ(m_field.toolTip(), "Datei: 57  hier: 50");
    unmarkCompared(m_field);
    EXPECT_EQ(m_field.toolTip(), QString::fromUtf8("Kühlmittelkorrektur"));

    // A hint given while marked and not marked again stays too.
    QCheckBox box("Gas");
    box.setFont([] {
        QFont bold;
        bold.setBold(true);
        return bold;
    }());
    markCompared(box, mark("1", "0"), Language::English);
    box.setToolTip("N2O on");
    unmarkCompared(box);
    EXPECT_EQ(box.toolTip(), "N2O on");
    EXPECT_TRUE(box.font().bold()); // its own weight
}

TEST(CompareColour, StandsApartFromEveryOtherColour)
{
    test::ensureWidgetApplication();
    const QColor compare = ColourPalette::colour(ColourRole::Compare);
    for (ColourRole role : {ColourRole::Red, ColourRole::Lime, ColourRole::Aqua, ColourRole::Fuchsia,
                            ColourRole::Yellow, ColourRole::Blue, ColourRole::White, ColourRole::NormalWindow}) {
        const QColor other = ColourPalette::colour(role);
        const int distance = std::abs(compare.red() - other.red()) + std::abs(compare.green() - other.green()) +
                             std::abs(compare.blue() - other.blue());
        EXPECT_GT(distance, 120) << static_cast<int>(role);
    }
}

} // namespace
} // namespace quorvel
