#include "io/file_reading.h"

#include "io/file_replacement.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvel {
namespace {

using file_replacement::displayPath;

constexpr std::size_t kReadPiece = 64 * kKiB;

// "PATH: No such file or directory": what the system says, after the file it says it of.
std::string failure(const std::filesystem::path& path, int error)
{
    return displayPath(path) + ": " + std::generic_category().message(error);
}

std::string notRegular(const std::filesystem::path& path)
{
    return displayPath(path) + " is not a regular file";
}

std::string tooLarge(const std::filesystem::path& path, std::size_t limit)
{
    return displayPath(path) + " is larger than " + sizeText(limit) + " and was not read";
}

} // namespace

std::string sizeText(std::size_t bytes)
{
    if (bytes >= kMiB && bytes % kMiB == 0)
        return std::to_string(bytes / kMiB) + " MB";
    if (bytes >= kKiB && bytes % kKiB == 0)
        return std::to_string(bytes / kKiB) + " kB";
    return std::to_string(bytes) + " bytes";
}

void InputFile::refuse(ReadProblem problem, std::string reason)
{
    m_problem = problem;
    m_reason = std::move(reason);
}

std::optional<std::size_t> InputFile::read(std::span<char> buffer)
{
    if (m_problem != ReadProblem::None)
        return std::nullopt;
    const auto got = readSome(buffer);
    if (!got)
        return std::nullopt;
    m_read += *got;
    // A file that grows while it is read is held to the limit all the same.
    if (m_read > m_limit) {
        refuse(ReadProblem::TooLarge, tooLarge(m_path, m_limit));
        return std::nullopt;
    }
    return got;
}

#ifdef _WIN32

InputFile::InputFile(const std::filesystem::path& path, std::size_t limit)
    : m_path(path)
    , m_limit(limit)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    // The C++ library of mingw reports a missing file as an error, not as a type.
    const bool missing =
        status.type() == std::filesystem::file_type::not_found || ec == std::errc::no_such_file_or_directory;
    if (ec || missing) {
        refuse(missing ? ReadProblem::Missing : ReadProblem::CannotOpen,
               ec ? displayPath(path) + ": " + ec.message() : failure(path, ENOENT));
        return;
    }
    if (!std::filesystem::is_regular_file(status)) {
        refuse(ReadProblem::NotARegularFile, notRegular(path));
        return;
    }
    std::FILE* file = ::_wfopen(path.c_str(), L"rb");
    if (file == nullptr) {
        refuse(ReadProblem::CannotOpen, failure(path, errno));
        return;
    }
    m_file = file;
    m_size = std::filesystem::file_size(path, ec);
    if (!ec && m_size > m_limit)
        refuse(ReadProblem::TooLarge, tooLarge(path, m_limit));
}

InputFile::~InputFile()
{
    if (m_file != nullptr)
        std::fclose(static_cast<std::FILE*>(m_file));
}

std::optional<std::size_t> InputFile::readSome(std::span<char> buffer)
{
    auto* file = static_cast<std::FILE*>(m_file);
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
    if (got == 0 && std::ferror(file) != 0) {
        refuse(ReadProblem::CannotOpen, failure(m_path, errno));
        return std::nullopt;
    }
    return got;
}

#else

InputFile::InputFile(const std::filesystem::path& path, std::size_t limit)
    : m_path(path)
    , m_limit(limit)
{
    // Looked at before it is opened: opening a FIFO waits for a writer, and opening a serial
    // port may already reset the device behind it.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        refuse(errno == ENOENT ? ReadProblem::Missing : ReadProblem::CannotOpen, failure(path, errno));
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        refuse(ReadProblem::NotARegularFile, notRegular(path));
        return;
    }
    // Without blocking, and looked at once more, in case something else took the name since.
    m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        refuse(ReadProblem::CannotOpen, failure(path, errno));
        return;
    }
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        refuse(ReadProblem::NotARegularFile, notRegular(path));
        return;
    }
    m_size = static_cast<std::uintmax_t>(info.st_size);
    if (m_size > m_limit)
        refuse(ReadProblem::TooLarge, tooLarge(path, m_limit));
}

InputFile::~InputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<std::size_t> InputFile::readSome(std::span<char> buffer)
{
    ssize_t got = 0;
    do {
        got = ::read(m_fd, buffer.data(), buffer.size());
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        refuse(ReadProblem::CannotOpen, failure(m_path, errno));
        return std::nullopt;
    }
    return static_cast<std::size_t>(got);
}

#endif

FileRead readFileWithin(const std::filesystem::path& path, std::size_t limit)
{
    InputFile file(path, limit);
    if (file.problem() != ReadProblem::None)
        return {std::nullopt, file.problem(), file.reason()};
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(file.size()));
    std::array<char, kReadPiece> piece{};
    for (;;) {
        const auto got = file.read(piece);
        if (!got)
            return {std::nullopt, file.problem(), file.reason()};
        if (*got == 0)
            return {std::move(bytes), ReadProblem::None, {}};
        bytes.append(piece.data(), *got);
    }
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t limit)
{
    return readFileWithin(path, limit).bytes;
}

} // namespace quorvel
