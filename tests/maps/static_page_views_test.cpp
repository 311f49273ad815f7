#include "maps/static_page_views.h"

#include "texts/language_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvel {
namespace {

constexpr int kBike = 150;
constexpr int kServoInEnable = 209;
constexpr int kServoInProcent = 213;
constexpr int kPotencMode = 225;
constexpr int kGas = 248;
constexpr int kTempDisplay = 257;
constexpr int kGearSystem = 286;
constexpr int kPocetGear = 287;
constexpr int kIdleMode = 2750;
constexpr int kIdleAdvOn = 2777;

// What a set of views finally decides for one property of a control: views apply in order, and
// a view without the property leaves it alone.
template <typename T>
std::optional<T> decided(const ViewSet& views, ControlKey key, std::optional<T> ControlView::*property)
{
    std::optional<T> found;
    for (const ControlView& view : views) {
        if (view.key.objectName() == key.objectName() && view.*property)
            found = view.*property;
    }
    return found;
}

std::optional<bool> shown(const ViewSet& views, ControlKey key)
{
    return decided(views, key, &ControlView::visible);
}

std::optional<bool> enabled(const ViewSet& views, ControlKey key)
{
    return decided(views, key, &ControlView::enabled);
}

std::optional<std::string> caption(const ViewSet& views, ControlKey key)
{
    return decided(views, key, &ControlView::caption);
}

ParamImage gearImage(int system, int gears)
{
    ParamImage image;
    image.setByte(kGearSystem, static_cast<std::uint8_t>(system));
    image.setByte(kPocetGear, static_cast<std::uint8_t>(gears));
    return image;
}

TEST(StaticPageViews, GearDetectionNo_HidesEveryGearRowButTheFirstRaceRow)
{
    const ParamImage image = gearImage(3, 6);
    const ViewSet race = raceView(image);
    for (int gear = 1; gear <= 6; ++gear)
        EXPECT_EQ(shown(race, {"LabelRaceGear", gear}), false) << gear;
    for (int row = 1; row < 6; ++row)
        EXPECT_EQ(shown(race, {"EditPilotLight1", row}), false) << row;
    EXPECT_FALSE(shown(race, {"EditPilotLight1", 0}).has_value()) << "the first race row stays";

    const ViewSet gear = gearView(image);
    for (int row = 1; row < 6; ++row) {
        EXPECT_EQ(shown(gear, {"EditGearKorAdv", row}), false) << row;
        EXPECT_EQ(shown(gear, {"EditPomerRpmSpeed", row}), false) << row;
        EXPECT_EQ(shown(gear, {"EditGearNapeti", row + 1}), false) << row;
    }
    EXPECT_EQ(shown(gear, {"EditPocetGear"}), false);
    EXPECT_EQ(shown(gear, {"LabelPocetGear"}), false);
    EXPECT_EQ(shown(gear, {"LabelGearKor", 1}), false);
}

TEST(StaticPageViews, ThreeGears_HideTheButtonsAndRowsOfGearsFourToSix)
{
    const ViewSet gear = gearView(gearImage(0, 3));
    for (int g = 0; g <= 6; ++g)
        EXPECT_EQ(shown(gear, {"ButtonGear", g}), g <= 3) << g;
    for (int g = 2; g <= 6; ++g) {
        EXPECT_EQ(shown(gear, {"EditGearNapeti", g}), g <= 3) << g;
        EXPECT_EQ(shown(gear, {"EditGearKorJet", g - 1}), g <= 3) << g;
        EXPECT_EQ(shown(gear, {"LabelGear", g}), g <= 3) << g;
    }
    const ViewSet race = raceView(gearImage(0, 3));
    EXPECT_EQ(shown(race, {"LabelRaceGear", 3}), true);
    EXPECT_EQ(shown(race, {"EditClutchPause", 3}), false);
}

struct GearGroupCase {
    int system;
    bool voltage;
    bool ratio;
    bool automat;
    bool buttons;
};

class GearGroups : public testing::TestWithParam<GearGroupCase> {};

TEST_P(GearGroups, ShowTheGroupOfTheDetection)
{
    const GearGroupCase& c = GetParam();
    const ViewSet gear = gearView(gearImage(c.system, 6));
    EXPECT_EQ(shown(gear, {"GroupBoxNapetiProGear"}), c.voltage);
    EXPECT_EQ(shown(gear, {"GroupBoxRpmSpeedProGear"}), c.ratio);
    EXPECT_EQ(shown(gear, {"GroupBoxMonAutoGear"}), c.automat);
    EXPECT_EQ(shown(gear, {"LabelMonPomerRpmSpeed"}), c.ratio || c.automat);
    EXPECT_EQ(shown(gear, {"ButtonGear", 0}), c.buttons);
}

INSTANTIATE_TEST_SUITE_P(Systems, GearGroups,
                         testing::Values(GearGroupCase{0, true, false, false, true},
                                         GearGroupCase{1, false, true, false, true},
                                         GearGroupCase{2, false, false, true, false},
                                         GearGroupCase{3, false, false, false, false}));

TEST(StaticPageViews, TempDisplay_IsClearedAndDisabledOnlyOutsideItsBikes)
{
    for (const auto& [bike, supported] : {std::pair{17, true}, {51, true}, {11, false}, {60, false}}) {
        ParamImage image;
        image.setByte(kBike, static_cast<std::uint8_t>(bike));
        image.setByte(kTempDisplay, 1);
        EXPECT_EQ(clearUnsupportedTempDisplay(image), !supported) << bike;
        EXPECT_EQ(image.byte(kTempDisplay), supported ? 1 : 0) << bike;
        EXPECT_EQ(enabled(raceView(image), {"CheckBoxTempDisplay"}), supported) << bike;
    }
}

TEST(StaticPageViews, PotentiometerRange_OnlyWithAPotentiometerMode)
{
    ParamImage image;
    EXPECT_EQ(shown(cidlaView(image), {"EditPotencRozsah"}), false);
    image.setByte(kPotencMode, 2);
    EXPECT_EQ(shown(cidlaView(image), {"LabelPotencRozsah"}), true);
}

TEST(StaticPageViews, N2OGroups_OnlyWithN2OEnabled)
{
    ParamImage image;
    EXPECT_EQ(shown(gasView(image), {"GroupBoxRetard"}), false);
    image.setByte(kGas, 1);
    EXPECT_EQ(shown(gasView(image), {"GroupBoxGas"}), true);
}

TEST(StaticPageViews, IntakePorts_OnlyForTheirBike)
{
    ParamImage image;
    image.setByte(kBike, 46);
    EXPECT_EQ(shown(bikeView(image), {"GroupBoxIntakePort"}), false);
    image.setByte(kBike, 47);
    EXPECT_EQ(shown(bikeView(image), {"GroupBoxIntakePort"}), true);
}

struct IdleWarningCase {
    int mode;
    bool servoEnabled;
    const char* warning; // nullptr: hidden
    const char* title;
};

class IdleWarnings : public testing::TestWithParam<IdleWarningCase> {};

TEST_P(IdleWarnings, TellWhatTheIntakeServoMustBe)
{
    const IdleWarningCase& c = GetParam();
    ParamImage image;
    image.setByte(kIdleMode, static_cast<std::uint8_t>(c.mode));
    image.setByte(kServoInEnable, c.servoEnabled ? 1 : 0);
    const LanguageTable texts(Language::English);
    const ViewSet idle = idleView(image, texts, Language::English);
    EXPECT_EQ(shown(idle, {"LabelIdleModeErr"}), c.warning != nullptr);
    if (c.warning != nullptr) {
        EXPECT_EQ(caption(idle, {"LabelIdleModeErr"}), c.warning);
    }
    EXPECT_EQ(caption(idle, {"GroupBoxIdleServoPoz"}), c.title);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, IdleWarnings,
    testing::Values(IdleWarningCase{0, true, nullptr, "Min position [%]"},
                    IdleWarningCase{1, false, "Intake servo must be enabled", "Start position of intake servo [mV]"},
                    IdleWarningCase{1, true, nullptr, "Start position of intake servo [mV]"},
                    IdleWarningCase{2, true, "Intake servo must be disabled", "Desired RPM"},
                    IdleWarningCase{2, false, nullptr, "Desired RPM"},
                    IdleWarningCase{3, true, "Intake servo must be disabled", "TPS min [in steps of servo]"}));

TEST(StaticPageViews, ChokeBike_HidesTheIdleModeAndShowsTheStepPeriod)
{
    ParamImage image;
    image.setByte(kBike, 38);
    const LanguageTable texts(Language::German);
    const ViewSet idle = idleView(image, texts, Language::German);
    EXPECT_EQ(shown(idle, {"RadioGroupIdleMode"}), false);
    EXPECT_EQ(shown(idle, {"EditIdleStepPerioda"}), true);
    EXPECT_EQ(shown(idle, {"EditIdleHyster"}), true);
    EXPECT_EQ(shown(idle, {"EditIdleStepPuls"}), false);
    EXPECT_EQ(caption(idle, {"CheckBoxIdleSmerReg"}), "Umgekehrt Richtung");
}

TEST(StaticPageViews, IdleAdvance_ShowsItsFieldsOnlyWhenOn)
{
    ParamImage image;
    const LanguageTable texts(Language::English);
    EXPECT_EQ(shown(idleView(image, texts, Language::English), {"GroupBoxIdleAdvPoz"}), false);
    image.setByte(kIdleAdvOn, 1);
    const ViewSet idle = idleView(image, texts, Language::English);
    EXPECT_EQ(shown(idle, {"GroupBoxIdleAdvPoz"}), true);
    EXPECT_EQ(shown(idle, {"EditIdleRpmMez"}), true);
}

struct IdleRangeCase {
    int mode;
    bool percent;
    int maximum;
    int step;
};

class IdleRanges : public testing::TestWithParam<IdleRangeCase> {};

TEST_P(IdleRanges, FollowTheIdleModeAndTheServoUnit)
{
    const IdleRangeCase& c = GetParam();
    ParamImage image;
    image.setByte(kIdleMode, static_cast<std::uint8_t>(c.mode));
    image.setByte(kServoInProcent, c.percent ? 1 : 0);
    const ViewSet ranges = idleRanges(image);
    ASSERT_EQ(ranges.size(), 9U);
    for (const ControlView& view : ranges) {
        EXPECT_EQ(view.maximum, c.maximum);
        EXPECT_EQ(view.step, c.step);
        EXPECT_FALSE(view.minimum.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, IdleRanges,
                         testing::Values(IdleRangeCase{0, true, 100, 1}, IdleRangeCase{1, true, 100, 1},
                                         IdleRangeCase{1, false, 5000, 5}, IdleRangeCase{2, true, 12000, 10},
                                         IdleRangeCase{3, false, 30000, 1}, IdleRangeCase{9, false, 12000, 10}));

} // namespace
} // namespace quorvel
