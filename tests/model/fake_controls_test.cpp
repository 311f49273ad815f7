#include "model/controls_contract.h"
#include "model/fake_controls.h"

namespace quorvel {
namespace {

struct MakeFakeControls {
    static std::unique_ptr<Controls> create()
    {
        auto controls = std::make_unique<FakeControls>();
        controls->placeIn({"EditBoxedProbe"}, "GroupBoxProbe");
        return controls;
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ControlsContract, testing::Types<MakeFakeControls>);

TEST(FakeControls, TypedTextWithThousandsSeparators_IsAccepted)
{
    FakeControls controls;
    const ControlKey spin{"EditProbe"};
    controls.setRange(spin, {0, 30000, 1});
    controls.setText(spin, "12,500");
    controls.interpretText(spin);
    EXPECT_EQ(controls.value(spin), 12500);
    EXPECT_EQ(controls.text(spin), "12,500");
}

} // namespace
} // namespace quorvel
