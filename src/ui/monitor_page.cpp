#include "ui/monitor_page.h"

#include "ui/monitor_controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QVBoxLayout>

#include <array>
#include <span>
#include <string_view>

namespace quorvel {
namespace {

using namespace std::string_view_literals;

constexpr int kLabelWidth = 236;

constexpr std::array kAdvanceAndInjection{
    "LabelMon_Ign"sv,    "LabelMon_Ign1"sv,   "LabelMon_Ign2"sv,   "LabelMon_Ign3"sv,
    "LabelMon_Ign4"sv,   "LabelMon_Jet_A"sv,  "LabelMon_Jet_1A"sv, "LabelMon_Jet_2A"sv,
    "LabelMon_Jet_3A"sv, "LabelMon_Jet_4A"sv, "LabelMon_Jet_B"sv,  "LabelMon_Jet_1B"sv,
    "LabelMon_Jet_2B"sv, "LabelMon_Jet_3B"sv, "LabelMon_Jet_4B"sv, "LabelDleTpsProcent"sv,
};
constexpr std::array kInputsAndOutputs{
    "LabelMonFallIn"sv,      "LabelMonBlock2In"sv,     "LabelMonStartLimiterIn"sv, "LabelMonClutchIn"sv,
    "LabelMonRpmLambdaIn"sv, "LabelMonFallOut"sv,      "LabelMonBlock2Out"sv,      "LabelMonStartLimiterOut"sv,
    "LabelMonClutchOut"sv,   "LabelMonRpmLambdaOut"sv, "LabelClazeniMon"sv,        "LabelMonPilotLight"sv,
    "LabelMonIgnLimiter"sv,  "LabelMonJetLimiter"sv,   "LabelMonRetardLimiter"sv,  "LabelSnimacCkps"sv,
    "LabelSnimacCmps"sv,
};
constexpr std::array kServosAndCorrections{
    "LabelMonServoIntake"sv, "LabelMonServoExhaust"sv, "LabelMonPotenc"sv,  "LabelMon_PolohaA"sv,
    "LabelMon_PolohaB"sv,    "LabelKorVodaJet"sv,      "LabelKorVzduch"sv,  "LabelKorTlak"sv,
    "LabelKorSytic"sv,       "LabelKorNapeti"sv,       "LabelKorVodaIgn"sv, "LabelKorPotencIgn"sv,
    "LabelKorPotencJet"sv,   "LabelIdleKorAdv"sv,
};
constexpr std::array kGearAndUnit{
    "LabelMonSpeed"sv,
    "LabelMonGearNapeti"sv,
    "LabelMonPomerRpmSpeed"sv,
    "LabelMonPomerRpmSpeedAuto1"sv,
    "LabelMonPomerRpmSpeedAuto2"sv,
    "LabelMonPomerRpmSpeedAuto3"sv,
    "LabelMonPomerRpmSpeedAuto4"sv,
    "LabelMonPomerRpmSpeedAuto5"sv,
    "LabelMonPomerRpmSpeedAuto6"sv,
    "LabelPocetProgramovani"sv,
    "CheckBoxExtMonitor"sv,
    "LabelTest1"sv,
    "LabelTest2"sv,
    "LabelTest3"sv,
    "LabelTest4"sv,
    "LabelTest5"sv,
    "LabelTest6"sv,
    "LabelTest7"sv,
    "LabelTest8"sv,
};

void addColumn(QWidget& page, QGridLayout& grid, int column, std::span<const std::string_view> names)
{
    auto* frame = new QFrame(&page);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(frame);
    layout->setSpacing(2);
    addMonitorControls(*frame, *layout, names, kLabelWidth);
    layout->addStretch();
    grid.addWidget(frame, 0, column);
}

} // namespace

MonitorPage::MonitorPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("TabSheet_Monitor");
    auto* grid = new QGridLayout(this);
    addColumn(*this, *grid, 0, kAdvanceAndInjection);
    addColumn(*this, *grid, 1, kInputsAndOutputs);
    addColumn(*this, *grid, 2, kServosAndCorrections);
    addColumn(*this, *grid, 3, kGearAndUnit);
    findChild<QCheckBox*>("CheckBoxExtMonitor")->setText("Detailed representation");
}

} // namespace quorvel
