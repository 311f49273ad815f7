#include "core/param_image.h"

#include <algorithm>
#include <cassert>

namespace quorvel {

std::size_t ParamImage::at(int offset)
{
    assert(offset >= 0 && offset < kImageSize);
    return static_cast<std::size_t>(offset);
}

std::uint16_t ParamImage::wordAt(int offset) const
{
    return static_cast<std::uint16_t>(byte(offset) | (byte(offset + 1) << 8));
}

void ParamImage::setWordAt(int offset, std::uint16_t value)
{
    setByte(offset, static_cast<std::uint8_t>(value & 0xFFU));
    setByte(offset + 1, static_cast<std::uint8_t>(value >> 8));
}

BlockBytes ParamImage::block(int block) const
{
    return BlockBytes(&m_bytes[at(block * kBlockSize)], kBlockSize);
}

std::span<const std::uint8_t, kImageSize> ParamImage::bytes() const
{
    return m_bytes;
}

void ParamImage::storeBlock(int block, BlockBytes payload)
{
    assert(block >= 1 && block < kBlockCount);
    std::ranges::copy(payload, m_bytes.begin() + block * kBlockSize);
}

void ParamImage::storeHeader(BlockBytes header)
{
    m_lead = {header[0], header[1]};
    std::copy(header.begin() + 2, header.end(), m_bytes.begin());
    m_headerTexts = decodeHeaderTexts(header);
}

} // namespace quorvel
