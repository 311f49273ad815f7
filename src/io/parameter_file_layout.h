#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel {

// One step of the .ign layout. A Section step opens a keyed section; the value steps that follow
// belong to it until the next Section step.
enum class LayoutStep : std::uint8_t {
    Section,      // key field; `page` is the page the section belongs to, kFullLoadOnly for BIKE
    Byte,         // `count` bytes from `offset`, written as byte * scale + add
    SignedByte,   // a byte shown signed with an offset of 100: written byte - 100 in "%5d "
    Word,         // `count` 16-bit words from `offset`, two bytes apart
    Flag,         // "1" or "0" in a fixed string, see FlagText
    MapBytes,     // 150 bytes, 15 a line, each line ended by a continuation break
    MapWords,     // 150 words, likewise
    Continuation, // a line break and 13 spaces
    LineBreak,    // a line break alone
};

enum class FlagText : std::uint8_t {
    Plain,      // "    1 "
    Bare,       // "    1", nothing after it
    WideSpaced, // "     1 "
};

inline constexpr int kFullLoadOnly = -2;
inline constexpr int kNoFactorFlag = -1;

struct LayoutItem {
    LayoutStep step;
    std::string_view key = {}; // Section only
    int page = 0;              // Section only
    int keyWidth = 13;         // Section only: the key is padded with spaces to this width
    int offset = 0;
    int count = 1;
    int scale = 1;
    int add = 0;
    FlagText flagText = FlagText::Plain;
    // MapBytes: a byte that selects the factor, 1 when it is non-zero and 20 otherwise (servo
    // maps held in units of 20 mV are written in mV).
    int factorFlag = kNoFactorFlag;
};

// The sections of a parameter file in the order they are written.
[[nodiscard]] std::span<const LayoutItem> parameterFileLayout();

} // namespace quorvel
