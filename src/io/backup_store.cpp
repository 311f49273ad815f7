#include "io/backup_store.h"

#include "core/sanitise.h"
#include "io/atomic_file.h"
#include "io/file_reading.h"
#include "io/raw_image_file.h"
#include "model/image_compare.h"
#include "model/memo_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <tuple>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

constexpr int kBikeOffset = 150;
constexpr std::string_view kExtension = ".ign";
constexpr std::string_view kReadWord = "read";
constexpr std::string_view kProgramWord = "program";

std::string_view reasonWord(BackupReason reason)
{
    return reason == BackupReason::Read ? kReadWord : kProgramWord;
}

std::string backupName(const BackupTime& time, int bike, BackupReason reason, int sequence)
{
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d_bike%d_", time.year, time.month, time.day,
                  time.hour, time.minute, time.second, bike);
    std::string name = stamp;
    name += reasonWord(reason);
    if (sequence > 1)
        name += "-" + std::to_string(sequence);
    name += kExtension;
    return name;
}

// The parts of a backup's file name; none for any other name. Only a name exactly as
// backupName() writes it counts, so a file the user keeps in the folder is never taken for one.
struct NameParts {
    BackupTime time;
    int bike = 0;
    BackupReason reason = BackupReason::Read;
    int sequence = 1;
};

std::optional<NameParts> parseBackupName(const std::string& name)
{
    NameParts parts;
    BackupTime& t = parts.time;
    int consumed = 0;
    if (std::sscanf(name.c_str(), "%4d-%2d-%2d_%2d-%2d-%2d_bike%3d_%n", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                    &t.second, &parts.bike, &consumed) != 7 ||
        consumed == 0)
        return std::nullopt;
    std::string_view rest = std::string_view(name).substr(static_cast<std::size_t>(consumed));
    if (rest.starts_with(kReadWord)) {
        rest.remove_prefix(kReadWord.size());
    } else if (rest.starts_with(kProgramWord)) {
        parts.reason = BackupReason::Program;
        rest.remove_prefix(kProgramWord.size());
    } else {
        return std::nullopt;
    }
    if (rest.starts_with('-')) {
        int sequence = 0;
        if (std::sscanf(std::string(rest).c_str(), "-%4d", &sequence) != 1)
            return std::nullopt;
        parts.sequence = sequence;
    }
    if (backupName(t, parts.bike, parts.reason, parts.sequence) != name)
        return std::nullopt;
    return parts;
}

// The order line stands first in a backup: a few dozen bytes tell it.
std::uint32_t orderOf(const fs::path& backup)
{
    InputFile file(backup, kParameterFileLimit);
    std::array<char, 64> head{};
    const auto got = file.read(head);
    return got ? readBackupOrder(std::string_view(head.data(), *got)).value_or(0) : 0;
}

std::optional<fs::path> fromEnvironment(const char* variable)
{
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    fs::path path(value);
    // A relative base directory is no base at all.
    if (!path.is_absolute())
        return std::nullopt;
    return path;
}

} // namespace

BackupTime BackupTime::now()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

BackupStore::BackupStore(std::filesystem::path directory, int kept)
    : m_directory(std::move(directory))
    , m_kept(std::max(kept, 1))
{
}

std::filesystem::path BackupStore::defaultDirectory()
{
    const fs::path leaf = fs::path("quorvel") / "backups";
#ifdef _WIN32
    for (const char* variable : {"LOCALAPPDATA", "APPDATA"}) {
        if (const auto base = fromEnvironment(variable))
            return *base / leaf;
    }
#else
    if (const auto data = fromEnvironment("XDG_DATA_HOME"))
        return *data / leaf;
    if (const auto home = fromEnvironment("HOME"))
        return *home / ".local" / "share" / leaf;
#endif
    return fs::current_path() / leaf;
}

BackupWrite BackupStore::write(std::span<const std::uint8_t, kImageSize> raw, BackupReason reason,
                               const BackupTime& time) const
{
    std::error_code ec;
    fs::create_directories(m_directory, ec);
    if (ec || !fs::is_directory(m_directory, ec))
        return {m_directory, "cannot create the folder " + m_directory.string() + (ec ? ": " + ec.message() : "")};

    const int bike = raw[kBikeOffset];
    std::uint32_t newest = 0;
    for (const Named& backup : backups())
        newest = std::max(newest, backup.order);
    // Two programs writing at the same moment may give the same order; both are newest then.
    NewFile written = writeNewFileAtomically(
        m_directory, [&](int sequence) { return backupName(time, bike, reason, sequence); },
        backupOrderLine(newest + 1) + writeRawImageFile(raw));
    if (written.error)
        return {written.path, std::move(written.error)};
    prune(written.path);
    return {written.path, std::nullopt};
}

std::vector<BackupStore::Named> BackupStore::backups() const
{
    std::vector<Named> found;
    std::error_code ec;
    for (fs::directory_iterator it(m_directory, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        if (const auto parts = parseBackupName(it->path().filename().string())) {
            found.push_back(
                {it->path(), parts->time, parts->bike, parts->reason, parts->sequence, orderOf(it->path())});
        }
    }
    std::ranges::sort(found, [](const Named& a, const Named& b) {
        return std::tie(a.order, a.time, a.sequence, a.path) < std::tie(b.order, b.time, b.sequence, b.path);
    });
    return found;
}

void BackupStore::prune(const std::filesystem::path& keep) const
{
    std::vector<Named> all = backups();
    auto excess = static_cast<std::ptrdiff_t>(all.size()) - m_kept;
    for (const Named& backup : all) {
        if (excess <= 0)
            break;
        // Should another program have written at the same moment, the new one stays all the same.
        if (backup.path == keep)
            continue;
        std::error_code ignored;
        fs::remove(backup.path, ignored);
        --excess;
    }
}

std::vector<BackupEntry> BackupStore::list(const ParamImage& image, const InjectionTables& tables) const
{
    std::vector<BackupEntry> entries;
    const std::vector<Named> all = backups();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        BackupEntry entry{it->path, it->time, it->bike, it->reason, {}, std::nullopt};
        ParamImage held = image;
        InjectionTables heldTables;
        if (loadParameterFile(it->path, held, heldTables) == LoadResult::Loaded) {
            entry.memo = memoText(held);
            // Restoring ends as every Open does, sanitised: that is what it would change.
            OutsideSettings unused;
            (void)sanitiseImage(held, unused);
            heldTables.refreshFromImage(held);
            entry.differences = static_cast<int>(compareImages({held, heldTables}, {image, tables}).size());
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

FileLoad restoreBackup(const BackupEntry& backup, ParamImage& image, InjectionTables& tables)
{
    return loadParameterFile(backup.path, image, tables);
}

} // namespace quorvel
