#include "io/layout_section_reader.h"

namespace quorvel {
namespace {

constexpr int kBikeOffset = 150;
constexpr int kJet123Mode = 197;
constexpr std::uint8_t kJetCoupled = 1;
constexpr int kFirstCoupledPage = 3; // Inj-2A
constexpr int kLastCoupledPage = 5;  // Inj-4A

void store(ParamImage& image, const LayoutItem& item, int i, std::uint32_t number)
{
    switch (item.step) {
    case LayoutStep::Word:
    case LayoutStep::MapWords:
        image.setWordAt(item.offset + 2 * i, static_cast<std::uint16_t>(number));
        return;
    case LayoutStep::Flag:
        image.setByte(item.offset, static_cast<std::uint8_t>(number));
        return;
    case LayoutStep::MapBytes:
        image.setByte(item.offset + i, static_cast<std::uint8_t>((number & 0xFFFFU) / layoutFactor(image, item)));
        return;
    default: {
        // Only the low bits are kept, so signed values and added offsets read back exactly.
        const long long u = number & 0xFFFFU;
        const long long value = (u - item.add) / item.scale;
        image.setByte(item.offset + i, static_cast<std::uint8_t>(value & 0xFF));
    }
    }
}

} // namespace

int layoutFactor(const ParamImage& image, const LayoutItem& item)
{
    if (item.factorFlag == kNoFactorFlag)
        return 1;
    return image.byte(item.factorFlag) != 0 ? 1 : 20;
}

std::optional<LayoutSection> findLayoutSection(std::string_view key)
{
    const auto layout = parameterFileLayout();
    for (std::size_t i = 0; i < layout.size(); ++i) {
        if (layout[i].step != LayoutStep::Section || layout[i].key != key)
            continue;
        std::size_t end = i + 1;
        while (end < layout.size() && layout[end].step != LayoutStep::Section)
            ++end;
        return LayoutSection{&layout[i], layout.subspan(i + 1, end - i - 1)};
    }
    return std::nullopt;
}

bool sectionEnabled(int page, const ParamImage& image, bool pageOnly, int currentPage)
{
    if (!pageOnly)
        return true;
    if (page != currentPage)
        return false;
    const bool coupledMap = page >= kFirstCoupledPage && page <= kLastCoupledPage;
    return !(coupledMap && image.byte(kJet123Mode) == kJetCoupled);
}

void readLayoutSection(TokenReader& tokens, const LayoutSection& section, ParamImage& image,
                       const std::function<void(ParamImage&)>& afterBike)
{
    for (const LayoutItem& item : section.items) {
        if (item.step == LayoutStep::Continuation || item.step == LayoutStep::LineBreak)
            continue;
        for (int i = 0; i < item.count; ++i) {
            const auto number = tokens.nextNumber();
            if (!number)
                return;
            store(image, item, i, *number);
        }
        if (item.offset == kBikeOffset && item.step == LayoutStep::Byte && afterBike)
            afterBike(image);
    }
}

} // namespace quorvel
