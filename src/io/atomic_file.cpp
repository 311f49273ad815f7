#include "io/atomic_file.h"

#include "io/file_replacement.h"

#include <algorithm>
#include <atomic>
#include <chrono>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace quorvel {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTempMark = ".tmp-";
// A save takes seconds at most: a temp file this old belongs to a save that was killed.
constexpr auto kStaleAfter = std::chrono::hours(1);
// Far more names than backups of one second or logs of one minute ever need.
constexpr int kMostNames = 10000;

long processId()
{
#ifdef _WIN32
    return ::_getpid();
#else
    return static_cast<long>(::getpid());
#endif
}

// Beside the file it replaces, so that the final rename never crosses a file system. The
// process id keeps two programs saving the same file apart.
fs::path temporaryBeside(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path temp = target;
    temp += std::string(kTempMark) + std::to_string(processId()) + "-" + std::to_string(stamp) + "-" +
            std::to_string(counter++);
    return temp;
}

// "NAME.tmp-" and two or three numbers joined by '-': the names temporaryBeside gives, and gave
// before they carried the process id.
bool isTemporaryName(const std::string& name)
{
    const std::size_t mark = name.rfind(kTempMark);
    if (mark == std::string::npos || mark == 0)
        return false;
    int numbers = 0;
    std::string_view rest = std::string_view(name).substr(mark + kTempMark.size());
    for (;;) {
        const std::size_t dash = rest.find('-');
        const std::string_view number = rest.substr(0, dash);
        if (number.empty() || !std::ranges::all_of(number, [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        ++numbers;
        if (dash == std::string_view::npos)
            return numbers == 2 || numbers == 3;
        rest.remove_prefix(dash + 1);
    }
}

// A killed save leaves its temp file behind, in the backups folder a whole backup that no list
// shows; the next save in the folder clears away such files of this user once they are stale.
void removeStaleTemporaries(const fs::path& directory)
{
    const auto now = fs::file_time_type::clock::now();
    std::error_code ec;
    for (fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code skip;
        if (it->symlink_status(skip).type() != fs::file_type::regular ||
            !isTemporaryName(it->path().filename().string()))
            continue;
        const auto written = it->last_write_time(skip);
        if (skip || now - written < kStaleAfter || !file_replacement::ownedBySavingUser(it->path()))
            continue;
        fs::remove(it->path(), skip);
    }
}

} // namespace

std::optional<std::string> writeFileAtomically(const fs::path& target, std::string_view content)
{
    auto resolved = file_replacement::resolve(target);
    if (auto* refusal = std::get_if<std::string>(&resolved))
        return std::move(*refusal);
    const auto& saveTarget = std::get<file_replacement::SaveTarget>(resolved);
    const fs::path temp = temporaryBeside(saveTarget.path);
    if (auto error = file_replacement::writeTemporary(temp, saveTarget, content))
        return error;
    if (auto error = file_replacement::replaceWithTemporary(temp, saveTarget))
        return error;
    removeStaleTemporaries(saveTarget.path.parent_path());
    return std::nullopt;
}

NewFile writeNewFileAtomically(const fs::path& directory, const std::function<std::string(int)>& nameFor,
                               std::string_view content)
{
    const fs::path first = directory / nameFor(1);
    const fs::path temp = temporaryBeside(first);
    if (auto error = file_replacement::writeTemporary(temp, file_replacement::SaveTarget{temp, false}, content))
        return {first, std::move(error)};
    for (int n = 1; n <= kMostNames; ++n) {
        const fs::path target = n == 1 ? first : directory / nameFor(n);
        auto placed = file_replacement::placeWithoutReplacing(temp, target);
        if (auto* error = std::get_if<std::string>(&placed)) {
            std::error_code ignored;
            fs::remove(temp, ignored);
            return {target, std::move(*error)};
        }
        if (std::get<file_replacement::Placement>(placed) == file_replacement::Placement::Placed) {
            removeStaleTemporaries(directory);
            return {target, std::nullopt};
        }
    }
    std::error_code ignored;
    fs::remove(temp, ignored);
    return {first, "no free name beside " + file_replacement::displayPath(first)};
}

} // namespace quorvel
