#pragma once

#include "core/param_image.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <span>

namespace quorvel {

// The unit's memory as this connection has seen it: the payload of the last reply for each
// block, exactly as it arrived (before any sanitising). A block not seen since the connection
// began, or written since and not echoed yet, is not known.
class UnitCopy {
public:
    using RawBytes = std::array<std::uint8_t, kImageSize>;

    void store(int block, BlockBytes payload);
    void forget(int block);
    // Another unit may answer next: a new connection begins.
    void forgetAll();
    // Counts the connections: what was kept of the unit (a backup) holds while it is the same.
    [[nodiscard]] std::uint32_t connection() const { return m_connection; }

    [[nodiscard]] bool knows(int block) const;
    // Blocks 1..19 known: enough for a backup and a full comparison; the header is optional.
    [[nodiscard]] bool knowsParameters() const;
    [[nodiscard]] bool knowsNothing() const { return m_known.none(); }

    // `image` with every known block replaced by what the unit holds: blocks not seen compare
    // equal with the image they came from.
    [[nodiscard]] ParamImage over(const ParamImage& image) const;
    // The payloads of blocks 0..19 in block order, zero where a block is not known.
    [[nodiscard]] const RawBytes& rawBytes() const { return m_bytes; }

private:
    RawBytes m_bytes{};
    std::bitset<kBlockCount> m_known;
    std::uint32_t m_connection = 0;
};

// An image made of the 20 payloads of a unit as received: the header through the header lead
// (with its texts), blocks 1..19 as they are.
[[nodiscard]] ParamImage imageFromRaw(std::span<const std::uint8_t, kImageSize> raw);

} // namespace quorvel
