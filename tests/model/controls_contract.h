#pragma once

// The behaviour every implementation of Controls must share, written once and instantiated for
// each: the in-memory fake here, the widgets of the window in the GUI tests.
//
// A type parameter T provides `static std::unique_ptr<Controls> create()` giving controls that
// hold at least a fresh spin control "EditProbe", a check box "CheckBoxProbe", a radio group
// "RadioGroupProbe" of three items, a label "LabelProbe" and a spin control "EditBoxedProbe" in
// a group box "GroupBoxProbe". Instantiate with
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, ControlsContract, testing::Types<T>);

#include "core/control_views.h"
#include "model/controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

namespace quorvel {

template <typename T> class ControlsContract : public testing::Test {
protected:
    static constexpr ControlKey kSpin{"EditProbe"};
    static constexpr ControlKey kCheck{"CheckBoxProbe"};
    static constexpr ControlKey kRadio{"RadioGroupProbe"};
    static constexpr ControlKey kLabel{"LabelProbe"};

    void SetUp() override
    {
        m_controls = T::create();
        controls().setRange(kSpin, {-20, 12000, 50});
        controls().setValue(kSpin, 1000);
    }

    Controls& controls() { return *m_controls; }

    static std::string digitsOf(const std::string& text)
    {
        std::string digits;
        std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '-'; });
        return digits;
    }

private:
    std::unique_ptr<Controls> m_controls;
};

TYPED_TEST_SUITE_P(ControlsContract);

TYPED_TEST_P(ControlsContract, SetValue_KeepsThePositionWithinTheRange)
{
    Controls& c = this->controls();
    const auto spin = TestFixture::kSpin;
    for (const auto& [set, expected] : {std::pair{-21, -20}, {-20, -20}, {0, 0}, {12001, 12000}, {65535, 12000}}) {
        c.setValue(spin, set);
        EXPECT_EQ(c.value(spin), expected) << "set " << set;
    }
}

TYPED_TEST_P(ControlsContract, StepBy_MovesByTheStepAndStopsAtTheBounds)
{
    Controls& c = this->controls();
    const auto spin = TestFixture::kSpin;
    c.stepBy(spin, 1);
    EXPECT_EQ(c.value(spin), 1050);
    c.stepBy(spin, -2);
    EXPECT_EQ(c.value(spin), 950);
    c.setValue(spin, 11990);
    c.stepBy(spin, 1);
    EXPECT_EQ(c.value(spin), 12000);
    c.setValue(spin, 0);
    c.stepBy(spin, -1);
    EXPECT_EQ(c.value(spin), -20);
}

TYPED_TEST_P(ControlsContract, NarrowerRange_PullsThePositionInside)
{
    Controls& c = this->controls();
    const auto spin = TestFixture::kSpin;
    c.setRange(spin, {0, 100, 1});
    EXPECT_EQ(c.value(spin), 100);
    EXPECT_EQ(c.range(spin), (ControlRange{0, 100, 1}));
    c.stepBy(spin, -1);
    EXPECT_EQ(c.value(spin), 99);
}

TYPED_TEST_P(ControlsContract, TypedText_BecomesThePositionOnlyWhenAWholeNumberWithinRange)
{
    Controls& c = this->controls();
    const auto spin = TestFixture::kSpin;
    struct Case {
        const char* typed;
        int expected;
    };
    for (const Case& t : {Case{"2500", 2500}, Case{"12001", 1000}, Case{"-21", 1000}, Case{"12.5", 1000},
                          Case{"abc", 1000}, Case{"", 1000}, Case{"-5", -5}}) {
        c.setValue(spin, 1000);
        c.setText(spin, t.typed);
        EXPECT_EQ(c.value(spin), 1000) << "typed text is not the position before it is interpreted";
        c.interpretText(spin);
        EXPECT_EQ(c.value(spin), t.expected) << "typed " << t.typed;
        EXPECT_EQ(this->digitsOf(c.text(spin)), std::to_string(t.expected)) << "typed " << t.typed;
    }
}

TYPED_TEST_P(ControlsContract, LargeValues_ShowAThousandsSeparator)
{
    Controls& c = this->controls();
    const auto spin = TestFixture::kSpin;
    c.setValue(spin, 12000);
    EXPECT_NE(c.text(spin), "12000");
    EXPECT_EQ(this->digitsOf(c.text(spin)), "12000");
    c.setValue(spin, 950);
    EXPECT_EQ(c.text(spin), "950");
}

TYPED_TEST_P(ControlsContract, SetValue_ReplacesTypedText)
{
    Controls& c = this->controls();
    const auto spin = TestFixture::kSpin;
    c.setText(spin, "77");
    c.setValue(spin, 400);
    c.interpretText(spin);
    EXPECT_EQ(c.value(spin), 400);
    EXPECT_EQ(c.text(spin), "400");
}

TYPED_TEST_P(ControlsContract, CheckBoxesAndRadioGroups_HoldWhatWasSet)
{
    Controls& c = this->controls();
    c.setChecked(TestFixture::kCheck, true);
    EXPECT_TRUE(c.checked(TestFixture::kCheck));
    c.setChecked(TestFixture::kCheck, false);
    EXPECT_FALSE(c.checked(TestFixture::kCheck));
    c.setItemIndex(TestFixture::kRadio, 2);
    EXPECT_EQ(c.itemIndex(TestFixture::kRadio), 2);
    c.setItemIndex(TestFixture::kRadio, 0);
    EXPECT_EQ(c.itemIndex(TestFixture::kRadio), 0);
}

TYPED_TEST_P(ControlsContract, View_ChangesOnlyWhatItStates)
{
    Controls& c = this->controls();
    const auto spin = TestFixture::kSpin;
    ControlView hide = visibilityView(TestFixture::kLabel, false);
    hide.caption = "Desired RPM";
    c.apply(hide);
    EXPECT_FALSE(c.isShown(TestFixture::kLabel));
    EXPECT_EQ(c.caption(TestFixture::kLabel), "Desired RPM");
    c.apply(visibilityView(TestFixture::kLabel, true));
    EXPECT_TRUE(c.isShown(TestFixture::kLabel));
    EXPECT_EQ(c.caption(TestFixture::kLabel), "Desired RPM");

    ControlView narrow = upperRangeView(spin, 100, 1);
    narrow.enabled = false;
    c.apply(narrow);
    EXPECT_FALSE(c.isEnabled(spin));
    EXPECT_EQ(c.range(spin), (ControlRange{-20, 100, 1}));
    EXPECT_EQ(c.value(spin), 100);
}

TYPED_TEST_P(ControlsContract, HiddenGroupBox_HidesTheControlsInIt)
{
    Controls& c = this->controls();
    const ControlKey boxed{"EditBoxedProbe"};
    EXPECT_TRUE(c.isShown(boxed));
    c.apply(visibilityView({"GroupBoxProbe"}, false));
    EXPECT_FALSE(c.isShown(boxed));
    EXPECT_TRUE(c.isShown(TestFixture::kSpin));
    c.apply(visibilityView({"GroupBoxProbe"}, true));
    EXPECT_TRUE(c.isShown(boxed));
    c.apply(visibilityView(boxed, false));
    EXPECT_FALSE(c.isShown(boxed));
}

TYPED_TEST_P(ControlsContract, Colour_IsKeptPerControl)
{
    Controls& c = this->controls();
    c.setColour(TestFixture::kSpin, ColourRole::Red);
    c.setColour(TestFixture::kCheck, ColourRole::NormalFace);
    EXPECT_EQ(c.colour(TestFixture::kSpin), ColourRole::Red);
    EXPECT_EQ(c.colour(TestFixture::kCheck), ColourRole::NormalFace);
}

REGISTER_TYPED_TEST_SUITE_P(ControlsContract, SetValue_KeepsThePositionWithinTheRange,
                            StepBy_MovesByTheStepAndStopsAtTheBounds, NarrowerRange_PullsThePositionInside,
                            TypedText_BecomesThePositionOnlyWhenAWholeNumberWithinRange,
                            LargeValues_ShowAThousandsSeparator, SetValue_ReplacesTypedText,
                            CheckBoxesAndRadioGroups_HoldWhatWasSet, View_ChangesOnlyWhatItStates,
                            HiddenGroupBox_HidesTheControlsInIt, Colour_IsKeptPerControl);

} // namespace quorvel
