#include "maps/print_look.h"

namespace quorvel {
namespace {

using enum PrintHiding;

struct HiddenSeries {
    std::string_view name;
    int count; // 0: a single control without an index
    PrintHiding hiding;
};

constexpr int kDateTimeText = 31;
constexpr int kGridColumns = 15;
constexpr int kGridCells = 150;
constexpr int kExtraFields = 6;
constexpr int kPositionPoints = 15;
constexpr int kTemperatureRows = 5;
constexpr int kGridRows = 10;

// The progress bar is hidden too but not given back: it shows only during a transfer.
constexpr HiddenSeries kHidden[] = {
    {"StatusBar1", 0, Control},
    {"ImageLogo2", 0, Control},
    {"GroupBoxToolBar", 0, Control},
    {"LabelSpojeni", 0, Control},
    {"CGaugeProgram", 0, Control},
    {"UpDownRpm_Uni", kGridColumns, SpinButtons},
    {"UpDownMap_Uni", kGridCells, SpinButtons},
    {"CSpinButtonColumn_Uni", kGridColumns, Control},
    {"CSpinButtonTools_Uni", 0, Control},
    {"CheckBoxAll_Uni", 0, Control},
    {"CheckBoxTps_Uni", 0, Control},
    {"CheckBoxZobrMs_Uni", 0, Control},
    {"UpDownExtra_Uni", kExtraFields, SpinButtons},
    {"UpDownPolohaARpm", kPositionPoints, SpinButtons},
    {"UpDownPolohaA", kPositionPoints, SpinButtons},
    {"UpDownPolohaBRpm", kPositionPoints, SpinButtons},
    {"UpDownPolohaB", kPositionPoints, SpinButtons},
    {"UpDownKorVoda", kTemperatureRows, SpinButtons},
    {"UpDownKorVzduch", kTemperatureRows, SpinButtons},
    {"CSpinButtonPolohaA", 0, Control},
    {"CheckBoxAll_PolohaA", 0, Control},
    {"CSpinButtonPolohaB", 0, Control},
    {"CheckBoxAll_PolohaB", 0, Control},
    {"UpDownStartJet", 0, SpinButtons},
    {"UpDownTps0", 0, SpinButtons},
    {"UpDownTps100", 0, SpinButtons},
    {"ButtonTps0", 0, Control},
    {"ButtonTps100", 0, Control},
    {"UpDownAkcelPrah", 0, SpinButtons},
    {"UpDownAkcelJet", 0, SpinButtons},
    {"CheckBoxExtMonitor", 0, Control},
    {"UpDownChlazeni", 0, SpinButtons},
    {"UpDownSyticCas1", 0, SpinButtons},
    {"UpDownSyticCas2", 0, SpinButtons},
    {"UpDownSyticCas3", 0, SpinButtons},
    {"UpDownSyticCas4", 0, SpinButtons},
    {"UpDownSyticKorekce0", 0, SpinButtons},
    {"UpDownSyticKorekce1", 0, SpinButtons},
    {"UpDownSyticKorekce2", 0, SpinButtons},
    {"UpDownSyticKorekce3", 0, SpinButtons},
    {"UpDownGas1", 0, SpinButtons},
    {"UpDownGas2", 0, SpinButtons},
    {"UpDownGasD", 0, SpinButtons},
    {"UpDownGasT", 0, SpinButtons},
    {"UpDownRetard1", 0, SpinButtons},
    {"UpDownRetard2", 0, SpinButtons},
    {"UpDownRetardD", 0, SpinButtons},
    {"UpDownRetardT", 0, SpinButtons},
    {"CGaugeRpm", 0, Control},
    {"CGaugeTps", 0, Control},
    {"CGaugeLambda", 0, Control},
    {"CGaugeVoda", 0, Control},
};

} // namespace

std::string printStatusLine(const MessageTexts& texts, std::string_view date, std::string_view time)
{
    return std::string(texts.text(kDateTimeText)) + std::string(date) + "    " + std::string(time);
}

PrintLook printLook(const MessageTexts& texts, int currentPage, std::string_view date, std::string_view time)
{
    PrintLook look;
    for (const HiddenSeries& series : kHidden) {
        if (series.count == 0) {
            look.hidden.push_back({ControlKey{series.name}, series.hiding});
            continue;
        }
        for (int i = 0; i < series.count; ++i)
            look.hidden.push_back({ControlKey{series.name, i}, series.hiding});
    }
    look.whiteBackground.push_back(ControlKey{"LabelHlaseni"});
    for (int row = 0; row < kGridRows; ++row)
        look.whiteBackground.push_back(ControlKey{"LabelRow_Uni", row});
    look.statusLine = printStatusLine(texts, date, time);
    for (int page = 0; page < kPageCount; ++page)
        look.tabVisible[static_cast<std::size_t>(page)] = page == currentPage;
    return look;
}

} // namespace quorvel
