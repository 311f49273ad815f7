#pragma once

#include <cstdint>
#include <initializer_list>

namespace quorvel {

// The bike codes the bike list knows: 0..52. A code above 52 can only come from a unit or a file.
inline constexpr int kBikeCodeCount = 53;
inline constexpr int kLastBikeCode = kBikeCodeCount - 1;

// The bike whose presets stand in for a code without a bike of its own, as its reference grids
// already do: the defaults and the derived fields then stay those of a real bike.
inline constexpr int kUnlistedBikeStandIn = 26;

[[nodiscard]] constexpr int presetBikeCode(int bikeCode)
{
    return bikeCode >= 0 && bikeCode <= kLastBikeCode ? bikeCode : kUnlistedBikeStandIn;
}

// One code or an inclusive range of codes, so that a set reads like the bike tables: {9, 10, {39, 42}}.
struct BikeCodeRange {
    constexpr BikeCodeRange(int code) // NOLINT(google-explicit-constructor): a lone code is a range
        : first(code)
        , last(code)
    {
    }
    constexpr BikeCodeRange(int from, int to)
        : first(from)
        , last(to)
    {
    }
    int first;
    int last;
};

// A set of bike codes 0..52. The empty set marks the row that applies to "all other codes".
class BikeCodeSet {
public:
    constexpr BikeCodeSet() = default;
    constexpr BikeCodeSet(std::initializer_list<BikeCodeRange> ranges)
    {
        for (const BikeCodeRange& range : ranges) {
            for (int code = range.first; code <= range.last; ++code)
                m_bits |= std::uint64_t{1} << code;
        }
    }

    [[nodiscard]] constexpr bool contains(int code) const
    {
        return code >= 0 && code <= kLastBikeCode && ((m_bits >> code) & 1U) != 0;
    }
    [[nodiscard]] constexpr bool isOthers() const { return m_bits == 0; }

private:
    std::uint64_t m_bits = 0;
};

inline constexpr BikeCodeSet kOtherBikes{};

} // namespace quorvel
