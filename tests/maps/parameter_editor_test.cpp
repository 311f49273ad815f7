#include "editor_rig.h"

#include "core/page_index.h"
#include "model/field_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

constexpr ControlKey kProgramAfterChange{"CheckBoxProgHned"};
constexpr ControlKey kMemo{"Memo1"};
constexpr ControlKey kUndoButton{"SpeedButtonZpet"};
constexpr ControlKey kRedoMenu{"MenuZnovu"};

int stored(const ParamImage& image, std::string_view field, int element = 0)
{
    return readCode(image, *FieldTable::byName(field), element);
}

TEST(ParameterEditor, AtStart_UndoAndRedoAreDisabled)
{
    EditorRig rig(kPageIdle);
    EXPECT_FALSE(rig.controls.isEnabled(kUndoButton));
    EXPECT_FALSE(rig.controls.isEnabled(kRedoMenu));
}

TEST(ParameterEditor, IdleSpinClick_StoresSanitisesRefillsAndRecordsOneUndoEntry)
{
    EditorRig rig(kPageIdle);
    rig.image.setByte(2777, 1); // the idle advance control shows the control range
    rig.editor.fillPage();
    const ControlKey rpm = rig.edit("IdleRpmMez");
    const int before = stored(rig.image, "IdleRpmMez");
    // Equal calibration voltages are a warning the sanitiser raises on this change.
    rig.image.setWordAt(158, 1234);
    rig.image.setWordAt(162, 1234);

    rig.controls.stepBy(rpm, 1);
    rig.editor.upDownClicked();

    EXPECT_EQ(stored(rig.image, "IdleRpmMez"), before + 1);
    EXPECT_EQ(rig.controls.colour({"EditApsNapeti1"}), ColourRole::Red);
    EXPECT_EQ(rig.controls.colour({"EditIapsNapeti2"}), ColourRole::NormalWindow);
    EXPECT_EQ(rig.controls.value(rpm), (before + 1) * 100);
    EXPECT_TRUE(rig.controls.isEnabled(kUndoButton));

    rig.editor.undo();
    EXPECT_EQ(stored(rig.image, "IdleRpmMez"), before);
    EXPECT_EQ(rig.controls.value(rpm), before * 100);
    EXPECT_FALSE(rig.editor.history().canUndo()) << "one click, one entry";
}

TEST(ParameterEditor, OutOfRangeTextAndEnter_LeavesTheValueAndRecordsNothing)
{
    EditorRig rig(kPageBike);
    const ControlKey coolant = rig.edit("Chlazeni");
    const int before = stored(rig.image, "Chlazeni");
    rig.controls.setText(coolant, "200");
    rig.editor.enterPressed();
    EXPECT_EQ(stored(rig.image, "Chlazeni"), before);
    EXPECT_EQ(rig.controls.text(coolant), std::to_string(before));
    EXPECT_FALSE(rig.editor.history().canUndo());
}

TEST(ParameterEditor, TypedWholeNumberWithSeparator_IsStoredOnEnter)
{
    EditorRig rig(kPageBike);
    const ControlKey limiter = rig.edit("IgnLimiter");
    rig.controls.setText(limiter, "12,300");
    rig.editor.enterPressed();
    EXPECT_EQ(stored(rig.image, "IgnLimiter"), 123);
    EXPECT_EQ(rig.controls.text(limiter), "12,300");
}

TEST(ParameterEditor, MemoOf160Characters_Keeps149AndEndsWithZero)
{
    EditorRig rig(kPageBike);
    std::string text;
    for (int i = 0; i < 160; ++i)
        text.push_back(static_cast<char>('A' + i % 26));
    rig.controls.setText(kMemo, text);
    rig.editor.editClicked();
    for (int i = 0; i < 149; ++i)
        ASSERT_EQ(rig.image.byte(2850 + i), static_cast<std::uint8_t>(text[static_cast<std::size_t>(i)])) << i;
    EXPECT_EQ(rig.image.byte(2999), 0);
    EXPECT_EQ(rig.controls.text(kMemo), text.substr(0, 149));
}

TEST(ParameterEditor, ShorterMemo_EndsWithOneZeroAndKeepsTheOldBytesBehindIt)
{
    EditorRig rig(kPageBike);
    rig.controls.setText(kMemo, "abcdefghijklmnopqrst");
    rig.editor.editClicked();
    rig.controls.setText(kMemo, "vwxyz");
    rig.editor.editClicked();
    EXPECT_EQ(rig.image.byte(2855), 0);
    for (int i = 2856; i <= 2869; ++i)
        EXPECT_EQ(rig.image.byte(i), static_cast<std::uint8_t>('a' + (i - 2850))) << i;
    EXPECT_EQ(rig.controls.text(kMemo), "vwxyz");
}

TEST(ParameterEditor, MemoLineBreaks_AreKeptAsCarriageReturnAndLineFeed)
{
    EditorRig rig(kPageBike);
    rig.controls.setText(kMemo, "a\nb");
    rig.editor.editClicked();
    EXPECT_EQ(rig.image.byte(2851), 13);
    EXPECT_EQ(rig.image.byte(2852), 10);
    EXPECT_EQ(rig.controls.text(kMemo), "a\nb");
}

TEST(ParameterEditor, CzechMemo_IsStoredInItsCodePage)
{
    EditorRig rig(kPageBike);
    rig.editor.setLanguage(Language::Czech);
    rig.controls.setText(kMemo, "čas");
    rig.editor.editClicked();
    EXPECT_EQ(rig.image.byte(2850), 0xE8); // č in code page 1250
    EXPECT_EQ(rig.controls.text(kMemo), "čas");
}

struct GearLearnCase {
    int gearSystem;
    int gear;
    int offset; // the word that learns, -1 for none
    std::uint16_t learnt;
    bool recorded;
};

class GearLearning : public testing::TestWithParam<GearLearnCase> {};

TEST_P(GearLearning, StoresTheMeasuredValueOfTheGearSystem)
{
    const GearLearnCase& c = GetParam();
    EditorRig rig(kPageGear);
    rig.image.setByte(286, static_cast<std::uint8_t>(c.gearSystem));
    if (c.offset >= 0)
        rig.image.setWordAt(c.offset, 0);
    rig.editor.takeSnapshot();
    rig.image.pendingBlocks().clearAll();
    const ParamImage before = rig.image;
    const auto undoBefore = rig.editor.history().canUndo();
    rig.live.GearMillivolts = 2998;
    rig.live.RpmSpeedRatio = 777;
    const std::size_t refreshes = rig.mapPages.refreshes.size();

    rig.editor.learnGear(c.gear);

    if (c.offset >= 0) {
        EXPECT_EQ(rig.image.wordAt(c.offset), c.learnt);
    }
    for (int k = 150; k < 3000; ++k) {
        if (k != c.offset && k != c.offset + 1) {
            ASSERT_EQ(rig.image.byte(k), before.byte(k)) << "byte " << k;
        }
    }
    EXPECT_EQ(rig.image.pendingBlocks().any(), c.recorded);
    if (!c.recorded) {
        EXPECT_EQ(rig.editor.history().canUndo(), undoBefore);
    }
    const bool refilled = rig.mapPages.refreshes.size() > refreshes;
    EXPECT_EQ(refilled, !(c.gearSystem == 1 && c.gear == 0));
}

INSTANTIATE_TEST_SUITE_P(Systems, GearLearning,
                         testing::Values(GearLearnCase{0, 3, 296, 2998, true}, // voltage: GearNapeti[3]
                                         GearLearnCase{0, 0, 290, 2998, true}, // voltage: gear 0 learns too
                                         GearLearnCase{1, 0, -1, 0, false},    // ratio: "<- Gear 0" does nothing
                                         GearLearnCase{1, 2, 314, 777, true},  // ratio: PomerRpmSpeed[1]
                                         GearLearnCase{2, 4, -1, 0, false},    // automat: nothing learnt
                                         GearLearnCase{3, 4, -1, 0, false}));  // no detection: nothing learnt

TEST(ParameterEditor, Tps100AboveTheControlRange_ShowsAtTheBoundAndIsStoredAsIt)
{
    EditorRig rig(kPageBike);
    rig.image.setByte(184, 255); // as read from a unit, before any sanitise
    rig.editor.changePage(kPageCidla);
    const ControlKey tps100 = rig.edit("Tps100");
    EXPECT_EQ(rig.controls.value(tps100), 5000);
    rig.editor.editClicked();
    EXPECT_EQ(rig.image.byte(184), 250);
}

struct TpsLearnCase {
    bool fullThrottle;
    std::uint16_t millivolts;
    int expected; // the stored code afterwards
};

class TpsLearning : public testing::TestWithParam<TpsLearnCase> {};

TEST_P(TpsLearning, TakesTheVoltageOnlyWithinItsWindow)
{
    const TpsLearnCase& c = GetParam();
    EditorRig rig(kPageCidla);
    const int offset = c.fullThrottle ? 184 : 183;
    rig.image.setByte(offset, 77);
    rig.live.TpsMillivolts = c.millivolts;
    if (c.fullThrottle)
        rig.editor.learnTps100();
    else
        rig.editor.learnTps0();
    EXPECT_EQ(rig.image.byte(offset), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Windows, TpsLearning,
                         testing::Values(TpsLearnCase{true, 4500, 200}, TpsLearnCase{true, 4950, 77},
                                         TpsLearnCase{true, 2500, 0}, TpsLearnCase{true, 2499, 77},
                                         TpsLearnCase{false, 299, 77}, TpsLearnCase{false, 300, 30},
                                         TpsLearnCase{false, 2500, 250}, TpsLearnCase{false, 2501, 77}));

TEST(ParameterEditor, TwoHundredAndFiftyChanges_Give199Undos)
{
    EditorRig rig(kPageRace);
    const ControlKey jet = rig.edit("ClutchJet");
    for (int i = 0; i < 250; ++i) {
        rig.controls.setValue(jet, i % 2 == 0 ? 10 + i % 80 : 90);
        rig.editor.upDownClicked();
    }
    int undone = 0;
    while (rig.controls.isEnabled(kUndoButton) && undone < 300) {
        rig.editor.undo();
        ++undone;
    }
    EXPECT_EQ(undone, 199);
}

TEST(ParameterEditor, UndoAfterReadAndOneEdit_ReturnsToTheStateBeforeTheRead)
{
    EditorRig rig(kPageRace);
    const ParamImage start = rig.image;
    rig.image.setByte(2000, 42); // a read brings other map bytes ...
    rig.image.setByte(284, 33);  // ... and another clutch injection
    rig.editor.imageReplaced();
    EXPECT_FALSE(rig.editor.history().canUndo()) << "a read records nothing";
    const ControlKey jet = rig.edit("ClutchJet");
    EXPECT_EQ(rig.controls.value(jet), 33);
    rig.controls.setValue(jet, 40);
    rig.editor.upDownClicked();

    rig.editor.undo();
    EXPECT_EQ(rig.image.byte(2000), start.byte(2000));
    EXPECT_EQ(rig.image.byte(284), start.byte(284));
    EXPECT_EQ(rig.controls.value(jet), start.byte(284));
}

TEST(ParameterEditor, ProgrammingAfterChange_StartsOnEveryRecordedChangeAndUndo)
{
    EditorRig rig(kPageRace);
    rig.controls.setChecked(kProgramAfterChange, true);
    rig.editor.checkBoxReleased();
    EXPECT_EQ(rig.controls.colour(kProgramAfterChange), ColourRole::Red);
    EXPECT_EQ(rig.tuneHost.programmingStarts, 0) << "ticking the option changes no parameter";

    const ControlKey jet = rig.edit("ClutchJet");
    rig.controls.stepBy(jet, 1);
    rig.editor.upDownClicked();
    EXPECT_EQ(rig.tuneHost.programmingStarts, 1);
    EXPECT_TRUE(rig.image.pendingBlocks().isSet(1));

    rig.image.pendingBlocks().clearAll();
    rig.editor.undo();
    EXPECT_EQ(rig.tuneHost.programmingStarts, 2);
    EXPECT_TRUE(rig.image.pendingBlocks().isSet(1));

    rig.editor.enterPressed(); // nothing changed: nothing to program
    EXPECT_EQ(rig.tuneHost.programmingStarts, 2);

    rig.controls.setChecked(kProgramAfterChange, false);
    rig.editor.redo();
    EXPECT_EQ(rig.tuneHost.programmingStarts, 2);
    EXPECT_EQ(rig.controls.colour(kProgramAfterChange), ColourRole::NormalFace);
}

TEST(ParameterEditor, Undo_ShowsThePageOfTheUndoneChange)
{
    EditorRig rig(kPageRace);
    const ControlKey jet = rig.edit("ClutchJet");
    rig.controls.stepBy(jet, 1);
    rig.editor.upDownClicked();
    rig.editor.changePage(kPageGas);

    rig.editor.undo();
    EXPECT_EQ(rig.editor.activePage(), kPageRace);
    EXPECT_EQ(rig.controls.itemIndex({"PageControl1"}), kPageRace);
    EXPECT_EQ(rig.controls.value(jet), stored(rig.image, "ClutchJet"));
}

TEST(ParameterEditor, GearDetectionNo_IsStoredAtOnceAndHidesTheGearRows)
{
    EditorRig rig(kPageGear);
    rig.editor.radioClicked({"RadioGroupGearSystem"}, 3);
    EXPECT_EQ(rig.image.byte(286), 3);
    EXPECT_TRUE(rig.editor.history().canUndo());
    EXPECT_FALSE(rig.controls.isShown({"EditGearKorAdv", 1}));
    EXPECT_FALSE(rig.controls.isShown({"EditPocetGear"}));
    EXPECT_FALSE(rig.controls.isShown({"ButtonGear", 0}));
}

TEST(ParameterEditor, ClutchModeRetard_IsStoredAtOnceAndRecorded)
{
    EditorRig rig(kPageRace);
    rig.editor.radioClicked({"RadioGroupClutchMode"}, 1);
    EXPECT_EQ(rig.image.byte(270), 1);
    EXPECT_TRUE(rig.editor.history().canUndo());
}

TEST(ParameterEditor, IdleModeFromServoToStepMotor_MultipliesTheTargetsAndRecordsNothingYet)
{
    EditorRig rig(kPageIdle);
    rig.image.setByte(213, 1); // intake servo map in percent
    rig.image.setByte(2750, 1);
    for (int i = 0; i < 9; ++i)
        rig.image.setWordAt(2758 + 2 * i, static_cast<std::uint16_t>(10 + i));
    rig.editor.takeSnapshot();
    const bool couldUndo = rig.editor.history().canUndo();

    rig.editor.radioClicked({"RadioGroupIdleMode"}, 2);

    EXPECT_EQ(rig.image.byte(2750), 2);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(rig.image.wordAt(2758 + 2 * i), (10 + i) * 50);
        EXPECT_EQ(rig.controls.range({"EditIdleServoPoz", i}), (ControlRange{0, 12000, 10}));
        EXPECT_EQ(rig.controls.value({"EditIdleServoPoz", i}), (10 + i) * 50);
    }
    rig.editor.undo();
    EXPECT_EQ(rig.editor.history().canUndo(), false);
    EXPECT_EQ(couldUndo, true);
}

TEST(ParameterEditor, TypedValueLeftByFocusOrPageChange_IsCommitted)
{
    EditorRig rig(kPageRace);
    const ControlKey jet = rig.edit("ClutchJet");
    rig.controls.setText(jet, "61");
    rig.editor.changePage(kPageGear);
    EXPECT_EQ(stored(rig.image, "ClutchJet"), 61);
    EXPECT_EQ(rig.editor.activePage(), kPageGear);

    const ControlKey gears = rig.edit("PocetGear");
    rig.controls.setText(gears, "4");
    rig.editor.fieldEditingFinished();
    EXPECT_EQ(stored(rig.image, "PocetGear"), 4);
}

TEST(ParameterEditor, LeavingAnUntouchedPage_RecordsNothing)
{
    EditorRig rig(kPageRace);
    rig.image.setByte(283, 0); // ClutchMinRpm below its control's range, as a file may bring
    rig.editor.fillPage();
    rig.editor.fieldEditingFinished();
    rig.editor.changePage(kPageGear);
    EXPECT_FALSE(rig.editor.history().canUndo());
    EXPECT_EQ(rig.image.byte(283), 0);
}

TEST(ParameterEditor, MapPages_AreBoundThroughTheHook)
{
    EditorRig rig(kPageRace);
    rig.editor.changePage(kPageInjB);
    EXPECT_EQ(rig.mapPages.fills.back(), kPageInjB);
    rig.editor.editClicked();
    EXPECT_EQ(rig.mapPages.collects.back(), kPageInjB);
    EXPECT_EQ(rig.mapPages.refreshes.back(), kPageInjB);
}

TEST(ParameterEditor, MonitorPage_CollectsNothingAndOnlyRefreshesTheView)
{
    EditorRig rig(kPageMonitor);
    rig.editor.collectPage();
    rig.editor.fillPage();
    EXPECT_TRUE(rig.mapPages.collects.empty());
    EXPECT_TRUE(rig.mapPages.fills.empty());
    EXPECT_EQ(rig.mapPages.refreshes.back(), kPageMonitor);
}

TEST(ParameterEditor, BikeSelection_StoresTheCodeAndAsksForDefaults)
{
    EditorRig rig(kPageBike);
    rig.prompts.answers = {PromptAnswer::No};
    rig.controls.setItemIndex({"ComboBoxBike"}, 3); // Ducati 996, code 1
    rig.editor.bikeSelected(3);
    EXPECT_EQ(rig.image.byte(150), 1);
    EXPECT_EQ(rig.prompts.asked.size(), 1U);
    EXPECT_TRUE(rig.editor.history().canUndo());
    EXPECT_EQ(rig.host.captions, 1);
}

TEST(ParameterEditor, UnknownBikeCode_ShowsTheNoBikeItemAndKeepsTheCode)
{
    EditorRig rig(kPageRace);
    rig.image.setByte(150, 60);
    rig.editor.changePage(kPageBike);
    EXPECT_EQ(rig.controls.itemIndex({"ComboBoxBike"}), 53);
    EXPECT_EQ(rig.prompts.messages.size(), 1U);
    rig.editor.editClicked();
    EXPECT_EQ(rig.image.byte(150), 60);
}

} // namespace
} // namespace quorvel
