#include "log/datalog.h"

#include <algorithm>
#include <cassert>

namespace quorvel {

Datalog::Datalog(std::vector<DatalogColumn> columns)
    : m_columns(std::move(columns))
    , m_values(m_columns.size())
{
}

std::optional<std::size_t> Datalog::columnIndex(std::string_view name) const
{
    const auto it = std::ranges::find(m_columns, name, &DatalogColumn::name);
    if (it == m_columns.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - m_columns.begin());
}

std::size_t Datalog::memoryBytes() const
{
    std::size_t bytes = m_times.capacity() * sizeof(std::uint32_t) + m_frames.capacity() * sizeof(LinkFrame);
    for (const std::vector<float>& column : m_values)
        bytes += column.capacity() * sizeof(float);
    return bytes;
}

void Datalog::reserve(std::size_t rows)
{
    m_times.reserve(rows);
    m_frames.reserve(rows);
    for (std::vector<float>& column : m_values)
        column.reserve(rows);
}

void Datalog::appendRow(std::uint32_t timeMs, std::span<const float> values, const LinkFrame& frame)
{
    assert(values.size() == m_values.size());
    m_times.push_back(timeMs);
    m_frames.push_back(frame);
    for (std::size_t c = 0; c < m_values.size(); ++c)
        m_values[c].push_back(values[c]);
}

void Datalog::shrinkToFit()
{
    m_times.shrink_to_fit();
    m_frames.shrink_to_fit();
    for (std::vector<float>& column : m_values)
        column.shrink_to_fit();
}

} // namespace quorvel
