#include "log/correction_suggestions.h"

#include "log_frames.h"
#include "log_test_image.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using test::element;
using test::LiveFrame;

constexpr int kCell = element(4, 2); // 3000 rpm, 20 % throttle

LiveFrame cruise(int lambda, int throttleTenths = 200)
{
    return test::tuningFrame().throttleTenths(throttleTenths).lambda(lambda);
}

// `rows` rows 330 ms apart; the first has no row before it, so it is never steady.
test::LogBuilder steadyRide(int rows, const LiveFrame& frame)
{
    test::LogBuilder ride;
    ride.rows(0, rows, 330, frame);
    return ride;
}

class CorrectionSuggestionsTest : public ::testing::Test {
protected:
    std::vector<CellCorrection> suggest(const test::LogBuilder& ride, MapId map = MapId::Jet1A)
    {
        const ParamImage before = m_image;
        auto corrections = suggestCorrections(ride.log(), m_image, map, m_limits);
        EXPECT_TRUE(std::ranges::equal(before.bytes(), m_image.bytes())) << "suggesting changed the image";
        return corrections;
    }

    ParamImage m_image = test::logTestImage(2000);
    CorrectionLimits m_limits;
};

TEST_F(CorrectionSuggestionsTest, LeanCellGetsOneStepMoreAndRichOneStepLess)
{
    const auto lean = suggest(steadyRide(21, cruise(200)));
    ASSERT_EQ(lean.size(), 1U);
    EXPECT_EQ(lean[0].element, kCell);
    EXPECT_EQ(lean[0].samples, 20);
    EXPECT_EQ(lean[0].reading, MixtureReading::Lean);
    EXPECT_DOUBLE_EQ(lean[0].changePercent, 2.0);
    EXPECT_EQ(lean[0].cellBefore, 2000);
    EXPECT_EQ(lean[0].cellAfter, 2040);

    const auto rich = suggest(steadyRide(21, cruise(700)));
    ASSERT_EQ(rich.size(), 1U);
    EXPECT_EQ(rich[0].cellAfter, 1960);
}

TEST_F(CorrectionSuggestionsTest, CellsNeedTheMinimumOfSteadySamples)
{
    EXPECT_TRUE(suggest(steadyRide(20, cruise(200))).empty()); // 19 steady rows
    m_limits.minimumSamples = 19;
    EXPECT_EQ(suggest(steadyRide(20, cruise(200))).size(), 1U);

    // The same cell with the throttle moving 8 % every 330 ms: never steady.
    test::LogBuilder moving;
    for (int i = 0; i < 40; ++i)
        moving.row(330U * i, cruise(200, i % 2 == 0 ? 160 : 240));
    EXPECT_TRUE(suggest(moving).empty());

    // Rows two seconds apart: the link was lost in between, steadiness is unknown.
    test::LogBuilder sparse;
    sparse.rows(0, 40, 2000, cruise(200));
    EXPECT_TRUE(suggest(sparse).empty());
}

TEST_F(CorrectionSuggestionsTest, ChangeNeverExceedsTheLimitAndRoundsTowardThePresentValue)
{
    m_limits.stepPercent = 10.0;
    m_limits.maxChangePercent = 5.0;
    const auto capped = suggest(steadyRide(21, cruise(200)));
    ASSERT_EQ(capped.size(), 1U);
    EXPECT_DOUBLE_EQ(capped[0].changePercent, 5.0);
    EXPECT_EQ(capped[0].cellAfter, 2100);

    setMapCell(m_image, MapId::Jet1A, kCell, 30);
    const auto small = suggest(steadyRide(21, cruise(200)));
    ASSERT_EQ(small.size(), 1U);
    EXPECT_EQ(small[0].cellAfter, 31); // 31.5 would be 5.0 % too much after rounding up

    m_limits.stepPercent = 2.0;
    EXPECT_TRUE(suggest(steadyRide(21, cruise(700))).empty()); // 29.4 stays 30: no change at all

    setMapCell(m_image, MapId::Jet1A, kCell, 60000);
    EXPECT_TRUE(suggest(steadyRide(21, cruise(200))).empty()); // already at the top of its range

    m_limits.maxChangePercent = 0.0;
    setMapCell(m_image, MapId::Jet1A, kCell, 2000);
    EXPECT_TRUE(suggest(steadyRide(21, cruise(200))).empty());
}

TEST_F(CorrectionSuggestionsTest, RowsTheMapDidNotDecideAreLeftOut)
{
    EXPECT_TRUE(suggest(steadyRide(21, cruise(100).ignitionLimiter())).empty());
    EXPECT_TRUE(suggest(steadyRide(21, cruise(200).injection1A(0))).empty()); // fuel cut: reads lean
    EXPECT_TRUE(suggest(steadyRide(21, cruise(450))).empty());                // at the threshold
    // Every dosing correction, either way off 100 %: warm-up, air, pressure, start.
    for (int offset : {100, 102, 104, 106}) {
        for (int tenths : {1050, 999, 0}) {
            EXPECT_TRUE(suggest(steadyRide(21, cruise(200).word(offset, tenths))).empty())
                << "correction at word " << offset << " of " << tenths;
        }
    }
}

TEST_F(CorrectionSuggestionsTest, OnlyMapsOfInjectionTimesTakeCorrections)
{
    const auto ride = steadyRide(21, cruise(200).iapKpa(71).jetShare(50));
    for (MapId map : {MapId::Jet1A, MapId::Jet2A, MapId::Jet3A, MapId::Jet4A, MapId::Iap})
        EXPECT_EQ(suggest(ride, map).size(), 1U) << MapTable::of(map).name;
    for (MapId map : {MapId::Advance, MapId::JetB, MapId::ServoIn, MapId::ServoEx})
        EXPECT_TRUE(suggest(ride, map).empty()) << MapTable::of(map).name;
}

TEST_F(CorrectionSuggestionsTest, ApplyingWritesOnlyCellsNobodyChangedSince)
{
    test::LogBuilder ride;
    ride.rows(0, 21, 330, cruise(200));
    ride.rows(7000, 21, 330, cruise(800, 1000).rpm(8000));
    const auto corrections = suggest(ride);
    ASSERT_EQ(corrections.size(), 2U);
    setMapCell(m_image, MapId::Jet1A, element(9, 7), 2500); // edited while the preview was open
    EXPECT_EQ(applyCorrections(m_image, MapId::Jet1A, corrections), 1);
    EXPECT_EQ(mapCell(m_image, MapId::Jet1A, kCell), 2040);
    EXPECT_EQ(mapCell(m_image, MapId::Jet1A, element(9, 7)), 2500);
    EXPECT_EQ(mapCell(m_image, MapId::Jet2A, kCell), 2000);
}

} // namespace
} // namespace quorvel
