#include "model/field_table.h"

#include <algorithm>
#include <array>

namespace quorvel {
namespace {

using enum FieldForm;
using enum FieldWidth;
using enum ControlKind;

constexpr int kBike = 0;
constexpr int kAdvance = 1;
constexpr int kInj1A = 2;
constexpr int kInjIap = 7;
constexpr int kPosition = 8;
constexpr int kCorrections = 9;
constexpr int kSensors = 10;
constexpr int kIntakeServo = 11;
constexpr int kExhaustServo = 12;
constexpr int kIdle = 13;
constexpr int kN2o = 14;
constexpr int kRace = 15;
constexpr int kGear = 16;
constexpr int kTuning = 17;

// Columns: name, offset, width, count, form, factor, control kind, control name, control index,
// page, minimum, maximum, step [, hole after].
//
// Two ranges are narrower than the controls of old: GearKorJet and IapCylKor are one byte each,
// so a shown value above 255 would be stored as its low 8 bits and come back as another value.
constexpr std::array kFields = std::to_array<Field>({
    // Bike
    {"Bike", 150, U8, 1, Choice, 1, ComboBox, "ComboBoxBike", -1, kBike, 0, 52, 1},
    {"FallEnable", 172, U8, 1, Check, 1, CheckBox, "CheckBoxFallEnable", -1, kBike, 0, 1, 1},
    {"BlokEnable", 173, U8, 1, Check, 1, CheckBox, "CheckBoxBlokEnable", -1, kBike, 0, 1, 1},
    {"AktFall", 174, U8, 1, Check, 1, CheckBox, "CheckBoxAktFall", -1, kBike, 0, 1, 1},
    {"AktClutch", 175, U8, 1, Check, 1, CheckBox, "CheckBoxAktClutch", -1, kBike, 0, 1, 1},
    {"AktStartLimiter", 176, U8, 1, Check, 1, CheckBox, "CheckBoxAktStartLimiter", -1, kBike, 0, 1, 1},
    {"AktRpm", 177, U8, 1, Check, 1, CheckBox, "CheckBoxAktRpm", -1, kBike, 0, 1, 1},
    {"StartLimiter", 178, U8, 1, Scaled, 100, Spin, "UpDownStartLimiter", -1, kBike, 900, 25000, 100},
    {"IgnLimiter", 179, U8, 1, Scaled, 100, Spin, "UpDownIgnLimiter", -1, kBike, 900, 25000, 100},
    {"JetLimiter", 180, U8, 1, Scaled, 100, Spin, "UpDownJetLimiter", -1, kBike, 900, 25000, 100},
    {"RetardLimiterRpm", 181, U8, 1, Scaled, 100, Spin, "UpDownRetardLimiterRpm", -1, kBike, 900, 25000, 100},
    {"RetardLimiterAdv", 182, U8, 1, Raw, 1, Spin, "UpDownRetardLimiterAdv", -1, kBike, 1, 250, 1},
    {"Chlazeni", 185, U8, 1, Raw, 1, Spin, "UpDownChlazeni", -1, kBike, 0, 150, 1},
    {"RpmPulsu", 186, U8, 1, Raw, 1, Spin, "UpDownRpmPulsu", -1, kBike, 0, 6, 1},
    {"RpmKorekce", 187, U8, 1, Minus100, 1, Spin, "UpDownRpmKorekce", -1, kBike, -60, 60, 1},
    {"IntakePortRpm", 188, U8, 1, Scaled, 100, Spin, "UpDownIntakePortRpm", -1, kBike, 900, 25000, 100},
    // 149 characters and the terminator at 2999; the range is the number of characters kept.
    {"Memo", 2850, U8, 150, Text, 1, MemoBox, "Memo1", -1, kBike, 0, 149, 1},

    // Sensors
    {"ApsTlak1", 156, U16, 1, Raw, 1, Spin, "UpDownApsTlak1", -1, kSensors, 0, 1000, 1},
    {"ApsNapeti1", 158, U16, 1, Raw, 1, Spin, "UpDownApsNapeti1", -1, kSensors, 0, 25000, 1},
    {"ApsTlak2", 160, U16, 1, Raw, 1, Spin, "UpDownApsTlak2", -1, kSensors, 0, 1000, 1},
    {"ApsNapeti2", 162, U16, 1, Raw, 1, Spin, "UpDownApsNapeti2", -1, kSensors, 0, 25000, 1},
    {"IapsTlak1", 164, U16, 1, Raw, 1, Spin, "UpDownIapsTlak1", -1, kSensors, 0, 1000, 1},
    {"IapsNapeti1", 166, U16, 1, Raw, 1, Spin, "UpDownIapsNapeti1", -1, kSensors, 0, 25000, 1},
    {"IapsTlak2", 168, U16, 1, Raw, 1, Spin, "UpDownIapsTlak2", -1, kSensors, 0, 1000, 1},
    {"IapsNapeti2", 170, U16, 1, Raw, 1, Spin, "UpDownIapsNapeti2", -1, kSensors, 0, 25000, 1},
    {"Tps0", 183, U8, 1, Scaled, 10, Spin, "UpDownTps0", -1, kSensors, 0, 2500, 10},
    {"Tps100", 184, U8, 1, Tps100, 1, Spin, "UpDownTps100", -1, kSensors, 2500, 5000, 10},
    {"PotencMode", 225, U8, 1, Choice, 1, RadioGroup, "RadioGroupPotencMode", -1, kSensors, 0, 2, 1},
    {"PotencRozsah", 226, U8, 1, Raw, 1, Spin, "UpDownPotencRozsah", -1, kSensors, 0, 60, 1},
    {"CidloVoda", 344, U16, 9, Raw, 1, Spin, "UpDownCidloVoda", 0, kSensors, 0, 5000, 1},
    {"CidloVzduch", 362, U16, 9, Raw, 1, Spin, "UpDownCidloVzduch", 0, kSensors, 0, 5000, 1},

    // Corrections
    {"SyticCas1", 217, U8, 1, Raw, 1, Spin, "UpDownSyticCas1", -1, kCorrections, 0, 250, 1},
    {"SyticCas2", 218, U8, 1, Raw, 1, Spin, "UpDownSyticCas2", -1, kCorrections, 0, 250, 1},
    {"SyticCas3", 219, U8, 1, Raw, 1, Spin, "UpDownSyticCas3", -1, kCorrections, 0, 250, 1},
    {"SyticCas4", 220, U8, 1, Raw, 1, Spin, "UpDownSyticCas4", -1, kCorrections, 0, 250, 1},
    {"SyticKorekce0", 221, U8, 1, Plus100, 1, Spin, "UpDownSyticKorekce0", -1, kCorrections, 100, 350, 1},
    {"SyticKorekce1", 222, U8, 1, Plus100, 1, Spin, "UpDownSyticKorekce1", -1, kCorrections, 100, 350, 1},
    {"SyticKorekce2", 223, U8, 1, Plus100, 1, Spin, "UpDownSyticKorekce2", -1, kCorrections, 100, 350, 1},
    {"SyticKorekce3", 224, U8, 1, Plus100, 1, Spin, "UpDownSyticKorekce3", -1, kCorrections, 100, 350, 1},
    {"KorVoda", 230, U8, 5, Raw, 1, Spin, "UpDownKorVoda", 0, kCorrections, 10, 250, 1},
    {"KorVzduch", 235, U8, 5, Raw, 1, Spin, "UpDownKorVzduch", 0, kCorrections, 10, 250, 1},
    {"AkcelPrah", 240, U8, 1, Scaled, 10, Spin, "UpDownAkcelPrah", -1, kCorrections, 10, 2500, 10},
    {"AkcelJet", 241, U8, 1, Scaled, 50, Spin, "UpDownAkcelJet", -1, kCorrections, 0, 7500, 50},
    {"StartJet", 242, U8, 1, Raw, 1, Spin, "UpDownStartJet", -1, kCorrections, 0, 50, 1},
    {"IgnVoda", 243, U8, 5, Minus100, 1, Spin, "UpDownIgnVoda", 0, kCorrections, -20, 20, 1},

    // Position. The two curves are named after their map sections: the stem PolohaA already
    // names the choice of the reference point.
    {"PolohaA", 206, U8, 1, Choice, 1, RadioGroup, "RadioGroupPolohaA", -1, kPosition, 0, 2, 1},
    {"PolohaB", 207, U8, 1, Choice, 1, RadioGroup, "RadioGroupPolohaB", -1, kPosition, 0, 2, 1},
    {"PositionARpm", 455, U8, 15, Scaled, 100, Spin, "UpDownPolohaARpm", 0, kPosition, 300, 25000, 100},
    {"PositionAAngle", 470, U8, 15, Scaled, 5, Spin, "UpDownPolohaA", 0, kPosition, 0, 720, 5},
    {"PositionBRpm", 485, U8, 15, Scaled, 100, Spin, "UpDownPolohaBRpm", 0, kPosition, 300, 25000, 100},
    {"PositionBAngle", 500, U8, 15, Scaled, 5, Spin, "UpDownPolohaB", 0, kPosition, 0, 720, 5},

    // Idle. The range of IdleServoPoz follows the idle mode (IdleServoUnits); this is the
    // range its controls start with.
    {"IdleMode", 2750, U8, 1, Choice, 1, RadioGroup, "RadioGroupIdleMode", -1, kIdle, 0, 3, 1},
    {"IdleRpmMez", 2751, U8, 1, Scaled, 100, Spin, "UpDownIdleRpmMez", -1, kIdle, 300, 20000, 100},
    {"IdleTpsMez", 2752, U8, 1, Raw, 1, Spin, "UpDownIdleTpsMez", -1, kIdle, 1, 100, 1},
    {"IdleSmerReg", 2753, U8, 1, Check, 1, CheckBox, "CheckBoxIdleSmerReg", -1, kIdle, 0, 1, 1},
    {"IdleStepPuls", 2754, U8, 1, Scaled, 250, Spin, "UpDownIdleStepPuls", -1, kIdle, 250, 25000, 250},
    {"IdleStepPerioda", 2755, U8, 1, Raw, 1, Spin, "UpDownIdleStepPerioda", -1, kIdle, 1, 250, 1},
    {"IdleHyster", 2756, U8, 1, Scaled, 10, Spin, "UpDownIdleHyster", -1, kIdle, 0, 2500, 10},
    {"IdleServoPoz", 2758, U16, 9, Raw, 1, Spin, "UpDownIdleServoPoz", 0, kIdle, 0, 12000, 50},
    {"IdleAdvOn", 2777, U8, 1, Check, 1, CheckBox, "CheckBoxIdleAdvOn", -1, kIdle, 0, 1, 1},
    {"IdleAdvNaRpm", 2778, U8, 1, Raw, 1, Spin, "UpDownIdleAdvNaRpm", -1, kIdle, 1, 100, 1},
    {"IdleAdvNaCas", 2779, U8, 1, Raw, 1, Spin, "UpDownIdleAdvNaCas", -1, kIdle, 0, 250, 1},
    {"IdleMaxAdv", 2780, U8, 1, Raw, 1, Spin, "UpDownIdleMaxAdv", -1, kIdle, 1, 100, 1},
    {"IdleAdvPoz", 2781, U8, 9, Scaled, 50, Spin, "UpDownIdleAdvPoz", 0, kIdle, 0, 12000, 50},
    {"IdleStart", 2790, U16, 1, Raw, 1, Spin, "UpDownIdleStart", -1, kIdle, 0, 30000, 10},

    // N2O
    {"Gas", 248, U8, 1, Check, 1, CheckBox, "CheckBoxGas", -1, kN2o, 0, 1, 1},
    {"Gas1", 249, U8, 1, Raw, 1, Spin, "UpDownGas1", -1, kN2o, 0, 100, 1},
    {"Gas2", 250, U8, 1, Raw, 1, Spin, "UpDownGas2", -1, kN2o, 0, 100, 1},
    {"GasT", 251, U8, 1, Scaled, 100, Spin, "UpDownGasT", -1, kN2o, 0, 25500, 100},
    {"GasD", 252, U8, 1, Scaled, 100, Spin, "UpDownGasD", -1, kN2o, 0, 25500, 100},
    {"Retard1", 253, U8, 1, Raw, 1, Spin, "UpDownRetard1", -1, kN2o, 0, 25, 1},
    {"Retard2", 254, U8, 1, Raw, 1, Spin, "UpDownRetard2", -1, kN2o, 0, 25, 1},
    {"RetardT", 255, U8, 1, Scaled, 100, Spin, "UpDownRetardT", -1, kN2o, 0, 25500, 100},
    {"RetardD", 256, U8, 1, Scaled, 100, Spin, "UpDownRetardD", -1, kN2o, 0, 25500, 100},
    {"GasJetKor1", 308, U8, 1, Plus100, 1, Spin, "UpDownGasJetKor1", -1, kN2o, 100, 350, 1},
    {"GasJetKor2", 309, U8, 1, Plus100, 1, Spin, "UpDownGasJetKor2", -1, kN2o, 100, 350, 1},

    // Race: arrays of six are per gear, element 0 being gear "0-1 ".
    {"TempDisplay", 257, U8, 1, Check, 1, CheckBox, "CheckBoxTempDisplay", -1, kRace, 0, 1, 1},
    {"PilotLight1", 258, U8, 6, Scaled, 100, Spin, "UpDownPilotLight1", 0, kRace, 900, 25000, 100},
    {"PilotLight2", 264, U8, 6, Scaled, 100, Spin, "UpDownPilotLight2", 0, kRace, 900, 25000, 100},
    {"ClutchMode", 270, U8, 1, Choice, 1, RadioGroup, "RadioGroupClutchMode", -1, kRace, 0, 1, 1},
    {"ClutchTime", 271, U8, 6, Scaled, 5, Spin, "UpDownClutchTime", 0, kRace, 0, 1250, 5},
    {"ClutchPause", 277, U8, 6, Scaled, 10, Spin, "UpDownClutchPause", 0, kRace, 0, 2500, 100},
    {"ClutchMinRpm", 283, U8, 1, Scaled, 100, Spin, "UpDownClutchMinRpm", -1, kRace, 1000, 25000, 100},
    {"ClutchJet", 284, U8, 1, Raw, 1, Spin, "UpDownClutchJet", -1, kRace, 0, 100, 1},
    {"ClutchAdv", 285, U8, 1, Raw, 1, Spin, "UpDownClutchAdv", -1, kRace, 0, 60, 1},

    // Gear
    {"GearSystem", 286, U8, 1, Choice, 1, RadioGroup, "RadioGroupGearSystem", -1, kGear, 0, 3, 1},
    {"PocetGear", 287, U8, 1, Raw, 1, Spin, "UpDownPocetGear", -1, kGear, 1, 6, 1},
    {"SpeedMode", 288, U8, 1, Choice, 1, RadioGroup, "RadioGroupSpeedMode", -1, kGear, 0, 1, 1},
    {"GearNapeti", 290, U16, 7, Raw, 1, Spin, "UpDownGearNapeti", 0, kGear, 0, 5000, 1},
    {"GearAutoTime", 304, U8, 1, Raw, 1, Spin, "UpDownGearAutoTime", -1, kGear, 1, 100, 1},
    {"GearAutoRpm", 305, U8, 1, Scaled, 100, Spin, "UpDownGearAutoRpm", -1, kGear, 300, 25000, 100},
    {"GearAutoTps", 306, U8, 1, Raw, 1, Spin, "UpDownGearAutoTps", -1, kGear, 0, 100, 1},
    {"GearAutoBand", 307, U8, 1, Raw, 1, Spin, "UpDownGearAutoBand", -1, kGear, 1, 100, 1},
    {"PulsuProSpeed", 310, U16, 1, Raw, 1, Spin, "UpDownPulsuProSpeed", -1, kGear, 1, 32000, 1},
    {"PomerRpmSpeed", 312, U16, 6, Raw, 1, Spin, "UpDownPomerRpmSpeed", 0, kGear, 1, 32000, 1},
    {"GearKorAdv", 324, U8, 6, Minus100, 1, Spin, "UpDownGearKorAdv", 0, kGear, -20, 20, 1},
    {"GearKorJet", 330, U8, 6, Raw, 1, Spin, "UpDownGearKorJet", 0, kGear, 0, 255, 1},

    // Tuning
    {"LadeniLambda", 336, U8, 1, Scaled, 10, Spin, "UpDownLadeniLambda", -1, kTuning, 400, 1000, 10},
    {"LadeniHyster", 337, U8, 1, Scaled, 10, Spin, "UpDownLadeniHyster", -1, kTuning, 10, 400, 10},
    {"LadeniRpm", 338, U8, 1, Scaled, 10, Spin, "UpDownLadeniRpm", -1, kTuning, 50, 2000, 100},
    {"LadeniTps", 339, U8, 1, Raw, 1, Spin, "UpDownLadeniTps", -1, kTuning, 0, 20, 1},
    {"LadeniCas", 340, U8, 1, Scaled, 100, Spin, "UpDownLadeniCas", -1, kTuning, 400, 20000, 200},

    // Fields of the map pages, on the shared controls of the map grid.
    {"AdvTps", 190, U8, 1, Check, 1, CheckBox, "CheckBoxTps_Uni", -1, kAdvance, 0, 1, 1},
    {"AdvCylKor", 191, U8, 4, Minus100, 1, Spin, "UpDownExtra_Uni", 0, kAdvance, -15, 15, 1},
    {"AdvBase", 195, U8, 1, Raw, 1, Spin, "UpDownExtra_Uni", 4, kAdvance, 0, 100, 1},
    {"LobeWidth", 196, U8, 1, Raw, 1, Spin, "UpDownExtra_Uni", 5, kAdvance, 0, 100, 1},
    // Set by the menu "Jet 14-23" (items Menu_Jet123Normal, ...Coupled, ...Stejny), not by a page.
    {"Jet123Mode", 197, U8, 1, Choice, 1, Menu, "Menu_Jet123", -1, kNoPage, 0, 2, 1},
    {"IapTpsMin", 198, U8, 1, Raw, 1, Spin, "UpDownExtra_Uni", 0, kInj1A, 0, 101, 1},
    {"IapTpsMax", 199, U8, 1, Raw, 1, Spin, "UpDownExtra_Uni", 1, kInj1A, 0, 101, 1},
    {"IapRpmMin", 200, U8, 1, Scaled, 100, Spin, "UpDownExtra_Uni", 2, kInj1A, 0, 25000, 100},
    {"IapRpmMax", 201, U8, 1, Scaled, 100, Spin, "UpDownExtra_Uni", 3, kInj1A, 0, 25000, 100},
    {"IapCylKor", 202, U8, 4, Raw, 1, Spin, "UpDownExtra_Uni", 0, kInjIap, 0, 255, 1},
    {"ServoExEnable", 208, U8, 1, Check, 1, CheckBox, "CheckBoxServoEnable", -1, kExhaustServo, 0, 1, 1},
    {"ServoInEnable", 209, U8, 1, Check, 1, CheckBox, "CheckBoxServoEnable", -1, kIntakeServo, 0, 1, 1},
    {"ServoExHyster", 210, U8, 1, Scaled, 5, Spin, "UpDownExtra_Uni", 0, kExhaustServo, 0, 1000, 5},
    {"ServoInHyster", 211, U8, 1, Scaled, 5, Spin, "UpDownExtra_Uni", 0, kIntakeServo, 0, 1000, 5},
    {"ServoExProcent", 212, U8, 1, Check, 1, CheckBox, "CheckBoxProcenta", -1, kExhaustServo, 0, 1, 1},
    {"ServoInProcent", 213, U8, 1, Check, 1, CheckBox, "CheckBoxProcenta", -1, kIntakeServo, 0, 1, 1},
    {"ServoExMode", 214, U8, 1, Choice, 1, RadioGroup, "RadioGroupServoMode", -1, kExhaustServo, 0, 2, 1},
    {"ServoInMode", 215, U8, 1, Choice, 1, RadioGroup, "RadioGroupServoMode", -1, kIntakeServo, 0, 2, 1},
    {"ServoInStepMotor", 216, U8, 1, Check, 1, CheckBox, "CheckBoxStepMotor", -1, kIntakeServo, 0, 1, 1},
    {"StepPeriod", 227, U8, 1, Raw, 1, Spin, "UpDownExtra_Uni", 2, kIntakeServo, 1, 100, 1},
    {"StepExcitation", 228, U8, 1, Scaled, 250, Spin, "UpDownExtra_Uni", 3, kIntakeServo, 250, 25000, 250},

    // Derived from the bike: written by the defaults and the bike change, never shown and never
    // written to parameter files. The range is what the stored code can hold.
    {"EngineType", 152, U8, 1, Raw, 1, None, "", -1, kNoPage, 0, 25, 1},
    {"EngineAux", 153, U8, 3, Raw, 1, None, "", -1, kNoPage, 0, 255, 1},
    {"BikeAux", 341, U8, 3, Raw, 1, None, "", -1, kNoPage, 0, 255, 1},
    {"WarmUpKor", 380, U16, 9, Raw, 1, None, "", -1, kNoPage, 0, 65535, 1},
    {"RpmMax", 402, U8, 1, Scaled, 100, None, "", -1, kNoPage, 0, 25500, 100},
    // CylinderCount sits at 406, inside the timing constants.
    {"EngineTiming", 403, U8, 7, Raw, 1, None, "", -1, kNoPage, 0, 255, 1, 3},
    {"CylinderCount", 406, U8, 1, Raw, 1, None, "", -1, kNoPage, 1, 4, 1},
    {"TriggerParams", 411, U8, 14, Raw, 1, None, "", -1, kNoPage, 0, 255, 1},
});

// The stem of a spin control: its edit field and its up-down carry the same stem.
std::string_view spinStem(std::string_view controlName)
{
    for (std::string_view prefix : {"UpDown", "Edit"}) {
        if (controlName.starts_with(prefix))
            return controlName.substr(prefix.size());
    }
    return controlName;
}

bool namesControl(const Field& field, std::string_view controlName)
{
    if (field.control == Spin)
        return spinStem(field.controlName) == spinStem(controlName);
    return field.controlName == controlName;
}

} // namespace

std::span<const Field> FieldTable::all()
{
    return kFields;
}

const Field* FieldTable::byName(std::string_view name)
{
    const auto it = std::ranges::find(kFields, name, &Field::name);
    return it == kFields.end() ? nullptr : &*it;
}

std::optional<FieldElement> FieldTable::byControl(std::string_view controlName, int controlIndex, int page)
{
    for (const Field& field : kFields) {
        if (field.page != page || field.isDerived() || !namesControl(field, controlName))
            continue;
        if (field.controlIndex < 0) {
            if (controlIndex < 0)
                return FieldElement{&field, 0};
            continue;
        }
        const int element = controlIndex - field.controlIndex;
        if (element >= 0 && element < field.count)
            return FieldElement{&field, element};
    }
    return std::nullopt;
}

std::vector<const Field*> FieldTable::ofPage(int page)
{
    std::vector<const Field*> fields;
    for (const Field& field : kFields) {
        if (field.page == page && !field.isDerived())
            fields.push_back(&field);
    }
    return fields;
}

std::vector<const Field*> FieldTable::derived()
{
    std::vector<const Field*> fields;
    for (const Field& field : kFields) {
        if (field.isDerived())
            fields.push_back(&field);
    }
    return fields;
}

} // namespace quorvel
