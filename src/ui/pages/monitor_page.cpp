#include "ui/pages/monitor_page.h"

#include "ui/pages/monitor_controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include <array>
#include <span>
#include <string_view>

namespace quorvel {
namespace {

using namespace std::string_view_literals;

constexpr int kLabelWidth = 228;

constexpr std::array kAdvanceAndInjection{
    "LabelMon_Ign"sv,    "LabelMon_Ign1"sv,   "LabelMon_Ign2"sv,   "LabelMon_Ign3"sv,
    "LabelMon_Ign4"sv,   "LabelMon_Jet_A"sv,  "LabelMon_Jet_1A"sv, "LabelMon_Jet_2A"sv,
    "LabelMon_Jet_3A"sv, "LabelMon_Jet_4A"sv, "LabelMon_Jet_B"sv,  "LabelMon_Jet_1B"sv,
    "LabelMon_Jet_2B"sv, "LabelMon_Jet_3B"sv, "LabelMon_Jet_4B"sv, "LabelDleTpsProcent"sv,
};
// The inputs that are active when closed to ground, in a group of their own.
constexpr std::array kInputs{
    "LabelMonFallIn"sv, "LabelMonBlock2In"sv, "LabelMonStartLimiterIn"sv, "LabelMonClutchIn"sv, "LabelMonRpmLambdaIn"sv,
};
constexpr std::array kOutputs{
    "LabelMonFallOut"sv,      "LabelMonBlock2Out"sv,     "LabelMonStartLimiterOut"sv, "LabelMonClutchOut"sv,
    "LabelMonRpmLambdaOut"sv, "LabelClazeniMon"sv,       "LabelMonPilotLight"sv,      "LabelMonIgnLimiter"sv,
    "LabelMonJetLimiter"sv,   "LabelMonRetardLimiter"sv, "LabelSnimacCkps"sv,         "LabelSnimacCmps"sv,
};
// The idle correction and the gear ratios are shown on the Idle and Gear pages they belong to.
constexpr std::array kServosAndCorrections{
    "LabelMonServoIntake"sv, "LabelMonServoExhaust"sv, "LabelMonPotenc"sv,  "LabelMon_PolohaA"sv,
    "LabelMon_PolohaB"sv,    "LabelKorVodaJet"sv,      "LabelKorVzduch"sv,  "LabelKorTlak"sv,
    "LabelKorSytic"sv,       "LabelKorNapeti"sv,       "LabelKorVodaIgn"sv, "LabelKorPotencIgn"sv,
    "LabelKorPotencJet"sv,
};
constexpr std::array kGearAndUnit{
    "LabelMonSpeed"sv,      "LabelMonGearNapeti"sv, "LabelPocetProgramovani"sv,
    "CheckBoxExtMonitor"sv, "LabelTest1"sv,         "LabelTest2"sv,
    "LabelTest3"sv,         "LabelTest4"sv,         "LabelTest5"sv,
    "LabelTest6"sv,         "LabelTest7"sv,         "LabelTest8"sv,
};

QFrame& addColumn(QWidget& page, QGridLayout& grid, int column)
{
    auto* frame = new QFrame(&page);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(frame);
    layout->setSpacing(2);
    grid.addWidget(frame, 0, column);
    return *frame;
}

void addLabels(QWidget& parent, std::span<const std::string_view> names)
{
    auto* layout = static_cast<QVBoxLayout*>(parent.layout());
    addMonitorControls(parent, *layout, names, kLabelWidth);
    layout->addStretch();
}

} // namespace

MonitorPage::MonitorPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("TabSheet_Monitor");
    auto* grid = new QGridLayout(this);
    addLabels(addColumn(*this, *grid, 0), kAdvanceAndInjection);

    QFrame& inputsAndOutputs = addColumn(*this, *grid, 1);
    auto* inputs = new QGroupBox(QStringLiteral("Input to ground"), &inputsAndOutputs);
    inputs->setObjectName("GroupBoxMonInput");
    auto* inputLayout = new QVBoxLayout(inputs);
    inputLayout->setSpacing(2);
    addMonitorControls(*inputs, *inputLayout, kInputs, kLabelWidth - 2 * inputLayout->contentsMargins().left());
    auto* column = static_cast<QVBoxLayout*>(inputsAndOutputs.layout());
    column->addWidget(inputs);
    addMonitorControls(inputsAndOutputs, *column, kOutputs, kLabelWidth);
    column->addStretch();

    addLabels(addColumn(*this, *grid, 2), kServosAndCorrections);
    addLabels(addColumn(*this, *grid, 3), kGearAndUnit);
    findChild<QCheckBox*>("CheckBoxExtMonitor")->setText("Detailed representation");
}

} // namespace quorvel
