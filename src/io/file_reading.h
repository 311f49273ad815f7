#pragma once

#include "io/input_limits.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace quorvel {

// Why a file was not read.
enum class ReadProblem : std::uint8_t { None, Missing, CannotOpen, NotARegularFile, TooLarge };

// A file opened for reading only when it is a regular file no larger than the limit of its
// kind. What is not a regular file (a FIFO, a device such as /dev/zero or a serial port, a
// directory) is refused without being opened, so a reader neither blocks on it nor reads it
// without end; a file larger than the limit is refused before anything is read.
class InputFile {
public:
    InputFile(const std::filesystem::path& path, std::size_t limit);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    [[nodiscard]] ReadProblem problem() const { return m_problem; }
    // Why the file is not read, naming it: for the command line and the window's details.
    [[nodiscard]] const std::string& reason() const { return m_reason; }
    // The size the file had when it was opened.
    [[nodiscard]] std::uintmax_t size() const { return m_size; }

    // Up to buffer.size() bytes; 0 at the end of the file; none after a read error, or when the
    // file grew past the limit while it was read (then problem() says so).
    [[nodiscard]] std::optional<std::size_t> read(std::span<char> buffer);

private:
    void refuse(ReadProblem problem, std::string reason);
    // What the system gives in one read; none after an error.
    [[nodiscard]] std::optional<std::size_t> readSome(std::span<char> buffer);

    std::filesystem::path m_path;
    std::size_t m_limit;
    std::uintmax_t m_size = 0;
    std::uintmax_t m_read = 0;
    ReadProblem m_problem = ReadProblem::None;
    std::string m_reason;
#ifdef _WIN32
    void* m_file = nullptr; // std::FILE
#else
    int m_fd = -1;
#endif
};

struct FileRead {
    std::optional<std::string> bytes; // none when the file was refused or could not be read
    ReadProblem problem = ReadProblem::None;
    std::string reason;
};

// The whole file, read as InputFile allows.
[[nodiscard]] FileRead readFileWithin(const std::filesystem::path& path, std::size_t limit);
[[nodiscard]] std::optional<std::string> readWholeFile(const std::filesystem::path& path,
                                                       std::size_t limit = kDefaultReadLimit);

// "256 kB", "1 MB": a limit as a message names it.
[[nodiscard]] std::string sizeText(std::size_t bytes);

} // namespace quorvel
