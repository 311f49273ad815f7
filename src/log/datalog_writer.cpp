#include "log/datalog_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#endif

namespace quorvel {
namespace {

// Rows of a few seconds of fast logging, so that recording allocates nothing in the tick.
constexpr std::size_t kKeptRowsReserved = 128;

// Fails when the file exists, so that two logs started in the same second cannot meet and a
// recorded ride is never written over. The C library of Windows has no "x" mode to fopen: there
// the file is created exclusively by handle first.
std::FILE* createNew(const std::filesystem::path& file)
{
#ifdef _WIN32
    int handle = -1;
    if (::_wsopen_s(&handle, file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYNO,
                    _S_IREAD | _S_IWRITE) != 0)
        return nullptr;
    std::FILE* opened = ::_fdopen(handle, "wb");
    if (opened == nullptr)
        ::_close(handle);
    return opened;
#else
    return std::fopen(file.c_str(), "wbx");
#endif
}

std::string reason(const std::string& what, const std::filesystem::path& file)
{
    return what + " " + file.string() + ": " + std::strerror(errno);
}

} // namespace

DatalogWriter::~DatalogWriter()
{
    (void)close();
}

std::optional<std::string> DatalogWriter::open(const std::filesystem::path& file)
{
    (void)close();
    m_written = 0;
    m_kept.clear();
    m_kept.reserve(kKeptRowsReserved);
    m_file.reset(createNew(file));
    m_nameTaken = !m_file && errno == EEXIST;
    if (!m_file)
        return reason("cannot create", file);
    m_path = file;
    return put(datalogHeader());
}

void DatalogWriter::record(std::uint32_t timeMs, FrameBytes frame, LoggedCell cell)
{
    if (!m_file)
        return;
    KeptRow& row = m_kept.emplace_back();
    row.timeMs = timeMs;
    row.cell = cell;
    std::ranges::copy(frame, row.frame.begin());
}

std::optional<std::string> DatalogWriter::write()
{
    if (!m_file || m_kept.empty())
        return std::nullopt;
    m_text.clear();
    for (const KeptRow& row : m_kept)
        appendDatalogRow(m_text, row.timeMs, row.frame, row.cell);
    const std::size_t rows = m_kept.size();
    m_kept.clear();
    if (auto failed = put(m_text))
        return failed;
    m_written += rows;
    return std::nullopt;
}

std::optional<std::string> DatalogWriter::close()
{
    if (!m_file)
        return std::nullopt;
    auto failed = write();
    if (m_file && std::fclose(m_file.release()) != 0 && !failed)
        failed = reason("cannot close", m_path);
    return failed;
}

std::optional<std::string> DatalogWriter::put(std::string_view text)
{
    const bool written = std::fwrite(text.data(), 1, text.size(), m_file.get()) == text.size();
    if (written && std::fflush(m_file.get()) == 0)
        return std::nullopt;
    auto failed = reason("cannot write", m_path);
    m_file.reset();
    m_kept.clear();
    return failed;
}

} // namespace quorvel
