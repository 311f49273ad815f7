#include "core/sanitise.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvel {
namespace {

constexpr int kRpmAdv = 515;
constexpr int kRpmJet3A = 560;
constexpr int kRpmJet4A = 575;
constexpr int kRpmServoIn = 635;

struct Axis {
    const char* name;
    int offset;
    int floor; // lowest value of entry 0
};

// Every axis the sanitiser orders, with its lowest entry.
const std::array<Axis, 11> kAxes = {{{"RPM_ADV", 515, 3},
                                     {"RPM_JET_1A", 530, 3},
                                     {"RPM_JET_2A", 545, 3},
                                     {"RPM_JET_3A", 560, 3},
                                     {"RPM_JET_4A", 575, 3},
                                     {"RPM_JET_B", 590, 3},
                                     {"RPM_IAP", 605, 3},
                                     {"RPM_SERVO_EX", 620, 0},
                                     {"RPM_SERVO_IN", 635, 0},
                                     {"POSITION_A", 455, 3},
                                     {"POSITION_B", 485, 3}}};

void fill(ParamImage& image, int first, int count, std::uint8_t value)
{
    for (int i = 0; i < count; ++i)
        image.setByte(first + i, value);
}

std::vector<int> bytes(const ParamImage& image, int first, int count)
{
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(image.byte(first + i));
    return out;
}

CalibrationWarnings sanitise(ParamImage& image)
{
    OutsideSettings settings;
    return sanitiseImage(image, settings);
}

TEST(SanitiseAxes, ZeroAxisBecomesThreeToSeventeen)
{
    ParamImage image;
    sanitise(image);
    std::vector<int> expected;
    for (int i = 0; i < 15; ++i)
        expected.push_back(i + 3);
    EXPECT_EQ(bytes(image, kRpmAdv, 15), expected);
    std::vector<int> servo;
    for (int i = 0; i < 15; ++i)
        servo.push_back(i);
    EXPECT_EQ(bytes(image, kRpmServoIn, 15), servo);
}

TEST(SanitiseAxes, SaturatedAxisBecomesTwoHundredThirtySixToTwoHundredFifty)
{
    ParamImage image;
    fill(image, kRpmAdv, 15, 255);
    sanitise(image);
    EXPECT_EQ(image.byte(kRpmAdv), 236);
    EXPECT_EQ(image.byte(kRpmAdv + 14), 250);
    for (int i = 1; i < 15; ++i)
        EXPECT_EQ(image.byte(kRpmAdv + i), 236 + i);
}

// A 255 in the last two A axes used to wrap to 0 in the order step, leaving an axis that fell
// back to 0 rpm; they are now bounded like every other axis.
TEST(SanitiseAxes, LastTwoInjectionAxesNoLongerWrap)
{
    for (int axis : {kRpmJet3A, kRpmJet4A}) {
        ParamImage image;
        fill(image, axis, 15, 40);
        image.setByte(axis + 5, 255);
        sanitise(image);
        for (int i = 1; i < 15; ++i)
            EXPECT_GT(image.byte(axis + i), image.byte(axis + i - 1)) << "axis " << axis << " entry " << i;
        EXPECT_LE(image.byte(axis + 14), 250);
    }
}

TEST(SanitiseAxes, EveryAxisRisesStrictlyWithinItsBoundsFromAnyContent)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        ParamImage image;
        for (const Axis& axis : kAxes) {
            for (int i = 0; i < 15; ++i)
                image.setByte(axis.offset + i, static_cast<std::uint8_t>(random()));
        }
        sanitise(image);
        for (const Axis& axis : kAxes) {
            SCOPED_TRACE(axis.name);
            EXPECT_GE(image.byte(axis.offset), axis.floor);
            EXPECT_LE(image.byte(axis.offset + 14), 250);
            for (int i = 1; i < 15; ++i)
                ASSERT_GT(image.byte(axis.offset + i), image.byte(axis.offset + i - 1)) << "entry " << i;
        }
    }
}

TEST(SanitiseAxes, ServoFirstRowAndPositionAnglesAreBounded)
{
    ParamImage image;
    image.setByte(2600, 250);
    image.setByte(2600 + 15, 250); // second row is not touched
    image.setByte(2450 + 14, 255);
    image.setByte(470, 145);
    image.setByte(500 + 14, 200);
    sanitise(image);
    // Held just below 250 (4980 mV), not thrown to the bottom of the range.
    EXPECT_EQ(image.byte(2600), 249);
    EXPECT_EQ(image.byte(2615), 250);
    EXPECT_EQ(image.byte(2464), 249);
    EXPECT_EQ(image.byte(470), 144);
    EXPECT_EQ(image.byte(514), 144);
}

TEST(SanitiseOrder, EqualPressureRowsRiseByOne)
{
    ParamImage image;
    for (int k = 0; k < 10; ++k)
        image.setWord(142 + k, 80);
    sanitise(image);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(image.word(142 + k), 80 + k);
}

TEST(SanitiseOrder, TemperatureTablesFallStrictly)
{
    ParamImage image;
    for (int k = 0; k < 9; ++k) {
        image.setWord(97 + k, 3000);
        image.setWord(106 + k, static_cast<std::uint16_t>(2000 + k));
    }
    sanitise(image);
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(image.word(97 + k), 3000 - k);
        EXPECT_EQ(image.word(106 + k), 2000 - k);
    }
}

TEST(SanitiseOrder, StartingTimesRiseStrictlyWithinTheirBounds)
{
    ParamImage image;
    fill(image, 217, 4, 250);
    image.setByte(221, 255);
    sanitise(image);
    EXPECT_EQ(bytes(image, 217, 4), (std::vector<int>{247, 248, 249, 250}));
    EXPECT_EQ(image.byte(221), 250);

    ParamImage low;
    sanitise(low);
    EXPECT_EQ(bytes(low, 217, 4), (std::vector<int>{0, 1, 2, 3}));
}

TEST(SanitiseAdvance, CapBikeLimitsAdvanceToBasePlusLobe)
{
    for (auto [bike, expected] : {std::pair{32, 30}, {33, 30}, {31, 45}}) {
        ParamImage image;
        image.setByte(150, static_cast<std::uint8_t>(bike));
        image.setByte(195, 20);
        image.setByte(196, 10);
        image.setByte(650 + 77, 45);
        sanitise(image);
        EXPECT_EQ(image.byte(650 + 77), expected) << "bike " << bike;
        EXPECT_EQ(image.advanceCapBike(), bike != 31);
    }
}

TEST(SanitiseAdvance, BaseAndLobeAddWithoutOverflow)
{
    ParamImage image;
    image.setByte(150, 32);
    image.setByte(195, 40);
    image.setByte(196, 250); // 290 must not wrap to 34
    image.setByte(650, 55);
    sanitise(image);
    EXPECT_EQ(image.byte(650), 55);
}

TEST(SanitiseMaps, CellsAreCappedAtTheirRanges)
{
    ParamImage image;
    fill(image, 650, 150, 200);
    fill(image, 2000, 150, 200);
    for (int map : {800, 1100, 1400, 1700, 2150})
        image.setWordAt(map + 2 * 149, 65535);
    sanitise(image);
    EXPECT_EQ(image.byte(650), 60);
    EXPECT_EQ(image.byte(799), 60);
    EXPECT_EQ(image.byte(2149), 100);
    for (int map : {800, 1100, 1400, 1700, 2150})
        EXPECT_EQ(image.wordAt(map + 2 * 149), 60000) << map;
}

TEST(SanitiseLimits, PairsKeepTheirOrderAndBounds)
{
    ParamImage image;
    image.setByte(249, 150); // Gas1
    image.setByte(250, 50);  // Gas2
    image.setByte(251, 0);   // GasT
    image.setByte(252, 255); // GasD
    image.setByte(253, 30);  // Retard1
    image.setByte(254, 10);  // Retard2
    image.setByte(255, 0);   // RetardT
    image.setByte(256, 201); // RetardD
    image.setByte(258, 9);   // PilotLight1[0]
    image.setByte(264, 3);   // PilotLight2[0]
    image.setByte(308, 12);  // GasJetKor1
    image.setByte(309, 4);   // GasJetKor2
    image.setByte(183, 251);
    image.setByte(184, 255);
    image.setByte(242, 51);
    image.setByte(195, 41);
    image.setByte(198, 102);
    image.setByte(199, 5);
    image.setByte(200, 90);
    image.setByte(201, 80);
    image.setByte(227, 10); // StepPeriod
    image.setByte(228, 12); // StepExcitation
    sanitise(image);

    EXPECT_EQ(image.byte(249), 100);
    EXPECT_EQ(image.byte(250), 100);
    EXPECT_EQ(image.byte(251), 1);
    EXPECT_EQ(image.byte(252), 200);
    EXPECT_EQ(image.byte(253), 25);
    EXPECT_EQ(image.byte(254), 25);
    EXPECT_EQ(image.byte(255), 1);
    EXPECT_EQ(image.byte(256), 200);
    EXPECT_EQ(image.byte(264), 9);
    EXPECT_EQ(image.byte(309), 12);
    EXPECT_EQ(image.byte(183), 250);
    EXPECT_EQ(image.byte(184), 250);
    EXPECT_EQ(image.byte(242), 50);
    EXPECT_EQ(image.byte(195), 40);
    EXPECT_EQ(image.byte(198), 101);
    EXPECT_EQ(image.byte(199), 101);
    EXPECT_EQ(image.byte(201), 90);
    EXPECT_EQ(image.byte(228), 10);
}

TEST(SanitiseLimits, IdleStepPulseIsBoundedOnlyWithoutChoke)
{
    for (bool choke : {false, true}) {
        ParamImage image;
        image.setChokeBike(choke);
        image.setByte(2754, 30);
        image.setByte(2755, 20);
        sanitise(image);
        EXPECT_EQ(image.byte(2754), choke ? 30 : 20);
    }
}

TEST(SanitiseLimits, LobeWidthIsCopiedForTwoEngineTypes)
{
    for (auto [engine, expected] : {std::pair{7, 33}, {22, 33}, {8, 0}}) {
        ParamImage image;
        image.setByte(152, static_cast<std::uint8_t>(engine));
        image.setByte(196, 33);
        sanitise(image);
        EXPECT_EQ(image.byte(417), expected) << "engine type " << engine;
    }
}

TEST(SanitiseSettings, OutOfRangeSettingsFallBackToTheirFirstValue)
{
    ParamImage image;
    OutsideSettings settings{4, 21, 20};
    sanitiseImage(image, settings);
    EXPECT_EQ(settings.language, 0);
    EXPECT_EQ(settings.portSelection, 0);
    EXPECT_EQ(settings.autoScanIndex, 0);

    OutsideSettings negative{-1, -1, -1};
    sanitiseImage(image, negative);
    EXPECT_EQ(negative.language, 0);
    EXPECT_EQ(negative.portSelection, 0);
    EXPECT_EQ(negative.autoScanIndex, 0);

    OutsideSettings kept{3, 20, 19};
    sanitiseImage(image, kept);
    EXPECT_EQ(kept.language, 3);
    EXPECT_EQ(kept.portSelection, 20);
    EXPECT_EQ(kept.autoScanIndex, 19);
}

TEST(SanitiseWarnings, EqualCalibrationVoltagesColourTheirFieldsRed)
{
    ParamImage image;
    image.setWordAt(158, 500);
    image.setWordAt(162, 500);
    image.setWordAt(166, 500);
    image.setWordAt(170, 4500);
    const CalibrationWarnings warnings = sanitise(image);
    EXPECT_EQ(warnings[0], (ControlColour{"EditApsNapeti1", ColourRole::Red}));
    EXPECT_EQ(warnings[1], (ControlColour{"EditApsNapeti2", ColourRole::Red}));
    EXPECT_EQ(warnings[2], (ControlColour{"EditIapsNapeti1", ColourRole::NormalWindow}));
    EXPECT_EQ(warnings[3], (ControlColour{"EditIapsNapeti2", ColourRole::NormalWindow}));
}

TEST(SanitiseIdempotence, SecondRunChangesNothing)
{
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        ParamImage image;
        for (int offset = 150; offset < kImageSize; ++offset)
            image.setByte(offset, static_cast<std::uint8_t>(random()));
        // The advance cap reads the base advance before it is bounded; within its bound the
        // result is final after one run.
        image.setByte(195, static_cast<std::uint8_t>(random() % 41));
        image.setChokeBike(round % 2 == 0);
        sanitise(image);
        const ParamImage once = image;
        sanitise(image);
        ASSERT_TRUE(std::ranges::equal(once.bytes(), image.bytes())) << "round " << round;
    }
}

} // namespace
} // namespace quorvel
