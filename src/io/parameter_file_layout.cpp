#include "io/parameter_file_layout.h"

#include <array>

namespace quorvel {
namespace {

constexpr LayoutItem section(std::string_view key, int page, int keyWidth = 13)
{
    return {.step = LayoutStep::Section, .key = key, .page = page, .keyWidth = keyWidth};
}
constexpr LayoutItem bytes(int first, int count = 1, int scale = 1, int add = 0)
{
    return {.step = LayoutStep::Byte, .offset = first, .count = count, .scale = scale, .add = add};
}
constexpr LayoutItem signedBytes(int first, int count = 1)
{
    return {.step = LayoutStep::SignedByte, .offset = first, .count = count, .add = -100};
}
constexpr LayoutItem words(int first, int count = 1)
{
    return {.step = LayoutStep::Word, .offset = first, .count = count};
}
constexpr LayoutItem flag(int offset, FlagText text = FlagText::Plain)
{
    return {.step = LayoutStep::Flag, .offset = offset, .flagText = text};
}
constexpr LayoutItem mapBytes(int first, int factorFlag = kNoFactorFlag)
{
    return {.step = LayoutStep::MapBytes, .offset = first, .count = 150, .factorFlag = factorFlag};
}
constexpr LayoutItem mapWords(int first)
{
    return {.step = LayoutStep::MapWords, .offset = first, .count = 150};
}
constexpr LayoutItem cont()
{
    return {.step = LayoutStep::Continuation};
}
constexpr LayoutItem lineBreak()
{
    return {.step = LayoutStep::LineBreak};
}

constexpr auto kLayout = std::to_array<LayoutItem>({
    section("BIKE", kFullLoadOnly),
    bytes(150),
    cont(),
    section("APS_IAPS", 10),
    words(156),
    words(158),
    words(160),
    words(162),
    cont(),
    words(164),
    words(166),
    words(168),
    words(170),
    section("WATER_TEMP_SENSOR", 10, 17),
    cont(),
    words(344, 9),
    section("AIR_TEMP_SENSOR", 10, 19),
    cont(),
    words(362, 9),
    section("INPUTS", 0),
    bytes(172, 6),
    section("LIMITER", 0),
    bytes(178, 4, 100),
    bytes(182),
    section("TPS", 10),
    bytes(183, 1, 10),
    bytes(184, 1, 10, 2500),
    section("POTENTIOMETER", 10, 19),
    bytes(225),
    bytes(226),
    section("COOLING", 0),
    bytes(185),
    section("RPM", 0),
    bytes(186),
    signedBytes(187),
    section("INTAKE_PORT", 0),
    bytes(188, 1, 100),
    lineBreak(),
    section("ADVANCE_MISC", 1),
    bytes(190),
    signedBytes(191, 4),
    bytes(195),
    bytes(196),
    section("RPM_ADV", 1),
    bytes(515, 15, 100),
    section("ADVANCE", 1),
    mapBytes(650),
    section("JET1_MISC", 2),
    bytes(197),
    bytes(198),
    bytes(199),
    bytes(200, 1, 100),
    bytes(201, 1, 100),
    section("RPM_JET_1A", 2),
    bytes(530, 15, 100),
    section("JET_1A", 2),
    mapWords(800),
    section("RPM_JET_2A", 3),
    bytes(545, 15, 100),
    section("JET_2A", 3),
    mapWords(1100),
    section("RPM_JET_3A", 4),
    bytes(560, 15, 100),
    section("JET_3A", 4),
    mapWords(1400),
    section("RPM_JET_4A", 5),
    bytes(575, 15, 100),
    section("JET_4A", 5),
    mapWords(1700),
    section("RPM_JET_B", 6),
    bytes(590, 15, 100),
    section("JET_B", 6),
    mapBytes(2000),
    section("IAP_MISC", 7),
    bytes(202, 4),
    section("IAP_IAP", 7),
    words(434, 10),
    section("RPM_IAP", 7),
    bytes(605, 15, 100),
    section("IAP", 7),
    mapWords(2150),
    section("POSITION_A", 8),
    bytes(206),
    cont(),
    bytes(455, 15, 100),
    cont(),
    bytes(470, 15, 5),
    lineBreak(),
    section("POSITION_B", 8),
    bytes(207),
    cont(),
    bytes(485, 15, 100),
    cont(),
    bytes(500, 15, 5),
    lineBreak(),
    section("SERVO_IN", 11),
    flag(209, FlagText::Bare),
    flag(213, FlagText::WideSpaced),
    bytes(211, 1, 5),
    bytes(215),
    flag(216),
    bytes(227),
    bytes(228, 1, 250),
    section("RPM_SERVO_IN", 11),
    bytes(635, 15, 100),
    section("SERVO_IN_VALUE", 11, 14),
    cont(),
    mapBytes(2600, 213),
    lineBreak(),
    section("SERVO_EX", 12),
    flag(208, FlagText::Bare),
    flag(212, FlagText::WideSpaced),
    bytes(210, 1, 5),
    bytes(214),
    section("RPM_SERVO_EX", 12),
    bytes(620, 15, 100),
    section("SERVO_EX_VALUE", 12, 14),
    cont(),
    mapBytes(2450, 212),
    section("IDLE", 13),
    bytes(2750),
    bytes(2751, 1, 100),
    bytes(2752),
    cont(),
    bytes(2753),
    bytes(2754, 1, 250),
    bytes(2755),
    bytes(2756, 1, 10),
    cont(),
    words(2790),
    cont(),
    words(2758, 9),
    cont(),
    bytes(2777, 4),
    cont(),
    bytes(2781, 9, 50),
    cont(),
    cont(),
    section("CHOKE", 9),
    bytes(217, 4),
    cont(),
    bytes(221, 4, 1, 100),
    section("START_INJ", 9),
    bytes(242),
    cont(),
    section("INJ_CORR", 9),
    bytes(230, 5),
    cont(),
    bytes(235, 5),
    section("ACCEL", 9),
    bytes(240, 1, 10),
    bytes(241, 1, 50),
    section("ADVANCE_CORR", 9),
    bytes(243, 5),
    cont(),
    section("N2O", 14),
    flag(248),
    cont(),
    bytes(249),
    bytes(250),
    bytes(252, 1, 100),
    bytes(251, 1, 100),
    bytes(308, 1, 1, 100),
    bytes(309, 1, 1, 100),
    cont(),
    bytes(253),
    bytes(254),
    bytes(256, 1, 100),
    bytes(255, 1, 100),
    section("SPEED_PULSES", 16),
    bytes(288),
    words(310),
    cont(),
    section("GEAR", 16),
    bytes(286),
    bytes(287),
    cont(),
    words(290, 7),
    cont(),
    words(312, 6),
    section("GEAR_AUTO", 16),
    bytes(304),
    bytes(305, 1, 100),
    bytes(306),
    bytes(307),
    section("GEAR_CORR", 16),
    signedBytes(324, 6),
    cont(),
    bytes(330, 6),
    section("PILOT_LIGHT", 15),
    bytes(258, 6, 100),
    cont(),
    bytes(264, 6, 100),
    section("CLUTCH", 15),
    bytes(270),
    bytes(283, 1, 100),
    bytes(284),
    bytes(285),
    cont(),
    bytes(271, 6, 5),
    cont(),
    bytes(277, 6, 10),
    lineBreak(),
    section("DISPLAY", 15),
    flag(257, FlagText::Bare),
    lineBreak(),
    section("TUNING", 17),
    bytes(336, 1, 10),
    bytes(337, 1, 10),
    bytes(338, 1, 10),
    bytes(339),
    bytes(340, 1, 100),
    cont(),
});

} // namespace

std::span<const LayoutItem> parameterFileLayout()
{
    return kLayout;
}

} // namespace quorvel
