#include "io/last_image.h"

#include "io/token_reader.h"

#include <cstdio>

namespace quorvel {
namespace {

void appendNumber(std::string& out, unsigned value)
{
    char field[12];
    std::snprintf(field, sizeof field, "%5u ", value);
    out += field;
}

} // namespace

std::string writeLastImage(const ParamImage& image, const AllFlags& flags)
{
    std::string out;
    out.reserve(6 * (kImageSize + kAllFlagsCount) + 1000);
    for (int i = kBlockSize; i < kImageSize; ++i) {
        appendNumber(out, image.byte(i));
        if ((i - kBlockSize) % 10 == 9)
            out += "\r\n";
        if ((i - kBlockSize) % 100 == 99)
            out += "\r\n";
    }
    for (std::uint8_t flag : flags)
        appendNumber(out, flag);
    return out;
}

void readLastImage(std::string_view text, ParamImage& image, AllFlags& flags)
{
    TokenReader reader(text);
    for (int i = kBlockSize; i < kImageSize; ++i) {
        const auto number = reader.nextNumber();
        if (!number)
            return;
        image.setByte(i, static_cast<std::uint8_t>(*number));
    }
    for (std::uint8_t& flag : flags) {
        const auto number = reader.nextNumber();
        if (!number)
            return;
        flag = static_cast<std::uint8_t>(*number);
    }
}

} // namespace quorvel
