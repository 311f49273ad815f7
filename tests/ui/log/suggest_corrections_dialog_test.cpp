#include "ui/log/suggest_corrections_dialog.h"

#include "log_test_image.h"
#include "log_ui_rig.h"

#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using test::element;

constexpr int kLeanCell = element(4, 2); // 3000 rpm, 20 % throttle
constexpr int kRichCell = element(5, 4); // 5000 rpm, 30 % throttle

// A ride held steady for 21 rows (330 ms apart) in a lean cell, then 31 rows in a rich one.
test::LogBuilder steadyRide()
{
    test::LogBuilder ride;
    ride.rows(0, 21, 330, test::tuningFrame().lambda(200));
    ride.rows(10'000, 31, 330, test::tuningFrame().rpm(5000).throttleTenths(300).lambda(700));
    return ride;
}

class SuggestCorrectionsDialogTest : public ::testing::Test {
protected:
    SuggestCorrectionsDialogTest() { test::ensureApplication(); }

    std::unique_ptr<SuggestCorrectionsDialog> dialog(MapId map = MapId::Jet1A)
    {
        auto made = std::make_unique<SuggestCorrectionsDialog>(ride.log(), image, map, Language::English);
        made->setPreviewHandler([this](std::span<const CellCorrection> cells) {
            previews.emplace_back();
            for (const CellCorrection& cell : cells)
                previews.back().push_back(cell.element);
        });
        return made;
    }
    template <typename Widget> static Widget& control(QDialog& dialog, const char* name)
    {
        auto* widget = dialog.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    static QStringList rowTexts(QDialog& dialog, int row)
    {
        auto& table = control<QTableWidget>(dialog, "TableSuggestCorrections");
        QStringList texts;
        for (int column = 0; column < table.columnCount(); ++column)
            texts.append(table.item(row, column)->text());
        return texts;
    }

    test::LogBuilder ride = steadyRide();
    ParamImage image = test::logTestImage(2000);
    std::vector<std::vector<int>> previews;
};

TEST_F(SuggestCorrectionsDialogTest, ProposalsAreListedWithTheDefaultLimitsAndPreviewed)
{
    const auto shown = dialog();
    EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>(*shown, "EditSuggestMaxChange").value(), 5.0);
    EXPECT_EQ(control<QSpinBox>(*shown, "EditSuggestMinSamples").value(), 20);
    EXPECT_EQ(control<QSpinBox>(*shown, "EditSuggestThreshold").value(), 450);
    EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>(*shown, "EditSuggestSteady").value(), 10.0);

    auto& table = control<QTableWidget>(*shown, "TableSuggestCorrections");
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.horizontalHeaderItem(0)->text(), "Engine speed [rpm]");
    EXPECT_EQ(table.horizontalHeaderItem(1)->text(), "Throttle [%]");
    EXPECT_EQ(rowTexts(*shown, 0), (QStringList{"3000", "20", "20", "200", "lean", "+2.0", "2000", "2040"}));
    EXPECT_EQ(rowTexts(*shown, 1), (QStringList{"5000", "30", "30", "700", "rich", "-2.0", "2000", "1960"}));
    EXPECT_EQ(control<QLabel>(*shown, "LabelSuggestResult").text(), "Cells to change in Inj. 1: 2");
    ASSERT_EQ(previews.size(), 1U);
    EXPECT_EQ(previews.back(), (std::vector<int>{kLeanCell, kRichCell}));
    EXPECT_TRUE(control<QPushButton>(*shown, "ButtonSuggestApply").isEnabled());
}

TEST_F(SuggestCorrectionsDialogTest, ChangingALimitProposesAgain)
{
    const auto shown = dialog();
    control<QDoubleSpinBox>(*shown, "EditSuggestMaxChange").setValue(1.0);
    EXPECT_EQ(rowTexts(*shown, 0)[5], "+1.0");
    EXPECT_EQ(rowTexts(*shown, 0)[7], "2020");
    EXPECT_DOUBLE_EQ(shown->limits().maxChangePercent, 1.0);

    control<QSpinBox>(*shown, "EditSuggestMinSamples").setValue(25);
    ASSERT_EQ(shown->proposals().size(), 1U) << "the lean cell has 20 steady samples";
    EXPECT_EQ(shown->proposals()[0].element, kRichCell);
    EXPECT_EQ(previews.back(), (std::vector<int>{kRichCell}));

    control<QSpinBox>(*shown, "EditSuggestThreshold").setValue(750);
    EXPECT_EQ(rowTexts(*shown, 0)[4], "lean") << "700 mV reads lean below 750";

    control<QSpinBox>(*shown, "EditSuggestMinSamples").setValue(100);
    EXPECT_EQ(control<QTableWidget>(*shown, "TableSuggestCorrections").rowCount(), 0);
    EXPECT_EQ(control<QLabel>(*shown, "LabelSuggestResult").text(),
              "No cell was visited often enough at steady throttle.");
    EXPECT_FALSE(control<QPushButton>(*shown, "ButtonSuggestApply").isEnabled());
    EXPECT_TRUE(previews.back().empty());
}

TEST_F(SuggestCorrectionsDialogTest, CancelReturnsNothingAndClearsThePreview)
{
    const ParamImage before = image;
    const auto shown = dialog();
    control<QPushButton>(*shown, "ButtonSuggestCancel").click();
    EXPECT_EQ(shown->result(), QDialog::Rejected);
    EXPECT_TRUE(shown->acceptedCorrections().empty());
    EXPECT_TRUE(previews.back().empty());
    EXPECT_TRUE(std::ranges::equal(before.bytes(), image.bytes()));
}

TEST_F(SuggestCorrectionsDialogTest, ApplyReturnsTheTickedProposalsOnly)
{
    const auto shown = dialog();
    auto& table = control<QTableWidget>(*shown, "TableSuggestCorrections");
    table.item(0, 0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(previews.back(), (std::vector<int>{kRichCell}));
    EXPECT_EQ(control<QLabel>(*shown, "LabelSuggestResult").text(), "Cells to change in Inj. 1: 1");

    shown->setLanguage(Language::German);
    EXPECT_EQ(table.item(0, 0)->checkState(), Qt::Unchecked) << "a language change keeps the choice";
    EXPECT_EQ(rowTexts(*shown, 1)[4], "fett");
    EXPECT_EQ(table.horizontalHeaderItem(2)->text(), "Gleichmäßige Messwerte");

    control<QPushButton>(*shown, "ButtonSuggestApply").click();
    EXPECT_EQ(shown->result(), QDialog::Accepted);
    ASSERT_EQ(shown->acceptedCorrections().size(), 1U);
    EXPECT_EQ(shown->acceptedCorrections()[0].element, kRichCell);
    EXPECT_EQ(shown->acceptedCorrections()[0].cellAfter, 1960);
    EXPECT_TRUE(previews.back().empty());

    table.item(0, 0)->setCheckState(Qt::Unchecked);
    table.item(1, 0)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(control<QPushButton>(*shown, "ButtonSuggestApply").isEnabled()) << "nothing ticked, nothing to apply";
}

TEST_F(SuggestCorrectionsDialogTest, MapWithoutInjectionTimesGetsNoProposals)
{
    const auto advance = dialog(MapId::Advance);
    EXPECT_TRUE(advance->proposals().empty());
    EXPECT_EQ(control<QLabel>(*advance, "LabelSuggestResult").text(),
              "Corrections are only suggested for maps of injection times.");
    EXPECT_FALSE(control<QPushButton>(*advance, "ButtonSuggestApply").isEnabled());

    const auto iap = dialog(MapId::Iap);
    EXPECT_EQ(control<QTableWidget>(*iap, "TableSuggestCorrections").horizontalHeaderItem(1)->text(),
              "Intake pressure [kPa]");
}

} // namespace
} // namespace quorvel
