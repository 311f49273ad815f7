#include "maps/page_view.h"

#include "core/page_index.h"
#include "texts/language_table.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using enum GridLayoutMode;

constexpr int kEngineType = 152;
constexpr int kAdvTps = 190;
constexpr int kJet123Mode = 197;
constexpr int kServoExEnable = 208;
constexpr int kServoInEnable = 209;
constexpr int kServoExMode = 214;
constexpr int kServoInMode = 215;
constexpr int kServoInStepMotor = 216;
constexpr int kCylinderCount = 406;

struct ModeCase {
    const char* name;
    int page;
    std::vector<std::pair<int, int>> bytes;
    bool showMs;
    GridLayoutMode mode;
};

class GridModeByPage : public testing::TestWithParam<ModeCase> {};

TEST_P(GridModeByPage, FollowsTheImageAndTheMsOption)
{
    ParamImage image;
    for (const auto& [offset, value] : GetParam().bytes)
        image.setByte(offset, static_cast<std::uint8_t>(value));
    EXPECT_EQ(gridLayoutMode(image, GetParam().page, GetParam().showMs), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    MapPages, GridModeByPage,
    testing::Values(ModeCase{"AdvanceWithTps", kPageAdvance, {{kAdvTps, 1}}, false, Full},
                    ModeCase{"AdvanceWithoutTps", kPageAdvance, {}, false, OneRow},
                    ModeCase{"AdvanceIgnoresMs", kPageAdvance, {{kAdvTps, 1}}, true, Full},
                    ModeCase{"Inj1A", kPageInj1A, {{kJet123Mode, 1}}, false, Full},
                    ModeCase{"Inj1AMs", kPageInj1A, {{kJet123Mode, 1}}, true, FullTimes},
                    ModeCase{"Inj3ANormalMs", kPageInj3A, {}, true, FullTimes},
                    ModeCase{"Inj3ACoupled", kPageInj3A, {{kJet123Mode, 1}}, false, Follower},
                    ModeCase{"Inj3ACoupledMs", kPageInj3A, {{kJet123Mode, 1}}, true, FollowerTimes},
                    ModeCase{"Inj4AUnknownCouplingIsNormal", kPageInj4A, {{kJet123Mode, 9}}, false, Full},
                    ModeCase{"InjB", kPageInjB, {}, true, Full}, ModeCase{"IapMs", kPageInjIap, {}, true, FullTimes},
                    ModeCase{"IntakeDisabled", kPageIntakeServo, {{kServoInMode, 1}}, false, Empty},
                    ModeCase{"IntakeRT", kPageIntakeServo, {{kServoInEnable, 1}}, false, Full},
                    ModeCase{"IntakeRpm", kPageIntakeServo, {{kServoInEnable, 1}, {kServoInMode, 1}}, false, OneRow},
                    ModeCase{"IntakeTps", kPageIntakeServo, {{kServoInEnable, 1}, {kServoInMode, 2}}, false, OneColumn},
                    ModeCase{"ExhaustReadsItsOwnBytes", kPageExhaustServo, {{kServoInEnable, 1}}, false, Empty},
                    ModeCase{
                        "ExhaustTps", kPageExhaustServo, {{kServoExEnable, 1}, {kServoExMode, 2}}, false, OneColumn}),
    [](const auto& param) { return param.param.name; });

TEST(GridLayout, OneRowKeepsRowNineAndOneColumnKeepsColumnZero)
{
    const GridLayout row = GridLayout::of(OneRow);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(row.cellEditable(r, 7), r == 9) << r;
    EXPECT_FALSE(row.columnSpins);
    EXPECT_TRUE(row.rpmUpDowns);

    const GridLayout column = GridLayout::of(OneColumn);
    for (int c = 0; c < 15; ++c)
        EXPECT_EQ(column.cellEditable(4, c), c == 0) << c;
    EXPECT_FALSE(column.rpmFields);
}

class PageViewTest : public testing::Test {
protected:
    PageViewTest()
    {
        m_image.setByte(kCylinderCount, 4);
        m_image.setByte(kEngineType, 5);
    }

    [[nodiscard]] PageView view(int page, bool showMs = false) const
    {
        return refreshView(m_image, page, {showMs}, m_texts);
    }
    // Whether the view shows a control; fails when the view does not decide it.
    static bool shown(const PageView& view, std::string_view name, int index = -1)
    {
        const ControlView* control = view.find(name, index);
        EXPECT_NE(control, nullptr) << name << index;
        return control != nullptr && control->visible.value_or(false);
    }
    static std::string caption(const PageView& view, std::string_view name, int index = -1)
    {
        const ControlView* control = view.find(name, index);
        return control != nullptr ? control->caption.value_or("") : "<none>";
    }
    static int visibleCount(const PageView& view, std::string_view name, int count)
    {
        int visible = 0;
        for (int i = 0; i < count; ++i)
            visible += shown(view, name, i) ? 1 : 0;
        return visible;
    }

    ParamImage m_image;
    LanguageTable m_texts;
};

TEST_F(PageViewTest, IntakeServoInRpmModeShowsOneRowWithTheAxisAndNoRowLabels)
{
    m_image.setByte(kServoInEnable, 1);
    m_image.setByte(kServoInMode, 1);
    const PageView v = view(kPageIntakeServo);
    EXPECT_EQ(v.grid->mode, OneRow);
    EXPECT_EQ(visibleCount(v, "EditRpm_Uni", 15), 15);
    EXPECT_TRUE(shown(v, "LabelRpm_Uni"));
    EXPECT_EQ(visibleCount(v, "LabelRow_Uni", 10), 0);
    EXPECT_FALSE(shown(v, "LabelRowAxis_Uni"));
    EXPECT_EQ(visibleCount(v, "CSpinButtonColumn_Uni", 15), 0);
    EXPECT_TRUE(shown(v, "CheckBoxAll_Uni"));
}

TEST_F(PageViewTest, IntakeServoInTpsModeShowsOneColumnWithRowLabelsWithoutAxis)
{
    m_image.setByte(kServoInEnable, 1);
    m_image.setByte(kServoInMode, 2);
    const PageView v = view(kPageIntakeServo);
    EXPECT_EQ(v.grid->mode, OneColumn);
    EXPECT_EQ(visibleCount(v, "EditRpm_Uni", 15), 0);
    EXPECT_FALSE(shown(v, "LabelRpm_Uni"));
    EXPECT_EQ(visibleCount(v, "LabelRow_Uni", 10), 10);
    EXPECT_EQ(caption(v, "LabelRowAxis_Uni"), "TPS");
}

TEST_F(PageViewTest, DisabledServoLeavesOnlyServoEnable)
{
    m_image.setByte(kServoInStepMotor, 1);
    const PageView v = view(kPageIntakeServo);
    EXPECT_EQ(v.grid->mode, Empty);
    EXPECT_TRUE(shown(v, "CheckBoxServoEnable"));
    for (std::string_view hidden : {"CheckBoxProcenta", "RadioGroupServoMode", "CheckBoxStepMotor", "LabelRpm_Uni",
                                    "CSpinButtonTools_Uni", "CheckBoxAll_Uni", "BevelTop_Uni", "LabelRowAxis_Uni"})
        EXPECT_FALSE(shown(v, hidden)) << hidden;
    EXPECT_EQ(visibleCount(v, "EditExtra_Uni", 6), 0);
    EXPECT_EQ(visibleCount(v, "LabelExtra_Uni", 5), 0);
}

TEST_F(PageViewTest, StepMotorAddsPeriodAndExcitationOnTheIntakePageOnly)
{
    for (int offset : {kServoInEnable, kServoExEnable, kServoInStepMotor})
        m_image.setByte(offset, 1);
    const PageView intake = view(kPageIntakeServo);
    EXPECT_EQ(visibleCount(intake, "EditExtra_Uni", 6), 3);
    EXPECT_EQ(caption(intake, "LabelExtra_Uni", 1), "Hysteresis [mV]");
    EXPECT_EQ(caption(intake, "LabelExtra_Uni", 3), "Period [ms]");
    EXPECT_EQ(caption(intake, "LabelExtra_Uni", 4), "Excitation [us]");
    const ControlView* excitation = intake.find("EditExtra_Uni", 3);
    ASSERT_NE(excitation, nullptr);
    EXPECT_EQ(excitation->minimum, 250);
    EXPECT_EQ(excitation->maximum, 25000);
    EXPECT_EQ(excitation->step, 250);
    EXPECT_TRUE(intake.find("CheckBoxStepMotor")->enabled.value_or(false));

    const PageView exhaust = view(kPageExhaustServo);
    EXPECT_EQ(visibleCount(exhaust, "EditExtra_Uni", 6), 1);
    EXPECT_FALSE(shown(exhaust, "CheckBoxStepMotor"));

    m_image.setByte(150, 47);
    EXPECT_FALSE(view(kPageIntakeServo).find("CheckBoxStepMotor")->enabled.value_or(true));
}

TEST_F(PageViewTest, AdvanceWithoutTpsShowsOneRowAndWithTpsAllTen)
{
    const PageView oneRow = view(kPageAdvance);
    EXPECT_EQ(oneRow.grid->mode, OneRow);
    EXPECT_TRUE(shown(oneRow, "CheckBoxTps_Uni"));
    EXPECT_FALSE(shown(oneRow, "CheckBoxZobrMs_Uni"));
    m_image.setByte(kAdvTps, 1);
    const PageView all = view(kPageAdvance);
    EXPECT_EQ(all.grid->mode, Full);
    EXPECT_EQ(visibleCount(all, "LabelRow_Uni", 10), 10);
}

TEST_F(PageViewTest, TwoCylindersHideTheThirdAndFourthTabsAndAdvanceOffersTwoCorrections)
{
    m_image.setByte(kCylinderCount, 2);
    const PageView v = view(kPageAdvance);
    EXPECT_TRUE(shown(v, kMapTabName, kPageInj2A));
    EXPECT_FALSE(shown(v, kMapTabName, kPageInj3A));
    EXPECT_FALSE(shown(v, kMapTabName, kPageInj4A));
    // AdvBase and the corrections of cylinders 1 and 2; no lobe width for this engine type.
    EXPECT_EQ(visibleCount(v, "EditExtra_Uni", 6), 3);
    EXPECT_FALSE(shown(v, "EditExtra_Uni", 2));
    EXPECT_EQ(caption(v, "LabelExtra_Uni", 0), "Base advance [°]");
    EXPECT_EQ(caption(v, "LabelExtra_Uni", 1), "Correction for cylinder 1,2");
    EXPECT_EQ(v.find("EditExtra_Uni", 0)->minimum, -15);

    m_image.setByte(kJet123Mode, 2);
    EXPECT_FALSE(shown(view(kPageAdvance), kMapTabName, kPageInj2A));
}

TEST_F(PageViewTest, LobeWidthOnlyForEngineTypesSevenAndTwentyTwo)
{
    for (int type : {7, 22}) {
        m_image.setByte(kEngineType, static_cast<std::uint8_t>(type));
        const PageView v = view(kPageAdvance);
        EXPECT_TRUE(shown(v, "EditExtra_Uni", 5)) << type;
        EXPECT_EQ(caption(v, "LabelExtra_Uni", 2), "Width of Lobe [°]");
    }
}

struct CouplingLabelCase {
    int cylinders;
    int jet123Mode;
    const char* text;
    ColourRole colour;
};

class CouplingLabel : public PageViewTest, public testing::WithParamInterface<CouplingLabelCase> {};

TEST_P(CouplingLabel, FollowsCylindersAndCoupling)
{
    m_image.setByte(kCylinderCount, static_cast<std::uint8_t>(GetParam().cylinders));
    m_image.setByte(kJet123Mode, static_cast<std::uint8_t>(GetParam().jet123Mode));
    const PageView v = view(kPageInj1A);
    EXPECT_TRUE(shown(v, "LabelJet123_Uni"));
    EXPECT_EQ(caption(v, "LabelJet123_Uni"), GetParam().text);
    ASSERT_EQ(v.colours.size(), 1U);
    EXPECT_EQ(v.colours[0].colour, GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(Texts, CouplingLabel,
                         testing::Values(CouplingLabelCase{2, 1, "  1 -> 2  ", ColourRole::Yellow},
                                         CouplingLabelCase{2, 2, "  1 = 2  ", ColourRole::Aqua},
                                         CouplingLabelCase{3, 1, "  1 -> 2, 3  ", ColourRole::Yellow},
                                         CouplingLabelCase{3, 2, "  1 = 2 = 3  ", ColourRole::Aqua},
                                         CouplingLabelCase{4, 1, "  1 -> 2, 3, 4  ", ColourRole::Yellow},
                                         CouplingLabelCase{0, 2, "  1 = 2 = 3 = 4  ", ColourRole::Aqua}));

TEST_F(PageViewTest, CouplingLabelHiddenWhenNormalOrOneCylinderOrOffTheAPages)
{
    EXPECT_FALSE(shown(view(kPageInj1A), "LabelJet123_Uni"));
    m_image.setByte(kJet123Mode, 1);
    EXPECT_TRUE(shown(view(kPageInj3A), "LabelJet123_Uni"));
    for (int page : {kPageAdvance, kPageInjB, kPageInjIap, kPageIntakeServo})
        EXPECT_FALSE(shown(view(page), "LabelJet123_Uni")) << page;
    m_image.setByte(kCylinderCount, 1);
    EXPECT_FALSE(shown(view(kPageInj1A), "LabelJet123_Uni"));
}

TEST_F(PageViewTest, CoupledInj3AWithMsShowsOnlyTimes)
{
    m_image.setByte(kJet123Mode, 1);
    const PageView v = view(kPageInj3A, true);
    EXPECT_EQ(v.grid->mode, FollowerTimes);
    EXPECT_FALSE(v.grid->cellFields);
    EXPECT_TRUE(v.grid->msLabels);
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 15; ++c)
            EXPECT_FALSE(v.grid->cellEditable(r, c));
    }
    for (std::string_view hidden : {"CheckBoxZobrMs_Uni", "CSpinButtonTools_Uni", "CheckBoxAll_Uni"})
        EXPECT_FALSE(shown(v, hidden)) << hidden;
    EXPECT_EQ(visibleCount(v, "UpDownRpm_Uni", 15), 0);
    EXPECT_EQ(visibleCount(v, "EditRpm_Uni", 15), 15);
    EXPECT_FALSE(v.find("MenuNewActPage")->enabled.value_or(true));
}

TEST_F(PageViewTest, PageLoadMenusAreEnabledAgainAfterLeavingACoupledPage)
{
    m_image.setByte(kJet123Mode, 1);
    for (int page : {kPageBike, kPageAdvance, kPageInjIap, kPageMonitor}) {
        const PageView v = view(page);
        EXPECT_TRUE(v.find("MenuNewActPage")->enabled.value_or(false)) << page;
        EXPECT_TRUE(v.find("MenuOpenActPage")->enabled.value_or(false)) << page;
    }
}

TEST_F(PageViewTest, InjIapShowsPressureFieldsAndOneCorrectionPerCylinder)
{
    m_image.setByte(kCylinderCount, 3);
    const PageView v = view(kPageInjIap);
    EXPECT_EQ(visibleCount(v, "EditRow_Uni", 10), 10);
    EXPECT_EQ(visibleCount(v, "LabelRow_Uni", 10), 0);
    EXPECT_EQ(caption(v, "LabelRowAxis_Uni"), "IAP [kPa]");
    EXPECT_EQ(visibleCount(v, "EditExtra_Uni", 6), 3);
    EXPECT_EQ(caption(v, "LabelExtra_Uni", 1), "Correction for cylinder 1,2,3");
    EXPECT_TRUE(shown(v, "CheckBoxZobrMs_Uni"));
    EXPECT_EQ(visibleCount(view(kPageInj1A), "EditRow_Uni", 10), 0);
}

TEST_F(PageViewTest, EveryPageSetsMenuMarksAndPickupLabels)
{
    m_image.setByte(kJet123Mode, 1);
    m_image.setByte(kEngineType, 2);
    const PageView v = view(kPageGear);
    EXPECT_FALSE(v.grid.has_value());
    const std::vector<ControlCheck> marks = {
        {{"Menu_Jet123Normal", -1}, false}, {{"Menu_Jet123Coupled", -1}, true}, {{"Menu_Jet123Stejny", -1}, false}};
    EXPECT_EQ(v.checks, marks);
    EXPECT_FALSE(shown(v, "LabelSnimacCkps"));
    EXPECT_TRUE(shown(v, "LabelSnimacCmps"));

    for (const auto& [type, ckps, cmps] : {std::tuple{22, true, false}, {4, true, true}, {1, true, false}}) {
        m_image.setByte(kEngineType, static_cast<std::uint8_t>(type));
        const PageView pickups = view(kPageBike);
        EXPECT_EQ(shown(pickups, "LabelSnimacCkps"), ckps) << type;
        EXPECT_EQ(shown(pickups, "LabelSnimacCmps"), cmps) << type;
    }
}

} // namespace
} // namespace quorvel
