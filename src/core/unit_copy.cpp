#include "core/unit_copy.h"

#include <algorithm>
#include <cassert>

namespace quorvel {
namespace {

std::span<const std::uint8_t, kBlockSize> blockOfRaw(std::span<const std::uint8_t, kImageSize> raw, int block)
{
    return raw.subspan(static_cast<std::size_t>(block * kBlockSize)).first<kBlockSize>();
}

} // namespace

void UnitCopy::store(int block, BlockBytes payload)
{
    assert(block >= 0 && block < kBlockCount);
    std::ranges::copy(payload, m_bytes.begin() + block * kBlockSize);
    m_known.set(static_cast<std::size_t>(block));
}

void UnitCopy::forget(int block)
{
    assert(block >= 0 && block < kBlockCount);
    m_known.reset(static_cast<std::size_t>(block));
    std::fill_n(m_bytes.begin() + block * kBlockSize, kBlockSize, std::uint8_t{0});
}

void UnitCopy::forgetAll()
{
    m_known.reset();
    m_bytes.fill(0);
    ++m_connection;
}

bool UnitCopy::knows(int block) const
{
    return m_known.test(static_cast<std::size_t>(block));
}

bool UnitCopy::knowsParameters() const
{
    for (int block = 1; block < kBlockCount; ++block) {
        if (!knows(block))
            return false;
    }
    return true;
}

ParamImage UnitCopy::over(const ParamImage& image) const
{
    ParamImage unit = image;
    for (int block = 1; block < kBlockCount; ++block) {
        if (knows(block))
            unit.storeBlock(block, blockOfRaw(m_bytes, block));
    }
    if (knows(0))
        unit.storeHeader(blockOfRaw(m_bytes, 0));
    return unit;
}

ParamImage imageFromRaw(std::span<const std::uint8_t, kImageSize> raw)
{
    ParamImage image;
    image.storeHeader(blockOfRaw(raw, 0));
    for (int block = 1; block < kBlockCount; ++block)
        image.storeBlock(block, blockOfRaw(raw, block));
    return image;
}

} // namespace quorvel
