#include "io/atomic_file.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorvel {
namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path temp = target;
    temp += ".tmp-" + std::to_string(stamp) + "-" + std::to_string(counter++);
    return temp;
}

// Makes the written bytes durable before the rename publishes them.
bool flushToDisk([[maybe_unused]] const std::filesystem::path& path)
{
#ifndef _WIN32
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
#else
    return true;
#endif
}

} // namespace

std::optional<std::string> writeFileAtomically(const std::filesystem::path& target, std::string_view content)
{
    const std::filesystem::path temp = temporaryBeside(target);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return "cannot create " + temp.string();
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return "cannot write " + temp.string();
        }
    }
    std::error_code ec;
    if (!flushToDisk(temp)) {
        std::filesystem::remove(temp, ec);
        return "cannot flush " + temp.string();
    }
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return "cannot replace " + target.string() + ": " + ec.message();
    }
    return std::nullopt;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return bytes.str();
}

} // namespace quorvel
