#include "io/token_reader.h"

namespace quorvel {

bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void TokenReader::skipSeparators()
{
    while (m_position < m_bytes.size() && isSeparator(m_bytes[m_position]))
        ++m_position;
}

std::optional<std::string_view> TokenReader::nextToken()
{
    skipSeparators();
    if (atEnd())
        return std::nullopt;
    const std::size_t start = m_position;
    while (m_position < m_bytes.size() && !isSeparator(m_bytes[m_position]))
        ++m_position;
    return m_bytes.substr(start, m_position - start);
}

std::optional<std::uint32_t> TokenReader::nextNumber()
{
    std::size_t at = m_position;
    while (at < m_bytes.size() && isSeparator(m_bytes[at]))
        ++at;
    bool negative = false;
    if (at < m_bytes.size() && (m_bytes[at] == '-' || m_bytes[at] == '+')) {
        negative = m_bytes[at] == '-';
        ++at;
    }
    const std::size_t digits = at;
    std::uint32_t value = 0;
    while (at < m_bytes.size() && m_bytes[at] >= '0' && m_bytes[at] <= '9') {
        value = value * 10U + static_cast<std::uint32_t>(m_bytes[at] - '0');
        ++at;
    }
    if (at == digits)
        return std::nullopt;
    m_position = at;
    return negative ? static_cast<std::uint32_t>(0U - value) : value;
}

std::optional<char> TokenReader::nextByte()
{
    if (atEnd())
        return std::nullopt;
    return m_bytes[m_position++];
}

} // namespace quorvel
