#pragma once

#include "core/link_frame.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct DatalogColumn {
    std::string name;
    std::string unit;
};

// An opened datalog, held compactly: the time of each row, one float per row for each numeric
// column, and the raw frames as bytes. An hour of fast logging (about 65,000 rows) takes some
// 30 MB. Rows are in time order.
class Datalog {
public:
    Datalog() = default;
    // The numeric columns between the time and the frame, in file order.
    explicit Datalog(std::vector<DatalogColumn> columns);

    [[nodiscard]] std::size_t rowCount() const { return m_times.size(); }
    [[nodiscard]] bool empty() const { return m_times.empty(); }
    [[nodiscard]] std::span<const DatalogColumn> columns() const { return m_columns; }
    [[nodiscard]] std::optional<std::size_t> columnIndex(std::string_view name) const;
    [[nodiscard]] std::span<const float> values(std::size_t column) const { return m_values[column]; }
    [[nodiscard]] std::span<const std::uint32_t> timesMs() const { return m_times; }
    [[nodiscard]] FrameBytes frame(std::size_t row) const { return m_frames[row]; }
    [[nodiscard]] std::span<const LinkFrame> frames() const { return m_frames; }
    [[nodiscard]] std::uint32_t durationMs() const { return empty() ? 0 : m_times.back() - m_times.front(); }

    // Rows of the file that could not be used (cut by a killed writer, damaged) and were left out.
    [[nodiscard]] std::size_t skippedRows() const { return m_skipped; }
    // Bytes held by the rows.
    [[nodiscard]] std::size_t memoryBytes() const;

    // Building, for the reader and for tests: `values` has one number per column.
    void reserve(std::size_t rows);
    void appendRow(std::uint32_t timeMs, std::span<const float> values, const LinkFrame& frame);
    void noteSkippedRow() { ++m_skipped; }
    // Gives back what reserve() took beyond the rows.
    void shrinkToFit();

private:
    std::vector<DatalogColumn> m_columns;
    std::vector<std::vector<float>> m_values;
    std::vector<std::uint32_t> m_times;
    std::vector<LinkFrame> m_frames;
    std::size_t m_skipped = 0;
};

} // namespace quorvel
