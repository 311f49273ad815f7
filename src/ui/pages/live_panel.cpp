#include "ui/pages/live_panel.h"

#include "core/colour_role.h"
#include "ui/binding/colour_palette.h"
#include "ui/pages/monitor_controls.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <array>
#include <string_view>

namespace quorvel {
namespace {

using namespace std::string_view_literals;

constexpr std::array kLinkControls{
    "LabelHlaseni"sv, "CGaugeProgram"sv, "LabelSpojeni"sv, "LabelVersion"sv, "LabelCom"sv, "LabelEeDataErr"sv,
};
constexpr std::array kEngineControls{
    "LabelRpm"sv,    "CGaugeRpm"sv,   "LabelTpsMon"sv,        "CGaugeTps"sv,      "LabelLambda"sv, "CGaugeLambda"sv,
    "LabelVoda"sv,   "CGaugeVoda"sv,  "LabelMaxInjProcent"sv, "CGaugeDuty"sv,     "LabelTlak"sv,   "LabelPodtlak"sv,
    "LabelVzduch"sv, "LabelNapeti"sv, "LabelGear"sv,          "LabelN2oEnable"sv,
};

constexpr int kPanelWidth = 210;
constexpr int kLabelWidth = kPanelWidth - 24;

// Design-time texts and colours, until the link and the first frame say otherwise.
void designLabel(QWidget& panel, const char* name, const char* text, ColourRole colour, bool visible)
{
    auto* label = panel.findChild<QLabel*>(name);
    label->setText(text);
    ColourPalette::paintBackground(*label, colour);
    label->setVisible(visible);
}

} // namespace

LivePanel::LivePanel(QWidget* parent)
    : QFrame(parent)
{
    setObjectName("PanelLive");
    setFrameShape(QFrame::StyledPanel);
    setFixedWidth(kPanelWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    addMonitorControls(*this, *layout, kLinkControls, kLabelWidth);
    layout->addSpacing(8);
    addMonitorControls(*this, *layout, kEngineControls, kLabelWidth);
    layout->addStretch();

    // The status line and the version warning carry sentences (the date and time of a print,
    // both program versions): they wrap within the panel instead of being cut off.
    // They change seldom, so growing by a line now and then costs nothing on the tick.
    for (const char* name : {"LabelHlaseni", "LabelVersion"}) {
        auto* label = findChild<QLabel*>(name);
        label->setWordWrap(true);
        label->setMinimumHeight(0);
        label->setMaximumHeight(QWIDGETSIZE_MAX);
        label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Minimum);
    }
    findChild<QProgressBar*>("CGaugeProgram")->setRange(0, kProgressMax);
    designLabel(*this, "LabelHlaseni", "Programming:", ColourRole::NormalFace, false);
    designLabel(*this, "LabelSpojeni", "No Connection", ColourRole::Red, true);
    designLabel(*this, "LabelVersion", "", ColourRole::White, false);
    designLabel(*this, "LabelCom", "COM = --", ColourRole::NormalFace, true);
    designLabel(*this, "LabelEeDataErr", "Programmed data error!", ColourRole::Red, false);
    designLabel(*this, "LabelN2oEnable", "", ColourRole::NormalFace, false);
}

} // namespace quorvel
