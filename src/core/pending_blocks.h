#pragma once

#include <bitset>
#include <optional>

namespace quorvel {

// The blocks that the next programming transfer still has to send. A flag survives between
// transfers until the unit's reply for that block arrives.
class PendingBlocks {
public:
    static constexpr int kCount = 20;

    void setAll() { m_flags.set(); }
    void set(int block) { m_flags.set(static_cast<std::size_t>(block)); }
    void clear(int block) { m_flags.reset(static_cast<std::size_t>(block)); }
    void clearAll() { m_flags.reset(); }
    [[nodiscard]] bool isSet(int block) const { return m_flags.test(static_cast<std::size_t>(block)); }
    [[nodiscard]] bool any() const { return m_flags.any(); }

    // The lowest block still to be programmed, or none.
    [[nodiscard]] std::optional<int> lowest() const
    {
        for (int b = 0; b < kCount; ++b) {
            if (isSet(b))
                return b;
        }
        return std::nullopt;
    }

private:
    std::bitset<kCount> m_flags;
};

} // namespace quorvel
