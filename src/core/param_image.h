#pragma once

#include "core/image_constants.h"
#include "core/pending_blocks.h"
#include "core/unit_header.h"

#include <array>
#include <cstdint>
#include <span>

namespace quorvel {

using BlockBytes = std::span<const std::uint8_t, kBlockSize>;

// The PC's copy of the unit's parameter memory: the single source of truth that every page,
// file and transfer reads from and writes to. Block 0 holds the unit header as last received;
// blocks 1..19 hold the parameters, the maps and the memo.
class ParamImage {
public:
    [[nodiscard]] std::uint8_t byte(int offset) const { return m_bytes[at(offset)]; }
    void setByte(int offset, std::uint8_t value) { m_bytes[at(offset)] = value; }

    // Little-endian 16-bit value whose low byte is at the image offset.
    [[nodiscard]] std::uint16_t wordAt(int offset) const;
    void setWordAt(int offset, std::uint16_t value);

    // Word k is the 16-bit value at image offsets 150 + 2k and 151 + 2k: the word view starts
    // at block 1, so word indices and even offsets from 150 on name the same storage.
    [[nodiscard]] std::uint16_t word(int index) const { return wordAt(wordOffset(index)); }
    void setWord(int index, std::uint16_t value) { setWordAt(wordOffset(index), value); }
    [[nodiscard]] static constexpr int wordOffset(int index) { return kBlockSize + 2 * index; }

    [[nodiscard]] BlockBytes block(int block) const;
    // The whole image, offsets 0..2999.
    [[nodiscard]] std::span<const std::uint8_t, kImageSize> bytes() const;

    // A received block 1..19 replaces that block of the image.
    void storeBlock(int block, BlockBytes payload);
    // A received block 0: header bytes 0 and 1 go to the header lead, byte k to image offset
    // k - 2, so offsets 148 and 149 are never written by the link. The header texts follow.
    void storeHeader(BlockBytes header);

    [[nodiscard]] const std::array<std::uint8_t, 2>& headerLead() const { return m_lead; }
    [[nodiscard]] const UnitHeaderTexts& headerTexts() const { return m_headerTexts; }

    [[nodiscard]] PendingBlocks& pendingBlocks() { return m_pending; }
    [[nodiscard]] const PendingBlocks& pendingBlocks() const { return m_pending; }

    // Set by the Program command; cleared when a verify pass completes. While set, a finished
    // programming transfer continues with a verify pass.
    [[nodiscard]] bool verifyAfterProgram() const { return m_verifyAfterProgram; }
    void setVerifyAfterProgram(bool on) { m_verifyAfterProgram = on; }

    // True for the bikes whose advance must stay within base advance plus lobe width;
    // recomputed by every sanitise.
    [[nodiscard]] bool advanceCapBike() const { return m_advanceCapBike; }
    void setAdvanceCapBike(bool on) { m_advanceCapBike = on; }

    // True for the bike with a choke instead of a shift light; kept by the bike change.
    [[nodiscard]] bool chokeBike() const { return m_chokeBike; }
    void setChokeBike(bool on) { m_chokeBike = on; }

private:
    [[nodiscard]] static std::size_t at(int offset);

    std::array<std::uint8_t, kImageSize> m_bytes{};
    std::array<std::uint8_t, 2> m_lead{};
    UnitHeaderTexts m_headerTexts;
    PendingBlocks m_pending;
    bool m_verifyAfterProgram = false;
    bool m_advanceCapBike = false;
    bool m_chokeBike = false;
};

} // namespace quorvel
