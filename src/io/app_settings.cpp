#include "io/app_settings.h"

#include <algorithm>
#include <cstdint>

namespace quorvel {
namespace {

constexpr std::string_view kSection = "BASIC";
constexpr long long kPageCountInSettings = 19;
constexpr std::string_view kBackupsSection = "BACKUPS";
constexpr std::string_view kViewSection = "VIEW"; // view options beyond those of BASIC
constexpr std::string_view kDatalogSection = "DATALOG";
// Beside ComPort, which keeps the last COM entry for a program that knows no virtual unit.
constexpr std::string_view kPortSection = "PORT";
constexpr long long kHighestThresholdMv = 1000;
constexpr long long kMostSamples = 100000;
constexpr long long kMostBackupsKept = 100000;

// The original store held these as single bytes.
int asByte(long long value)
{
    return static_cast<std::uint8_t>(value);
}

template <typename Apply> void readInteger(const IniFile& ini, std::string_view key, Apply apply)
{
    if (const auto value = ini.integer(kSection, key))
        apply(*value);
}

} // namespace

void loadSettings(const IniFile& ini, AppSettings& settings)
{
    const auto left = ini.integer(kSection, "Left");
    const auto top = ini.integer(kSection, "Top");
    const auto height = ini.integer(kSection, "Height");
    const auto width = ini.integer(kSection, "Width");
    if (left || top || height || width) {
        WindowGeometry geometry = settings.geometry.value_or(WindowGeometry{});
        auto clampInt = [](long long v) { return static_cast<int>(std::clamp<long long>(v, -100000, 100000)); };
        geometry.left = left ? clampInt(*left) : geometry.left;
        geometry.top = top ? clampInt(*top) : geometry.top;
        geometry.height = height ? clampInt(*height) : geometry.height;
        geometry.width = width ? clampInt(*width) : geometry.width;
        // A window without a size (a missing, zero or negative Width or Height) cannot be shown;
        // it opens centred at its designed size as on a first run.
        if (geometry.width > 0 && geometry.height > 0)
            settings.geometry = geometry;
        else
            settings.geometry.reset();
    }
    readInteger(ini, "ComPort", [&](long long v) { settings.portSelection = asByte(v - 1); });
    readInteger(ini, "ComPortAuto", [&](long long v) { settings.autoScanIndex = asByte(v - 1); });
    readInteger(ini, "Language", [&](long long v) { settings.language = asByte(v); });
    settings.fileLabel = ini.value(kSection, "File").value_or("");
    settings.currentFileName = ini.value(kSection, "IniDir").value_or("");
    // A page index no page has would leave the window without a page; it keeps the one in effect.
    readInteger(ini, "PageControl1->ActivePageIndex", [&](long long v) {
        if (v >= 0 && v < kPageCountInSettings)
            settings.activePage = static_cast<int>(v);
    });
    readInteger(ini, "CheckBoxZobrMs_Uni->Checked", [&](long long v) { settings.showMs = v != 0; });
    readInteger(ini, "CheckBoxExtMonitor->Checked", [&](long long v) { settings.extendedMonitor = v != 0; });
    readInteger(ini, "CheckBoxAll_PolohaA->Checked", [&](long long v) { settings.allPolohaA = v != 0; });
    readInteger(ini, "CheckBoxAll_PolohaB->Checked", [&](long long v) { settings.allPolohaB = v != 0; });
    if (const auto virtualUnit = ini.integer(kPortSection, "VirtualUnit"))
        settings.virtualUnit = *virtualUnit != 0;
    if (const auto colours = ini.integer(kViewSection, "CheckBoxColours_Uni->Checked"))
        settings.showColours = *colours != 0;
    if (const auto mv = ini.integer(kDatalogSection, "EditLogThreshold"); mv && *mv >= 1 && *mv <= kHighestThresholdMv)
        settings.lambdaThresholdMv = static_cast<int>(*mv);
    if (const auto samples = ini.integer(kDatalogSection, "EditLogMinSamples");
        samples && *samples >= 1 && *samples <= kMostSamples)
        settings.lambdaMinimumSamples = static_cast<int>(*samples);
    // A folder that keeps no backup would delete the one just written; such a value keeps the
    // number in effect.
    if (const auto kept = ini.integer(kBackupsSection, "Kept"); kept && *kept >= 1 && *kept <= kMostBackupsKept)
        settings.backupsKept = static_cast<int>(*kept);
}

IniFile saveSettings(const AppSettings& settings, IniFile into)
{
    IniFile ini = std::move(into);
    const WindowGeometry geometry = settings.geometry.value_or(WindowGeometry{});
    auto put = [&](std::string_view key, long long value) { ini.set(kSection, key, std::to_string(value)); };
    put("Left", geometry.left);
    put("Top", geometry.top);
    put("Height", geometry.height);
    put("Width", geometry.width);
    put("ComPort", settings.portSelection + 1);
    put("ComPortAuto", settings.autoScanIndex + 1);
    put("Language", settings.language);
    ini.set(kSection, "File", settings.fileLabel);
    ini.set(kSection, "IniDir", settings.currentFileName);
    put("PageControl1->ActivePageIndex", settings.activePage);
    put("CheckBoxZobrMs_Uni->Checked", settings.showMs ? 1 : 0);
    put("CheckBoxExtMonitor->Checked", settings.extendedMonitor ? 1 : 0);
    put("CheckBoxAll_PolohaA->Checked", settings.allPolohaA ? 1 : 0);
    put("CheckBoxAll_PolohaB->Checked", settings.allPolohaB ? 1 : 0);
    ini.set(kBackupsSection, "Kept", std::to_string(settings.backupsKept));
    ini.set(kPortSection, "VirtualUnit", settings.virtualUnit ? "1" : "0");
    ini.set(kViewSection, "CheckBoxColours_Uni->Checked", settings.showColours ? "1" : "0");
    ini.set(kDatalogSection, "EditLogThreshold", std::to_string(settings.lambdaThresholdMv));
    ini.set(kDatalogSection, "EditLogMinSamples", std::to_string(settings.lambdaMinimumSamples));
    return ini;
}

} // namespace quorvel
