#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

// Reads the text files of the configurator as the unit-era reader did: space, tab, CR and LF
// separate tokens, and a number is an optional sign and decimal digits. A failed read consumes
// nothing, so the offending token can be read next as a possible key.
class TokenReader {
public:
    explicit TokenReader(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    // The next run of non-separator bytes; none at the end of the text.
    [[nodiscard]] std::optional<std::string_view> nextToken();

    // The next number as an unsigned 32-bit value; a minus sign gives the two's complement
    // (-20 becomes 2^32 - 20) and more digits than fit wrap around.
    [[nodiscard]] std::optional<std::uint32_t> nextNumber();

    void skipSeparators();
    // The next byte, raw; none at the end.
    [[nodiscard]] std::optional<char> nextByte();
    [[nodiscard]] bool atEnd() const { return m_position >= m_bytes.size(); }

private:
    std::string_view m_bytes;
    std::size_t m_position = 0;
};

[[nodiscard]] bool isSeparator(char c);

} // namespace quorvel
