// The static pages of the window are made when first shown. They carry the names they carried
// when every page was made at start, nothing the window applied to them before goes amiss, and a
// page opened late shows what it would have shown had it been open all along.
#include "window_rig.h"

#include "core/page_index.h"
#include "io/parameter_set.h"
#include "model/field_codec.h"
#include "model/field_table.h"
#include "ui/pages/page_control.h"
#include "ui/shell/window_constants.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace quorvel {
namespace {

using NamesByPage = std::map<int, std::set<std::string>>;
using Look = std::map<std::string, std::string>; // name -> what the control shows

constexpr std::uint8_t kChokeBikeCode = 38;

QWidget& scrolledPage(const test::WindowRig& rig, int page)
{
    return *rig.control<PageControl>("PageControl1").widget(page);
}

std::set<std::string> namesOn(const QWidget& page)
{
    std::set<std::string> names;
    for (const QObject* object : page.findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (!name.isEmpty() && !name.startsWith(QStringLiteral("qt_")) && !name.startsWith(QStringLiteral("_q_")))
            names.insert(name.toStdString());
    }
    return names;
}

// The names every static page carried when all of them were made at start, one "page name" a line.
NamesByPage namesWhenMadeAtStart()
{
    NamesByPage names;
    std::ifstream file(QUORVEL_PAGE_NAMES);
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line.front() == '#')
            continue;
        std::istringstream words(line);
        int page = -1;
        std::string name;
        words >> page >> name;
        names[page].insert(name);
    }
    return names;
}

// Everything a named control of the page shows: texts, ranges, states and colours.
Look lookOf(const QWidget& page)
{
    Look look;
    for (const QWidget* widget : page.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")))
            continue;
        QString shown = QStringLiteral("hidden=%1 enabled=%2 tip=%3 bold=%4 window=%5 base=%6 text=%7")
                            .arg(widget->isHidden())
                            .arg(widget->isEnabled())
                            .arg(widget->toolTip())
                            .arg(widget->font().bold())
                            .arg(widget->palette().color(QPalette::Window).name())
                            .arg(widget->palette().color(QPalette::Base).name());
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            shown = shown.arg(label->text());
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            shown = shown.arg(button->text() + QStringLiteral(" checked=%1").arg(button->isChecked()));
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            shown = shown.arg(group->title());
        else if (const auto* spin = qobject_cast<const QSpinBox*>(widget))
            shown = shown.arg(QStringLiteral("%1 [%2..%3/%4] %5")
                                  .arg(spin->value())
                                  .arg(spin->minimum())
                                  .arg(spin->maximum())
                                  .arg(spin->singleStep())
                                  .arg(spin->text()));
        else
            shown = shown.arg(QString());
        look[name.toStdString()] = shown.toStdString();
    }
    return look;
}

void expectSameLook(const Look& got, const Look& expected)
{
    ASSERT_EQ(got.size(), expected.size());
    for (const auto& [name, look] : expected)
        EXPECT_EQ(got.at(name), look) << name;
}

class PagesOnFirstShow : public ::testing::Test {
protected:
    static void trigger(const test::WindowRig& rig, const char* item) { rig.control<QAction>(item).trigger(); }

    // A day's work on a window: the unit talks, the language changes, a file with a choke bike
    // and a sensor calibration that cannot be interpolated (two equal voltages) is opened.
    void work(test::WindowRig& rig) const
    {
        rig.steps(20);
        trigger(rig, "MenuCzech");
        rig.dialogs->paths.push_back(file);
        trigger(rig, "MenuOpen");
        rig.steps(20);
    }

    void SetUp() override
    {
        test::WindowRig maker;
        ParamImage image = maker.start().image();
        image.setByte(kBikeOffset, kChokeBikeCode);
        const Field* first = FieldTable::byName("ApsNapeti1");
        const Field* second = FieldTable::byName("ApsNapeti2");
        ASSERT_TRUE(first != nullptr && second != nullptr);
        writeCode(image, *first, 0, 2000);
        writeCode(image, *second, 0, 2000);
        file = std::filesystem::temp_directory_path() / ("quorvel-late-pages-" + std::to_string(::getpid()) + ".ign");
        ASSERT_FALSE(saveParameterFile(file, image).has_value());
    }
    void TearDown() override { std::filesystem::remove(file); }

    std::filesystem::path file;
};

TEST_F(PagesOnFirstShow, AStartMakesOnlyThePageShown_AndEveryPageLaterCarriesTheNamesItCarriedBefore)
{
    test::WindowRig rig;
    rig.start();
    work(rig);
    const int shown = rig.control<PageControl>("PageControl1").activePage();
    for (int page : kFieldPages) {
        if (page != shown) {
            EXPECT_EQ(namesOn(scrolledPage(rig, page)).size(), 1U) << "page " << page << " holds only its sheet";
        }
    }
    // Names the work applied to pages not made yet were kept; an unknown one fails here.
    rig.makeEveryPage();
    const NamesByPage before = namesWhenMadeAtStart();
    ASSERT_EQ(before.size(), kFieldPages.size());
    for (int page : kFieldPages)
        EXPECT_EQ(namesOn(scrolledPage(rig, page)), before.at(page)) << "page " << page;
}

TEST_F(PagesOnFirstShow, APageOpenedLateShowsWhatItWouldHaveShownHadItBeenOpenAllAlong)
{
    for (int page : kFieldPages) {
        if (page == kPageLadeni)
            continue; // its tab is never shown
        SCOPED_TRACE("page " + std::to_string(page));
        test::WindowRig early;
        early.start();
        early.showPage(page);
        early.showPage(kPageMonitor);
        work(early);
        early.showPage(page);

        test::WindowRig late;
        late.start();
        work(late);
        late.showPage(page);

        expectSameLook(lookOf(scrolledPage(late, page)), lookOf(scrolledPage(early, page)));
    }
}

TEST_F(PagesOnFirstShow, APageRestoredAtStartShowsWhatItShowedWhenTheWindowClosed)
{
    // No unit: live marks would follow the engine, not the page.
    test::WindowRig rig;
    rig.start(std::nullopt, false);
    work(rig);
    rig.showPage(kPageMonitor);
    rig.showPage(kPageIdle);
    rig.steps(20);
    const Look atClose = lookOf(scrolledPage(rig, kPageIdle));
    rig.window->close();
    rig.window.reset();

    rig.start(std::nullopt, false); // the Idle page, in Czech, made while the window starts
    rig.dialogs->paths.push_back(file);
    trigger(rig, "MenuOpen");
    rig.steps(20);
    expectSameLook(lookOf(scrolledPage(rig, kPageIdle)), atClose);
}

TEST_F(PagesOnFirstShow, ThePositionAllChoiceOutlivesStartsThatNeverOpenThePositionPage)
{
    test::WindowRig rig;
    rig.start();
    rig.showPage(kPagePoloha);
    rig.control<QCheckBox>("CheckBoxAll_PolohaB").click();
    rig.showPage(kPageMonitor);
    rig.window->close();
    rig.window.reset();

    rig.start(); // closed again without the Position page shown
    rig.window->close();
    rig.window.reset();

    rig.start();
    rig.showPage(kPagePoloha);
    EXPECT_FALSE(rig.control<QCheckBox>("CheckBoxAll_PolohaA").isChecked());
    EXPECT_TRUE(rig.control<QCheckBox>("CheckBoxAll_PolohaB").isChecked());
}

} // namespace
} // namespace quorvel
