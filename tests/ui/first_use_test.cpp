// What the window makes only when it is first asked for: the 3D and curve views with their docks,
// the compare list and the log viewer. None exists after the start; the menu item, key or tool
// button that asks for one makes it, fills it with what the window shows and gives it the
// language chosen meanwhile. Without the views module (missing, or a file that does not load)
// the items that would open its views are greyed and say why.
#include "core/page_index.h"
#include "ui/window_rig.h"

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QGraphicsView>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

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

constexpr std::array kViewItems{"MenuView3D", "MenuViewCurve", "MenuCurveRow", "MenuCurveColumn", "MenuOpenLog"};
constexpr std::array kViewButtons{"ToolButtonView3D", "ToolButtonViewCurve"};

// The window started with QUORVEL_VIEWS_MODULE naming `module`.
class WithoutViewsModule : public ::testing::Test {
protected:
    void start(const std::string& module)
    {
        m_before = qgetenv("QUORVEL_VIEWS_MODULE");
        qputenv("QUORVEL_VIEWS_MODULE", module.c_str());
        rig.start();
        rig.window->show();
    }
    void TearDown() override { qputenv("QUORVEL_VIEWS_MODULE", m_before); }

    void trigger(const char* item) { rig.control<QAction>(item).trigger(); }
    // Every item and button greyed, each with a reason that contains `words`.
    void expectGreyedSaying(const QString& words)
    {
        for (const char* item : kViewItems) {
            const auto& action = rig.control<QAction>(item);
            EXPECT_FALSE(action.isEnabled()) << item;
            EXPECT_TRUE(action.statusTip().contains(words)) << item << ": " << action.statusTip().toStdString();
        }
        for (const char* name : kViewButtons) {
            const auto& button = rig.control<QAbstractButton>(name);
            EXPECT_FALSE(button.isEnabled()) << name;
            EXPECT_TRUE(button.toolTip().contains(words)) << name << ": " << button.toolTip().toStdString();
        }
    }

    test::WindowRig rig;

private:
    QByteArray m_before;
};

TEST_F(WithoutViewsModule, MissingModuleGreysTheViewItemsWithTheReasonInEveryLanguage)
{
    start("/nonexistent/quorvel_views.so");
    const std::array<std::pair<const char*, QString>, 4> languages{{{"MenuGerman", "Nicht installiert"},
                                                                    {"MenuFrench", "Non installé"},
                                                                    {"MenuCzech", "Nenainstalováno"},
                                                                    {"MenuEnglish", "Not installed"}}};
    for (const auto& [item, words] : languages) {
        trigger(item);
        expectGreyedSaying(words);
    }
    expectGreyedSaying("quorvel_views");
    // A map page offers rows and columns as curves; without the module it still cannot.
    rig.control<QTabWidget>("PageControl1").setCurrentIndex(kPageInj1A);
    rig.steps(2);
    expectGreyedSaying("Not installed");
    // The keys reach greyed items: nothing is made.
    QTest::keyClick(rig.window.get(), Qt::Key_F6);
    trigger("MenuOpenLog");
    EXPECT_TRUE(rig.window->findChildren<QDockWidget*>().isEmpty());
    EXPECT_EQ(rig.window->findChild<QWidget*>("FormLogViewer"), nullptr);
}

TEST_F(WithoutViewsModule, ModuleThatDoesNotLoadIsToldOnFirstUseAndGreysTheItems)
{
    QTemporaryDir folder;
    const std::string module = (folder.path() + "/quorvel_views.so").toStdString();
    std::ofstream(module) << "not a shared library";
    start(module);
    EXPECT_TRUE(rig.control<QAction>("MenuView3D").isEnabled()) << "a file is there; it is tried on first use";
    trigger("MenuView3D");
    EXPECT_EQ(rig.window->findChild<QWidget*>("DockWidgetView3D"), nullptr);
    const QString told = rig.window->statusBar()->currentMessage();
    EXPECT_TRUE(told.startsWith("The 3D view, the curve view and the log viewer could not be loaded: "))
        << told.toStdString();
    expectGreyedSaying("could not be loaded");
    trigger("MenuGerman");
    expectGreyedSaying("konnten nicht geladen werden");
    // The rest of the window goes on: the compare list still opens.
    trigger("MenuCompareUnit");
    EXPECT_NE(rig.window->findChild<QWidget*>("DockWidgetCompare"), nullptr);
}

} // namespace
} // namespace quorvel
