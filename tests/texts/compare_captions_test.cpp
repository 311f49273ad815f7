#include "texts/compare_captions.h"

#include "core/page_index.h"
#include "model/field_table.h"

#include <gtest/gtest.h>

#include <cctype>

namespace quorvel {
namespace {

struct NameCase {
    const char* what;
    Difference difference;
    Language language;
    NameContext context;
    std::string caption;
    std::string unit;
};

Difference field(std::string_view name, int element = -1)
{
    const Field* f = FieldTable::byName(name);
    EXPECT_NE(f, nullptr) << name;
    return {DifferenceKind::Field, f == nullptr ? kNoPage : f->page, name, element, 0, {}, {}, {}};
}

Difference of(DifferenceKind kind, int page, std::string_view name, int element, int offset = 0)
{
    return {kind, page, name, element, offset, {}, {}, {}};
}

constexpr NameContext kPlain{};
constexpr NameContext kChoke{true, true, true};
constexpr NameContext kServoInVolts{false, false, true};

class ShownNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ShownNames, ReadAsThePageShowsTheValue)
{
    const NameCase& c = GetParam();
    const ShownName shown = shownName(c.difference, c.language, c.context);
    EXPECT_EQ(shown.caption, c.caption);
    EXPECT_EQ(shown.unit, c.unit);
}

// One value of each way a page names it, in the languages where the words differ.
INSTANTIATE_TEST_SUITE_P(
    Values, ShownNames,
    ::testing::Values(
        NameCase{"label", field("IgnLimiter"), Language::English, kPlain, "Ignition Limiter [rpm]", "rpm"},
        NameCase{"label in German", field("IgnLimiter"), Language::German, kPlain, "Zündungsbegrenzer [rpm]", "rpm"},
        NameCase{"check box", field("FallEnable"), Language::Czech, kPlain, "Pádový sensor povolen", ""},
        NameCase{"radio group", field("GearSystem"), Language::German, kPlain, "Gangerkennung", ""},
        NameCase{"bike list", field("Bike"), Language::English, kPlain, "Motorbike Type", ""},
        NameCase{"memo", field("Memo"), Language::English, kPlain, "Memo sheet", ""},
        NameCase{"column heading and row", field("KorVoda", 2), Language::English, kPlain, "Coolant, 50 °C", "%"},
        NameCase{"column heading in Czech", field("KorVoda", 2), Language::Czech, kPlain, "Teplota vody, 50 °C", "%"},
        NameCase{"second column under one heading", field("PilotLight2", 0), Language::English, kPlain,
                 "Gear Shift Light [rpm] 2, 0-1", "rpm"},
        NameCase{"heading that is a unit", field("GearNapeti", 3), Language::German, kPlain,
                 "Spannung der Gänge [mV], 3", "mV"},
        NameCase{"heading of its own", field("PomerRpmSpeed", 0), Language::German, kPlain, "Verhältnis, 1", ""},
        NameCase{"group and built heading", field("PositionARpm", 4), Language::English, kPlain,
                 "Position of Injection A: RPM, 5", "rpm"},
        NameCase{"table cell", field("SyticCas1"), Language::English, kPlain, "Time [s], 1", "s"},
        NameCase{"table cell of the second row", field("SyticKorekce0"), Language::German, kPlain,
                 "Korrektur für -10°C [%], 0", "%"},
        NameCase{"choke bike label", field("IdleHyster"), Language::English, kChoke, "Desired RPM", "rpm"},
        NameCase{"other bike label", field("IdleHyster"), Language::English, kPlain, "Hysteresis [rpm]", "rpm"},
        NameCase{"cylinder of the grid", field("AdvCylKor", 1), Language::English, kPlain, "Correction for cylinder 2",
                 "°"},
        NameCase{"grid field", field("IapTpsMax"), Language::English, kPlain, "TPS max", "%"},
        NameCase{"grid field in Czech", field("ServoInHyster"), Language::Czech, kPlain, "Hystereze [mV]", "mV"},
        NameCase{"grid option", field("ServoInEnable"), Language::German, kPlain, "Servo zulassen", ""},
        NameCase{"menu", field("Jet123Mode"), Language::English, kPlain, "Jet 1234", ""},
        NameCase{"derived field", field("EngineType"), Language::English, kPlain, "EngineType", ""},
        NameCase{"injection cell", of(DifferenceKind::MapCell, kPageInj1A, "JET_1A", 16), Language::German, kPlain,
                 "Zeile 2, Spalte 2", "%"},
        NameCase{"servo cell in volts", of(DifferenceKind::MapCell, kPageIntakeServo, "SERVO_IN_VALUE", 0),
                 Language::English, kServoInVolts, "Row 1, column 1", "mV"},
        NameCase{"advance cell", of(DifferenceKind::MapCell, kPageAdvance, "ADVANCE", 149), Language::English, kPlain,
                 "Row 10, column 15", "°"},
        NameCase{"RPM head", of(DifferenceKind::RpmAxis, kPageAdvance, "RPM_ADV", 14), Language::English, kPlain,
                 "RPM of column 15", "rpm"},
        NameCase{"pressure row", of(DifferenceKind::PressureRow, kPageInjIap, "IAP_IAP", 0), Language::Czech, kPlain,
                 "Tlak řádku 1", "kPa"},
        NameCase{"byte of no parameter", of(DifferenceKind::OtherByte, kNoPage, {}, -1, 2800), Language::English,
                 kPlain, "Byte 2800", ""}),
    [](const ::testing::TestParamInfo<NameCase>& param) {
        std::string name = param.param.what;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(ShownName, UnitJoinsTheCaptionUnlessTheCaptionNamesOne)
{
    EXPECT_EQ((ShownName{"Coolant, 50 °C", "%"}.withUnit()), "Coolant, 50 °C [%]");
    EXPECT_EQ((ShownName{"Ignition Limiter [rpm]", "rpm"}.withUnit()), "Ignition Limiter [rpm]");
    EXPECT_EQ((ShownName{"Number of gear", ""}.withUnit()), "Number of gear");
}

// No value a page shows is listed under its internal name, in any language.
TEST(ShownName, EveryShownParameterHasACaptionInEveryLanguage)
{
    for (const Field& f : FieldTable::all()) {
        if (f.isDerived())
            continue;
        for (Language language : {Language::English, Language::German, Language::French, Language::Czech}) {
            for (int element = 0; element < (f.isArray() ? f.count : 1); ++element) {
                const Difference d{DifferenceKind::Field, f.page, f.name, f.isArray() ? element : -1, 0, {}, {}, {}};
                const std::string caption = shownName(d, language).caption;
                EXPECT_FALSE(caption.empty()) << f.name;
                EXPECT_NE(caption, f.name) << "listed by its internal name";
            }
        }
    }
}

} // namespace
} // namespace quorvel
