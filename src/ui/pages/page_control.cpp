#include "ui/pages/page_control.h"

#include "core/page_index.h"

#include <QScrollArea>
#include <QTabBar>

#include <array>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace quorvel {
namespace {

struct PageSpec {
    std::string_view name;
    std::string_view caption;
    bool tabVisible = true;
};

// Pages built at run time (the map pages) are named after their index.
constexpr std::array<PageSpec, kPageCount + 1> kPages{{
    {"TabSheet_Bike", "Bike"},
    {"TabSheet_Uni1", "Advance"},
    {"TabSheet_Uni2", "Inj-1A"},
    {"TabSheet_Uni3", "Inj-2A"},
    {"TabSheet_Uni4", "Inj-3A"},
    {"TabSheet_Uni5", "Inj-4A"},
    {"TabSheet_Uni6", "Inj-B"},
    {"TabSheet_Uni7", "Inj-IAP"},
    {"TabSheet_Poloha", "Position"},
    {"TabSheet_Korekce", "Corrections"},
    {"TabSheet_Cidla", "Sensors"},
    {"TabSheet_Uni11", "Intake servo"},
    {"TabSheet_Uni12", "Exhaust servo "},
    {"TabSheet_Idle", "Idle"},
    {"TabSheet_Gas", "N2O"},
    {"TabSheet_Race", "Race"},
    {"TabSheet_Gear", "Gear"},
    {"TabSheet_Ladeni", "Tuning", false},
    {"TabSheet_Monitor", "Monitor"},
    {"TabSheetLadeni", "Tuning", false},
}};

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

PageControl::PageControl(QWidget* monitorPage, QWidget* parent)
    : QTabWidget(parent)
{
    setObjectName("PageControl1");
    for (int index = 0; index < static_cast<int>(kPages.size()); ++index) {
        const PageSpec& entry = kPages.at(static_cast<std::size_t>(index));
        QWidget* page = index == kPageMonitor ? monitorPage : new QWidget;
        page->setObjectName(qText(entry.name));
        // A page larger than a small screen's room scrolls; the window and its live panel fit.
        auto* scroll = new QScrollArea(this);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(page);
        addTab(scroll, qText(entry.caption));
        setTabVisible(index, entry.tabVisible);
    }
    // The tabs are narrow, so that all of them stay in sight on a 1280 pixel wide screen; only a
    // narrower window gets scroll buttons.
    setUsesScrollButtons(true);
    tabBar()->setStyleSheet("QTabBar::tab { padding: 3px 3px; }");
    setCurrentIndex(kPageMonitor);
    // Connected first, so the page is made before any other listener looks at it.
    connect(this, &QTabWidget::currentChanged, this, &PageControl::makePage);
}

void PageControl::makeOnFirstShow(std::span<const PageIndex> pages, PageMaker maker)
{
    m_toMake.insert(pages.begin(), pages.end());
    m_maker = std::move(maker);
    makePage(currentIndex());
}

void PageControl::makePage(int page)
{
    if (m_toMake.erase(page) == 1)
        m_maker(page);
}

QWidget& PageControl::page(int index) const
{
    auto* scroll = qobject_cast<QScrollArea*>(widget(index));
    if (scroll == nullptr || scroll->widget() == nullptr)
        throw std::out_of_range("no page " + std::to_string(index));
    return *scroll->widget();
}

} // namespace quorvel
