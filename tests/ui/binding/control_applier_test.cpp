#include "core/control_views.h"
#include "ui/binding/colour_palette.h"
#include "ui/binding/control_applier.h"
#include "ui/binding/control_registry.h"
#include "window_rig.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class ControlApplierTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root.setObjectName("root");
        label = new QLabel("design", &root);
        label->setObjectName("LabelRpm");
        gauge = new QProgressBar(&root);
        gauge->setObjectName("CGaugeRpm");
        gauge->setRange(0, 100);
        spin = new QSpinBox(&root);
        spin->setObjectName("EditKorVoda3");
        registry.rebuild();
    }

    // The application exists before the first widget.
    bool m_application = (test::ensureApplication(), true);
    QWidget root;
    QLabel* label = nullptr;
    QProgressBar* gauge = nullptr;
    QSpinBox* spin = nullptr;
    ControlRegistry registry{root};
    ControlApplier applier{registry};
};

TEST_F(ControlApplierTest, SetsOnlyWhatChanged)
{
    const LabelState state{{"LabelRpm"}, "RPM = 3000 ", ColourRole::Red, true};
    applier.apply(state);
    EXPECT_EQ(label->text(), "RPM = 3000 ");
    EXPECT_EQ(label->palette().color(QPalette::Window), ColourPalette::colour(ColourRole::Red));
    const long afterFirst = applier.changes();
    EXPECT_EQ(afterFirst, 3);
    applier.apply(state);
    EXPECT_EQ(applier.changes(), afterFirst);
    applier.apply(LabelState{{"LabelRpm"}, "RPM = 3100 ", std::nullopt, std::nullopt});
    EXPECT_EQ(applier.changes(), afterFirst + 1);
    EXPECT_EQ(label->palette().color(QPalette::Window), ColourPalette::colour(ColourRole::Red));
}

TEST_F(ControlApplierTest, GaugesClampToTheirRange)
{
    applier.apply(GaugeState{"CGaugeRpm", 125, ColourRole::Yellow});
    EXPECT_EQ(gauge->value(), 100);
    EXPECT_EQ(gauge->palette().color(QPalette::Highlight), ColourPalette::colour(ColourRole::Yellow));
    applier.apply(GaugeState{"CGaugeRpm", -4, std::nullopt});
    EXPECT_EQ(gauge->value(), 0);
}

TEST_F(ControlApplierTest, MarksAndViewsFindSeriesByIndex)
{
    applier.apply(ControlMark{{"EditKorVoda", 3}, ColourRole::Lime, std::nullopt});
    EXPECT_EQ(spin->palette().color(QPalette::Base), ColourPalette::colour(ColourRole::Lime));
    applier.apply(ControlView{{"EditKorVoda", 3}, false, false, std::nullopt, -10, 40, 5});
    EXPECT_TRUE(spin->isHidden());
    EXPECT_FALSE(spin->isEnabled());
    EXPECT_EQ(spin->minimum(), -10);
    EXPECT_EQ(spin->maximum(), 40);
    EXPECT_EQ(spin->singleStep(), 5);
}

TEST_F(ControlApplierTest, UnknownNames_AreReportedUntilTheWidgetExists)
{
    {
        const test::MissingControls missing;
        applier.apply(LabelState{{"LabelGear", 2}, "x", std::nullopt, std::nullopt});
        EXPECT_EQ(missing.names, std::vector<std::string>{"LabelGear2"});
    }
    EXPECT_EQ(applier.changes(), 0);
    auto* late = new QLabel(&root);
    late->setObjectName("LabelGear2");
    registry.rebuild();
    applier.forgetWidgets();
    applier.apply(LabelState{{"LabelGear", 2}, "x", std::nullopt, std::nullopt});
    EXPECT_EQ(late->text(), "x");
}

TEST_F(ControlApplierTest, WhatIsAppliedBeforeAPageIsMade_WaitsForIt_AndAStrayNameIsToldOnceAllAreMade)
{
    const test::MissingControls missing;
    registry.setPagesToCome(true);
    applier.apply(LabelState{{"LabelIdleHyster"}, "Hysteresis [rpm]", ColourRole::Red, std::nullopt});
    applier.apply(LabelState{{"LabelIdleHyster"}, "Desired RPM", std::nullopt, std::nullopt});
    applier.apply(ControlView{{"EditIdleRpm"}, std::nullopt, false, std::nullopt, 10, 90, 5});
    applier.apply(
        ControlView{{"EditIdleRpm"}, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 80, std::nullopt});
    applier.apply(ControlMark{{"EditIdleRpm"}, ColourRole::Yellow, std::nullopt});
    applier.apply(LabelState{{"LabelNoSuchControl"}, "lost", std::nullopt, std::nullopt});
    EXPECT_TRUE(missing.names.empty()) << "their page may still bring them";
    EXPECT_EQ(applier.changes(), 0);

    auto* caption = new QLabel("design", &root);
    caption->setObjectName("LabelIdleHyster");
    auto* field = new QSpinBox(&root);
    field->setObjectName("EditIdleRpm");
    registry.rebuild();
    applier.showWaiting();
    EXPECT_EQ(caption->text(), "Desired RPM") << "the latest text";
    EXPECT_EQ(caption->palette().color(QPalette::Window), ColourPalette::colour(ColourRole::Red))
        << "a colour given once and not taken back";
    EXPECT_FALSE(field->isEnabled());
    EXPECT_EQ(field->minimum(), 10);
    EXPECT_EQ(field->maximum(), 80);
    EXPECT_EQ(field->singleStep(), 5);
    EXPECT_EQ(field->palette().color(QPalette::Base), ColourPalette::colour(ColourRole::Yellow));
    EXPECT_TRUE(missing.names.empty());

    registry.setPagesToCome(false);
    EXPECT_EQ(missing.names, std::vector<std::string>{"LabelNoSuchControl"}) << "no page brought it";
}

TEST_F(ControlApplierTest, ViewsReachMenuItems)
{
    auto* item = new QAction(&root);
    item->setObjectName("MenuNewActPage");
    registry.rebuild();
    applier.forgetWidgets();
    applier.apply(enabledView({"MenuNewActPage"}, false));
    EXPECT_FALSE(item->isEnabled());
}

TEST_F(ControlApplierTest, TwoControlsWithOneName_AreReported)
{
    (new QLabel(&root))->setObjectName("LabelRpm");
    registry.rebuild();
    applier.forgetWidgets();
    const test::MissingControls missing;
    applier.apply(LabelState{{"LabelRpm"}, "RPM = 1 ", std::nullopt, std::nullopt});
    EXPECT_EQ(missing.names, std::vector<std::string>{"LabelRpm"});
    EXPECT_EQ(registry.duplicates(), QStringList{"LabelRpm"});
}

} // namespace
} // namespace quorvel
