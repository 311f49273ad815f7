#include "fake_controls.h"

#include "core/control_views.h"
#include "core/page_index.h"
#include "core/sanitise.h"
#include "model/bike_defaults.h"
#include "model/field_codec.h"
#include "model/page_binding.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class StaticPage : public testing::TestWithParam<PageIndex> {
protected:
    void SetUp() override
    {
        image.setByte(150, 11);
        InjectionTables tables;
        applyDefaults(image, tables, {false, 0});
        OutsideSettings settings;
        (void)sanitiseImage(image, settings);
        binding.configure(GetParam());
    }

    ParamImage image;
    FakeControls controls;
    PageBinding binding{image, controls};
};

TEST_P(StaticPage, FillThenCollect_LeavesTheImageAsItWas)
{
    const ParamImage before = image;
    binding.fill(GetParam());
    controls.setItemIndex({"ComboBoxBike"}, 28); // the bike list shows code 11
    binding.collect(GetParam());
    for (int k = 150; k < kImageSize; ++k)
        ASSERT_EQ(image.byte(k), before.byte(k)) << "byte " << k;
}

TEST_P(StaticPage, EveryFieldOfThePage_ReachesTheImageFromItsControl)
{
    binding.fill(GetParam());
    for (const Field* field : FieldTable::ofPage(GetParam())) {
        if (field->control != ControlKind::Spin)
            continue;
        for (int element = 0; element < field->count; ++element) {
            const FieldControl control = fieldControl(*field, element);
            const ControlKey key = control.key();
            controls.setValue(key, field->minimum);
            binding.collect(GetParam());
            EXPECT_EQ(readCode(image, *field, element), encodeField(*field, field->minimum)) << key.objectName();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, StaticPage, testing::ValuesIn(kFieldPages));

TEST(PageBinding, SpinControls_AreNamedAfterTheirEditField)
{
    EXPECT_EQ(fieldControl(*FieldTable::byName("Chlazeni"), 0).key().objectName(), "EditChlazeni");
    EXPECT_EQ(fieldControl(*FieldTable::byName("KorVoda"), 2).key().objectName(), "EditKorVoda2");
    EXPECT_EQ(fieldControl(*FieldTable::byName("PositionAAngle"), 14).key().objectName(), "EditPolohaA14");
    EXPECT_EQ(fieldControl(*FieldTable::byName("GearSystem"), 0).key().objectName(), "RadioGroupGearSystem");
}

TEST(PageBinding, CollectedCode_FollowsTheControlRangeNotTheTable)
{
    // In idle mode 3 the targets reach 30000, beyond the range they start with.
    ParamImage image;
    FakeControls controls;
    PageBinding binding(image, controls);
    binding.configure(kPageIdle);
    controls.setRange({"EditIdleServoPoz", 4}, {0, 30000, 1});
    controls.setValue({"EditIdleServoPoz", 4}, 25000);
    binding.collect(kPageIdle);
    EXPECT_EQ(image.wordAt(2758 + 8), 25000);
}

TEST(PageBinding, ControlHiddenByTheView_IsNotCollected)
{
    ParamImage image;
    image.setWordAt(2758, 1800);
    FakeControls controls;
    PageBinding binding(image, controls);
    binding.configure(kPageIdle);
    controls.setRange({"EditIdleServoPoz", 0}, {0, 100, 1});
    binding.fill(kPageIdle); // shows 100, the bound of the narrower range
    controls.placeIn({"EditIdleServoPoz", 0}, "GroupBoxIdleServoPoz");
    controls.apply(visibilityView({"GroupBoxIdleServoPoz"}, false));
    controls.setValue({"EditIdleRpmMez"}, 1500);
    binding.collect(kPageIdle);
    EXPECT_EQ(image.wordAt(2758), 1800);
    EXPECT_EQ(image.byte(2751), 15);
}

TEST(PageBinding, NoBikeItem_KeepsTheBikeCode)
{
    ParamImage image;
    image.setByte(150, 60);
    FakeControls controls;
    PageBinding binding(image, controls);
    controls.setItemIndex({"ComboBoxBike"}, 53);
    binding.collect(kPageBike);
    EXPECT_EQ(image.byte(150), 60);
}

} // namespace
} // namespace quorvel
