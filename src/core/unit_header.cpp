#include "core/unit_header.h"

#include <array>
#include <string_view>

namespace quorvel {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

char digit(int value)
{
    return static_cast<char>('0' + value);
}

std::string twoDigits(std::uint8_t value)
{
    return {digit(value / 10), digit(value % 10)};
}

} // namespace

std::uint8_t monthCode(int month)
{
    unsigned sum = 0;
    for (char c : kMonthNames.at(static_cast<std::size_t>(month - 1)))
        sum += static_cast<unsigned char>(c);
    return static_cast<std::uint8_t>(sum & 0xFFU);
}

std::string monthCharacters(std::uint8_t code)
{
    for (int month = 1; month <= 12; ++month) {
        if (monthCode(month) == code)
            return month < 10 ? std::string{' ', digit(month)} : twoDigits(static_cast<std::uint8_t>(month));
    }
    return "00";
}

UnitHeaderTexts decodeHeaderTexts(std::span<const std::uint8_t, kBlockSize> h)
{
    UnitHeaderTexts texts;
    texts.version = {static_cast<char>(h[0]), static_cast<char>(h[1]), static_cast<char>(h[2])};
    texts.version += twoDigits(h[3]);

    // Digits are formed by adding to '0' as the unit does, so a byte above 99 shows as the
    // characters beyond '9' rather than being rejected.
    texts.date = h[4] < 10 ? std::string{' '} : std::string{digit(h[4] / 10)};
    texts.date += digit(h[4] % 10);
    texts.date += '.' + monthCharacters(h[5]) + ".20" + twoDigits(h[6]);
    texts.time = twoDigits(h[7]) + ':' + twoDigits(h[8]);

    if (h[kHeaderTextStart] != 0) {
        texts.version.clear();
        for (int k = kHeaderTextStart; k < kHeaderTextStart + kHeaderTextLength && h[k] != 0; ++k)
            texts.version += static_cast<char>(h[k]);
    }
    return texts;
}

} // namespace quorvel
