#include "model/bike_defaults.h"

#include "model/bike_map_presets.h"
#include "model/bike_presets.h"
#include "model/field_codec.h"
#include "model/field_table.h"
#include "model/jet_coupling.h"
#include "model/map_layout.h"
#include "model/memo_text.h"

#include <cassert>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

namespace quorvel {
namespace {

constexpr int kBikeOffset = 150;
constexpr int kChokeBike = 38;
constexpr int kSameMapsBike = 50;
constexpr int kLobeWidthCopyOffset = 417;
constexpr int kRpmPerCode = 100;

// A default of one field, in shown units: constants, or a bike preset (a scalar or value row of
// the same name, or the values of a row shared by several fields from `presetFirst` on). A
// single constant goes to every element of an array.
struct FieldDefault {
    std::string_view field;
    std::array<int, 10> constants{};
    int constantCount = 0;
    std::string_view preset{};
    int presetFirst = 0;
};

constexpr FieldDefault set(std::string_view field, std::initializer_list<int> values)
{
    FieldDefault d{field};
    for (int v : values)
        d.constants[static_cast<std::size_t>(d.constantCount++)] = v;
    return d;
}

constexpr FieldDefault byBike(std::string_view field)
{
    return {field, {}, 0, field, 0};
}

constexpr FieldDefault byBike(std::string_view field, std::string_view preset, int first)
{
    return {field, {}, 0, preset, first};
}

// The plain defaults of each page, in the order the page's step writes them. What a step
// computes (limiters from the rev ceiling, shift lights, axes, maps, servo cells) is done by
// the step itself after these.
constexpr FieldDefault kBikePage[] = {
    set("FallEnable", {1}), set("BlokEnable", {0}),       byBike("AktFall"),      byBike("RpmPulsu"),
    set("AktClutch", {1}),  set("AktStartLimiter", {1}),  set("AktRpm", {1}),     set("Chlazeni", {100}),
    set("RpmKorekce", {0}), set("IntakePortRpm", {9000}), byBike("StartLimiter"), set("RetardLimiterAdv", {20}),
};
constexpr FieldDefault kAdvancePage[] = {
    set("AdvTps", {1}),
    set("AdvCylKor", {0}),
    byBike("AdvBase"),
    byBike("LobeWidth"),
};
constexpr FieldDefault kInj1APage[] = {
    byBike("IapTpsMin"),
    byBike("IapTpsMax"),
    set("IapRpmMin", {2000}),
    set("IapRpmMax", {3000}),
};
constexpr FieldDefault kInjIapPage[] = {set("IapCylKor", {100})};
constexpr FieldDefault kPositionPage[] = {
    byBike("PositionARpm", "RpmAxis", 0),
    byBike("PositionBRpm", "RpmAxis", 0),
    byBike("PositionAAngle"),
    byBike("PositionBAngle"),
    byBike("PolohaA"),
    byBike("PolohaB"),
};
constexpr FieldDefault kCorrectionsPage[] = {
    set("SyticCas1", {5}),
    set("SyticCas2", {10}),
    set("SyticCas3", {15}),
    set("SyticCas4", {20}),
    set("SyticKorekce0", {250}),
    set("SyticKorekce1", {150}),
    set("SyticKorekce2", {130}),
    set("SyticKorekce3", {110}),
    byBike("AkcelPrah"),
    byBike("AkcelJet"),
    byBike("KorVoda"),
    byBike("KorVzduch"),
    set("IgnVoda", {10, 10, 0, 0, -5}),
    byBike("StartJet"),
};
constexpr FieldDefault kSensorsPage[] = {
    byBike("ApsTlak1", "PressureSensors", 0),
    byBike("ApsNapeti1", "PressureSensors", 1),
    byBike("ApsTlak2", "PressureSensors", 2),
    byBike("ApsNapeti2", "PressureSensors", 3),
    byBike("IapsTlak1", "PressureSensors", 4),
    byBike("IapsNapeti1", "PressureSensors", 5),
    byBike("IapsTlak2", "PressureSensors", 6),
    byBike("IapsNapeti2", "PressureSensors", 7),
    byBike("Tps0"),
    byBike("Tps100"),
    set("PotencMode", {0}),
    set("PotencRozsah", {20}),
    byBike("CidloVoda"),
    byBike("CidloVzduch"),
};
constexpr FieldDefault kIntakeServoPage[] = {
    byBike("ServoInEnable"), byBike("ServoInProcent"),      byBike("ServoInStepMotor"),
    set("StepPeriod", {8}),  set("StepExcitation", {1500}), byBike("ServoInHyster"),
};
constexpr FieldDefault kExhaustServoPage[] = {
    byBike("ServoExEnable"),
    byBike("ServoExProcent"),
    byBike("ServoExHyster"),
};
// Two fields of the Gear page are reset with the Idle page, not with their own.
constexpr FieldDefault kIdlePage[] = {
    byBike("IdleMode", "Idle", 0),
    byBike("IdleRpmMez", "Idle", 1),
    byBike("IdleTpsMez", "Idle", 2),
    byBike("IdleSmerReg", "Idle", 3),
    byBike("IdleStepPuls", "Idle", 4),
    byBike("IdleStepPerioda", "Idle", 5),
    byBike("IdleHyster", "Idle", 6),
    byBike("IdleAdvOn", "Idle", 7),
    byBike("IdleAdvNaRpm", "Idle", 8),
    byBike("IdleAdvNaCas", "Idle", 9),
    byBike("IdleMaxAdv", "Idle", 10),
    byBike("IdleServoPoz"),
    byBike("IdleAdvPoz"),
    set("IdleStart", {2000}),
    set("SpeedMode", {0}),
    byBike("PulsuProSpeed"),
};
constexpr FieldDefault kN2oPage[] = {
    set("Gas", {0}),        set("Gas1", {20}),        set("Gas2", {60}),        set("GasD", {2000}),
    set("GasT", {3000}),    set("Retard1", {0}),      set("Retard2", {0}),      set("RetardD", {2000}),
    set("RetardT", {3000}), set("GasJetKor1", {100}), set("GasJetKor2", {100}),
};
constexpr FieldDefault kRacePage[] = {
    set("ClutchTime", {100}), set("ClutchPause", {500}), set("ClutchMode", {0}),  set("ClutchMinRpm", {2000}),
    set("ClutchJet", {50}),   set("ClutchAdv", {0}),     set("TempDisplay", {0}),
};
constexpr FieldDefault kGearPage[] = {
    byBike("GearSystem"),     byBike("GearNapeti"),
    set("PocetGear", {6}),    set("PomerRpmSpeed", {2000, 1000, 666, 500, 400, 333}),
    set("GearAutoTime", {3}), set("GearAutoRpm", {1500}),
    set("GearAutoTps", {20}), set("GearAutoBand", {40}),
    set("GearKorAdv", {0}),   set("GearKorJet", {100}),
};
constexpr FieldDefault kTuningPage[] = {
    set("LadeniLambda", {800}), set("LadeniHyster", {50}), set("LadeniRpm", {100}),
    set("LadeniTps", {1}),      set("LadeniCas", {1000}),
};

enum Page : int {
    kBike = 0,
    kAdvance = 1,
    kInj1A = 2,
    kInj2A = 3,
    kInj4A = 5,
    kInjB = 6,
    kInjIap = 7,
    kPosition = 8,
    kCorrections = 9,
    kSensors = 10,
    kIntakeServo = 11,
    kExhaustServo = 12,
    kIdle = 13,
    kN2o = 14,
    kRace = 15,
    kGear = 16,
    kTuning = 17,
};

const Field& field(std::string_view name)
{
    const Field* found = FieldTable::byName(name);
    assert(found != nullptr && "every default names a field of the field table");
    return *found;
}

int shownOf(const ParamImage& image, std::string_view name)
{
    return decodeField(field(name), readCode(image, field(name)));
}

void writeDefault(ParamImage& image, const FieldDefault& d, int bikeCode)
{
    const Field& f = field(d.field);
    std::span<const int> values;
    std::optional<int> scalar;
    if (d.preset.empty()) {
        values = std::span<const int>(d.constants).first(static_cast<std::size_t>(d.constantCount));
    } else {
        values = BikePresets::values(d.preset, bikeCode);
        if (values.empty())
            scalar = BikePresets::scalar(d.preset, bikeCode);
        else
            values = values.subspan(static_cast<std::size_t>(d.presetFirst));
    }
    for (int e = 0; e < f.count; ++e) {
        // Through the control's range, as if the user had entered the value.
        int shown = 0;
        if (scalar)
            shown = *scalar;
        else
            shown = values.size() == 1 ? values[0] : values[static_cast<std::size_t>(e)];
        writeShown(image, f, e, shown);
    }
}

void writeDefaults(ParamImage& image, std::span<const FieldDefault> defaults, int bikeCode)
{
    for (const FieldDefault& d : defaults)
        writeDefault(image, d, bikeCode);
}

void setAxisFromPreset(ParamImage& image, MapId map, std::span<const int> rpm)
{
    for (int c = 0; c < kMapColumns; ++c)
        setAxisPoint(image, map, c, static_cast<std::uint8_t>(rpm[static_cast<std::size_t>(c)] / kRpmPerCode));
}

void setAxisFromPreset(ParamImage& image, MapId map, const std::array<std::uint16_t, 15>& rpm)
{
    for (int c = 0; c < kMapColumns; ++c)
        setAxisPoint(image, map, c, static_cast<std::uint8_t>(rpm[static_cast<std::size_t>(c)] / kRpmPerCode));
}

void setByteMap(ParamImage& image, MapId map, const std::array<std::uint8_t, kMapCells>& cells)
{
    for (int e = 0; e < kMapCells; ++e)
        setMapCell(image, map, e, cells[static_cast<std::size_t>(e)]);
}

// A servo page: axis and cells of the preset. Percent cells are stored as they are, voltages
// in units of 20 mV; with any mode but "R + T" the preset's first row goes into every row.
void setServoMap(ParamImage& image, MapId map, const ServoPreset& preset, bool percent, bool oneRow)
{
    setAxisFromPreset(image, map, preset.rpm);
    const int divisor = percent ? 1 : 20;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            const int shown = preset.cell(oneRow ? 0 : r, c);
            setMapCell(image, map, r * kMapColumns + c, static_cast<std::uint16_t>(shown / divisor));
        }
    }
}

// The unit compares the lobe copy at 417 with LobeWidth for the engine types that use it; the
// sanitiser keeps them equal, and so do the defaults, so that a fresh image is already clean.
void mirrorLobeWidth(ParamImage& image)
{
    const int engineType = readCode(image, field("EngineType"));
    if (engineType == 7 || engineType == 22)
        image.setByte(kLobeWidthCopyOffset, static_cast<std::uint8_t>(readCode(image, field("LobeWidth"))));
}

void writeRpmMax(ParamImage& image, int bikeCode)
{
    writeCode(image, field("RpmMax"), 0, BikePresets::derivedBytes(bikeCode)[7]);
}

// IgnLimiter is the rev ceiling, the injection and retard limiters 300 rpm above it.
void writeLimiters(ParamImage& image, int bikeCode)
{
    writeRpmMax(image, bikeCode);
    const int ceiling = shownOf(image, "RpmMax");
    writeShown(image, field("IgnLimiter"), 0, ceiling);
    writeShown(image, field("JetLimiter"), 0, ceiling + 300);
    writeShown(image, field("RetardLimiterRpm"), 0, ceiling + 300);
}

void clearMemo(ParamImage& image)
{
    for (int offset = kMemoOffset; offset < kMemoOffset + kMemoCapacity + 1; ++offset)
        image.setByte(offset, 0);
}

// The two shift lights of every gear: 2000 and 1500 rpm below the ignition limiter. Taken
// through the control's range, so that a limiter below 2900 rpm (page-only run on the Race page)
// gives the lowest shift light rather than a code that wrapped below zero.
void writeShiftLights(ParamImage& image)
{
    const Field& first = field("PilotLight1");
    const Field& second = field("PilotLight2");
    const int limiter = shownOf(image, "IgnLimiter");
    for (int gear = 0; gear < first.count; ++gear) {
        writeShown(image, first, gear, limiter - 2000);
        writeShown(image, second, gear, decodeField(first, readCode(image, first, gear)) + 500);
    }
}

class DefaultsPass {
public:
    DefaultsPass(ParamImage& image, InjectionTables& tables, const DefaultsRun& run)
        : m_image(image)
        , m_tables(tables)
        , m_run(run)
        , m_bike(presetBikeCode(image.byte(kBikeOffset)))
    {
    }

    void run()
    {
        deriveBikeFields(m_image);
        writeServoModes();
        writeJetMode();

        if (page(kBike))
            bikePage();
        if (page(kAdvance))
            advancePage();
        if (page(kInj1A))
            injectionPage(InjectionMap::Jet1A, kInj1A);
        for (int p = kInj2A; p <= kInj4A; ++p) {
            const bool uncoupledPage = m_run.activePage == p && jetMode() != Jet123Mode::Coupled;
            if (!m_run.pageOnlyLoad || uncoupledPage)
                injectionPage(static_cast<InjectionMap>(p - kInj1A), p);
        }
        if (page(kInjB)) {
            setAxisFromPreset(m_image, MapId::JetB, rpmAxis());
            setByteMap(m_image, MapId::JetB, BikeMapPresets::injB(m_bike));
        }
        if (page(kInjIap))
            iapPage();
        plainPage(kPosition, kPositionPage);
        plainPage(kCorrections, kCorrectionsPage);
        plainPage(kSensors, kSensorsPage);
        if (page(kIntakeServo))
            intakeServoPage();
        if (page(kExhaustServo))
            exhaustServoPage();
        plainPage(kIdle, kIdlePage);
        plainPage(kN2o, kN2oPage);
        if (page(kRace)) {
            writeShiftLights(m_image);
            writeDefaults(m_image, kRacePage, m_bike);
        }
        plainPage(kGear, kGearPage);
        plainPage(kTuning, kTuningPage);

        m_tables.computeReferenceTables(m_image, bikeGridSet(m_image.byte(kBikeOffset)));
        for (InjectionMap m : kInjectionMaps) {
            if (m_reset[static_cast<std::size_t>(m)])
                m_tables.percentToImage(m, m_image);
        }
    }

private:
    [[nodiscard]] bool page(int p) const { return !m_run.pageOnlyLoad || m_run.activePage == p; }
    [[nodiscard]] std::span<const int> rpmAxis() const { return BikePresets::values("RpmAxis", m_bike); }
    [[nodiscard]] Jet123Mode jetMode() const { return static_cast<Jet123Mode>(m_image.byte(kJet123ModeOffset)); }

    void plainPage(int p, std::span<const FieldDefault> defaults)
    {
        if (page(p))
            writeDefaults(m_image, defaults, m_bike);
    }

    void writeServoModes()
    {
        writeShown(m_image, field("ServoExMode"), 0, 1);
        writeDefault(m_image, byBike("ServoInMode"), m_bike);
    }

    void writeJetMode()
    {
        if (!m_run.pageOnlyLoad)
            m_image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Coupled));
        if (m_image.byte(kBikeOffset) == kSameMapsBike)
            m_image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(Jet123Mode::Same));
    }

    void bikePage()
    {
        writeDefaults(m_image, kBikePage, m_bike);
        writeLimiters(m_image, m_bike);
        clearMemo(m_image);
    }

    void advancePage()
    {
        setAxisFromPreset(m_image, MapId::Advance, rpmAxis());
        setByteMap(m_image, MapId::Advance, BikeMapPresets::advance(m_bike));
        writeDefaults(m_image, kAdvancePage, m_bike);
        mirrorLobeWidth(m_image);
    }

    void injectionPage(InjectionMap map, int p)
    {
        setAxisFromPreset(m_image, mapOf(map), rpmAxis());
        m_tables.percent(map).fill(100);
        m_reset[static_cast<std::size_t>(map)] = true;
        if (p == kInj1A)
            writeDefaults(m_image, kInj1APage, m_bike);
    }

    void iapPage()
    {
        constexpr std::array<std::uint16_t, kMapRows> kPressureRows = {30, 50, 60, 70, 75, 80, 85, 90, 95, 100};
        for (int r = 0; r < kMapRows; ++r)
            setIapRow(m_image, r, kPressureRows[static_cast<std::size_t>(r)]);
        setAxisFromPreset(m_image, MapId::Iap, rpmAxis());
        m_tables.percent(InjectionMap::Iap).fill(100);
        m_reset[static_cast<std::size_t>(InjectionMap::Iap)] = true;
        writeDefaults(m_image, kInjIapPage, m_bike);
    }

    void intakeServoPage()
    {
        writeDefaults(m_image, kIntakeServoPage, m_bike);
        setServoMap(m_image, MapId::ServoIn, BikeMapPresets::intakeServo(m_bike),
                    readCode(m_image, field("ServoInProcent")) != 0, readCode(m_image, field("ServoInMode")) != 0);
    }

    void exhaustServoPage()
    {
        writeDefaults(m_image, kExhaustServoPage, m_bike);
        setServoMap(m_image, MapId::ServoEx, BikeMapPresets::exhaustServo(m_bike),
                    readCode(m_image, field("ServoExProcent")) != 0, readCode(m_image, field("ServoExMode")) != 0);
    }

    ParamImage& m_image;
    InjectionTables& m_tables;
    const DefaultsRun& m_run;
    int m_bike;
    std::array<bool, kInjectionMapCount> m_reset{};
};

// The derived fields in the order the unit's tables list them: each column of a bike's derived
// bytes goes to `count` elements of a field from `element` on.
struct DerivedColumn {
    std::string_view field;
    int first;   // index in DerivedBikeBytes
    int element; // first element of the field
    int count;
};

constexpr DerivedColumn kDerivedColumns[] = {
    {"EngineType", 0, 0, 1},     {"EngineAux", 1, 0, 3},     {"RpmMax", 7, 0, 1},  {"EngineTiming", 8, 0, 3},
    {"CylinderCount", 11, 0, 1}, {"EngineTiming", 12, 3, 4}, {"BikeAux", 4, 0, 3},
};

} // namespace

void deriveBikeFields(ParamImage& image)
{
    const int code = image.byte(kBikeOffset);
    image.setChokeBike(code == kChokeBike);
    const DerivedBikeBytes& bytes = BikePresets::derivedBytes(code);
    for (const DerivedColumn& column : kDerivedColumns) {
        for (int i = 0; i < column.count; ++i)
            writeCode(image, field(column.field), column.element + i,
                      bytes[static_cast<std::size_t>(column.first + i)]);
    }
    writeDefault(image, byBike("WarmUpKor"), presetBikeCode(code));
    const Field& trigger = field("TriggerParams");
    for (int i = 0; i < trigger.count; ++i)
        writeCode(image, trigger, i, bytes[static_cast<std::size_t>(16 + i)]);
    mirrorLobeWidth(image);
}

void applyDefaults(ParamImage& image, InjectionTables& tables, const DefaultsRun& run)
{
    DefaultsPass(image, tables, run).run();
}

} // namespace quorvel
