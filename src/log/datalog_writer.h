#pragma once

#include "log/datalog_format.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// Appends the rows of one datalog to its file. Recording a row only copies the frame into
// memory, so it costs the tick next to nothing; the rows kept are formatted, written and flushed
// by write(), which the owner calls outside the tick's work about once a second. A crash or an
// unplugged cable therefore loses at most the rows since the last write, and what was written
// stays a readable log (a row cut by a killed process is dropped by the reader).
class DatalogWriter {
public:
    DatalogWriter() = default;
    ~DatalogWriter();
    DatalogWriter(const DatalogWriter&) = delete;
    DatalogWriter& operator=(const DatalogWriter&) = delete;

    // Creates `file` with the header lines; an existing file is never replaced. The reason
    // when the file cannot be created.
    [[nodiscard]] std::optional<std::string> open(const std::filesystem::path& file);
    // Whether the last open() failed because something already has the file's name.
    [[nodiscard]] bool nameTaken() const { return m_nameTaken; }
    [[nodiscard]] bool isOpen() const { return m_file != nullptr; }
    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

    // Keeps one accepted monitor frame for the next write; nothing while closed.
    void record(std::uint32_t timeMs, FrameBytes frame, LoggedCell cell);
    // Writes and flushes the rows kept. A failure closes the file: what reached it stays, and
    // the reason is returned.
    [[nodiscard]] std::optional<std::string> write();
    // Writes what is kept and closes the file.
    [[nodiscard]] std::optional<std::string> close();

    [[nodiscard]] std::size_t keptRows() const { return m_kept.size(); }
    [[nodiscard]] std::uint64_t writtenRows() const { return m_written; }

private:
    struct KeptRow {
        std::uint32_t timeMs;
        LoggedCell cell;
        LinkFrame frame;
    };
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    [[nodiscard]] std::optional<std::string> put(std::string_view text);

    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::filesystem::path m_path;
    std::vector<KeptRow> m_kept;
    std::string m_text;
    std::uint64_t m_written = 0;
    bool m_nameTaken = false;
};

} // namespace quorvel
