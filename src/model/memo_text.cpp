#include "model/memo_text.h"

#include <algorithm>

namespace quorvel {

void storeMemo(ParamImage& image, std::string_view text)
{
    const auto kept = std::min<std::size_t>(text.size(), kMemoCapacity);
    for (std::size_t i = 0; i < kept; ++i)
        image.setByte(kMemoOffset + static_cast<int>(i), static_cast<std::uint8_t>(text[i]));
    if (kept < kMemoCapacity)
        image.setByte(kMemoOffset + static_cast<int>(kept), 0);
    image.setByte(kMemoOffset + kMemoCapacity, 0);
}

std::string memoText(const ParamImage& image)
{
    std::string text;
    for (int i = 0; i < kMemoCapacity; ++i) {
        const std::uint8_t c = image.byte(kMemoOffset + i);
        if (c == 0)
            break;
        text.push_back(static_cast<char>(c));
    }
    return text;
}

} // namespace quorvel
