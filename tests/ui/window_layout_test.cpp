// The window works on a workshop laptop: 1280 x 720 with a task bar, or 1366 x 768. The pages
// scroll when they need more room; the live panel and the status line always stay whole.
#include "core/page_index.h"
#include "ui/pages/page_control.h"
#include "ui/window_rig.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

// The room of a 1280 x 720 screen without a 40 pixel task bar and a 30 pixel title bar.
constexpr QSize kLaptopClient(1280, 650);

class WindowLayout : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override
    {
        rig.start(GetParam());
        rig.window->resize(kLaptopClient);
        rig.window->show();
        QCoreApplication::processEvents();
    }

    test::WindowRig rig;
};

TEST_P(WindowLayout, FitsALaptopScreenWithTheLivePanelWhole)
{
    const QSize least = rig.window->minimumSizeHint();
    EXPECT_LE(least.width(), kLaptopClient.width());
    EXPECT_LE(least.height(), kLaptopClient.height());
    EXPECT_EQ(rig.window->size(), kLaptopClient);
    QWidget& panel = rig.control("PanelLive");
    EXPECT_GE(panel.height(), panel.sizeHint().height()) << "the live panel is cut off";
    const QRect inWindow(panel.mapTo(rig.window.get(), QPoint(0, 0)), panel.size());
    EXPECT_TRUE(rig.window->rect().contains(inWindow));
}

TEST_P(WindowLayout, EveryTabIsInSightAt1280Pixels)
{
    auto& pages = rig.control<PageControl>("PageControl1");
    EXPECT_LE(pages.tabBar()->sizeHint().width(), pages.width());
}

// Only the height may scroll: a page wider than the laptop's room hides its right-hand column.
// Each page is also kept as a picture in /tmp, for a person to look at.
TEST_P(WindowLayout, EveryPageFitsTheWidthOfALaptop)
{
    auto& pages = rig.control<PageControl>("PageControl1");
    for (int page = 0; page < kPageCount; ++page) {
        if (!pages.isTabVisible(page))
            continue;
        pages.setCurrentIndex(page);
        rig.steps(3);
        QCoreApplication::processEvents();
        const auto& scroll = static_cast<const QScrollArea&>(*pages.widget(page));
        EXPECT_EQ(scroll.horizontalScrollBar()->maximum(), 0)
            << pages.tabText(page).toStdString() << " is " << scroll.widget()->minimumSizeHint().width() << " wide in "
            << scroll.viewport()->width();
        for (const QLabel* label : scroll.widget()->findChildren<QLabel*>()) {
            if (label->isVisible() && !label->wordWrap()) {
                EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
            }
        }
        const QString path =
            QStringLiteral("/tmp/quorvel-laptop-%1-%2.png").arg(static_cast<int>(GetParam())).arg(page);
        EXPECT_TRUE(rig.window->grab().save(path));
    }
}

// The date and time of a print stand in the live panel as a sentence; it wraps there instead of
// being cut off at the panel's fixed width.
TEST_P(WindowLayout, PrintedDateAndTimeStandWhole)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer exists; the PDF path is taken only without one";
    rig.dialogs->paths.push_back(rig.configDirectory / "print.pdf");
    rig.control<QAction>("MenuPrint").trigger();
    QCoreApplication::processEvents();
    auto& label = rig.control<QLabel>("LabelHlaseni");
    ASSERT_TRUE(label.isVisible());
    const QRect room = label.contentsRect();
    const QFontMetrics metrics(label.font());
    const int flags = label.wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 1000), flags, label.text());
    EXPECT_LE(needed.width(), room.width()) << label.text().toStdString();
    EXPECT_LE(needed.height(), room.height()) << label.text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowLayout,
                         ::testing::Values(Language::English, Language::German, Language::French, Language::Czech));

} // namespace
} // namespace quorvel
