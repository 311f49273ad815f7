#include "io/atomic_file.h"

#include "io/file_replacement.h"

#include <array>
#include <atomic>
#include <chrono>
#include <fstream>

namespace quorvel {
namespace {

// Beside the file it replaces, so that the final rename never crosses a file system.
std::filesystem::path temporaryBeside(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path temp = target;
    temp += ".tmp-" + std::to_string(stamp) + "-" + std::to_string(counter++);
    return temp;
}

} // namespace

std::optional<std::string> writeFileAtomically(const std::filesystem::path& target, std::string_view content)
{
    auto resolved = file_replacement::resolve(target);
    if (auto* refusal = std::get_if<std::string>(&resolved))
        return std::move(*refusal);
    const auto& saveTarget = std::get<file_replacement::SaveTarget>(resolved);
    const std::filesystem::path temp = temporaryBeside(saveTarget.path);
    if (auto error = file_replacement::writeTemporary(temp, saveTarget, content))
        return error;
    return file_replacement::replaceWithTemporary(temp, saveTarget);
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    // A read error (a directory opens but cannot be read) must not pass for an empty file.
    std::string bytes;
    std::array<char, 65536> chunk{};
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0)
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return bytes;
}

} // namespace quorvel
