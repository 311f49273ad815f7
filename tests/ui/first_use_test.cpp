// What the window makes only when it is first asked for: the 3D and curve views with their docks,
// the compare list and the log viewer. None exists after the start; the menu item, key or tool
// button that asks for one makes it, fills it with what the window shows and gives it the
// language chosen meanwhile.
#include "core/page_index.h"
#include "ui/window_rig.h"

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QGraphicsView>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

constexpr std::array kMadeOnFirstUse{"DockWidgetView3D",  "DockWidgetCurve", "SurfaceView",         "CurveView",
                                     "DockWidgetCompare", "FormLogViewer",   "DialogRestoreBackup", "DockWidgetTuning"};

class FirstUse : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.start();
        rig.window->show();
        rig.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(rig.window.get()));
    }

    void trigger(const char* item) { rig.control<QAction>(item).trigger(); }
    [[nodiscard]] QWidget* find(const char* name) const { return rig.window->findChild<QWidget*>(name); }

    test::WindowRig rig;
};

TEST_F(FirstUse, NoViewDockOrViewerExistsAfterTheStart)
{
    for (const char* name : kMadeOnFirstUse)
        EXPECT_EQ(find(name), nullptr) << name;
    EXPECT_TRUE(rig.window->findChildren<QDockWidget*>().isEmpty());
    EXPECT_TRUE(rig.window->findChildren<QGraphicsView*>().isEmpty()) << "no chart is made before it is shown";
    // Ticks, page changes and a language change reach the views that exist, and make none.
    rig.steps(5);
    rig.control<QTabWidget>("PageControl1").setCurrentIndex(kPageInj1A);
    trigger("MenuGerman");
    rig.steps(5);
    for (const char* name : kMadeOnFirstUse)
        EXPECT_EQ(find(name), nullptr) << name;
}

TEST_F(FirstUse, KeysMakeTheViewsAndHideThemAgain)
{
    rig.control<QTabWidget>("PageControl1").setCurrentIndex(kPageInj1A);
    QTest::keyClick(rig.window.get(), Qt::Key_F6);
    auto* surface = rig.window->findChild<QDockWidget*>("DockWidgetView3D");
    ASSERT_NE(surface, nullptr);
    EXPECT_FALSE(surface->isHidden());
    EXPECT_NE(find("SurfaceView"), nullptr);
    EXPECT_EQ(find("CurveView"), nullptr) << "only the view asked for is made";
    EXPECT_TRUE(rig.control<QAction>("MenuView3D").isChecked());

    QTest::keyClick(rig.window.get(), Qt::Key_F6, Qt::ShiftModifier);
    auto* curves = rig.window->findChild<QDockWidget*>("DockWidgetCurve");
    ASSERT_NE(curves, nullptr);
    EXPECT_FALSE(curves->isHidden());
    EXPECT_TRUE(rig.control<QAbstractButton>("ToolButtonViewCurve").isChecked());

    QTest::keyClick(rig.window.get(), Qt::Key_F6);
    EXPECT_TRUE(surface->isHidden());
    EXPECT_FALSE(rig.control<QAction>("MenuView3D").isChecked());
    rig.control<QAbstractButton>("ToolButtonView3D").click();
    EXPECT_FALSE(surface->isHidden()) << "the tool button shows the view made before";
    EXPECT_EQ(rig.window->findChildren<QDockWidget*>("DockWidgetView3D").size(), 1);
}

TEST_F(FirstUse, ViewsMadeAfterALanguageChangeSpeakIt)
{
    trigger("MenuGerman");
    trigger("MenuView3D");
    trigger("MenuViewCurve");
    EXPECT_EQ(rig.control<QDockWidget>("DockWidgetView3D").windowTitle(), "3D-Ansicht");
    EXPECT_EQ(rig.control<QDockWidget>("DockWidgetCurve").windowTitle(), "Kurve");
    trigger("MenuFrench");
    EXPECT_EQ(rig.control<QDockWidget>("DockWidgetView3D").windowTitle(), "Vue 3D");
    trigger("MenuCompareUnit");
    EXPECT_EQ(rig.control<QDockWidget>("DockWidgetCompare").windowTitle(), "Différences");
    trigger("MenuCzech");
    EXPECT_EQ(rig.control<QDockWidget>("DockWidgetCompare").windowTitle(), "Rozdíly");
    EXPECT_EQ(rig.control<QDockWidget>("DockWidgetCurve").windowTitle(), "Křivka");
}

TEST_F(FirstUse, CompareListIsMadeByItsCommandAndEndedWithIt)
{
    EXPECT_FALSE(rig.control<QAction>("MenuEndCompare").isEnabled());
    trigger("MenuCompareUnit");
    auto& dock = rig.control<QDockWidget>("DockWidgetCompare");
    EXPECT_FALSE(dock.isHidden());
    EXPECT_TRUE(rig.control<QAction>("MenuEndCompare").isEnabled());
    trigger("MenuEndCompare");
    EXPECT_TRUE(dock.isHidden());
}

TEST_F(FirstUse, OverlaySettingsSurviveAStartWithoutTheViewer)
{
    trigger("MenuOpenLog"); // its open dialog cancelled
    ASSERT_NE(find("FormLogViewer"), nullptr);
    rig.control<QSpinBox>("EditLogThreshold").setValue(530);
    rig.control<QSpinBox>("EditLogMinSamples").setValue(7);
    rig.window->close();
    // A start that never opens the viewer keeps what the one before it chose.
    rig.window.reset();
    rig.start();
    EXPECT_EQ(find("FormLogViewer"), nullptr);
    rig.window->close();
    rig.window.reset();
    rig.start();
    trigger("MenuOpenLog");
    EXPECT_EQ(rig.control<QSpinBox>("EditLogThreshold").value(), 530);
    EXPECT_EQ(rig.control<QSpinBox>("EditLogMinSamples").value(), 7);
}

} // namespace
} // namespace quorvel
