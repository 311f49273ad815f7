#include "maps/live_marking.h"

#include "core/page_index.h"
#include "model/map_layout.h"

#include <array>

namespace quorvel {
namespace {

constexpr int kColumns = kMapColumns;
constexpr int kRows = kMapRows;

constexpr int kAdvTps = 190;
constexpr int kServoExMode = 214;
constexpr int kServoInMode = 215;
constexpr int kPositionARpm = 455;
constexpr int kPositionBRpm = 485;
constexpr int kStartTimes = 217; // SyticCas1..4
constexpr int kGearSystem = 286;
constexpr int kIdleRpmMez = 2751;
constexpr int kIdleTpsMez = 2752;

std::array<int, kColumns> rpmAxis(const ParamImage& image, int offset)
{
    std::array<int, kColumns> axis{};
    for (int c = 0; c < kColumns; ++c)
        axis[static_cast<std::size_t>(c)] = image.byte(offset + c) * 100;
    return axis;
}

std::uint16_t throttleRow(const MonitorSnapshot& live)
{
    if (live.TpsError)
        return OperatingCell::kNoRow;
    const int halfPercent = live.TpsTenths / 5;
    for (int j = 0; j < kRows - 1; ++j) {
        if (halfPercent <
            kThrottleRowPercent[static_cast<std::size_t>(j)] + kThrottleRowPercent[static_cast<std::size_t>(j + 1)])
            return static_cast<std::uint16_t>(j);
    }
    return kRows - 1;
}

std::uint16_t pressureRow(const ParamImage& image, const MonitorSnapshot& live)
{
    if (live.IapError)
        return OperatingCell::kNoRow;
    std::array<int, kRows> rows{};
    for (int k = 0; k < kRows; ++k)
        rows[static_cast<std::size_t>(k)] = iapRow(image, k);
    return static_cast<std::uint16_t>(nearestEntry(live.IapKpa, rows));
}

// The first k in 0..count-1 with raw < step * k + base, else count; a failed sensor (raw 0)
// gives `errorIndex`.
int temperatureIndex(int raw, int base, int step, int count, int errorIndex)
{
    if (raw == 0)
        return errorIndex;
    for (int k = 0; k < count; ++k) {
        if (raw < step * k + base)
            return k;
    }
    return count;
}

class Marks {
public:
    explicit Marks(std::vector<ControlMark>& marks)
        : m_marks(marks)
    {
    }

    // A series of edits of which the one at `marked` is lime.
    void edits(std::string_view name, int first, int count, int marked)
    {
        for (int i = first; i < first + count; ++i)
            edit(name, i, i == marked);
    }
    void labels(std::string_view name, int first, int count, int marked)
    {
        for (int i = first; i < first + count; ++i)
            label(name, i, i == marked);
    }
    void edit(std::string_view name, int index, bool on)
    {
        m_marks.push_back({{name, index}, on ? ColourRole::Lime : ColourRole::NormalWindow, std::nullopt});
    }
    void label(std::string_view name, int index, bool on)
    {
        m_marks.push_back({{name, index}, on ? ColourRole::Lime : ColourRole::NormalFace, std::nullopt});
    }
    void add(ControlMark mark) { m_marks.push_back(mark); }

private:
    std::vector<ControlMark>& m_marks;
};

void markCorrections(const ParamImage& image, const MonitorSnapshot& live, Marks& marks)
{
    const int coolant = temperatureIndex(live.CoolantRaw, 105, 30, 5, 3);
    marks.edits("EditKorVoda", 0, 5, coolant);
    marks.edits("EditIgnVoda", 0, 5, coolant);
    marks.edits("EditKorVzduch", 0, 5, temperatureIndex(live.AirRaw, 105, 30, 5, 2));

    // The nearest of the five starting points 0, 10 * SyticCas1 .. 10 * SyticCas4.
    const int twice = 2 * live.StartTime;
    int start = 4;
    if (twice <= 10 * image.byte(kStartTimes)) {
        start = 0;
    } else {
        for (int k = 1; k <= 3; ++k) {
            if (twice < 10 * (image.byte(kStartTimes + k - 1) + image.byte(kStartTimes + k))) {
                start = k;
                break;
            }
        }
    }
    marks.label("LabelSyticCas", 0, start == 0);
    marks.edits("EditSyticCas", 1, 4, start);
    marks.edits("EditSyticKorekce", 0, 4, start);
    marks.label("LabelSyticKorekce", 4, start == 4);
}

void markIdle(const ParamImage& image, const MonitorSnapshot& live, Marks& marks)
{
    const int temperature = temperatureIndex(live.CoolantRaw, 97, 15, 9, 7);
    marks.labels("LabelIdleServoTeplota", 0, 9, temperature);
    marks.labels("LabelIdleAdvTeplota", 0, 9, temperature);
    marks.edits("EditIdleServoPoz", 0, 9, temperature);
    marks.edits("EditIdleAdvPoz", 0, 9, temperature);

    const bool belowIdleRpm = live.Rpm != 0 && live.Rpm <= image.byte(kIdleRpmMez) * 100;
    marks.edit("EditIdleRpmMez", -1, belowIdleRpm);
    marks.label("LabelIdleRpmMez", -1, belowIdleRpm);
    const bool belowIdleTps = live.TpsTenths < image.byte(kIdleTpsMez);
    marks.edit("EditIdleTpsMez", -1, belowIdleTps);
    marks.label("LabelIdleTpsMez", -1, belowIdleTps);
}

void markRace(const MonitorSnapshot& live, Marks& marks)
{
    // Element 0 of each per-gear row serves gears 0 and 1; gear 0 marks nothing.
    const int element = live.Gear - 1;
    for (std::string_view row : {"EditPilotLight1", "EditPilotLight2", "EditClutchTime", "EditClutchPause"})
        marks.edits(row, 0, 6, element);
    marks.labels("LabelRaceGear", 1, 6, live.Gear);
}

void markGear(const ParamImage& image, const MonitorSnapshot& live, Marks& marks)
{
    const int gear = live.Gear;
    const int system = image.byte(kGearSystem); // 0 voltage, 1 rpm/speed ratio, 2 automatic, 3 none
    const int byVoltage = system == 0 ? gear : -1;
    marks.edits("EditGearNapeti", 0, 7, byVoltage);
    marks.labels("LabelGear", 0, 7, byVoltage);
    const int byRatio = system == 1 ? gear : -1;
    marks.edits("EditPomerRpmSpeed", 0, 6, byRatio - 1);
    marks.labels("LabelPomerRpmSpeed", 1, 6, byRatio);

    // The learn button of the gear engaged now is bold; the neutral button is always lime.
    marks.add({{"ButtonGear", 0}, ColourRole::Lime, gear == 0 && system == 0});
    for (int g = 1; g <= 6; ++g)
        marks.add({{"ButtonGear", g}, ColourRole::NormalFace, g == gear && (system == 0 || system == 1)});

    const int automatic = system == 2 ? gear : -1;
    marks.labels("LabelMonPomerRpmSpeedAuto", 1, 6, automatic);
    marks.labels("LabelMonGearAuto", 1, 6, automatic);

    marks.edits("EditGearKorJet", 0, 6, gear - 1);
    marks.edits("EditGearKorAdv", 0, 6, gear - 1);
    marks.labels("LabelGearKor", 1, 6, gear);
}

// The cell of a map page as the sensors read it, before a page rule fixes its row or column.
OperatingCell sensedCell(int page, const ParamImage& image, const MonitorSnapshot& live)
{
    return {static_cast<std::uint16_t>(nearestEntry(live.Rpm, rpmAxis(image, MapTable::ofPage(page)->axisOffset))),
            throttleRow(live), pressureRow(image, live)};
}

} // namespace

int nearestEntry(int value, std::span<const int> table)
{
    const int last = static_cast<int>(table.size()) - 1;
    for (int i = 0; i < last; ++i) {
        if (2 * value < table[static_cast<std::size_t>(i)] + table[static_cast<std::size_t>(i + 1)])
            return i;
    }
    return last;
}

std::vector<ControlMark> LiveMarking::refresh(int page, const ParamImage& image, const MonitorSnapshot& live,
                                              bool showMs)
{
    std::vector<ControlMark> marks;
    Marks m(marks);
    switch (page) {
    case kPageAdvance:
    case kPageInj1A:
    case kPageInj2A:
    case kPageInj3A:
    case kPageInj4A:
    case kPageInjB:
    case kPageInjIap:
    case kPageIntakeServo:
    case kPageExhaustServo:
        markMapPage(page, image, live, showMs, marks);
        break;
    case kPagePoloha:
        markPositionPage(image, live, marks);
        break;
    case kPageKorekce:
        markCorrections(image, live, m);
        break;
    case kPageIdle:
        markIdle(image, live, m);
        break;
    case kPageRace:
        markRace(live, m);
        break;
    case kPageGear:
        markGear(image, live, m);
        break;
    default:
        break;
    }
    return marks;
}

MapCellMark markMapCell(int page, const ParamImage& image, const MonitorSnapshot& live)
{
    MapCellMark mark;
    mark.cell = sensedCell(page, image, live);
    OperatingCell& cell = mark.cell;

    int markedRow = OperatingCell::kNoRow;
    if (page == kPageAdvance) {
        if (image.byte(kAdvTps) == 0)
            cell.throttleRow = kRows - 1;
        if (live.Rpm != 0)
            markedRow = cell.throttleRow;
    } else if (page == kPageInjIap) {
        if (live.Rpm != 0 && live.UsesIapMap) {
            markedRow = cell.pressureRow;
            mark.colour = live.UsesTpsMaps ? ColourRole::Yellow : ColourRole::Lime;
        }
    } else if (page == kPageIntakeServo || page == kPageExhaustServo) {
        const int mode = image.byte(page == kPageIntakeServo ? kServoInMode : kServoExMode);
        if (mode == 1)
            cell.throttleRow = kRows - 1;
        if (mode == 2)
            cell.column = 0;
        markedRow = cell.throttleRow;
    } else if (live.Rpm != 0 && live.UsesTpsMaps) {
        markedRow = cell.throttleRow;
        mark.colour = live.UsesIapMap ? ColourRole::Yellow : ColourRole::Lime;
    }
    if (markedRow < kRows)
        mark.element = markedRow * kColumns + cell.column;
    return mark;
}

void LiveMarking::markMapPage(int page, const ParamImage& image, const MonitorSnapshot& live, bool showMs,
                              std::vector<ControlMark>& marks)
{
    const bool servoPage = page == kPageIntakeServo || page == kPageExhaustServo;
    const MapCellMark mark = markMapCell(page, image, live);
    m_cell = mark.cell;

    // The axis heads and row labels show the rows as the sensors read them, before a page rule
    // fixes the cell's row or column.
    const OperatingCell sensed = sensedCell(page, image, live);
    Marks m(marks);
    marks.reserve(kColumns + 2 * kRows + 2 * kRows * kColumns);
    m.edits("EditRpm_Uni", 0, kColumns, live.Rpm != 0 || servoPage ? sensed.column : -1);
    m.labels("LabelRow_Uni", 0, kRows, sensed.throttleRow);
    m.edits("EditRow_Uni", 0, kRows, sensed.pressureRow);

    const int markedCell = mark.element.value_or(-1);
    for (int e = 0; e < kRows * kColumns; ++e) {
        const ColourRole colour = e == markedCell ? mark.colour : ColourRole::NormalWindow;
        marks.push_back({{"EditMap_Uni", e}, colour, std::nullopt});
        if (showMs) {
            marks.push_back({{"LabelMs_Uni", e},
                             colour == ColourRole::NormalWindow ? ColourRole::NormalFace : colour,
                             std::nullopt});
        }
    }
}

void LiveMarking::markPositionPage(const ParamImage& image, const MonitorSnapshot& live,
                                   std::vector<ControlMark>& marks)
{
    m_positions.a = static_cast<std::uint16_t>(nearestEntry(live.Rpm, rpmAxis(image, kPositionARpm)));
    m_positions.b = static_cast<std::uint16_t>(nearestEntry(live.Rpm, rpmAxis(image, kPositionBRpm)));
    Marks m(marks);
    m.edits("EditPolohaARpm", 0, kColumns, m_positions.a);
    m.edits("EditPolohaA", 0, kColumns, m_positions.a);
    m.edits("EditPolohaBRpm", 0, kColumns, m_positions.b);
    m.edits("EditPolohaB", 0, kColumns, m_positions.b);
}

} // namespace quorvel
