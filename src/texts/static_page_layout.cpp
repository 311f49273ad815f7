#include "texts/static_page_layout.h"

#include "core/page_index.h"

#include <algorithm>
#include <array>

namespace quorvel {
namespace {

using enum ExtraSpec::Kind;

// The temperatures of the sensor characteristic, right-aligned by leading blanks.
constexpr std::array<std::string_view, 9> kNineTemperatures{"-10 °C", "  5 °C", " 20 °C", " 35 °C", " 50 °C",
                                                            " 65 °C", " 80 °C", " 95 °C", "110 °C"};
constexpr std::array<std::string_view, 5> kFiveTemperatures{"-10 °C", " 20 °C", " 50 °C", " 80 °C", "110 °C"};
constexpr std::array<std::string_view, 7> kGears0To6{"0", "1", "2", "3", "4", "5", "6"};
constexpr std::array<std::string_view, 6> kGears1To6{"1", "2", "3", "4", "5", "6"};
constexpr std::array<std::string_view, 6> kRaceGears{"0-1 ", "2", "3", "4", "5", "6"};
constexpr std::array<std::string_view, 15> kPositionPoints{"1", "2",  "3",  "4",  "5",  "6",  "7", "8",
                                                           "9", "10", "11", "12", "13", "14", "15"};

constexpr auto kGroups = std::to_array<GroupSpec>({
    // Bike
    {kPageBike, "GroupBoxBike", "Motorbike Type", 0, {}, {}, 0},
    {kPageBike, "GroupBoxVersion", "Ignition", 0, {}, {}, 0},
    {kPageBike, "GroupBoxEnable", "Enable", 0, {}, {}, 0},
    {kPageBike, "GroupBoxActivation", "Activation by Switch on", 0, {}, {}, 0},
    {kPageBike, "GroupBoxOmez", "Limiters", 1, {}, {}, 0},
    {kPageBike, "GroupBoxChlazeni", "Cooling", 1, {}, {}, 0},
    {kPageBike, "GroupBoxRpm", "RPM", 1, {}, {}, 0},
    {kPageBike, "GroupBoxIntakePort", "Intake ports", 1, {}, {}, 0},
    {kPageBike, "GroupBoxMemo", "", 2, {}, {}, 0},
    // Position: the two curves run across the page, one row per point kind.
    {kPagePoloha, "GroupBoxPolohaA", "Position A", 0, kPositionPoints, "LabelPolohaA_", 0},
    {kPagePoloha, "GroupBoxPolohaB", "Position B", 1, kPositionPoints, "LabelPolohaB_", 0},
    // Corrections
    {kPageKorekce, "GroupBoxSytic", "Starting Corrections [%]", 0, {}, {}, 0},
    {kPageKorekce, "GroupBoxAkcel", "Acceleration Injection", 0, {}, {}, 0},
    {kPageKorekce, "GroupBoxStartJet", "Start Injection", 0, {}, {}, 0},
    {kPageKorekce, "GroupBoxKorVodaVzduch", "Temperature Corrections of injection [%]", 1, kFiveTemperatures,
     "LabelKorTeplota", 0},
    {kPageKorekce, "GroupBoxIgnVoda", "Temperature Corrections of advance [°]", 2, kFiveTemperatures, "LabelIgnTeplota",
     0},
    // Sensors
    {kPageCidla, "GroupApsSensor", "Pressure sensor - AP", 0, {}, {}, 0},
    {kPageCidla, "GroupIapsSensor", "Intake pressure sensor - IAP", 0, {}, {}, 0},
    {kPageCidla, "GroupBoxSetTps", "TPS", 1, {}, {}, 0},
    {kPageCidla, "GroupBoxPotenc", "Potentiometer", 1, {}, {}, 0},
    {kPageCidla, "GroupBoxCidloTVodaVzduch", "Temperature sensors [mV]", 2, kNineTemperatures, "LabelCidloTeplota", 0},
    // Idle
    {kPageIdle, "GroupBoxIdleMode", "Idle", 0, {}, {}, 0},
    {kPageIdle, "GroupBoxIdleServoPoz", "Desired RPM", 1, kNineTemperatures, "LabelIdleServoTeplota", 0},
    {kPageIdle, "GroupBoxIdleAdv", "Advance control of Idle", 2, {}, {}, 0},
    {kPageIdle, "GroupBoxIdleAdvPoz", "Idle Adv RPM desired", 3, kNineTemperatures, "LabelIdleAdvTeplota", 0},
    // N2O
    {kPageGas, "GroupBoxGasEnable", "N2O", 0, {}, {}, 0},
    {kPageGas, "GroupBoxGas", "N2O", 1, {}, {}, 0},
    {kPageGas, "GroupBoxRetard", "Retard", 2, {}, {}, 0},
    // Race
    {kPageRace, "GroupBoxDisplay", "Display on Bike", 0, {}, {}, 0},
    {kPageRace, "GroupBoxClutchSet", "Clutch master", 0, {}, {}, 0},
    {kPageRace, "GroupBoxClutch", "Gear Shift Light and Clutch master", 1, kRaceGears, "LabelRaceGear", 1},
    // Gear
    {kPageGear, "GroupBoxGearSystem", "Gear", 0, {}, {}, 0},
    {kPageGear, "GroupBoxSpeed", "Setting of speed speedometer", 0, {}, {}, 0},
    {kPageGear, "GroupBoxMonAutoGear", "Automat from ratio rpm speed", 0, kGears1To6, "LabelMonGearAuto", 1},
    {kPageGear, "GroupBoxNapetiProGear", "Setting voltage of Gears", 1, kGears0To6, "LabelGear", 0},
    {kPageGear, "GroupBoxRpmSpeedProGear", "Ratio Rpm / Speed (Rpm/Speed x 10)", 2, kGears1To6, "LabelPomerRpmSpeed",
     1},
    {kPageGear, "GroupBoxGearKor", "Correction per gear", 3, kRaceGears, "LabelGearKor", 1},
    // Tuning
    {kPageLadeni, "GroupBoxLadeni", "Tuning", 0, {}, {}, 0},
});

constexpr auto kPlacements = std::to_array<PlacementSpec>({
    {"ComboBoxBike", "GroupBoxBike", ""},
    {"CheckBoxFallEnable", "GroupBoxEnable", "Fall sensor enable"},
    {"CheckBoxBlokEnable", "GroupBoxEnable", "Blocking enable"},
    {"CheckBoxAktFall", "GroupBoxActivation", "Fall sensor"},
    {"CheckBoxAktClutch", "GroupBoxActivation", "Clutch master"},
    {"CheckBoxAktStartLimiter", "GroupBoxActivation", "Start limiter"},
    {"CheckBoxAktRpm", "GroupBoxActivation", "Tacho/Lambda"},
    {"UpDownStartLimiter", "GroupBoxOmez", "Start Limiter [rpm]"},
    {"UpDownIgnLimiter", "GroupBoxOmez", "Ignition Limiter [rpm]"},
    {"UpDownJetLimiter", "GroupBoxOmez", "Injection Limiter [rpm]"},
    {"UpDownRetardLimiterRpm", "GroupBoxOmez", "Retard Limiter [rpm]"},
    {"UpDownRetardLimiterAdv", "GroupBoxOmez", "Retard [°/100rpm]"},
    {"UpDownChlazeni", "GroupBoxChlazeni", "Warning light [°C]"},
    {"UpDownRpmPulsu", "GroupBoxRpm", "Pulses per revolution"},
    {"UpDownRpmKorekce", "GroupBoxRpm", "Correction"},
    {"UpDownIntakePortRpm", "GroupBoxIntakePort", "Rpm"},
    {"Memo1", "GroupBoxMemo", "", {}, {1, 0}},

    {"UpDownApsTlak1", "GroupApsSensor", "Pressure 1 [kPa]"},
    {"UpDownApsNapeti1", "GroupApsSensor", "Voltage 1 [mV]"},
    {"UpDownApsTlak2", "GroupApsSensor", "Pressure 2 [kPa]"},
    {"UpDownApsNapeti2", "GroupApsSensor", "Voltage 2 [mV]"},
    {"UpDownIapsTlak1", "GroupIapsSensor", "Pressure 1 [kPa]"},
    {"UpDownIapsNapeti1", "GroupIapsSensor", "Voltage 1 [mV]"},
    {"UpDownIapsTlak2", "GroupIapsSensor", "Pressure 2 [kPa]"},
    {"UpDownIapsNapeti2", "GroupIapsSensor", "Voltage 2 [mV]"},
    {"UpDownTps0", "GroupBoxSetTps", "TPS 0 % [mV]"},
    {"UpDownTps100", "GroupBoxSetTps", "TPS 100 % [mV]"},
    {"RadioGroupPotencMode", "GroupBoxPotenc", "Control of"},
    {"UpDownPotencRozsah", "GroupBoxPotenc", "Range -,+ [%, °]"},
    {"UpDownCidloVoda", "GroupBoxCidloTVodaVzduch", "Water"},
    {"UpDownCidloVzduch", "GroupBoxCidloTVodaVzduch", "Air"},

    // Each correction stands under the time it applies from; after the last time it is 100 %.
    {"UpDownSyticCas1", "GroupBoxSytic", "", {}, {0, 2}},
    {"UpDownSyticCas2", "GroupBoxSytic", "", {}, {0, 3}},
    {"UpDownSyticCas3", "GroupBoxSytic", "", {}, {0, 4}},
    {"UpDownSyticCas4", "GroupBoxSytic", "", {}, {0, 5}},
    {"UpDownSyticKorekce0", "GroupBoxSytic", "", {}, {1, 1}},
    {"UpDownSyticKorekce1", "GroupBoxSytic", "", {}, {1, 2}},
    {"UpDownSyticKorekce2", "GroupBoxSytic", "", {}, {1, 3}},
    {"UpDownSyticKorekce3", "GroupBoxSytic", "", {}, {1, 4}},
    {"UpDownKorVoda", "GroupBoxKorVodaVzduch", "Voda", "LabelVoda2"},
    {"UpDownKorVzduch", "GroupBoxKorVodaVzduch", "Vzduch", "LabelVzduch2"},
    {"UpDownAkcelPrah", "GroupBoxAkcel", "Threshold [%/s]"},
    {"UpDownAkcelJet", "GroupBoxAkcel", "Size [us]"},
    {"UpDownStartJet", "GroupBoxStartJet", "Start Injection [ms]"},
    {"UpDownIgnVoda", "GroupBoxIgnVoda", "[°]", "LabelVoda3"},

    {"RadioGroupPolohaA", "GroupBoxPolohaA", "Position of:"},
    {"RadioGroupPolohaB", "GroupBoxPolohaB", "Position of:"},
    {"UpDownPolohaARpm", "GroupBoxPolohaA", "RPM"},
    {"UpDownPolohaA", "GroupBoxPolohaA", "Angle [°]"},
    {"UpDownPolohaBRpm", "GroupBoxPolohaB", "RPM"},
    {"UpDownPolohaB", "GroupBoxPolohaB", "Angle [°]"},

    {"RadioGroupIdleMode", "GroupBoxIdleMode", "Idle control"},
    {"UpDownIdleRpmMez", "GroupBoxIdleMode", "Control Range [rpm]"},
    {"UpDownIdleTpsMez", "GroupBoxIdleMode", "Regul range TPSx10 [%]"},
    {"CheckBoxIdleSmerReg", "GroupBoxIdleMode", "Inverze direction of regulation"},
    {"UpDownIdleStepPuls", "GroupBoxIdleMode", "Step motor excitation[us]"},
    {"UpDownIdleStepPerioda", "GroupBoxIdleMode", "Idle regulation [0.1%/2rpm]"},
    {"UpDownIdleHyster", "GroupBoxIdleMode", "Hysteresis [rpm]"},
    {"UpDownIdleStart", "GroupBoxIdleMode", "Start [ms]"},
    {"UpDownIdleServoPoz", "GroupBoxIdleServoPoz", ""},
    {"CheckBoxIdleAdvOn", "GroupBoxIdleAdv", "On"},
    {"UpDownIdleAdvNaRpm", "GroupBoxIdleAdv", "Advance control[°/1000rpm]"},
    {"UpDownIdleAdvNaCas", "GroupBoxIdleAdv", "Regulace advance [°/10s]"},
    {"UpDownIdleMaxAdv", "GroupBoxIdleAdv", "Maximal advance [°]"},
    {"UpDownIdleAdvPoz", "GroupBoxIdleAdvPoz", "[rpm]"},

    {"CheckBoxGas", "GroupBoxGasEnable", "N2O Enabled"},
    {"UpDownGas1", "GroupBoxGas", "N2O 1 [%]"},
    {"UpDownGas2", "GroupBoxGas", "N2O 2 [%]"},
    {"UpDownGasT", "GroupBoxGas", "Build up Time [ms]"},
    {"UpDownGasD", "GroupBoxGas", "Delay [ms]"},
    {"UpDownGasJetKor1", "GroupBoxGas", "Korekce Jet 1 [%]"},
    {"UpDownGasJetKor2", "GroupBoxGas", "Korekce Jet 2 [%]"},
    {"UpDownRetard1", "GroupBoxRetard", "Retard 1 [°]"},
    {"UpDownRetard2", "GroupBoxRetard", "Retard 2 [°]"},
    {"UpDownRetardT", "GroupBoxRetard", "Build up Time [ms]"},
    {"UpDownRetardD", "GroupBoxRetard", "Delay [ms]"},

    {"CheckBoxTempDisplay", "GroupBoxDisplay", "Temperature instead of speed"},
    {"UpDownPilotLight1", "GroupBoxClutch", "Pilot light [rpm]", "LabelPilotLight"},
    {"UpDownPilotLight2", "GroupBoxClutch", ""},
    {"RadioGroupClutchMode", "GroupBoxClutchSet", "Clutch mode"},
    {"UpDownClutchTime", "GroupBoxClutch", "Clutch master time [ms]", "LabelClutchTime"},
    {"UpDownClutchPause", "GroupBoxClutch", "Clutch master pause [ms]", "LabelClutchPause"},
    {"UpDownClutchMinRpm", "GroupBoxClutchSet", "Min Clutch RPM"},
    {"UpDownClutchJet", "GroupBoxClutchSet", "Clutch Jet [%]"},
    {"UpDownClutchAdv", "GroupBoxClutchSet", "Clutch advance [°]"},

    {"RadioGroupGearSystem", "GroupBoxGearSystem", "Determining of gear"},
    {"UpDownPocetGear", "GroupBoxGearSystem", "Number of gear"},
    {"RadioGroupSpeedMode", "GroupBoxSpeed", "Speed sensor"},
    {"UpDownPulsuProSpeed", "GroupBoxSpeed", "Setting of speed speedometer"},
    {"UpDownGearNapeti", "GroupBoxNapetiProGear", "[mV]"},
    {"UpDownGearAutoTime", "GroupBoxMonAutoGear", "Min Time [s]"},
    {"UpDownGearAutoRpm", "GroupBoxMonAutoGear", "Min Rpm"},
    {"UpDownGearAutoTps", "GroupBoxMonAutoGear", "Min TPS [%]"},
    {"UpDownGearAutoBand", "GroupBoxMonAutoGear", "Band [0.1%]"},
    {"UpDownPomerRpmSpeed", "GroupBoxRpmSpeedProGear", "Ratio", "LabelGearRatio"},
    {"UpDownGearKorAdv", "GroupBoxGearKor", "Advance [°]", "LabelGearKorAdv"},
    {"UpDownGearKorJet", "GroupBoxGearKor", "Injection [%]", "LabelGearKorJet"},

    {"UpDownLadeniLambda", "GroupBoxLadeni", "Lambda"},
    {"UpDownLadeniHyster", "GroupBoxLadeni", "Hyster"},
    {"UpDownLadeniRpm", "GroupBoxLadeni", "Rpm"},
    {"UpDownLadeniTps", "GroupBoxLadeni", "Tps"},
    {"UpDownLadeniCas", "GroupBoxLadeni", "Cas"},
});

constexpr std::array<std::string_view, 3> kPositionItems{"Počátek", "Střed", "Konec"};
constexpr std::array<std::string_view, 3> kPotencItems{"No", "Injection", "Advance"};
constexpr std::array<std::string_view, 4> kIdleItems{"No", "Intake servo", "Step motor without potentiometer",
                                                     "Step motor make TPS min"};
constexpr std::array<std::string_view, 2> kClutchItems{"No ignition", "Retard"};
constexpr std::array<std::string_view, 4> kGearSystemItems{"Voltage", "Ration Rpm Speed", "Automat (Ratio Rpm Speed)",
                                                           "No"};
constexpr std::array<std::string_view, 2> kSpeedItems{"Pulse over 1s for 100 km/hod", "Distance for pulse [mm]"};

constexpr auto kChoices = std::to_array<ChoiceSpec>({
    {"RadioGroupPolohaA", kPositionItems},
    {"RadioGroupPolohaB", kPositionItems},
    {"RadioGroupPotencMode", kPotencItems},
    {"RadioGroupIdleMode", kIdleItems},
    {"RadioGroupClutchMode", kClutchItems},
    {"RadioGroupGearSystem", kGearSystemItems},
    {"RadioGroupSpeedMode", kSpeedItems},
});

constexpr auto kExtras = std::to_array<ExtraSpec>({
    {Label, "GroupBoxMemo", "LabelMemo", "Memo sheet:", -1, {0, 0}},
    {Label, "GroupBoxSytic", "LabelSyticCas", "Time [s]", -1, {0, 0}},
    {Label, "GroupBoxSytic", "LabelSyticCas0", "0", -1, {0, 1}},
    {Label, "GroupBoxSytic", "LabelSyticKorekce", "Corrections for -10°C [%]", -1, {1, 0}},
    {Label, "GroupBoxSytic", "LabelSyticKorekce4", "100", -1, {1, 5}},
    // Beside the reference choice: lower or raise the angles, all of them or the running one.
    {CheckBox, "GroupBoxPolohaA", "CheckBoxAll_PolohaA", "All", -1, {1, 0}},
    {SpinButton, "GroupBoxPolohaA", "CSpinButtonPolohaA", "", -1, {1, 1}},
    {CheckBox, "GroupBoxPolohaB", "CheckBoxAll_PolohaB", "All", -1, {1, 0}},
    {SpinButton, "GroupBoxPolohaB", "CSpinButtonPolohaB", "", -1, {1, 1}},
    {Label, "GroupBoxVersion", "LabelVerze1", "", -1},
    {Label, "GroupBoxVersion", "LabelVerze2", "", -1},
    {Label, "GroupBoxVersion", "LabelVerze3", "", -1},
    {Button, "GroupBoxSetTps", "ButtonTps0", "<- TPS 0 %", -1},
    {Button, "GroupBoxSetTps", "ButtonTps100", "<- TPS 100 %", -1},
    {Label, "GroupBoxIdleMode", "LabelIdleModeErr", "", -1},
    {Label, "GroupBoxIdleAdv", "LabelIdleKorAdv", "Advance control of Idle", -1},
    {Label, "GroupBoxSpeed", "LabelMonPomerRpmSpeed", "", -1},
    {Button, "GroupBoxNapetiProGear", "ButtonGear0", "<- Gear 0", 0},
    {Button, "GroupBoxNapetiProGear", "ButtonGear1", "<- Gear 1", 1},
    {Button, "GroupBoxNapetiProGear", "ButtonGear2", "<- Gear 2", 2},
    {Button, "GroupBoxNapetiProGear", "ButtonGear3", "<- Gear 3", 3},
    {Button, "GroupBoxNapetiProGear", "ButtonGear4", "<- Gear 4", 4},
    {Button, "GroupBoxNapetiProGear", "ButtonGear5", "<- Gear 5", 5},
    {Button, "GroupBoxNapetiProGear", "ButtonGear6", "<- Gear 6", 6},
    // The ratios the automatic gear detection learned, beside their gears.
    {Label, "GroupBoxMonAutoGear", "LabelMonPomerRpmSpeedAuto1", "", 0},
    {Label, "GroupBoxMonAutoGear", "LabelMonPomerRpmSpeedAuto2", "", 1},
    {Label, "GroupBoxMonAutoGear", "LabelMonPomerRpmSpeedAuto3", "", 2},
    {Label, "GroupBoxMonAutoGear", "LabelMonPomerRpmSpeedAuto4", "", 3},
    {Label, "GroupBoxMonAutoGear", "LabelMonPomerRpmSpeedAuto5", "", 4},
    {Label, "GroupBoxMonAutoGear", "LabelMonPomerRpmSpeedAuto6", "", 5},
});

} // namespace

std::span<const GroupSpec> StaticPageLayout::groups()
{
    return kGroups;
}

std::span<const PlacementSpec> StaticPageLayout::placements()
{
    return kPlacements;
}

std::span<const ChoiceSpec> StaticPageLayout::choices()
{
    return kChoices;
}

std::span<const ExtraSpec> StaticPageLayout::extras()
{
    return kExtras;
}

const PlacementSpec* StaticPageLayout::placementOf(std::string_view control)
{
    const auto it = std::ranges::find(kPlacements, control, &PlacementSpec::control);
    return it == kPlacements.end() ? nullptr : &*it;
}

std::span<const std::string_view> StaticPageLayout::itemsOf(std::string_view radioGroup)
{
    const auto it = std::ranges::find(kChoices, radioGroup, &ChoiceSpec::group);
    return it == kChoices.end() ? std::span<const std::string_view>{} : it->items;
}

} // namespace quorvel
