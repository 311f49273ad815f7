#include "ui/shell/window_placement.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

const QRect kScreen(0, 0, 1920, 1080);

struct PlacementCase {
    const char* name;
    QRect stored;
    QRect desktop;
    QRect expected;
};

void PrintTo(const PlacementCase& c, std::ostream* out)
{
    *out << c.name;
}

class RestoredPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(RestoredPlacement, KeepsAReachablePlaceAndCentresTheRest)
{
    const QRect placed = WindowPlacement::restored(GetParam().stored, GetParam().desktop, kScreen);
    EXPECT_EQ(placed, GetParam().expected)
        << placed.x() << ',' << placed.y() << ' ' << placed.width() << 'x' << placed.height();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RestoredPlacement,
    ::testing::Values(
        PlacementCase{"OnScreen", {40, 30, 1320, 700}, kScreen, {40, 30, 1320, 700}},
        PlacementCase{"SmallerThanDesigned", {10, 10, 300, 200}, kScreen, {10, 10, 300, 200}},
        PlacementCase{"HangingOverTheRightEdgeButGrippable", {1800, 100, 1320, 700}, kScreen, {1800, 100, 1320, 700}},
        PlacementCase{"OnlyAFewPixelsOfTitleLeft", {1850, 100, 1320, 700}, kScreen, {300, 190, 1320, 700}},
        PlacementCase{"FarRight", {100000, 0, 1320, 700}, kScreen, {300, 190, 1320, 700}},
        PlacementCase{"FarLeft", {-100000, -100000, 1320, 700}, kScreen, {300, 190, 1320, 700}},
        PlacementCase{"TitleAboveTheTop", {40, -5, 1320, 700}, kScreen, {300, 190, 1320, 700}},
        PlacementCase{"TitleBelowTheBottom", {40, 1070, 1320, 700}, kScreen, {300, 190, 1320, 700}},
        PlacementCase{"HugeSizeShrinksToTheDesktop", {0, 0, 100000, 100000}, kScreen, {0, 0, 1920, 1080}},
        PlacementCase{"LargeSizeOnASmallDesktop", {0, 0, 5000, 5000}, {0, 0, 800, 600}, {0, 0, 800, 600}},
        PlacementCase{"DesignedSizeOnAWorkshopLaptop", {0, 0, 1320, 700}, {0, 0, 1280, 680}, {0, 0, 1280, 680}},
        PlacementCase{
            "SecondMonitorLeftOfThePrimary", {-1500, 50, 1320, 700}, {-1920, 0, 3840, 1080}, {-1500, 50, 1320, 700}},
        PlacementCase{"MonitorGone", {2500, 50, 1320, 700}, kScreen, {300, 190, 1320, 700}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace quorvel
