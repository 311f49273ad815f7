#include "model/controls_contract.h"
#include "ui/binding/control_applier.h"
#include "ui/binding/control_registry.h"
#include "ui/binding/qt_controls.h"
#include "ui/pages/field_spin_box.h"
#include "ui/window_rig.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel {
namespace {

// Real widgets under one root, owned together with the controls that look at them.
class WidgetControls final : public Controls {
public:
    WidgetControls()
    {
        new FieldSpinBox("EditProbe", &m_root);
        (new QCheckBox(&m_root))->setObjectName("CheckBoxProbe");
        (new QLabel(&m_root))->setObjectName("LabelProbe");
        auto* radio = new QGroupBox(&m_root);
        radio->setObjectName("RadioGroupProbe");
        auto* group = new QButtonGroup(radio);
        for (int item = 0; item < 3; ++item)
            group->addButton(new QRadioButton(radio), item);
        auto* box = new QGroupBox(&m_root);
        box->setObjectName("GroupBoxProbe");
        new FieldSpinBox("EditBoxedProbe", box);
        m_registry.rebuild();
    }

    int value(ControlKey key) const override { return m_controls.value(key); }
    void setValue(ControlKey key, int value) override { m_controls.setValue(key, value); }
    ControlRange range(ControlKey key) const override { return m_controls.range(key); }
    void setRange(ControlKey key, ControlRange range) override { m_controls.setRange(key, range); }
    void stepBy(ControlKey key, int steps) override { m_controls.stepBy(key, steps); }
    void interpretText(ControlKey key) override { m_controls.interpretText(key); }
    std::string text(ControlKey key) const override { return m_controls.text(key); }
    void setText(ControlKey key, std::string_view text) override { m_controls.setText(key, text); }
    bool checked(ControlKey key) const override { return m_controls.checked(key); }
    void setChecked(ControlKey key, bool checked) override { m_controls.setChecked(key, checked); }
    int itemIndex(ControlKey key) const override { return m_controls.itemIndex(key); }
    void setItemIndex(ControlKey key, int index) override { m_controls.setItemIndex(key, index); }
    void apply(const ControlView& view) override { m_controls.apply(view); }
    bool isShown(ControlKey key) const override { return m_controls.isShown(key); }
    bool isEnabled(ControlKey key) const override { return m_controls.isEnabled(key); }
    std::string caption(ControlKey key) const override { return m_controls.caption(key); }
    void setColour(ControlKey key, ColourRole colour) override { m_controls.setColour(key, colour); }
    ColourRole colour(ControlKey key) const override { return m_controls.colour(key); }

private:
    QWidget m_root;
    ControlRegistry m_registry{m_root};
    ControlApplier m_applier{m_registry};
    QtControls m_controls{m_registry, m_applier};
};

struct MakeWidgetControls {
    static std::unique_ptr<Controls> create()
    {
        test::ensureApplication();
        return std::make_unique<WidgetControls>();
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Widgets, ControlsContract, testing::Types<MakeWidgetControls>);

TEST(QtControls, NamesNoWidgetCarries_AreReportedAndChangeNothing)
{
    test::ensureApplication();
    WidgetControls controls;
    const test::MissingControls missing;
    const ControlKey nowhere{"EditNowhere", 3};
    controls.setValue(nowhere, 5);
    controls.apply(visibilityView(nowhere, false));
    EXPECT_EQ(controls.value(nowhere), 0);
    EXPECT_EQ(controls.itemIndex({"RadioGroupNowhere"}), -1);
    EXPECT_EQ(missing.names.front(), "EditNowhere3");
    EXPECT_EQ(missing.names.back(), "RadioGroupNowhere");
}

TEST(QtControls, RadioGroupWithAnItemItLacks_SelectsNothing)
{
    test::ensureApplication();
    WidgetControls controls;
    controls.setItemIndex({"RadioGroupProbe"}, 1);
    controls.setItemIndex({"RadioGroupProbe"}, 7);
    EXPECT_EQ(controls.itemIndex({"RadioGroupProbe"}), -1);
}

} // namespace
} // namespace quorvel
